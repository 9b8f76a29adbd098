#include "serial/QtComBridge.h"

#include <QCoreApplication>
#include <QMetaObject>

void QtComBridge::post(std::function<void()> task)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(app, std::move(task), Qt::QueuedConnection);
}
