#include "app/Startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    AppWindows windows = createWindows();
    return QApplication::exec();
}
