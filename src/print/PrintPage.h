#pragma once
// What the calibration card and the measurement report share: the page units, the heading
// at the top of a page, the fields under the title, the table's frame and its rows.
//
// The page is cut into units: a = W div 40 across, r = H div 50 down, c = W div 2 the
// centre. Text right-aligned to x ends at x; centred text is centred on c. Texts are printed
// as they stand, however long.
#include <QString>
#include <initializer_list>

class PrintCanvas;

// Every printed word is in this font.
inline const QString PrintFontName = QStringLiteral("Tahoma");

// Rounds to the nearest integer, halves to the even neighbour (16.5 x 133 is 2194).
int RoundHalfEven(double value);

struct PageUnits {
    explicit PageUnits(const PrintCanvas &canvas);
    int W;
    int H;
    int a;
    int r;
    int c;
};

void TextRight(PrintCanvas &canvas, int x, int y, const QString &text);
void TextCentred(PrintCanvas &canvas, const PageUnits &u, int y, const QString &text);
// A line across the table, from a to 39a, in the current pen.
void LineAcross(PrintCanvas &canvas, const PageUnits &u, int y);

// The top of a page: "NERIX H" at (a, r) in 12 points; in 8 points the page label (when
// given) right-aligned to 39a and the version at a, both at 2r; a line under them at 2r with
// the pen 3 pixels wide, which every later line keeps.
void PrintPageTop(
    PrintCanvas &canvas, const PageUnits &u, const QString &version, const QString &pageLabel);

// One field under the title, in the current font: the label right-aligned to c, the value
// at c + W div 20.
void PrintField(
    PrintCanvas &canvas, const PageUnits &u, int y, const QString &label, const QString &value);

// The first page's table frame: lines at 16r - 3, 18r - 3 and 49r - 3. Its headings stand
// at HeadingRow(u) and its rows from 18r on.
void PrintTableFrame(PrintCanvas &canvas, const PageUnits &u);
int HeadingRow(const PageUnits &u);

// One row of a table, in the current font: the first text (the row number or its heading)
// right-aligned to 3a, the others each at its x.
struct TableCell {
    int x;
    QString text;
};
void PrintTableRow(PrintCanvas &canvas, const PageUnits &u, int y, const QString &number,
    std::initializer_list<TableCell> cells);
