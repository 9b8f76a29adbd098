#include "app/ServicePanel.h"
#include "app/FittedCaption.h"
#include "core/Named.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

namespace {
constexpr int RowHeight = 20;

QLabel *label(QWidget *parent, const char *name, const char *text, const QRect &geometry)
{
    auto *l = named(new QLabel(QString::fromUtf8(text), parent), name);
    l->setGeometry(geometry);
    return l;
}

QLineEdit *edit(QWidget *parent, const char *name, const QRect &geometry, int maxLength = 0)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setGeometry(geometry);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

// A grid with its headings in row 0 and column 0, drawn like fixed cells, and editable
// cells elsewhere. widths: the width of each column.
QTableWidget *grid(QWidget *parent, const char *name, const QPoint &at,
    std::initializer_list<int> widths, const QStringList &columnHeadings,
    const QStringList &rowHeadings)
{
    const int columns = static_cast<int>(widths.size());
    const int rows = static_cast<int>(rowHeadings.size()) + 1;
    auto *g = named(new QTableWidget(rows, columns, parent), name);
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    int width = 2 * g->frameWidth();
    int column = 0;
    for (const int w : widths) {
        g->setColumnWidth(column++, w);
        width += w;
    }
    for (int r = 0; r < rows; ++r)
        g->setRowHeight(r, RowHeight);
    const QBrush fixed = g->palette().brush(QPalette::Button);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto *item = new QTableWidgetItem;
            if (r == 0 || c == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fixed);
                item->setText(r == 0 ? columnHeadings.value(c) : rowHeadings.value(r - 1));
            }
            g->setItem(r, c, item);
        }
    }
    g->setGeometry(at.x(), at.y(), width, rows * RowHeight + 2 * g->frameWidth());
    return g;
}

const QStringList RangeHeadings {
    QStringLiteral("DC 1"), QStringLiteral("DC 2"), QStringLiteral("AC 1"), QStringLiteral("AC 2")};

// Where a grid field of the parameter set lives: (column, row) of Sondy, KFILTR or S_Faza.
struct GridPlace {
    int grid; // 0 Sondy, 1 KFILTR, 2 S_Faza, -1 not a grid field
    int column;
    int row;
};

GridPlace gridPlace(ParameterField field)
{
    const auto i = static_cast<int>(field);
    const auto first = [](ParameterField f) { return static_cast<int>(f); };
    if (i <= first(ParameterField::SondyTransAc2)) {
        const int k = i - first(ParameterField::SondyAxialDc1);
        return {0, k % 4 + 1, k / 4 + 1};
    }
    if (i >= first(ParameterField::FiltrGainDc1) && i <= first(ParameterField::FiltrThresholdAc2)) {
        const int k = i - first(ParameterField::FiltrGainDc1);
        return {1, k % 4 + 1, k / 4 + 1};
    }
    if (field == ParameterField::FazaRange1 || field == ParameterField::FazaRange2)
        return {2, 1, i - first(ParameterField::FazaRange1) + 1};
    return {-1, 0, 0};
}
} // namespace

ServicePanel::ServicePanel(QWidget *parent)
    : QGroupBox(QStringLiteral(" Kalibracja "), parent)
{
    setObjectName(QStringLiteral("Send"));
    setAutoFillBackground(true);

    Zakladki = named(new QTabWidget(this), "Zakladki");
    Zakladki->setGeometry(6, 16, 392, 195);
    auto page = [&](const char *name, const char *title) {
        auto *w = named(new QWidget, name);
        Zakladki->addTab(w, QString::fromUtf8(title));
        return w;
    };
    TabSondy = page("TabSondy", "Sondy");
    TabTemperatura = page("TabTemperatura", "Temperatura");
    TabInne = page("TabInne", "Inne");
    TabDiagnostyka = page("TabDiagnostyka", "Diagnostyka");
    buildSondy();
    buildTemperatura();
    buildInne();
    buildDiagnostyka();
    buildButtons();
}

void ServicePanel::buildSondy()
{
    Sondy = grid(TabSondy, "Sondy", QPoint(8, 10), {84, 64, 64, 64, 64},
        QStringList {QStringLiteral("Sondy")} + RangeHeadings,
        {QStringLiteral("AXIAL wzm."), QStringLiteral("TRANS wzm.")});
    // A double click hands the cell to the calibration wizard; typing edits it.
    Sondy->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    LabelSondy = label(TabSondy, "LabelSondy", "Wartości (-1;1)", QRect(8, 80, 200, 18));
    LabelSondy->setToolTip(
        QString::fromUtf8("Podwójne kliknięcie komórki uruchamia kalibrację sondy w zakresie"));
    LabelStala
        = label(TabSondy, "LabelStala", "Składowa stała na przetworniku:", QRect(8, 110, 180, 20));
    Stala = edit(TabSondy, "Stala", QRect(190, 108, 80, 22));
    LabelStala->hide();
    Stala->hide();
}

void ServicePanel::buildTemperatura()
{
    int y = 8;
    auto row = [&](QLabel *&caption, QLineEdit *&field, const char *labelName,
                   const char *fieldName, const char *text) {
        caption = label(TabTemperatura, labelName, text, QRect(8, y + 2, 180, 20));
        field = edit(TabTemperatura, fieldName, QRect(186, y, 90, 22));
        y += 28;
    };
    row(LabelWKor, WKor, "LabelWKor", "WKor", "Współczynnik korekcji temp.:");
    row(LabelOKor, OKor, "LabelOKor", "OKor", "Offset korekcji temp.:");
    row(LabelOTemp, OTemp, "LabelOTemp", "OTemp", "Offset termometru:");
    row(LabelWtemp, Wtemp, "LabelWtemp", "Wtemp", "Współczynnik termometru.:");
    row(LabelWzmocnienieFiltruTemp, WzmocnienieFiltruTemp, "LabelWzmocnienieFiltruTemp",
        "WzmocnienieFiltruTemp", "Wzmocnienie filtru temp.:");
    const auto hint = [&](const char *name, const char *text, int at) {
        label(TabTemperatura, name, text, QRect(284, at + 2, 96, 20));
    };
    hint("LabelWKorZakres", "(-1;1)", 8);
    hint("LabelOKorZakres", "[-32768;32767]", 36);
    hint("LabelOTempZakres", "[-32768;32767]", 64);
    hint("LabelWtempZakres", "[-32768;32767]", 92);
    hint("LabelWzmZakres", "(-1;1)", 120);
}

void ServicePanel::buildInne()
{
    KFILTR = grid(TabInne, "KFILTR", QPoint(6, 6), {44, 52, 52, 52, 52},
        QStringList {QStringLiteral("Filtr")} + RangeHeadings,
        {QStringLiteral("Wzm."), QString::fromUtf8("Próg")});
    LabelKFILTR = label(TabInne, "LabelKFILTR", "Wartości Wzm. (-1;1), wartości progu [0;65535]",
        QRect(6, 72, 200, 32));
    LabelKFILTR->setWordWrap(true);

    S_Faza = grid(TabInne, "S_Faza", QPoint(266, 6), {60, 46},
        {QStringLiteral("Zakres"), QStringLiteral("Faza")},
        {QStringLiteral("Zakres 1"), QStringLiteral("Zakres 2")});
    S_Faza->setToolTip(QString::fromUtf8("Wypełnij obydwie wartości."));
    LabelS_Faza = label(TabInne, "LabelS_Faza", "Wartości [0;255]", QRect(268, 72, 110, 18));

    LabelNumerSeryjny
        = label(TabInne, "LabelNumerSeryjny", "Numer seryjny miernika:", QRect(6, 112, 150, 20));
    NumerSeryjnyMiernika = edit(TabInne, "NumerSeryjnyMiernika", QRect(160, 110, 64, 22), 5);
    LabelProgRodzajuSondy
        = label(TabInne, "LabelProgRodzajuSondy", "Próg rodzaju sondy mV:", QRect(6, 140, 150, 20));
    ProgRodzajuSondy = edit(TabInne, "ProgRodzajuSondy", QRect(160, 138, 64, 22), 5);
    LabelProgZakres
        = label(TabInne, "LabelProgZakres", "Wartości [0;1800]", QRect(232, 140, 120, 20));
}

void ServicePanel::buildDiagnostyka()
{
    GroupFiltrTemp = named(
        new QGroupBox(QStringLiteral(" Filtr temperaturowy "), TabDiagnostyka), "GroupFiltrTemp");
    GroupFiltrTemp->setGeometry(8, 8, 180, 76);
    filtrTemp = named(new QCheckBox(QString::fromUtf8("Włączony"), GroupFiltrTemp), "filtrTemp");
    filtrTemp->setGeometry(10, 20, 120, 20);
    LabelTauTemp = named(new QLabel(QStringLiteral("T = "), GroupFiltrTemp), "LabelTauTemp");
    LabelTauTemp->setGeometry(12, 46, 30, 20);
    TauTemp = named(new QLineEdit(GroupFiltrTemp), "TauTemp");
    TauTemp->setGeometry(44, 44, 70, 22);

    GroupSzczegoly
        = named(new QGroupBox(QString::fromUtf8(" Szczegółowa obróka danych "), TabDiagnostyka),
            "GroupSzczegoly");
    GroupSzczegoly->setGeometry(196, 8, 184, 76);
    SSkok = named(new QLabel(QStringLiteral("Maksymalny skok:"), GroupSzczegoly), "SSkok");
    SSkok->setGeometry(10, 22, 166, 20);
    Button3 = named(new QPushButton(QStringLiteral("Kasuj"), GroupSzczegoly), "Button3");
    Button3->setGeometry(10, 46, 70, 24);

    GroupDowolna
        = named(new QGroupBox(QString::fromUtf8("Wysłanie dowolnej wartości"), TabDiagnostyka),
            "GroupDowolna");
    GroupDowolna->setGeometry(8, 90, 372, 56);
    LabelDWPole = label(GroupDowolna, "LabelDWPole", "Pole:", QRect(10, 24, 34, 20));
    DWPole = edit(GroupDowolna, "DWPole", QRect(46, 22, 60, 22));
    LabelDWWartosc = label(GroupDowolna, "LabelDWWartosc", "Wartość:", QRect(124, 24, 54, 20));
    DWWartosc = edit(GroupDowolna, "DWWartosc", QRect(180, 22, 80, 22));
    Button4 = named(new QPushButton(QString::fromUtf8("Wyślij"), GroupDowolna), "Button4");
    Button4->setGeometry(280, 21, 80, 24);
}

void ServicePanel::buildButtons()
{
    constexpr int x = 404;
    constexpr int width = 118;
    auto button = [&](const char *name, const char *text, int y) {
        auto *b = named(new QPushButton(QString::fromUtf8(text), this), name);
        b->setGeometry(x, y, width, 24);
        return b;
    };
    Otworz = button("Otworz", "Otwórz", 24);
    Zapisz = button("Zapisz", "Zapisz", 52);
    Odbierz = button("Odbierz", "Czyść", 80);
    BitBtn1 = button("BitBtn1", "Drukuj", 108);
    SaveEPROM = named(new QCheckBox(QStringLiteral("Zapisz do EEPROM"), this), "SaveEPROM");
    SaveEPROM->setGeometry(x, 136, width + 4, 18);
    fitCaption(SaveEPROM);
    Wyslij = button("Wyslij", "Wyslij", 156);
    Wyslij->setEnabled(false);

    // Same place in the window as the chart's PokazSerwis: the two act as one toggle.
    UkrysSerwis = named(new QToolButton(this), "UkrysSerwis");
    UkrysSerwis->setGeometry(496, 184, 25, 25);
    UkrysSerwis->setArrowType(Qt::DownArrow);
    UkrysSerwis->setToolTip(QString::fromUtf8("Pokaż wykres"));
}

QString ServicePanel::Cell(const QTableWidget *grid, int column, int row)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item != nullptr ? item->text() : QString();
}

void ServicePanel::SetCell(QTableWidget *grid, int column, int row, const QString &text)
{
    QTableWidgetItem *item = grid->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        grid->setItem(row, column, item);
    }
    item->setText(text);
}

QLineEdit *ServicePanel::editOf(ParameterField field) const
{
    switch (field) {
    case ParameterField::Stala:
        return Stala;
    case ParameterField::Wtemp:
        return Wtemp;
    case ParameterField::OTemp:
        return OTemp;
    case ParameterField::WKor:
        return WKor;
    case ParameterField::OKor:
        return OKor;
    case ParameterField::ProgRodzajuSondy:
        return ProgRodzajuSondy;
    case ParameterField::NumerSeryjnyMiernika:
        return NumerSeryjnyMiernika;
    case ParameterField::WzmocnienieFiltruTemp:
        return WzmocnienieFiltruTemp;
    default:
        return nullptr;
    }
}

QString ServicePanel::Text(ParameterField field) const
{
    if (QLineEdit *e = editOf(field))
        return e->text();
    const GridPlace place = gridPlace(field);
    const QTableWidget *grids[] = {Sondy, KFILTR, S_Faza};
    return Cell(grids[place.grid], place.column, place.row);
}

void ServicePanel::SetText(ParameterField field, const QString &text)
{
    if (QLineEdit *e = editOf(field)) {
        e->setText(text);
        return;
    }
    const GridPlace place = gridPlace(field);
    QTableWidget *grids[] = {Sondy, KFILTR, S_Faza};
    SetCell(grids[place.grid], place.column, place.row, text);
}

ParameterTexts ServicePanel::Texts() const
{
    ParameterTexts texts;
    for (std::size_t i = 0; i < ParameterCount; ++i)
        texts.line(i) = Text(static_cast<ParameterField>(i));
    return texts;
}

void ServicePanel::SetTexts(const ParameterTexts &texts)
{
    for (std::size_t i = 0; i < ParameterCount; ++i)
        SetText(static_cast<ParameterField>(i), texts.line(i));
}

void ServicePanel::ClearParameters()
{
    for (std::size_t i = 0; i < ParameterCount; ++i) {
        const auto field = static_cast<ParameterField>(i);
        if (field != ParameterField::WzmocnienieFiltruTemp)
            SetText(field, QString());
    }
}
