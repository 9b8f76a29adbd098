#pragma once
// The fixed Polish messages of printing.
#include <QString>

inline QString PrintToFileFailedMessage(const QString &file)
{
    return QString::fromUtf8("Błąd. Nie można zapisać wydruku do pliku %1").arg(file);
}

inline QString PrinterFailedMessage(const QString &printer)
{
    return QString::fromUtf8("Błąd. Nie można drukować na drukarce %1").arg(printer);
}

inline QString NoPrinterMessage()
{
    return QString::fromUtf8("Błąd. Nie wybrano drukarki.");
}
