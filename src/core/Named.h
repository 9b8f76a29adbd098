#pragma once
#include <QObject>

// Gives a control the name the system knows it by (tests find controls by it), where the
// control is created. A window names itself with setObjectName in its own constructor, and a
// name put together at run time, or one that is not a const char *, is set directly too.
template <typename T> T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}
