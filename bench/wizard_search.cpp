// How long the calibration wizard's gain search keeps the window from running its events: the
// longest gap between the beats of a 2 ms timer while the search runs against nerix-sim, and
// how often the page's live reading was painted meanwhile.
// Usage: wizard_search PATH_TO_NERIX_SIM   (offscreen, or under xvfb-run to paint for real)
// The simulated meter (DC1) starts with its gain at 12000; two samples at 10 and 2 mT give the
// target, and the search runs from page 2 as the user's Start would.
#include "calib/KalibracjaMain.h"
#include "serial/CPort.h"

#include "BenchSim.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Runs the window's events until the condition holds or 5 s have passed.
bool waitFor(const std::function<bool()> &condition)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: wizard_search PATH_TO_NERIX_SIM\n");
        return 2;
    }
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);

    QProcess sim;
    if (!StartBenchSim(sim, argv[1],
            {QStringLiteral("--drift"), QStringLiteral("0"), QStringLiteral("--field"),
                QStringLiteral("10")}))
        return 1;

    TkKalibracja wizard(nullptr);
    wizard.Zakres = 0;
    wizard.show();
    wizard.findChild<QCheckBox *>(QStringLiteral("CheckBox3"))->setChecked(true);
    wizard.findChild<QSpinBox *>(QStringLiteral("SpinEdit2"))->setValue(12000);
    wizard.findChild<QPushButton *>(QStringLiteral("kDalej"))->click();
    if (!wizard.kComKalib->Connected() || !wizard.kComWzor->Connected()) {
        std::fprintf(stderr, "the wizard's links did not open\n");
        return 1;
    }
    for (const double field : {10.0, 2.0}) {
        sim.write("field " + QByteArray::number(field) + '\n');
        if (!waitFor([&] {
                return std::abs(wizard.WartoscKalibrowana - 12 * field) < 1e-6
                    && std::abs(wizard.WartoscWzorcowa - 10 * field) < 1e-6;
            })) {
            std::fprintf(stderr, "no reading at %g mT\n", field);
            return 1;
        }
        wizard.findChild<QPushButton *>(QStringLiteral("kWizardRejestruj"))->click();
    }
    wizard.findChild<QPushButton *>(QStringLiteral("kDalej"))->click();

    PaintCounter counter;
    wizard.findChild<QLabel *>(QStringLiteral("Label36"))->installEventFilter(&counter);
    std::vector<qint64> gaps;
    QElapsedTimer clock;
    qint64 last = 0;
    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    beat.setInterval(2);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        gaps.push_back(now - last);
        last = now;
    });
    clock.start();
    beat.start();
    wizard.findChild<QPushButton *>(QStringLiteral("kStart"))->click();
    const qint64 took = clock.elapsed();
    beat.stop();
    gaps.push_back(took - last);

    std::sort(gaps.rbegin(), gaps.rend());
    std::printf("search: %s steps in %lld ms, gain %d; longest blocks %lld, %lld, %lld ms; "
                "live reading painted %d times\n",
        qPrintable(wizard.findChild<QLabel *>(QStringLiteral("Label34"))->text()),
        static_cast<long long>(took), wizard.WynikWzmocnienia, static_cast<long long>(gaps.at(0)),
        static_cast<long long>(gaps.at(1)), static_cast<long long>(gaps.at(2)), counter.paints);
    wizard.close();
    sim.terminate();
    sim.waitForFinished(3000);
    return 0;
}
