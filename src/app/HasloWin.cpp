#include "app/HasloWin.h"

#include "app/MainWin.h"

THasloWin::THasloWin(TMainWin *main)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
    , MainWin(main)
{
    setObjectName(QStringLiteral("HasloWin"));
    setFixedSize(223, 156);
}
