#pragma once
// The service panel " Kalibracja ": the meter's calibration parameters and the diagnostics
// of the processing chain, shown over the chart in service mode.
#include "params/ParameterSet.h"

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QToolButton;

class ServicePanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ServicePanel(QWidget *parent);

    // Tab "Sondy": probe gains per range.
    QTableWidget *Sondy = nullptr;
    // Tab "Inne": filter gains and thresholds, serial number.
    QTableWidget *KFILTR = nullptr;
    QLineEdit *NumerSeryjnyMiernika = nullptr;
    // Tab "Diagnostyka": the temperature filter and the largest jump.
    QCheckBox *filtrTemp = nullptr;
    QLineEdit *TauTemp = nullptr;
    QLabel *SSkok = nullptr;
    QPushButton *Button3 = nullptr;
    // Tab "Diagnostyka": sending any value to any cell.
    QLineEdit *DWPole = nullptr, *DWWartosc = nullptr;
    QPushButton *Button4 = nullptr;
    // Buttons of the panel.
    QPushButton *Otworz = nullptr, *Zapisz = nullptr, *Odbierz = nullptr, *BitBtn1 = nullptr;
    QCheckBox *SaveEPROM = nullptr;
    QPushButton *Wyslij = nullptr;
    QToolButton *UkrysSerwis = nullptr;

    // Grid cells are addressed as (column, row); row 0 and column 0 hold the headings.
    static QString Cell(const QTableWidget *grid, int column, int row);
    static void SetCell(QTableWidget *grid, int column, int row, const QString &text);

    // The parameter set as the panel shows it, and filling the panel from one.
    ParameterTexts Texts() const;
    void SetTexts(const ParameterTexts &texts);
    // Empties every parameter field except the temperature filter gain.
    void ClearParameters();

private:
    QTabWidget *Zakladki = nullptr;
    QWidget *TabSondy = nullptr, *TabTemperatura = nullptr, *TabInne = nullptr,
            *TabDiagnostyka = nullptr;
    // Tab "Sondy": the DC component (hidden, but sent and filed).
    QLabel *LabelSondy = nullptr, *LabelStala = nullptr;
    QLineEdit *Stala = nullptr;
    // Tab "Temperatura".
    QLabel *LabelWKor = nullptr, *LabelOKor = nullptr, *LabelOTemp = nullptr, *LabelWtemp = nullptr,
           *LabelWzmocnienieFiltruTemp = nullptr;
    QLineEdit *WKor = nullptr, *OKor = nullptr, *OTemp = nullptr, *Wtemp = nullptr,
              *WzmocnienieFiltruTemp = nullptr;
    // Tab "Inne": phases, probe-type threshold.
    QTableWidget *S_Faza = nullptr;
    QLabel *LabelKFILTR = nullptr, *LabelS_Faza = nullptr, *LabelNumerSeryjny = nullptr,
           *LabelProgRodzajuSondy = nullptr, *LabelProgZakres = nullptr;
    QLineEdit *ProgRodzajuSondy = nullptr;
    // Tab "Diagnostyka".
    QGroupBox *GroupFiltrTemp = nullptr, *GroupSzczegoly = nullptr, *GroupDowolna = nullptr;
    QLabel *LabelTauTemp = nullptr, *LabelDWPole = nullptr, *LabelDWWartosc = nullptr;

    // One field of the parameter set as the panel shows it, and filling it.
    QString Text(ParameterField field) const;
    void SetText(ParameterField field, const QString &text);

    void buildSondy();
    void buildTemperatura();
    void buildInne();
    void buildDiagnostyka();
    void buildButtons();
    QLineEdit *editOf(ParameterField field) const;
};
