// Opening a data file through the main window's own handler, as the user does, with the
// file question answered: the time until the handler is done (a message it shows closed at
// once) and how far the process's memory grew meanwhile.
// Usage: open_file PATH
#include "app/MainWin.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {
// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Makes VmHWM start again from the present size.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_file PATH\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]);

    TMainWin win;
    win.Questions.openDataFile = [&] { return path; };
    QStringList messages;
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box != nullptr && box->isVisible()) {
                messages << box->text();
                box->done(QMessageBox::Ok);
            }
        }
    });
    answer.start();

    const long before = statusKb("VmRSS");
    resetPeak();
    QElapsedTimer clock;
    clock.start();
    win.Otwrz1->trigger();
    const qint64 ms = clock.elapsed();
    const long peak = statusKb("VmHWM");

    std::printf("file: %s (%lld bytes)\n", argv[1], QFile(path).size());
    std::printf("open: %lld ms, memory growth: %ld kB (RSS %ld kB before, peak %ld kB)\n", ms,
        peak - before, before, peak);
    std::printf("results: %d\n", win.LiczbaWynikow());
    for (const QString &m : messages)
        std::printf("message: %s\n", qPrintable(m));
    return 0;
}
