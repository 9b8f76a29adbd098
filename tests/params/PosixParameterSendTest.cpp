// The service panel's commands as bytes on the wire, read on the meter's side of a
// pseudo-terminal mapped as COM1: single cells, refusals and their messages, a whole send
// with its order, pauses and EEPROM store, and the hand-over of a cell to the wizard.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/MessageCatcher.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"

#include "app/AboutWin.h"
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "app/Startup.h"
#include "calib/KalibracjaMain.h"
#include "serial/CPort.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <thread>
#include <vector>

namespace {
QByteArray frame(char letter, int address, int value)
{
    const auto v = static_cast<std::uint16_t>(value);
    return QByteArray {"\xAA\x55"} + letter + char(address) + char(v & 0xFF) + char(v >> 8);
}

QByteArray cell(int address, int value)
{
    return frame('C', address, value);
}

// The program in service mode, connected to the test's end of a pseudo-terminal.
struct Connected {
    PtyPair pty;
    AppWindows windows;
    TMainWin *main = nullptr;
    ServicePanel *panel = nullptr;

    Connected()
    {
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        windows = createWindows();
        main = windows.MainWin.get();
        panel = control<ServicePanel>(main, "Send");
        windows.AboutWin->Timer1Timer();
        main->WlaczSerwis();
        control<QPushButton>(main, "S_Polacz")->click();
    }
    bool ready() const { return pty.isValid() && main->ComPort1->Connected(); }
    QByteArray wire(int bytes) { return pty.receive(bytes, 3000); }
    // Nothing more arrives within a short deadline.
    bool quiet() { return pty.receive(1, 300).isEmpty(); }
};

// Frames as they arrive on the wire, each with the time it came, read on a thread of its
// own while the window's thread is blocked in a send.
class FrameRecorder {
public:
    FrameRecorder(PtyPair &pty, int frames)
    {
        clock_.start();
        thread_ = std::thread([this, &pty, frames] {
            for (int i = 0; i < frames; ++i) {
                const QByteArray got = pty.receive(6, 15000);
                if (got.size() != 6)
                    return;
                frames_.push_back(got);
                times_.push_back(clock_.elapsed());
            }
        });
    }
    ~FrameRecorder() { join(); }
    void join()
    {
        if (thread_.joinable())
            thread_.join();
    }
    const std::vector<QByteArray> &frames() const { return frames_; }
    const std::vector<qint64> &times() const { return times_; }

private:
    QElapsedTimer clock_;
    std::thread thread_;
    std::vector<QByteArray> frames_;
    std::vector<qint64> times_;
};
} // namespace

class PosixParameterSendTest : public QObject {
    Q_OBJECT

private slots:
    void anyValueToAnyCell()
    {
        Connected c;
        auto *address = control<QLineEdit>(c.main, "DWPole");
        auto *value = control<QLineEdit>(c.main, "DWWartosc");
        auto *sendValue = control<QPushButton>(c.main, "Button4");
        QVERIFY(c.ready());
        MessageCatcher messages;
        address->setText(QStringLiteral("10"));
        value->setText(QStringLiteral("1234"));
        sendValue->click();
        QCOMPARE(c.wire(6).toHex(' '), QByteArray("aa 55 43 0a d2 04"));
        // Only the low 8 bits of the address count; values keep their low 16 bits.
        address->setText(QStringLiteral("266"));
        value->setText(QStringLiteral("-1"));
        sendValue->click();
        QCOMPARE(c.wire(6), cell(10, 0xFFFF));

        address->setText(QString());
        sendValue->click();
        address->setText(QStringLiteral("10"));
        value->setText(QStringLiteral("abc"));
        sendValue->click();
        value->setText(QString());
        sendValue->click();
        QVERIFY(c.quiet());
        QCOMPARE(messages.texts(),
            QStringList({QString::fromUtf8("Błędne dane!"),
                QString::fromUtf8("Nie można wysłać tekstu abc do adresu 10")}));
    }

    void singleCellConversions()
    {
        Connected c;
        QVERIFY(c.ready());
        MessageCatcher messages;
        c.main->Sender().SendFilterGain(QStringLiteral("0,5"), 32);
        QCOMPARE(c.wire(6), cell(32, 19875));
        c.main->Sender().SendGain(QStringLiteral("-0,5"), 4);
        QCOMPARE(c.wire(6), cell(4, -16384));
        QVERIFY(c.main->Sender().SendProbeThreshold(QStringLiteral("1800"), 18));
        QCOMPARE(c.wire(6).toHex(' '), QByteArray("aa 55 43 12 1f fd"));
        QVERIFY(c.main->Sender().SendProbeThreshold(QStringLiteral("0"), 18));
        QCOMPARE(c.wire(6), cell(18, 0));
        c.main->Sender().SendPhasePair(QStringLiteral("1"), QStringLiteral("258"), 55);
        QCOMPARE(c.wire(6), cell(55, 0x0201));

        // Refused: nothing goes out, each with its message (or none).
        c.main->Sender().SendFilterGain(QStringLiteral("1"), 32);
        c.main->Sender().SendFilterGain(QStringLiteral("-1"), 32);
        QVERIFY(c.main->Sender().SendProbeThreshold(QStringLiteral("1801"), 18));
        c.main->Sender().SendGain(QStringLiteral("abc,5"), 0);
        c.main->Sender().SendGain(QStringLiteral("6e303"), 0);
        c.main->Sender().SendPhasePair(QStringLiteral("7"), QString(), 55);
        c.main->Sender().SendPhasePair(QString(), QStringLiteral("7"), 55);
        c.main->Sender().SendPhasePair(QStringLiteral("7"), QStringLiteral("x"), 55);
        for (const QString &empty : {QString()}) {
            c.main->Sender().SendValue(empty, 10);
            c.main->Sender().SendGain(empty, 0);
            c.main->Sender().SendFilterGain(empty, 32);
            QVERIFY(c.main->Sender().SendProbeThreshold(empty, 18));
        }
        QVERIFY(c.quiet());
        QCOMPARE(messages.texts(),
            QStringList({QString::fromUtf8("Nieprawidłowy format danych filtru :1"),
                QString::fromUtf8("Nieprawidłowy format danych filtru :-1"),
                QString::fromUtf8("Niedozwolona wartość komórki: próg rodzaju sondy!"),
                QString::fromUtf8("Nie można wysłać tekstu abc.5 do adresu 0"),
                QString::fromUtf8("Nie można wysłać tekstu 6e303 do adresu 0")}));
    }

    void sendGoesOnAfterARefusedCell()
    {
        Connected c;
        auto *status = control<QLabel>(c.main, "StatusPanel1");
        auto *wKor = control<QLineEdit>(c.main, "WKor");
        auto *filterGain = control<QLineEdit>(c.main, "WzmocnienieFiltruTemp");
        auto *oKor = control<QLineEdit>(c.main, "OKor");
        auto *address = control<QLineEdit>(c.main, "DWPole");
        auto *wyslij = control<QPushButton>(c.main, "Wyslij");
        QVERIFY(c.ready());
        // What the window shows while a message of the send is up.
        QStringList seen;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (box == nullptr || !box->isVisible())
                    continue;
                const QCursor *cursor = QApplication::overrideCursor();
                seen << box->text() << status->text()
                     << QString::number(cursor != nullptr ? cursor->shape() : -1);
                box->done(QMessageBox::Ok);
            }
        });
        watcher.start(10);

        wKor->setText(QStringLiteral("1"));
        filterGain->setText(QStringLiteral("0"));
        oKor->setText(QStringLiteral("-2"));
        // A key typed while the send runs must not reach the window afterwards.
        QCoreApplication::postEvent(
            address, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, {}, QStringLiteral("a")));
        status->setText(QStringLiteral("before"));
        wyslij->click();
        QCoreApplication::processEvents();
        QCOMPARE(c.wire(18), cell(6, -2) + cell(44, 0) + cell(46, 1000));
        QVERIFY(c.quiet());
        QCOMPARE(seen,
            QStringList({QString::fromUtf8(
                             "Niepoprawnie wprowadzona wartość współczynnika korekcji temp."),
                QString::fromUtf8("Wysyłanie komórki 12 z 24"), QString::number(Qt::WaitCursor)}));
        QVERIFY(address->text().isEmpty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(status->text(), QStringLiteral("before"));

        // 0,5 * 32767 lies halfway and goes to the even neighbour.
        wKor->setText(QStringLiteral("0,5"));
        filterGain->clear();
        oKor->clear();
        wyslij->click();
        QCOMPARE(c.wire(12), cell(2, 16384) + cell(46, 1000));
    }

    void meterUnpluggedDuringTheSendStopsItWithOneMessage()
    {
        Connected c;
        auto *wyslij = control<QPushButton>(c.main, "Wyslij");
        QVERIFY(c.ready());
        MessageCatcher messages;
        for (const char *name : {"Stala", "Wtemp", "OTemp", "OKor"})
            control<QLineEdit>(c.main, name)->setText(QStringLiteral("1"));
        control<QCheckBox>(c.main, "SaveEPROM")->setChecked(true);
        // The meter takes two cells, then its cable is pulled.
        std::thread meter([&] {
            c.pty.receive(12);
            c.pty.closeMaster();
        });
        wyslij->click();
        meter.join();
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(messages.texts().constFirst().startsWith(
            QString::fromUtf8("Utracono połączenie z urządzeniem na porcie COM1")));
        QVERIFY(!c.main->ComPort1->Connected());
        QVERIFY(!wyslij->isEnabled());
    }

    void thresholdThatIsNoNumberEndsTheSend()
    {
        Connected c;
        QVERIFY(c.ready());
        MessageCatcher messages;
        control<QLineEdit>(c.main, "Stala")->setText(QStringLiteral("5"));
        control<QLineEdit>(c.main, "WKor")->setText(QStringLiteral("0"));
        control<QLineEdit>(c.main, "ProgRodzajuSondy")->setText(QStringLiteral("12a"));
        control<QCheckBox>(c.main, "SaveEPROM")->setChecked(true);
        control<QPushButton>(c.main, "Wyslij")->click();
        QCOMPARE(c.wire(18), cell(10, 5) + cell(2, 0) + cell(46, 1000));
        QVERIFY(c.quiet()); // no "S"
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(messages.texts().constFirst().contains(QStringLiteral("\"12a\"")));
    }

    void wholeSendInOrderThenStore()
    {
        Connected c;
        auto *sondy = control<QTableWidget>(c.main, "Sondy");
        auto *filters = control<QTableWidget>(c.main, "KFILTR");
        auto *phases = control<QTableWidget>(c.main, "S_Faza");
        auto *wyslij = control<QPushButton>(c.main, "Wyslij");
        QVERIFY(c.ready());
        MessageCatcher messages;
        for (int column = 1; column <= 4; ++column) {
            ServicePanel::SetCell(sondy, column, 1, QStringLiteral("0,%1").arg(column));
            ServicePanel::SetCell(sondy, column, 2, QStringLiteral("-0,%1").arg(column));
            ServicePanel::SetCell(filters, column, 1, QStringLiteral("0"));
            ServicePanel::SetCell(filters, column, 2, QString::number(100 * column));
        }
        ServicePanel::SetCell(phases, 1, 1, QStringLiteral("3"));
        ServicePanel::SetCell(phases, 1, 2, QStringLiteral("4"));
        control<QLineEdit>(c.main, "Stala")->setText(QStringLiteral("7"));
        control<QLineEdit>(c.main, "Wtemp")->setText(QStringLiteral("50"));
        control<QLineEdit>(c.main, "OTemp")->setText(QStringLiteral("48"));
        control<QLineEdit>(c.main, "OKor")->setText(QStringLiteral("6"));
        control<QLineEdit>(c.main, "WKor")->setText(QStringLiteral("0,5"));
        control<QLineEdit>(c.main, "WzmocnienieFiltruTemp")->setText(QStringLiteral("0,5"));
        control<QLineEdit>(c.main, "ProgRodzajuSondy")->setText(QStringLiteral("1800"));
        control<QLineEdit>(c.main, "NumerSeryjnyMiernika")->setText(QStringLiteral("12345"));
        control<QCheckBox>(c.main, "SaveEPROM")->setChecked(true);

        const std::vector<QByteArray> expected {cell(0, 3277), cell(4, 6553), cell(8, 9830),
            cell(16, -3277), cell(20, -6553), cell(24, -9830), cell(22, -13107), cell(10, 7),
            cell(50, 50), cell(48, 48), cell(6, 6), cell(2, 16384), cell(44, 19875), cell(46, 1000),
            cell(32, 0), cell(36, 0), cell(40, 0), cell(26, 0), cell(34, 100), cell(38, 200),
            cell(42, 300), cell(28, 400), cell(55, 0x0403), cell(18, 0xFD1F), frame('S', 0, 0)};
        // A click on the send button while the send runs does not start a second one.
        QCoreApplication::postEvent(wyslij,
            new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                Qt::LeftButton, {}));
        QCoreApplication::postEvent(wyslij,
            new QMouseEvent(
                QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, {}, {}));
        FrameRecorder recorder(c.pty, 25);
        QElapsedTimer clock;
        clock.start();
        wyslij->click();
        const qint64 took = clock.elapsed();
        recorder.join();
        QVERIFY(messages.texts().isEmpty());
        QCOMPARE(recorder.frames(), expected);
        QVERIFY2(took >= 24 * 300 + 500, qPrintable(QString::number(took)));
        // The store command comes 500 ms after the last cell's 300 ms pause (about 800 ms after
        // that cell; a margin for a busy machine).
        const qint64 gap = recorder.times().at(24) - recorder.times().at(23);
        QVERIFY2(gap >= 700, qPrintable(QString::number(gap)));
        QCoreApplication::processEvents();
        QVERIFY(c.quiet());
    }

    void doubleClickHandsTheCellToTheWizard()
    {
        Connected c;
        QVERIFY(c.ready());
        TkKalibracja &wizard = *c.windows.kKalibracja;
        QTableWidget *grid = control<QTableWidget>(c.main, "Sondy");
        c.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(c.main));
        // A heading does nothing.
        grid->setCurrentCell(0, 2);
        c.main->SondyDblClick();
        QVERIFY(c.main->isVisible());
        QVERIFY(!wizard.isVisible());

        const QPoint acOneTrans = grid->visualRect(grid->model()->index(2, 3)).center();
        // A user's double click: a click, then the second press that makes it double.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, acOneTrans);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, acOneTrans);
        QVERIFY(wizard.isVisible());
        QVERIFY(!c.main->isVisible());
        QCOMPARE(wizard.Zakres, 2);
        QCOMPARE(wizard.WierszSondy, 2);
        QVERIFY(wizard.PrzywrocPolaczenie);
        QVERIFY(!c.main->ComPort1->Connected());
        QVERIFY(!control<QAction>(c.main, "Poczony1")->isChecked());

        // Without a link there is none to restore.
        wizard.hide();
        c.main->show();
        grid->setCurrentCell(1, 1);
        c.main->SondyDblClick();
        QCOMPARE(wizard.Zakres, 0);
        QCOMPARE(wizard.WierszSondy, 1);
        QVERIFY(!wizard.PrzywrocPolaczenie);
    }

    void clearEmptiesAllButTheFilterGain()
    {
        Connected c;
        ServicePanel &p = *c.panel;
        ParameterTexts texts;
        for (std::size_t i = 0; i < ParameterCount; ++i)
            texts.line(i) = QString::number(i);
        p.SetTexts(texts);
        control<QPushButton>(c.main, "Odbierz")->click();
        for (std::size_t i = 0; i < ParameterCount; ++i) {
            const bool kept
                = static_cast<ParameterField>(i) == ParameterField::WzmocnienieFiltruTemp;
            QCOMPARE(p.Texts().line(i), kept ? texts.line(i) : QString());
        }
        QCOMPARE(ServicePanel::Cell(control<QTableWidget>(c.main, "Sondy"), 0, 1),
            QStringLiteral("AXIAL wzm."));
        QCOMPARE(ServicePanel::Cell(control<QTableWidget>(c.main, "KFILTR"), 4, 0),
            QStringLiteral("AC 2"));
        QCOMPARE(ServicePanel::Cell(control<QTableWidget>(c.main, "S_Faza"), 0, 2),
            QStringLiteral("Zakres 2"));
    }
};

NERIX_TEST(PosixParameterSendTest)
#include "PosixParameterSendTest.moc"
