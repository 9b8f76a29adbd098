// The second line of the message for a port that did not open, where the device alone cannot
// show it: the group to join for a denied device, and the serial component's own text.
#include "TestMain.h"

#include "app/PortOpenFailure.h"

#include <QTest>

class PortOpenFailureTest : public QObject {
    Q_OBJECT
private slots:
    void causeOnTheSecondLine()
    {
        const QString device = QStringLiteral("/dev/ttyUSB0");
        QCOMPARE(PortOpenFailureText(QStringLiteral("COM1"), device, PortOpenError::Denied,
                     QStringLiteral("dialout"), QString()),
            QString::fromUtf8("Nie można podłączyć się do COM1\n"
                              "Brak uprawnień do urządzenia /dev/ttyUSB0. Mają je członkowie "
                              "grupy dialout: dodaj do niej swoje konto (sudo usermod -aG "
                              "dialout $USER) i zaloguj się ponownie."));
        QCOMPARE(PortOpenFailureText(QStringLiteral("COM2"), device, PortOpenError::Other,
                     QStringLiteral("dialout"), QStringLiteral("Unable to open com port")),
            QString::fromUtf8("Nie można podłączyć się do COM2\nUnable to open com port"));
    }
};

NERIX_TEST(PortOpenFailureTest)
#include "PortOpenFailureTest.moc"
