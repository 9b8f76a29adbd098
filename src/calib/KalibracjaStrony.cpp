// The three pages of "Dane": connecting (0), taking samples (1) and the gain search (2), with
// the handlers of their own controls.
#include "calib/KalibracjaMain.h"

#include "calib/SampleGrid.h"
#include "calib/SampleMessages.h"
#include "calib/SampleTable.h"
#include "core/Messages.h"
#include "core/Named.h"
#include "core/NumberText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>

namespace {
QLabel *textLabel(const char *text)
{
    auto *label = new QLabel(QString::fromUtf8(text));
    label->setWordWrap(true);
    return label;
}

// A row of a page's grid: the caption and the control beside it.
void addRow(QGridLayout *grid, const char *caption, QWidget *field)
{
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
    grid->addWidget(field, row, 1);
}

QLabel *valueLabel(const char *name)
{
    return named(new QLabel(QStringLiteral("0")), name);
}
} // namespace

void TkKalibracja::buildPage0()
{
    kWizardPage0 = named(new QWidget, "kWizardPage0");
    auto *page = new QVBoxLayout(kWizardPage0);
    page->addWidget(textLabel(
        "Rozpoczynamy kalibracje urzadzenia. Upewnij sie czy oba urzadzenia sa poprawnie "
        "podlaczone i parametry transmisji ustawione zgodnie z rzeczywistoscia. Jesli jestes "
        "gotowy kliknij dalej aby połączyc urzadzenia."));
    auto *grid = new QGridLayout;
    Label15 = named(new QLabel, "Label15");
    addRow(grid, "Urządzenie wzorcowe:", Label15);
    Label16 = named(new QLabel, "Label16");
    addRow(grid, "Urządzenie kalibrowane:", Label16);
    Label29 = named(new QLabel, "Label29");
    addRow(grid, "Kalibrowany zakres:", Label29);
    grid->setColumnStretch(1, 1);
    page->addLayout(grid);

    auto *initial = new QHBoxLayout;
    CheckBox3 = named(new QCheckBox(QStringLiteral("Wpisz inicjujaca nastawe")), "CheckBox3");
    SpinEdit2 = named(new QSpinBox, "SpinEdit2");
    SpinEdit2->setRange(0, 32768);
    SpinEdit2->setSingleStep(10);
    SpinEdit2->setValue(20000);
    SpinEdit2->hide();
    initial->addWidget(CheckBox3);
    initial->addWidget(SpinEdit2);
    initial->addStretch(1);
    page->addLayout(initial);
    connect(CheckBox3, &QCheckBox::toggled, this, &TkKalibracja::CheckBox3Click);
}

void TkKalibracja::buildPage1()
{
    kWizardPage1 = named(new QWidget, "kWizardPage1");
    auto *page = new QVBoxLayout(kWizardPage1);
    page->addWidget(textLabel(
        "Oba urzadzenia zostaly poprawnie polaczone i przeszly test komunikacji. Układ jest "
        "gotowy do zbierania próbek. Aby zarejestrować próbke kliknij przycisk rejestruj albo "
        "wyrwij spacje. Aby przeliczyc zebrane dane kliknij dalej."));
    auto *grid = new QGridLayout;
    kWizardWzorLabel = valueLabel("kWizardWzorLabel");
    addRow(grid, "Wartość wzorcowa:", kWizardWzorLabel);
    kWizardKalLabel = valueLabel("kWizardKalLabel");
    addRow(grid, "Wartość kalibrowana:", kWizardKalLabel);
    CheckBox2 = named(new QCheckBox(QStringLiteral("Zmien znak")), "CheckBox2");
    grid->addWidget(CheckBox2, grid->rowCount() - 1, 2);
    kWizardIloscProbekLabel = valueLabel("kWizardIloscProbekLabel");
    addRow(grid, "Ilość próbek:", kWizardIloscProbekLabel);
    grid->setColumnStretch(1, 1);
    page->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    kWizardReset = named(new QPushButton(QStringLiteral("Reset")), "kWizardReset");
    kWizardRejestruj = named(new QPushButton(QStringLiteral("Rejestruj")), "kWizardRejestruj");
    buttons->addWidget(kWizardReset);
    buttons->addWidget(kWizardRejestruj);
    buttons->addStretch(1);
    page->addLayout(buttons);
    connect(kWizardReset, &QPushButton::clicked, this, &TkKalibracja::kWizardResetClick);
    connect(kWizardRejestruj, &QPushButton::clicked, this, &TkKalibracja::kWizardRejestrujClick);
}

void TkKalibracja::buildPage2()
{
    kWizardPage2 = named(new QWidget, "kWizardPage2");
    auto *page = new QVBoxLayout(kWizardPage2);
    auto *title = new QLabel(QStringLiteral("Kalibracja"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    page->addWidget(title);

    auto *grid = new QGridLayout;
    Label25 = named(new QLabel(QStringLiteral("Wzmocnienie: ")), "Label25");
    Label32 = valueLabel("Label32");
    grid->addWidget(Label25, 0, 0);
    grid->addWidget(Label32, 0, 1);
    Label34 = valueLabel("Label34");
    addRow(grid, "Wykonanych kroków", Label34);
    Label36 = valueLabel("Label36");
    addRow(grid, "Aktualny odczyt kalib.:", Label36);
    Label35 = valueLabel("Label35");
    addRow(grid, "Ma być: ", Label35);
    auto *valueCaption = new QLabel(QStringLiteral("Wartosc: "));
    Label33 = valueLabel("Label33");
    grid->addWidget(valueCaption, grid->rowCount(), 0);
    grid->addWidget(Label33, grid->rowCount() - 1, 1);
    valueCaption->hide();
    Label33->hide();
    grid->setColumnStretch(1, 1);
    page->addLayout(grid);

    kDebug = named(new QGroupBox(QStringLiteral("Debug")), "kDebug");
    auto *debug = new QHBoxLayout(kDebug);
    SpinEdit1 = named(new QSpinBox, "SpinEdit1");
    SpinEdit1->setRange(INT_MIN, INT_MAX);
    SpinEdit1->setSingleStep(100);
    SpinEdit1->setValue(10000);
    Button9 = named(new QPushButton(QStringLiteral("Wyslij")), "Button9");
    debug->addWidget(SpinEdit1);
    debug->addWidget(Button9);
    page->addWidget(kDebug);
    kDebug->hide();
    connect(Button9, &QPushButton::clicked, this, &TkKalibracja::Button9Click);
}

void TkKalibracja::CheckBox3Click()
{
    SpinEdit2->setVisible(CheckBox3->isChecked());
}

void TkKalibracja::kWizardRejestrujClick()
{
    if (Probki->IloscProbek() >= SampleTable::kCapacity) {
        ShowMessage(this, SampleTableFullMessage());
        return;
    }
    // Values of a link that is closed are frozen, and frames of another range are not of the
    // range being calibrated.
    if (!LinksUsable())
        return;
    Probki->Register(WartoscWzorcowa, WartoscKalibrowana);
    const int n = Probki->IloscProbek();
    const Probka &sample = Probki->Probki(n);
    kWizardKalLabel->setText(FormatGeneral(sample.Ucal, 4));
    kWizardWzorLabel->setText(FormatGeneral(sample.Uwz, 5));
    kWizardIloscProbekLabel->setText(QString::number(n));
    SG1->WyswietlTablice();
}

void TkKalibracja::kWizardResetClick()
{
    Probki->Reset();
    for (QLabel *label : {kWizardWzorLabel, kWizardKalLabel, kWizardIloscProbekLabel})
        label->setText(QStringLiteral("0"));
    SG1->ClearRows();
}
