#include "app/UzytkownikWin.h"

#include "app/MainWin.h"

TUzytkownikWin::TUzytkownikWin(TMainWin *main)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
    , MainWin(main)
{
    setObjectName(QStringLiteral("UzytkownikWin"));
    setFixedSize(395, 121);
    setWindowTitle(QString::fromUtf8("Użytkownik"));
}
