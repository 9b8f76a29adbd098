#include "print/ReportLayout.h"

#include "core/Jezyki.h"
#include "print/PrintCanvas.h"
#include "print/PrintPage.h"

namespace {
// Rows stand at n x r; a page's table ends before row 49.
constexpr int FirstPageRow = 18;
constexpr int NextPageRow = 6;
constexpr int PageEndRow = 49;

QString pageLabel(const PrintCanvas &canvas)
{
    return Tekst(68) + QString::number(canvas.PageNumber());
}

void printColumnHeadings(PrintCanvas &canvas, const PageUnits &u, int y)
{
    canvas.SetFontSize(12);
    PrintTableRow(canvas, u, y, Tekst(62),
        {{4 * u.a, Tekst(63)}, {16 * u.a, Tekst(64)}, {26 * u.a, Tekst(65)}});
}

void printFirstPageHeader(PrintCanvas &canvas, const PageUnits &u, const ReportTexts &report)
{
    const int r = u.r;
    PrintPageTop(canvas, u, Tekst(69), pageLabel(canvas));
    canvas.SetFontSize(16);
    TextRight(canvas, 39 * u.a, 3 * r, report.institution);
    TextRight(canvas, 39 * u.a, RoundHalfEven(4.2 * r), report.city);
    canvas.SetFontSize(24);
    TextCentred(canvas, u, 7 * r, Tekst(70));
    canvas.SetFontSize(16);
    TextCentred(canvas, u, 9 * r, FieldKindLine(report));
    canvas.SetFontSize(12);
    PrintField(canvas, u, 11 * r, Tekst(54), report.place);
    PrintField(canvas, u, 12 * r, Tekst(55), report.date);
    PrintField(canvas, u, 13 * r, Tekst(56), report.person);
    PrintField(canvas, u, 14 * r, Tekst(57), report.source);
    PrintTableFrame(canvas, u);
    printColumnHeadings(canvas, u, HeadingRow(u));
}

void printNextPageHeader(PrintCanvas &canvas, const PageUnits &u)
{
    const int r = u.r;
    PrintPageTop(canvas, u, Tekst(69), pageLabel(canvas));
    for (const int y : {4 * r - 3, 6 * r - 3, 49 * r - 3})
        LineAcross(canvas, u, y);
    printColumnHeadings(canvas, u, RoundHalfEven(4.5 * r));
}
} // namespace

int ReportPageCount(std::size_t rows)
{
    constexpr std::size_t first = PageEndRow - FirstPageRow;
    constexpr std::size_t next = PageEndRow - NextPageRow;
    return rows <= first ? 1 : 1 + static_cast<int>((rows - first + next - 1) / next);
}

QString FieldKindLine(const ReportTexts &report)
{
    switch (report.fieldKind) {
    case ReportTexts::Mains:
        return Tekst(72);
    case ReportTexts::Alternating:
        return Tekst(73) + report.frequency + QStringLiteral(" Hz");
    default:
        return Tekst(71);
    }
}

bool PrintReport(PrintCanvas &canvas, const ReportTexts &report)
{
    if (!canvas.BeginDoc())
        return false;
    const PageUnits u(canvas);
    canvas.SetFontName(PrintFontName);
    printFirstPageHeader(canvas, u, report);

    int n = FirstPageRow;
    bool pageBreak = false;
    for (const auto &row : report.rows) {
        if (pageBreak) {
            pageBreak = false;
            n = NextPageRow;
            if (!canvas.NewPage()) {
                canvas.AbortDoc();
                return false;
            }
            printNextPageHeader(canvas, u);
        }
        canvas.SetFontSize(12);
        PrintTableRow(canvas, u, n * u.r, row[0],
            {{4 * u.a, row[1]}, {16 * u.a, row[2]}, {26 * u.a, row[3]}});
        if (++n == PageEndRow)
            pageBreak = true;
    }
    return canvas.EndDoc();
}
