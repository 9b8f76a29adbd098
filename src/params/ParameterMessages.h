#pragma once
// The fixed Polish messages of the parameter commands and parameter files.
#include <QString>

inline QString CannotSendMessage(const QString &text, int address)
{
    return QString::fromUtf8("Nie można wysłać tekstu ") + text + QStringLiteral(" do adresu ")
        + QString::number(address);
}

inline QString CommandFailedMessage()
{
    return QString::fromUtf8("Wysłać polecenia");
}

inline QString CorrectionCoefficientMessage()
{
    return QString::fromUtf8("Niepoprawnie wprowadzona wartość współczynnika korekcji temp.");
}

inline QString FilterFormatMessage(const QString &text)
{
    return QString::fromUtf8("Nieprawidłowy format danych filtru :") + text;
}

inline QString ProbeThresholdRangeMessage()
{
    return QString::fromUtf8("Niedozwolona wartość komórki: próg rodzaju sondy!");
}

// A probe-type threshold that is not a number: the send stops there.
inline QString ProbeThresholdNotANumberMessage(const QString &text)
{
    return QString::fromUtf8("\"") + text
        + QString::fromUtf8("\" nie jest poprawną liczbą całkowitą (próg rodzaju sondy). "
                            "Wysyłanie przerwane.");
}

inline QString BadDataMessage()
{
    return QString::fromUtf8("Błędne dane!");
}

inline QString ParameterFileWriteMessage()
{
    return QString::fromUtf8("Uwaga! Nastąpił jakiś (?) błąd w połączeniu.");
}

inline QString ParameterFileReadMessage()
{
    return QString::fromUtf8("Błąd odczytu pliku!");
}

// A send to the meter stopped by a failure of its port.
inline QString SendStoppedMessage(const char *why)
{
    return QString::fromUtf8("Wysyłanie przerwane: ") + QString::fromUtf8(why);
}
