#include "app/PortOpenFailure.h"

#include "serial/EComPort.h"

QString PortOpenFailureMessage(const QString &port, const std::string &device, const EComPort &why)
{
    const PortOpenError error = ClassifyPortOpenError(why.WinCode());
    return PortOpenFailureText(port, QString::fromStdString(device), error,
        error == PortOpenError::Denied ? DeviceGroup(device) : QString(),
        QString::fromUtf8(why.what()));
}

QString PortOpenFailureText(const QString &port, const QString &device, PortOpenError error,
    const QString &group, const QString &componentText)
{
    QString cause;
    switch (error) {
    case PortOpenError::Missing:
        cause = QString::fromUtf8("Nie znaleziono urządzenia %1.").arg(device);
        break;
    case PortOpenError::Busy:
        cause = QString::fromUtf8("Port jest zajęty przez inny program.");
        break;
    case PortOpenError::Denied:
        cause = QString::fromUtf8("Brak uprawnień do urządzenia %1.").arg(device);
        if (!group.isEmpty())
            cause += QString::fromUtf8(" Mają je członkowie grupy %1: dodaj do niej swoje konto "
                                       "(sudo usermod -aG %1 $USER) i zaloguj się ponownie.")
                         .arg(group);
        break;
    case PortOpenError::Other:
        cause = componentText;
        break;
    }
    QString message = QString::fromUtf8("Nie można podłączyć się do ") + port;
    if (!cause.isEmpty())
        message += QLatin1Char('\n') + cause;
    return message;
}
