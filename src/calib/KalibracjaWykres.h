#pragma once
// Content of the wizard's chart tab "Wykres": the chart kChart1 with the samples, the fitted
// lines and the corrected series of a SampleTable, and the grey side panel with the series'
// check boxes, "Pokaż osie", the equations and the (hidden) spin buttons of the corrected
// line. A notice covers the chart while there is no series to show.
#include "calib/SampleTable.h"

#include <QWidget>
#include <functional>

class ChartView;
class QCheckBox;
class QLabel;
class QToolButton;

// Two small arrow buttons, up and down, without a value of their own.
class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget *parent = nullptr);
    QToolButton *Up = nullptr;
    QToolButton *Down = nullptr;
};

class KalibracjaWykres : public QWidget {
    Q_OBJECT
public:
    // Series indexes of kChart1.
    enum Seria {
        WzorPunkty = 0,
        KalibrowanyPunkty = 1,
        WzorLiniowa = 2,
        KalibrowanyLiniowa = 3,
        PunktyPoprawione = 4,
        LiniowaPoprawiona = 5,
    };

    KalibracjaWykres(SampleTable &table, QWidget *parent = nullptr);

    // Redraw: every series cleared, then filled from the table as its check box says.
    void KreslWykresClick();
    // The equations of the reference line and of the meter's fit on the side panel.
    void kAfterRegresja();
    // Empties every series (no samples to show).
    void ClearSeries();
    // Shows or hides the notice "Brak serii pomiarów!" centred on the chart.
    void ShowNotice(bool show);

    void kWykresCheckBox1Click();
    void kWykresCheckBox2Click();
    void kWykresCheckBox3Click();
    void kWykresCheckBox4Click();
    void kWykresCheckBox5Click();
    void kWykresCheckBox6Click();
    void kWykresCheckBox7Click();
    void kChart1DblClick();
    // "Wzm": WspAPo +/- 0.1; "Offset": WspBPo +/- 1.0; each redraws.
    void CSpinButton1UpClick();
    void CSpinButton1DownClick();
    void CSpinButton2UpClick();
    void CSpinButton2DownClick();

    ChartView *kChart1 = nullptr;
    QLabel *BrakSerii = nullptr;
    QWidget *kWykresPanel = nullptr;
    // Wzorzec, Wzorzec liniowy, Kalibrowany, Kalibrowany liniowy, Po zmianie,
    // Po zmianie liniowy, Pokaż osie.
    QCheckBox *kWykresCheckBox1 = nullptr, *kWykresCheckBox2 = nullptr, *kWykresCheckBox3 = nullptr,
              *kWykresCheckBox4 = nullptr, *kWykresCheckBox5 = nullptr, *kWykresCheckBox6 = nullptr,
              *kWykresCheckBox7 = nullptr;
    // "Rownanie wzorcowe" and its equation (both hidden), "Rownanie badanego" and its
    // equation.
    QLabel *kWykresLabel1 = nullptr, *kWykresLabel2 = nullptr, *kWykresLabel3 = nullptr,
           *kWykresLabel4 = nullptr;
    // The spin buttons of the corrected line and their captions "Wzm" and "Offset", hidden.
    SpinButton *CSpinButton1 = nullptr, *CSpinButton2 = nullptr;
    QLabel *kWykresLabel5 = nullptr, *kWykresLabel6 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Etykieta { None, X, Space, One };
    // Series `series` gets (X, y) of records first ... IloscProbek with their labels.
    void fillSamples(
        int series, int first, double Probka::*y, Etykieta label, const QColor &colour);
    // Line series 2, 3 or 5 from the origin's abscissa to that of sample IndeksMax.
    void fillLine(int series);
    // A series check box: unticked empties its series, ticked fills it with `fill`.
    void toggle(QCheckBox *box, int series, const std::function<void()> &fill);
    void centreNotice();
    void applyLook();

    SampleTable &table_;
};
