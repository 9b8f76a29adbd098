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

// The reference gave no valid measure reply while the wizard connected.
inline QString NoReferenceReplyMessage(const QString &port)
{
    return QString::fromUtf8("Brak odpowiedzi przyrządu wzorcowego (") + port
        + QStringLiteral(")");
}

// A step that needs both instruments, asked for while the link of one of them is closed.
inline QString ReferenceClosedMessage(const QString &port)
{
    return QString::fromUtf8("Brak połączenia z przyrządem wzorcowym (") + port
        + QStringLiteral(")");
}

inline QString MeterClosedMessage(const QString &port)
{
    return QString::fromUtf8("Brak połączenia z urządzeniem kalibrowanym (") + port
        + QStringLiteral(")");
}

// The wizard leaves a trial gain in the meter because it does not know the gain the meter had
// before (no initial value written, no number in the panel's cell).
inline QString TrialGainKeptMessage(int gain)
{
    return QString::fromUtf8("Urządzenie kalibrowane zostało z próbnym wzmocnieniem ")
        + QString::number(gain)
        + QString::fromUtf8(": wzmocnienie sprzed kalibracji nie jest znane. Wyślij parametry "
                            "z panelu, zanim zaczniesz mierzyć.");
}
