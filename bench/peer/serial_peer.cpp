// The yardstick for the program's streaming cost: what a Qt developer would write to show a
// meter's stream, with Qt's own serial port. It reads every readyRead, finds the 7-byte frames
// (0xAA 0x55 and five bytes), and shows the latest in a label, at most 50 times a second.
// Usage: serial_peer DEVICE SECONDS; prints the frames it found and their rate at the end.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSerialPort>
#include <QTimer>
#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: serial_peer DEVICE SECONDS\n");
        return 2;
    }
    QLabel label(QStringLiteral("---"));
    label.setMinimumWidth(200);
    label.show();

    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    port.setBaudRate(QSerialPort::Baud9600);
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "serial_peer: %s\n", qPrintable(port.errorString()));
        return 1;
    }
    QByteArray pending;
    QString latest;
    long frames = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 nextShow = 0; // the label's next turn, every 20 ms
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        pending += port.readAll();
        qsizetype at = 0;
        for (;;) {
            at = pending.indexOf("\xAA\x55", at);
            if (at < 0 || pending.size() - at < 7)
                break;
            latest = QString::fromLatin1(pending.mid(at + 2, 5).toHex(' '));
            ++frames;
            at += 7;
        }
        pending.remove(0, at < 0 ? qMax<qsizetype>(pending.size() - 1, 0) : at);
        const qint64 now = clock.elapsed();
        if (now >= nextShow) {
            label.setText(latest);
            nextShow = std::max(nextShow + 20, now - 20);
        }
    });

    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(std::atoi(argv[2]) * 1000, &app, &QCoreApplication::quit);
    QApplication::exec();
    std::printf("%ld frames in %.1f s = %.1f frames/s\n", frames, wall.elapsed() / 1000.0,
        frames * 1000.0 / double(wall.elapsed()));
    return 0;
}
