#include "core/Messages.h"

#include <QApplication>
#include <QMessageBox>

void ShowMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(
        QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("Message"));
    box.exec();
}
