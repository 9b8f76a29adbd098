#include "files/TextLines.h"

#include "core/RegularFile.h"
#include "core/Windows1250.h"

#include <QFile>
#include <algorithm>
#include <array>

namespace {
// No character takes more than four bytes in UTF-8.
constexpr int MaxBytesPerCharacter = 4;

qsizetype characterCount(const QString &text)
{
    return text.size()
        - std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isLowSurrogate(); });
}
} // namespace

TextLineScanner::TextLineScanner(int maxLines, int maxLength)
    : maxLines_(std::max(maxLines, 0))
    , maxLength_(std::max(maxLength, 0))
{
}

bool TextLineScanner::Stop(TextLines::Status status)
{
    result_.status = status;
    done_ = true;
    return false;
}

bool TextLineScanner::EndLine()
{
    QString text = FromUtf8OrWindows1250(line_);
    line_.clear();
    if (characterCount(text) > maxLength_)
        return Stop(TextLines::Status::TooLong);
    result_.lines.append(std::move(text));
    return true;
}

bool TextLineScanner::Feed(const char *bytes, std::size_t size)
{
    for (std::size_t i = 0; i < size && !done_; ++i) {
        const char c = bytes[i];
        if (pendingCr_) {
            pendingCr_ = false;
            if (c == '\n')
                continue; // the LF of a CR LF
        }
        if (result_.lines.size() == maxLines_)
            return Stop(TextLines::Status::Truncated);
        if (c == '\r' || c == '\n') {
            pendingCr_ = c == '\r';
            EndLine();
        } else if (line_.size() == qsizetype(maxLength_) * MaxBytesPerCharacter) {
            return Stop(TextLines::Status::TooLong);
        } else {
            line_.append(c);
        }
    }
    return !done_;
}

TextLines TextLineScanner::Finish()
{
    if (!done_ && !line_.isEmpty())
        EndLine();
    done_ = true;
    return std::move(result_);
}

TextLines TextLineScanner::Fail()
{
    if (!done_)
        Stop(TextLines::Status::Unreadable);
    return std::move(result_);
}

TextLines ReadTextLines(const QString &path, int maxLines, int maxLength)
{
    TextLineScanner scanner(maxLines, maxLength);
    QFile file;
    if (!OpenRegularFile(file, path))
        return scanner.Fail();
    std::array<char, 16 * 1024> chunk;
    for (;;) {
        const qint64 n = file.read(chunk.data(), qint64(chunk.size()));
        if (n < 0)
            return scanner.Fail();
        if (n == 0 || !scanner.Feed(chunk.data(), std::size_t(n)))
            return scanner.Finish();
    }
}
