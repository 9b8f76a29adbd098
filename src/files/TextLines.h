#pragma once
// Reading a text file as whole lines, each taken unchanged: lines end at CR LF, LF or CR, and
// the last line may lack its end. The reading is bounded: at most maxLines lines are read,
// and a line longer than maxLength characters ends the reading, so what it holds stays
// within maxLines lines of maxLength characters however large or strange the input. A line
// is decoded as UTF-8 when its bytes are UTF-8, as Windows-1250 otherwise, so every byte
// reads as some character.
#include <QByteArray>
#include <QStringList>

#include <cstddef>

struct TextLines {
    enum class Status {
        Ok, // every line read
        Truncated, // more lines than maxLines: the first maxLines read, the rest left unread
        TooLong, // a line longer than maxLength: the lines before it read
        Unreadable, // not a regular file, or opening or reading it failed: the lines before kept
    };
    Status status = Status::Ok;
    QStringList lines;
};

// Takes a file's bytes as they come, in pieces of any size.
class TextLineScanner {
public:
    TextLineScanner(int maxLines, int maxLength);
    // Returns false once the reading has ended and wants no more bytes.
    bool Feed(const char *bytes, std::size_t size);
    // The end of the file: the lines read and how the reading ended.
    TextLines Finish();
    // Reading the file failed: the lines read whole until then, Unreadable.
    TextLines Fail();

private:
    bool EndLine();
    bool Stop(TextLines::Status status);

    int maxLines_;
    int maxLength_;
    TextLines result_;
    QByteArray line_;
    bool pendingCr_ = false;
    bool done_ = false;
};

TextLines ReadTextLines(const QString &path, int maxLines, int maxLength);
