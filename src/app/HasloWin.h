#pragma once
// The service password dialog: the right password puts the main window into service mode.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TMainWin;

class THasloWin : public QDialog {
    Q_OBJECT
public:
    explicit THasloWin(TMainWin *main);

    // Typed letters are shown and compared in upper case, at most 12, each shown as "*".
    QLineEdit *TekstHaslo = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *OK = nullptr, *Anuluj = nullptr;

public slots:
    void OKClick();
    void AnulujClick();
    void TekstHasloKeyDown();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void FormPaint();

    TMainWin *MainWin;
};
