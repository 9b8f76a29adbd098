#pragma once
#include <QObject>

// Gives a control the name the system knows it by (tests find controls by it).
template <typename T> T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}
