// The two printouts on a recorded page: positions in device pixels, pages, and printers
// that fail.
#include "TestMain.h"

#include "core/Jezyki.h"
#include "print/CardLayout.h"
#include "print/PageRangeCanvas.h"
#include "print/PainterCanvas.h"
#include "print/RecordingCanvas.h"
#include "print/ReportLayout.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <climits>

namespace {
// Any x: the test looks at y (and the other edge) only.
constexpr int Any = INT_MIN;

ReportTexts report(int rows)
{
    ReportTexts texts;
    texts.institution = QStringLiteral("Instytut");
    texts.city = QStringLiteral("Kraków");
    texts.fieldKind = ReportTexts::Alternating;
    texts.frequency = QStringLiteral("60");
    for (int i = 1; i <= rows; ++i)
        texts.rows.push_back({QString::number(i), QString(), QStringLiteral("1.50"), QString()});
    return texts;
}

CardTexts card()
{
    CardTexts texts;
    texts.client = QStringLiteral("ACME");
    texts.r1 = QStringLiteral("R1");
    texts.i1 = QStringLiteral("J1");
    for (std::size_t i = 0; i < ParameterCount; ++i)
        texts.panel.line(i) = QStringLiteral("P%1").arg(i);
    return texts;
}

// rows 0 prints the card, otherwise a report of that many rows.
RecordingCanvas print(int rows, int width, int height)
{
    RecordingCanvas canvas(width, height);
    const bool printed = rows == 0 ? PrintCard(canvas, card()) : PrintReport(canvas, report(rows));
    if (!printed)
        qWarning("the printout failed");
    return canvas;
}

const RecordingCanvas::Text *find(const RecordingCanvas &canvas, int page, const QString &text)
{
    for (const auto &t : canvas.texts)
        if (t.page == page && t.text == text)
            return &t;
    return nullptr;
}
} // namespace

class PrintLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init() { LanguageName = LanguagePolish; }
    void cleanup() { LanguageName = LanguageEnglish; }

    void textsStandWhereThePageUnitsPutThem_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QSize>("pageSize");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("y");
        const QSize page(4800, 6600); // a = 120, r = 132, c = 2400
        const QSize odd(4850, 6650); // a = 121, r = 133: halves round to even
        const auto row = [](const char *name, int rows, QSize size, int p, const char *text,
                             int left, int right, int y) {
            QTest::newRow(name) << rows << size << p << QString::fromUtf8(text) << left << right
                                << y;
        };
        row("card heading", 0, page, 1, "NERIX H", 120, Any, 132);
        row("card version", 0, page, 1, "wersja 3.0", 120, Any, 264);
        row("card title", 0, page, 1, "KARTA KALIBRACYJNA", Any, Any, 924);
        row("card client label", 0, page, 1, "Klient:", Any, 2400, 1848);
        row("card client", 0, page, 1, "ACME", 2640, Any, 1848);
        row("card serial number", 0, page, 1, "P24", 2640, Any, 1716);
        row("card number heading", 0, page, 1, "L.p.", Any, 360, 2178);
        row("card value heading", 0, page, 1, "Wartość", 3120, Any, 2178);
        row("card row 1", 0, page, 1, "1", Any, 360, 2508);
        row("card row 1 value", 0, page, 1, "P0", 3120, Any, 2508);
        row("card row 9", 0, page, 1, "9", Any, 360, 3564);
        row("card row 9 value", 0, page, 1, "P23", 3120, Any, 3564);
        row("card row 10", 0, page, 1, "10", Any, 360, 3696);
        row("card row 13 value", 0, page, 1, "P12", 3120, Any, 4092);
        row("card row 23 value", 0, page, 1, "P22", 3120, Any, 5412);
        row("card row 24 R 49", 0, page, 1, "R 49=", Any, 1920, 5544);
        row("card row 26", 0, page, 1, "26", Any, 360, 5808);
        row("card headings, odd page", 0, odd, 1, "L.p.", Any, 363, 2194);
        // A label that would come closer to its value than a space (48 pixels at 12 points)
        // puts its value a space after its end; on a wider page the value keeps its place.
        const QSize wide(9600, 6600); // a = 240
        const QSize wideOdd(9640, 6650); // a = 241: 7.5a rounds to even
        row("card row 24 resistor after its label", 0, page, 1, "R1", 768, Any, 5544);
        row("card row 25 current after its label", 0, page, 1, "J1", 912, Any, 5676);
        row("card row 24 resistor, wide page", 0, wide, 1, "R1", 1440, Any, 5544);
        row("card row 25 current, wide page", 0, wide, 1, "J1", 1800, Any, 5676);
        row("card row 25 current, wide odd page", 0, wideOdd, 1, "J1", 1808, Any, 5719);
        row("report page label", 10, page, 1, "Strona 1", Any, 4680, 264);
        row("report institution", 10, page, 1, "Instytut", Any, 4680, 396);
        row("report city", 10, page, 1, "Kraków", Any, 4680, 554);
        row("report city, odd page", 10, odd, 1, "Kraków", Any, 4719, 559);
        row("report title", 10, page, 1, "RAPORT", Any, Any, 924);
        row("report kind of field", 10, page, 1,
            "z pomiarów natężenia pola magnetycznego zmiennego f = 60 Hz", Any, Any, 1188);
        row("report headings", 10, page, 1, "L.p.", Any, 360, 2178);
        row("report induction heading", 10, page, 1, "Indukcja pola", 1920, Any, 2178);
        row("report row 1", 10, page, 1, "1", Any, 360, 2376);
        row("report row 10", 10, page, 1, "10", Any, 360, 3564);
        row("report row 31", 31, page, 1, "31", Any, 360, 6336);
        row("report page 2 heading", 32, page, 2, "NERIX H", 120, Any, 132);
        row("report page 2 label", 32, page, 2, "Strona 2", Any, 4680, 264);
        row("report page 2 headings", 32, page, 2, "L.p.", Any, 360, 594);
        row("report row 32", 32, page, 2, "32", Any, 360, 792);
        row("report page 2 headings, odd page", 32, odd, 2, "L.p.", Any, 363, 598);
        row("report row 74", 74, page, 2, "74", Any, 360, 6336);
        row("report row 75", 75, page, 3, "75", Any, 360, 792);
    }
    void textsStandWhereThePageUnitsPutThem()
    {
        QFETCH(int, rows);
        QFETCH(QSize, pageSize);
        QFETCH(int, page);
        QFETCH(QString, text);
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(int, y);
        const RecordingCanvas canvas = print(rows, pageSize.width(), pageSize.height());
        const RecordingCanvas::Text *t = find(canvas, page, text);
        QVERIFY2(t != nullptr, qPrintable(text));
        QCOMPARE(t->y, y);
        if (left != Any)
            QCOMPARE(t->x, left);
        if (right != Any)
            QCOMPARE(t->x + t->width, right);
        QCOMPARE(t->font, QStringLiteral("Tahoma"));
    }

    void linesFrameEachPage_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("page");
        QTest::addColumn<QList<int>>("ys");
        QTest::newRow("card") << 0 << 1 << QList<int> {264, 2109, 2373, 6465};
        QTest::newRow("report, first page") << 32 << 1 << QList<int> {264, 2109, 2373, 6465};
        QTest::newRow("report, next page") << 32 << 2 << QList<int> {264, 525, 789, 6465};
    }
    void linesFrameEachPage()
    {
        QFETCH(int, rows);
        QFETCH(int, page);
        QFETCH(QList<int>, ys);
        const RecordingCanvas canvas = print(rows, 4800, 6600);
        QList<int> drawn;
        for (const auto &line : canvas.lines) {
            if (line.page != page)
                continue;
            drawn.append(line.y1);
            QCOMPARE(line.y2, line.y1);
            QCOMPARE(line.x1, 120);
            QCOMPARE(line.x2, 4680);
            QCOMPARE(line.pen, 3);
        }
        std::sort(drawn.begin(), drawn.end());
        QCOMPARE(drawn, ys);
    }

    void reportRowsFillPagesOfThirtyOneThenFortyThree_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::newRow("10") << 10 << 1;
        QTest::newRow("31") << 31 << 1;
        QTest::newRow("32") << 32 << 2;
        QTest::newRow("74") << 74 << 2;
        QTest::newRow("75") << 75 << 3;
    }
    void reportRowsFillPagesOfThirtyOneThenFortyThree()
    {
        QFETCH(int, rows);
        QFETCH(int, pages);
        const RecordingCanvas canvas = print(rows, 4800, 6600);
        QVERIFY(canvas.ended);
        QCOMPARE(canvas.PageNumber(), pages);
        QCOMPARE(ReportPageCount(rows), pages);
        for (int page = 1; page <= pages; ++page)
            QVERIFY(find(canvas, page, QStringLiteral("Strona %1").arg(page)) != nullptr);
        // Every row once, its number right-aligned to 3a.
        int numbers = 0;
        for (const auto &t : canvas.texts) {
            if (t.x + t.width == 360 && t.text != QStringLiteral("L.p.")) {
                QCOMPARE(t.text, QString::number(++numbers));
                QVERIFY(t.y >= 6 * 132 && t.y <= 48 * 132);
            }
        }
        QCOMPARE(numbers, rows);
    }

    // Only the chosen pages reach the printer, as they stand in the whole document.
    void onlyTheChosenPagesArePrinted_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("pages");
        QTest::addColumn<QStringList>("printed"); // the page labels, one per printed page
        QTest::addColumn<QString>("firstRow");
        QTest::newRow("2 to 3 of 3")
            << 100 << "2-3" << QStringList {"Strona 2", "Strona 3"} << "32";
        QTest::newRow("1 and 3") << 100 << "1,3" << QStringList {"Strona 1", "Strona 3"} << "1";
        QTest::newRow("beyond the end") << 10 << "2-5" << QStringList {} << QString();
    }
    void onlyTheChosenPagesArePrinted()
    {
        QFETCH(int, rows);
        QFETCH(QString, pages);
        QFETCH(QStringList, printed);
        QFETCH(QString, firstRow);
        RecordingCanvas printer(4800, 6600);
        PageRangeCanvas canvas(printer, QPageRanges::fromString(pages));
        QVERIFY(PrintReport(canvas, report(rows)));
        QCOMPARE(printer.begun, !printed.isEmpty());
        QCOMPARE(printer.ended, !printed.isEmpty());
        QStringList labels;
        for (const auto &t : printer.texts)
            if (t.text.startsWith(QStringLiteral("Strona ")))
                labels.append(t.text);
        QCOMPARE(labels, printed);
        if (!printed.isEmpty()) {
            QCOMPARE(printer.PageNumber(), printed.size());
            const auto row
                = std::find_if(printer.texts.begin(), printer.texts.end(), [](const auto &t) {
                      return t.y >= 6 * 132 && t.x + t.width == 360 && t.text != "L.p.";
                  });
            QCOMPARE(row->text, firstRow);
            // Each printed page has its frame drawn.
            QCOMPARE(printer.lines.back().page, printed.size());
        }
    }

    void failingPrinterStopsThePrintout_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("failBegin");
        QTest::addColumn<int>("failPage");
        QTest::newRow("card, no document") << 0 << true << 0;
        QTest::newRow("report, no document") << 10 << true << 0;
        QTest::newRow("report, no second page") << 40 << false << 2;
    }
    void failingPrinterStopsThePrintout()
    {
        QFETCH(int, rows);
        QFETCH(bool, failBegin);
        QFETCH(int, failPage);
        RecordingCanvas canvas(4800, 6600);
        canvas.failBegin = failBegin;
        canvas.failPage = failPage;
        const bool printed
            = rows == 0 ? PrintCard(canvas, card()) : PrintReport(canvas, report(rows));
        QVERIFY(!printed);
        QVERIFY(!canvas.ended);
        QCOMPARE(canvas.aborted, !failBegin);
        QVERIFY(failBegin ? canvas.texts.empty() : canvas.texts.back().page == 1);
    }

    // The font engine measures in 26.6 fixed point, which wraps past 2^25 pixels: a long
    // text must still measure long, and print.
    void longTextsMeasureAndPrintWhole()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("long.pdf")));
        PainterCanvas canvas(printer);
        QVERIFY(canvas.BeginDoc());
        canvas.SetFontName(QStringLiteral("Tahoma"));
        canvas.SetFontSize(16);
        const QString text(1000, QLatin1Char('W'));
        const qint64 thousand = canvas.TextWidth(text);
        QVERIFY(thousand > 0);
        QVERIFY(canvas.TextWidth(text.repeated(250)) >= 249 * thousand);
        QCOMPARE(canvas.TextWidth(text.repeated(20000)), PrintCanvas::MaxTextWidth);
        canvas.TextOut(100, 100, text.repeated(250));
        canvas.TextOut(100 - canvas.TextWidth(text.repeated(250)), 300, text.repeated(250));
        QVERIFY(canvas.EndDoc());

        ReportTexts long_ = report(2);
        long_.institution = long_.city = long_.rows[1][3] = text.repeated(250);
        RecordingCanvas recorded(4800, 6600);
        QVERIFY(PrintReport(recorded, long_));
        QVERIFY(find(recorded, 1, long_.institution) != nullptr);
    }
};

NERIX_TEST(PrintLayoutTest)
#include "PrintLayoutTest.moc"
