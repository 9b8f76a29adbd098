// Recording from the simulated meter through the program's handlers and its interval
// dialog, then opening the file again: the series comes back onto the chart.
#include "TestMain.h"
#include "common/SimProcess.h"
#include "common/SimScenarios.h"

#include "core/Jezyki.h"

class PosixRecordingEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    void recordStopAndReopen()
    {
        SimProcess sim(
            {QStringLiteral("--field"), QStringLiteral("-7.5"), QStringLiteral("--drift"),
                QStringLiteral("0"), QStringLiteral("--rate"), QStringLiteral("50")});
        QVERIFY(sim.started());
        simscenario::recordStopAndReopen(sim, QStringLiteral("  - 7.50 mT"), "  - 7.50", -7.5);
    }
};

NERIX_TEST(PosixRecordingEndToEndTest)
#include "PosixRecordingEndToEndTest.moc"
