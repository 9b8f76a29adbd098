#include "app/Startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/nerix.png")));
    // Desktops find the program's entry, and with it its name and icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("pl.nerix.Nerix"));
    AppWindows windows = createWindows();
    return QApplication::exec();
}
