// Whole lines read from text files: every line end, bounds on the lines and their length,
// and the lines read before a failure kept.
#include "TestMain.h"

#include "files/TextLines.h"

#include <QTest>

Q_DECLARE_METATYPE(TextLines::Status)

class TextLinesTest : public QObject {
    Q_OBJECT

private slots:
    void linesAreTakenWholeAndBounded_data()
    {
        using S = TextLines::Status;
        QTest::addColumn<QList<QByteArray>>("pieces"); // the file's bytes as they come
        QTest::addColumn<bool>("readFails"); // reading fails after the pieces
        QTest::addColumn<int>("maxLines");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<S>("status");
        const auto row = [](const char *name, QList<QByteArray> pieces, bool fails, int maxLines,
                             int maxLength, QStringList lines, S status) {
            QTest::newRow(name) << pieces << fails << maxLines << maxLength << lines << status;
        };
        row("every line end, the last without one", {"a\r\nb\nc\rd"}, false, 10, 10,
            {"a", "b", "c", "d"}, S::Ok);
        row("CR LF split between reads", {"a\r", "\nb"}, false, 10, 10, {"a", "b"}, S::Ok);
        row("empty lines are lines", {"\r\n\rx\n"}, false, 10, 10, {"", "", "x"}, S::Ok);
        row("nothing", {}, false, 10, 10, {}, S::Ok);
        row("CR LF ending the last line allowed", {"a\r", "\n"}, false, 1, 10, {"a"}, S::Ok);
        row("one line more", {"a\r\nb"}, false, 1, 10, {"a"}, S::Truncated);
        row("a line longer than allowed", {"abcd\nabcde\nx"}, false, 10, 4, {"abcd"}, S::TooLong);
        row("a very long line stops early", {QByteArray(100000, 'x')}, false, 10, 4, {},
            S::TooLong);
        row("length in characters, not bytes", {"\xc5\x82\xc3\xb3\x64\xc5\xba"}, false, 10, 4,
            {QString::fromUtf8("łódź")}, S::Ok);
        row("an emoji is one character", {"\xf0\x9f\x98\x80"}, false, 10, 1,
            {QString::fromUtf8("😀")}, S::Ok);
        row("not UTF-8: Windows-1250", {"\xb3\xf3\x64\x9f"}, false, 10, 10,
            {QString::fromUtf8("łódź")}, S::Ok);
        row("a read error keeps the whole lines before it", {"a\r\nb"}, true, 10, 10, {"a"},
            S::Unreadable);
    }
    void linesAreTakenWholeAndBounded()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(bool, readFails);
        QFETCH(int, maxLines);
        QFETCH(int, maxLength);
        QFETCH(QStringList, lines);
        QFETCH(TextLines::Status, status);
        TextLineScanner scanner(maxLines, maxLength);
        for (const QByteArray &piece : pieces)
            scanner.Feed(piece.constData(), std::size_t(piece.size()));
        const TextLines read = readFails ? scanner.Fail() : scanner.Finish();
        QCOMPARE(read.lines, lines);
        QCOMPARE(read.status, status);
    }
};

NERIX_TEST(TextLinesTest)
#include "TextLinesTest.moc"
