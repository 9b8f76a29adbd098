#pragma once
// nerix-sim started outside the test program, as the Windows test run does it
// (scripts/test-windows.sh): the Linux simulator on pseudo-terminals that Wine's port map
// names COM1 and COM2, its standard input a named pipe, its standard output and cells file
// plain files. Their paths come from NERIX_SIM_INPUT, NERIX_SIM_OUTPUT and NERIX_SIM_CELLS. It
// offers what the scenarios use of SimProcess.
#include <QDeadlineTimer>
#include <QFile>
#include <QTest>

class SimFiles {
public:
    SimFiles()
        : input_(qEnvironmentVariable("NERIX_SIM_INPUT"))
        , output_(qEnvironmentVariable("NERIX_SIM_OUTPUT"))
        , cells_(qEnvironmentVariable("NERIX_SIM_CELLS"))
    {
        if (input_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
            && output_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            output_.seek(output_.size()); // what it printed before belongs to earlier tests
    }

    bool started() const { return input_.isOpen() && output_.isOpen(); }
    void input(const QByteArray &line) { input_.write(line + '\n'); }

    QString nextLine(int ms = 5000)
    {
        QDeadlineTimer deadline(ms);
        for (;;) {
            pending_ += output_.readAll(); // what was appended since
            const qsizetype end = pending_.indexOf('\n');
            if (end >= 0) {
                const QByteArray line = pending_.left(end);
                pending_.remove(0, end + 1);
                return QString::fromLatin1(line).trimmed();
            }
            if (deadline.hasExpired())
                return {};
            QTest::qWait(10);
        }
    }

    bool cellsFileHas(const QString &line, int ms = 5000)
    {
        return QTest::qWaitFor(
            [&] {
                QFile file(cells_.fileName());
                return file.open(QIODevice::ReadOnly)
                    && QString::fromLatin1(file.readAll()).split(QLatin1Char('\n')).contains(line);
            },
            ms);
    }

private:
    QFile input_;
    QFile output_;
    QFile cells_;
    QByteArray pending_;
};
