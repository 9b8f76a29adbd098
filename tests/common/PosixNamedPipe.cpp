#include "common/NamedPipe.h"

#include <QFile>
#include <sys/stat.h>

bool makeNamedPipe(const QString &path)
{
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}
