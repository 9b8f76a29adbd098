#include "calib/KalibracjaMain.h"

#include "app/MainWin.h"

TkKalibracja::TkKalibracja(TMainWin *main)
    : QWidget(nullptr, Qt::Window)
    , MainWin(main)
{
    setObjectName(QStringLiteral("kKalibracja"));
}
