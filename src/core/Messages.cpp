#include "core/Messages.h"
#include "core/Named.h"

#include <QApplication>
#include <QMessageBox>

void ShowMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(
        QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
    named(&box, "Message");
    box.exec();
}

QString LinkLostMessage(const QString &port, const char *why)
{
    return QString::fromUtf8("Utracono połączenie z urządzeniem na porcie ") + port
        + QStringLiteral(".\n") + QString::fromUtf8(why);
}

QString FileReadFailedMessage()
{
    return QString::fromUtf8("Błąd. Nie można odczytac pliku.");
}

QString FileWriteFailedMessage()
{
    return QString::fromUtf8("Błąd. Nie można zapisać do pliku.");
}
