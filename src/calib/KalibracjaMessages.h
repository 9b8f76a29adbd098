#pragma once
// The calibration wizard's fixed texts for its two links.
#include <QString>

inline QString PortBusyMessage(const QString &port)
{
    return QStringLiteral("Uwaga! Na porcie ") + port
        + QString::fromUtf8(" pracuje juz drugie urządzenie!");
}

// The name of a range index: "DC1", "DC2", "AC1", "AC2"; empty for any other index.
inline QString RangeName(int range)
{
    static const char *const names[] = {"DC1", "DC2", "AC1", "AC2"};
    return range >= 0 && range < 4 ? QLatin1String(names[range]) : QString();
}

// The meter reports another range than the one being calibrated.
inline QString WrongRangeMessage(const QString &range)
{
    return QString::fromUtf8("Wybierz prawidlowy zakres kalibrowanego urządzenia! (") + range
        + QStringLiteral(")");
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
