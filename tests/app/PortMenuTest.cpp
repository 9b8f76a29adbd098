// The port menu below COM1 and COM2: every other port the lister finds, made afresh each time
// the menu opens, one item checked, the port chosen kept for the next run.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/RememberedReset.h"

#include "app/MainWin.h"
#include "app/PortMenuEntries.h"
#include "core/Remembered.h"
#include "serial/CPort.h"
#include "serial/EComPort.h"
#include "serial/RememberedPort.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using Entries = std::vector<PortMenuEntry>;
using Ports = std::vector<ComPortInfo>;
Q_DECLARE_METATYPE(Entries)
Q_DECLARE_METATYPE(Ports)

namespace {
const Ports Found {{"COM1", {}}, {"COM23", "Prolific USB-to-Serial Comm Port"}, {"COM2", {}},
    {"COM5", "USB Serial Port"}, {"COM3", {}}};
} // namespace

class PortMenuTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { forgetRememberedPorts(); }

    void entriesBelowCom1AndCom2_data()
    {
        QTest::addColumn<Ports>("found");
        QTest::addColumn<QString>("inUse");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<Entries>("entries");
        const Entries all {{"COM3", "COM3"}, {"COM5", "COM5 (USB Serial Port)"},
            {"COM23", "COM23 (Prolific USB-to-Serial Comm Port)"}};
        QTest::newRow("in number order") << Found << "COM1" << false << all;
        QTest::newRow("none") << Ports {{"COM1", {}}} << "COM1" << false << Entries {};
        QTest::newRow("the port in use stays while connected") << Ports {
            {"COM23", {}}} << "COM7" << true << Entries {{"COM7", "COM7"}, {"COM23", "COM23"}};
        QTest::newRow("and goes when disconnected")
            << Ports {{"COM23", {}}} << "COM7" << false << Entries {{"COM23", "COM23"}};
    }
    void entriesBelowCom1AndCom2()
    {
        QFETCH(Ports, found);
        QFETCH(QString, inUse);
        QFETCH(bool, connected);
        QFETCH(Entries, entries);
        QCOMPARE(otherPortEntries(found, inUse.toStdString(), connected), entries);
    }

    void theMenuFollowsTheMachinesPorts()
    {
        TMainWin main;
        Ports found = Found;
        main.PortLister = [&found] { return found; };
        const auto opened = [&] {
            emit main.Trans->aboutToShow();
            QStringList texts;
            for (QAction *item : main.Trans->actions())
                texts << (item->isSeparator() ? (item->isVisible() ? "-" : "") : item->text());
            texts.removeAll(QString());
            return texts;
        };
        QCOMPARE(opened(),
            QStringList({"COM1", "COM2", "-", "COM3", "COM5 (USB Serial Port)",
                "COM23 (Prolific USB-to-Serial Comm Port)"}));

        control<QAction>(main.Trans, "PortCOM5")->trigger();
        QCOMPARE(main.ComPort1->Port(), std::string("COM5"));
        QCOMPARE(Remembered::value(Remembered::MainPort), QStringLiteral("COM5"));
        const auto checked = [&] {
            QStringList names;
            for (QAction *item : main.Trans->actions())
                if (item->isChecked())
                    names << item->objectName();
            return names;
        };
        QCOMPARE(checked(), QStringList {"PortCOM5"});

        // An adapter unplugged and another plugged in while the menu was closed.
        found = {{"COM1", {}}, {"COM2", {}}, {"COM7", "USB Serial Device"}};
        QCOMPARE(opened(), QStringList({"COM1", "COM2", "-", "COM7 (USB Serial Device)"}));
        QCOMPARE(checked(), QStringList {});
        control<QAction>(main.Trans, "COM11")->trigger();
        QCOMPARE(main.ComPort1->Port(), std::string("COM1"));
        QCOMPARE(checked(), QStringList {"COM11"});

        found = {};
        QCOMPARE(opened(), QStringList({"COM1", "COM2"}));
        main.PortLister = []() -> Ports { throw EComPort(EComPort::EnumPortsError, 5); };
        QCOMPARE(opened(), QStringList({"COM1", "COM2"}));
    }

    // The kept port when the machine has it, else the default.
    void aKeptPortIsChosenAgainWhenItIsThere_data()
    {
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("there") << "COM5" << true << "COM5";
        QTest::newRow("not there") << "COM5" << false << "COM1";
        QTest::newRow("nothing kept") << "" << true << "COM1";
        QTest::newRow("no list") << "COM5" << true << "COM1";
    }
    void aKeptPortIsChosenAgainWhenItIsThere()
    {
        QFETCH(QString, kept);
        QFETCH(bool, listed);
        QFETCH(QString, chosen);
        if (!kept.isEmpty())
            Remembered::keep(Remembered::MainPort, kept);
        const bool fails = QTest::currentDataTag() == QLatin1String("no list");
        const auto present = [&]() -> std::vector<std::string> {
            if (fails)
                throw EComPort(EComPort::EnumPortsError, 5);
            return listed ? std::vector<std::string> {"COM1", "COM5"}
                          : std::vector<std::string> {"COM1"};
        };
        QCOMPARE(
            QString::fromStdString(rememberedPort(Remembered::MainPort, "COM1", present)), chosen);
    }
};

NERIX_TEST(PortMenuTest)
#include "PortMenuTest.moc"
