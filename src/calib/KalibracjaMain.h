#pragma once
// The calibration wizard window: finds the gain register value of one probe and range by
// comparison with a reference instrument.
#include <QWidget>

class TMainWin;

class TkKalibracja : public QWidget {
    Q_OBJECT
public:
    explicit TkKalibracja(TMainWin *main);

    // The probe-gain cell the wizard calibrates, and whether the main window's link to the
    // meter was open (it is reopened when the wizard closes). Set before the wizard is shown.
    void SetTarget(int range, int probeRow, bool linkWasOpen);

    // Range index: 0 DC1, 1 DC2, 2 AC1, 3 AC2.
    int Zakres = 0;
    // Row of the main window's Sondy grid that receives the result: 1 AXIAL, 2 TRANS.
    int WierszSondy = 1;
    bool PrzywrocPolaczenie = false;

private:
    TMainWin *MainWin;
};
