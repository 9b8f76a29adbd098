#pragma once
// The about window: the program's picture in the current language, shown at start-up for
// five seconds (or until clicked) and again from Help > About.
#include <QWidget>

class QLabel;
class QTimer;
class TMainWin;

class TAboutWin : public QWidget {
    Q_OBJECT
public:
    explicit TAboutWin(QWidget *parent = nullptr);

    void setMainWin(TMainWin *main) { MainWin = main; }
    // Shows the window again (Help > About) and starts its timer.
    void showAgain();

    QLabel *ImagePol = nullptr;
    QLabel *ImageAng = nullptr;
    QLabel *LabelSerwis = nullptr; // "TRYB SERWISOWY"
    QLabel *LabelNazwa = nullptr; // stored user name
    QLabel *LabelFirma = nullptr; // stored company
    QTimer *Timer1 = nullptr;

public slots:
    void Timer1Timer();

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void FormShow();

    TMainWin *MainWin = nullptr;
    bool FirstShowing = true;
};
