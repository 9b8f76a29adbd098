#pragma once
// The service password dialog.
#include <QDialog>

class TMainWin;

class THasloWin : public QDialog {
    Q_OBJECT
public:
    explicit THasloWin(TMainWin *main);

private:
    TMainWin *MainWin;
};
