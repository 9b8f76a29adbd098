#include "print/PrintPage.h"

#include "print/PrintCanvas.h"

#include <cmath>

int RoundHalfEven(double value)
{
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<int>(std::nearbyint(value));
}

PageUnits::PageUnits(const PrintCanvas &canvas)
    : W(canvas.PageWidth())
    , H(canvas.PageHeight())
    , a(W / 40)
    , r(H / 50)
    , c(W / 2)
{
}

void TextRight(PrintCanvas &canvas, int x, int y, const QString &text)
{
    canvas.TextOut(x - canvas.TextWidth(text), y, text);
}

void TextCentred(PrintCanvas &canvas, const PageUnits &u, int y, const QString &text)
{
    canvas.TextOut(u.c - canvas.TextWidth(text) / 2, y, text);
}

void LineAcross(PrintCanvas &canvas, const PageUnits &u, int y)
{
    canvas.MoveTo(u.a, y);
    canvas.LineTo(39 * u.a, y);
}

void PrintPageTop(
    PrintCanvas &canvas, const PageUnits &u, const QString &version, const QString &pageLabel)
{
    canvas.SetFontSize(12);
    canvas.TextOut(u.a, u.r, QStringLiteral("NERIX H"));
    canvas.SetFontSize(8);
    if (!pageLabel.isEmpty())
        TextRight(canvas, 39 * u.a, 2 * u.r, pageLabel);
    canvas.TextOut(u.a, 2 * u.r, version);
    canvas.SetPenWidth(3);
    LineAcross(canvas, u, 2 * u.r);
}

void PrintField(
    PrintCanvas &canvas, const PageUnits &u, int y, const QString &label, const QString &value)
{
    TextRight(canvas, u.c, y, label);
    canvas.TextOut(u.c + u.W / 20, y, value);
}

void PrintTableFrame(PrintCanvas &canvas, const PageUnits &u)
{
    for (const int row : {16, 18, 49})
        LineAcross(canvas, u, row * u.r - 3);
}

int HeadingRow(const PageUnits &u)
{
    return RoundHalfEven(16.5 * u.r);
}

void PrintTableRow(PrintCanvas &canvas, const PageUnits &u, int y, const QString &number,
    std::initializer_list<TableCell> cells)
{
    TextRight(canvas, 3 * u.a, y, number);
    for (const TableCell &cell : cells)
        canvas.TextOut(cell.x, y, cell.text);
}
