#pragma once
// The tests read and drive the windows through their controls, found by the objectName every
// named control carries: control<QPushButton>(main, "S_Polacz")->click(). A name that finds no
// control of that type fails the test function with the name in the message.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QtGlobal>
#include <stdexcept>

class MissingControl : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <class T>
T *control(const QObject *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (found == nullptr) {
        const QByteArray what = QByteArray("no control ") + name + " in "
            + window->objectName().toLatin1();
        qCritical("%s", what.constData());
        throw MissingControl(what.toStdString());
    }
    return found;
}
