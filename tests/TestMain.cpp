// Runs every registered test class. Arguments after the class names are passed to Qt Test;
// "NERIX_TEST_CLASS=Name" in the environment runs one class only.
#include "TestMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace nerixtest {
std::vector<std::pair<const char *, Factory>> &registry()
{
    static std::vector<std::pair<const char *, Factory>> classes;
    return classes;
}

static QString &configHomeStore()
{
    static QString path;
    return path;
}

QString configHome()
{
    return configHomeStore();
}
} // namespace nerixtest

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", nerixtest::defaultPlatform());
    // Tests never touch a real user's settings: the store lives in a temporary folder.
    QTemporaryDir config;
    if (!config.isValid()) {
        std::fprintf(stderr, "cannot create a temporary settings folder\n");
        return 2;
    }
    nerixtest::usePrivateSettings(config.path());
    nerixtest::configHomeStore() = config.path();
    // Nor its data folder (recovery journals): a test's child process is given its parent's.
    QTemporaryDir data;
    const QByteArray parentData = qgetenv("NERIX_TEST_DATA_HOME");
    qputenv("XDG_DATA_HOME", parentData.isEmpty() ? data.path().toLocal8Bit() : parentData);

    // Qt's own file dialogs, which tests answer as widgets, also where the platform has its own.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    const QByteArray only = qgetenv("NERIX_TEST_CLASS");
    // Where Qt Test's own standard output does not reach the console (Windows programs under
    // Wine), each class writes its log into a file that is then copied to standard output.
    QStringList arguments = app.arguments();
    const QString log = config.filePath(QStringLiteral("test-log.txt"));
    const bool viaFile = nerixtest::logThroughFile() && !arguments.contains(QStringLiteral("-o"));
    if (viaFile)
        arguments << QStringLiteral("-o") << log + QStringLiteral(",txt");
    int failed = 0;
    int ran = 0;
    for (const auto &[name, factory] : nerixtest::registry()) {
        if (!only.isEmpty() && only != name)
            continue;
        std::unique_ptr<QObject> test(factory());
        failed += QTest::qExec(test.get(), arguments) != 0 ? 1 : 0;
        ++ran;
        QFile written(log);
        if (viaFile && written.open(QIODevice::ReadOnly)) {
            const QByteArray text = written.readAll();
            std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
            std::fflush(stdout);
        }
    }
    nerixtest::dropPrivateSettings();
    std::printf("Test classes: %d ran, %d failed\n", ran, failed);
    return failed == 0 ? 0 : 1;
}
