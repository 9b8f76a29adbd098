#include "print/CardLayout.h"

#include "print/PrintCanvas.h"
#include "print/PrintPage.h"

#include <algorithm>

namespace {
struct CardRow {
    const char *label;
    ParameterField field;
};

// Rows 1 to 23 of the card's table.
const CardRow ParameterRows[] = {
    {"Współczynnik wzmocnienia sondy AXIAL (DC1)", ParameterField::SondyAxialDc1},
    {"Współczynnik wzmocnienia sondy AXIAL (DC2)", ParameterField::SondyAxialDc2},
    {"Współczynnik wzmocnienia sondy AXIAL (AC1)", ParameterField::SondyAxialAc1},
    {"Współczynnik wzmocnienia sondy AXIAL (AC2)", ParameterField::SondyAxialAc2},
    {"Współczynnik wzmocnienia sondy TRANSVERSE (DC1)", ParameterField::SondyTransDc1},
    {"Współczynnik wzmocnienia sondy TRANSVERSE (DC2)", ParameterField::SondyTransDc2},
    {"Współczynnik wzmocnienia sondy TRANSVERSE (AC1)", ParameterField::SondyTransAc1},
    {"Współczynnik wzmocnienia sondy TRANSVERSE (AC2)", ParameterField::SondyTransAc2},
    {"Próg rodzaju sondy", ParameterField::ProgRodzajuSondy},
    {"Współczynnik termometru", ParameterField::Wtemp},
    {"Offset termometru", ParameterField::OTemp},
    {"Współczynnik korekcji temperaturowej", ParameterField::WKor},
    {"Offset korekcji temperaturowej", ParameterField::OKor},
    {"Stała czasowa filtru (DC1)", ParameterField::FiltrGainDc1},
    {"Stała czasowa filtru (DC2)", ParameterField::FiltrGainDc2},
    {"Stała czasowa filtru (AC1)", ParameterField::FiltrGainAc1},
    {"Stała czasowa filtru (AC2)", ParameterField::FiltrGainAc2},
    {"Dynamika filtru (DC1)", ParameterField::FiltrThresholdDc1},
    {"Dynamika filtru (DC2)", ParameterField::FiltrThresholdDc2},
    {"Dynamika filtru (AC1)", ParameterField::FiltrThresholdAc1},
    {"Dynamika filtru (AC2)", ParameterField::FiltrThresholdAc2},
    {"Faza zakres 1", ParameterField::FazaRange1},
    {"Faza zakres 2", ParameterField::FazaRange2},
};

QString polish(const char *text)
{
    return QString::fromUtf8(text);
}

// Where the value of a label printed at labelX starts: at x, unless the label would come
// closer to it than a space; then one space width after the label's end, so that a label
// wider than its column never runs into its value.
int valueAfter(PrintCanvas &canvas, int labelX, const QString &label, int x)
{
    const int after = labelX + canvas.TextWidth(label) + canvas.TextWidth(QStringLiteral(" "));
    return std::max(x, after);
}

// One row of the table: the number, the label at 4a and the value at x or after the label.
void printLabelled(PrintCanvas &canvas, const PageUnits &u, int k, const QString &label, int x,
    const QString &value)
{
    const int labelX = 4 * u.a;
    PrintTableRow(canvas, u, (18 + k) * u.r, QString::number(k),
        {{labelX, label}, {valueAfter(canvas, labelX, label, x), value}});
}

// A measured value of rows 24 to 26: its label right-aligned to x, the value at x.
void printMeasured(PrintCanvas &canvas, int x, int y, const char *label, const QString &value)
{
    TextRight(canvas, x, y, polish(label));
    canvas.TextOut(x, y, value);
}
} // namespace

bool PrintCard(PrintCanvas &canvas, const CardTexts &card)
{
    if (!canvas.BeginDoc())
        return false;
    const PageUnits u(canvas);
    const int a = u.a;
    const int r = u.r;
    canvas.SetFontName(PrintFontName);
    PrintPageTop(canvas, u, polish("wersja 3.0"), QString());

    canvas.SetFontSize(24);
    TextCentred(canvas, u, 7 * r, polish("KARTA KALIBRACYJNA"));
    canvas.SetFontSize(16);
    TextCentred(canvas, u, 9 * r, polish("miernika typu LT - 46"));
    canvas.SetFontSize(12);
    PrintField(canvas, u, 12 * r, polish("Data wydruku:"), card.date);
    PrintField(canvas, u, 13 * r, polish("Numer seryjny:"),
        card.panel[ParameterField::NumerSeryjnyMiernika]);
    PrintField(canvas, u, 14 * r, polish("Klient:"), card.client);

    PrintTableFrame(canvas, u);
    PrintTableRow(canvas, u, HeadingRow(u), polish("L.p."),
        {{4 * a, polish("Funkcja")}, {26 * a, polish("Wartość")}});

    int k = 1;
    for (const CardRow &row : ParameterRows)
        printLabelled(canvas, u, k++, polish(row.label), 26 * a, card.panel[row.field]);
    int y = (18 + 24) * r;
    printLabelled(canvas, u, 24, polish("R 13="), 6 * a, card.r1);
    printMeasured(canvas, 16 * a, y, "R 49=", card.r2);
    printMeasured(canvas, 26 * a, y, "R 9=", card.r3);
    y = (18 + 25) * r;
    printLabelled(canvas, u, 25, polish("Jdc(AC)="), RoundHalfEven(7.5 * a), card.i1);
    printMeasured(canvas, 16 * a, y, "Jdc(DC)=", card.i2);
    printMeasured(canvas, 26 * a, y, "Jac(DC)=", card.i3);
    y = (18 + 26) * r;
    PrintTableRow(canvas, u, y, QStringLiteral("26"), {{4 * a, polish("Offsety")}});
    printMeasured(canvas, 16 * a, y, "1=", card.o1);
    printMeasured(canvas, 26 * a, y, "2=", card.o2);

    return canvas.EndDoc();
}
