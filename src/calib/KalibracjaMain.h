#pragma once
// The calibration wizard window: finds the gain register value of one probe and range by
// comparison with a reference instrument.
#include <QWidget>

class TMainWin;

class TkKalibracja : public QWidget {
    Q_OBJECT
public:
    explicit TkKalibracja(TMainWin *main);

private:
    TMainWin *MainWin;
};
