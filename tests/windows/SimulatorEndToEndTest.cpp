// The Windows program's real windows against nerix-sim, which scripts/test-windows.sh starts
// outside Wine on the ports that Wine names COM1 and COM2 (--ac --drift 0): live readings,
// a recording written and read back, the service panel's send, and the calibration wizard's
// search reaching the simulator's gain.
#include "TestMain.h"
#include "common/SimFiles.h"
#include "common/SimScenarios.h"

#include "core/Jezyki.h"

class SimulatorEndToEndTest : public QObject {
    Q_OBJECT
    SimFiles sim;

private slots:
    void init()
    {
        LanguageName = LanguageEnglish;
        QVERIFY(sim.started());
    }

    void readingsAreRecordedAndReadBack()
    {
        sim.input("field 7.5");
        simscenario::recordStopAndReopen(sim, QStringLiteral("   7.50 mT"), "   7.50", 7.5);
    }

    void theWizardFindsTheMetersGain()
    {
        simscenario::calibrationAgainstTheSimulator(sim, qEnvironmentVariable("NERIX_SIM_N3C"));
    }
};

NERIX_TEST(SimulatorEndToEndTest)
#include "SimulatorEndToEndTest.moc"
