#include "calib/KalibracjaMain.h"

#include "app/MainWin.h"

TkKalibracja::TkKalibracja(TMainWin *main)
    : QWidget(nullptr, Qt::Window)
    , MainWin(main)
{
    setObjectName(QStringLiteral("kKalibracja"));
}

void TkKalibracja::SetTarget(int range, int probeRow, bool linkWasOpen)
{
    Zakres = range;
    WierszSondy = probeRow;
    PrzywrocPolaczenie = linkWasOpen;
}
