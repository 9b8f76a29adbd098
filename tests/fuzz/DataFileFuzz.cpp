// Fuzz target for reading data files: the line scanner against a plain model of its rules.
//
// Input: byte 0 is the most lines to keep (0..255, small so that the bound is reached),
// byte 1 the size of the pieces the file arrives in (1..64); the rest is the file.
#include "FuzzCheck.h"
#include "files/DataFile.h"

#include <cstdlib>
#include <string>

namespace {

bool IsDataLine(const std::string &line)
{
    if (line.size() > std::size_t(MaxDataLineLength))
        return false;
    for (const char c : line) {
        if (c != ' ' && c != '-' && c != '.' && (c < '0' || c > '9'))
            return false;
    }
    return true;
}

// The rules written the simple way: split at LF, one CR before it (or before the end of the
// file) dropped, every line checked, and the bound looked at before each further line.
DataFileContents Model(const std::string &bytes, int maxLines)
{
    DataFileContents contents;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (contents.lines.size() == maxLines) {
            contents.status = DataFileContents::Status::Truncated;
            return contents;
        }
        std::size_t end = bytes.find('\n', pos);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!IsDataLine(line))
            return {DataFileContents::Status::NotText, {}};
        contents.lines.append(QString::fromStdString(line));
        pos = next;
    }
    return contents;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int maxLines = data[0];
    const std::size_t piece = data[1] % 64 + 1;
    const std::string file(reinterpret_cast<const char *>(data + 2), size - 2);

    DataFileScanner scanner(maxLines);
    for (std::size_t at = 0; at < file.size(); at += piece) {
        if (!scanner.Feed(file.data() + at, std::min(piece, file.size() - at)))
            break;
    }
    const DataFileContents got = scanner.Finish();
    const DataFileContents expected = Model(file, maxLines);
    Check(got.status == expected.status);
    Check(got.lines == expected.lines);
    Check(got.lines.size() <= maxLines);
    return 0;
}
