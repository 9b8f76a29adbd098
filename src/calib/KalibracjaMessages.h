#pragma once
// The calibration wizard's fixed texts for its two links.
#include <QString>

inline QString PortBusyMessage(const QString &port)
{
    return QStringLiteral("Uwaga! Na porcie ") + port
        + QString::fromUtf8(" pracuje juz drugie urządzenie!");
}

inline QString SetSlaveFailedMessage()
{
    return QStringLiteral("Niepowodzenie");
}

inline QString ClassifierMessage()
{
    return QStringLiteral("Classifier powinien byc \"0\"");
}

inline QString WzorStatusText(bool online)
{
    return online ? QStringLiteral("Wzor: Online") : QStringLiteral("Wzor: Offline");
}

inline QString KalibStatusText(bool online)
{
    return online ? QStringLiteral("Kalib: Online") : QStringLiteral("Kalib: Offline");
}
