#pragma once
// The user settings dialog: name, company and the service-technician flag.
#include <QDialog>

class TMainWin;

class TUzytkownikWin : public QDialog {
    Q_OBJECT
public:
    explicit TUzytkownikWin(TMainWin *main);

private:
    TMainWin *MainWin;
};
