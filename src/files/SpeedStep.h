#pragma once
// The recording interval dialog: "Save every N-th result", N from 1 to 500.
#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

class TSpeedStepWin : public QDialog {
    Q_OBJECT
public:
    explicit TSpeedStepWin(QWidget *parent = nullptr);

    // The interval chosen with "OK"; 0 when the dialog was closed otherwise.
    int Krok() const { return krok_; }

    QLabel *Label1 = nullptr; // "Zapisz co "
    QSpinBox *SpinEdit1 = nullptr;
    QLabel *Label2 = nullptr; // " wynik"
    QPushButton *OK = nullptr;

public slots:
    void OKClick();

private:
    int krok_ = 0;
};

// Shows the dialog modally; returns the chosen interval, or 0 when it was closed without "OK"
// (the recording then does not start).
int AskRecordingStep(QWidget *parent);
