// The service panel's commands as bytes on the wire, read on the meter's side of a
// pseudo-terminal mapped as COM1: single cells, refusals and their messages, a whole send
// with its order, pauses and EEPROM store, and the hand-over of a cell to the wizard.
#include "TestMain.h"
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
        panel = main->Send;
        windows.AboutWin->Timer1Timer();
        main->WlaczSerwis();
        main->S_Polacz->click();
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

class ParameterSendTest : public QObject {
    Q_OBJECT

private slots:
    void anyValueToAnyCell()
    {
        Connected c;
        QVERIFY(c.ready());
        MessageCatcher messages;
        c.panel->DWPole->setText(QStringLiteral("10"));
        c.panel->DWWartosc->setText(QStringLiteral("1234"));
        c.panel->Button4->click();
        QCOMPARE(c.wire(6).toHex(' '), QByteArray("aa 55 43 0a d2 04"));
        // Only the low 8 bits of the address count; values keep their low 16 bits.
        c.panel->DWPole->setText(QStringLiteral("266"));
        c.panel->DWWartosc->setText(QStringLiteral("-1"));
        c.panel->Button4->click();
        QCOMPARE(c.wire(6), cell(10, 0xFFFF));

        c.panel->DWPole->setText(QString());
        c.panel->Button4->click();
        c.panel->DWPole->setText(QStringLiteral("10"));
        c.panel->DWWartosc->setText(QStringLiteral("abc"));
        c.panel->Button4->click();
        c.panel->DWWartosc->setText(QString());
        c.panel->Button4->click();
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
                seen << box->text() << c.main->StatusPanel1->text()
                     << QString::number(cursor != nullptr ? cursor->shape() : -1);
                box->done(QMessageBox::Ok);
            }
        });
        watcher.start(10);

        c.panel->WKor->setText(QStringLiteral("1"));
        c.panel->WzmocnienieFiltruTemp->setText(QStringLiteral("0"));
        c.panel->OKor->setText(QStringLiteral("-2"));
        // A key typed while the send runs must not reach the window afterwards.
        QCoreApplication::postEvent(
            c.panel->DWPole, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, {}, QStringLiteral("a")));
        c.main->StatusPanel1->setText(QStringLiteral("before"));
        c.panel->Wyslij->click();
        QCoreApplication::processEvents();
        QCOMPARE(c.wire(18), cell(6, -2) + cell(44, 0) + cell(46, 1000));
        QVERIFY(c.quiet());
        QCOMPARE(seen,
            QStringList({QString::fromUtf8(
                             "Niepoprawnie wprowadzona wartość współczynnika korekcji temp."),
                QString::fromUtf8("Wysyłanie komórki 12 z 24"), QString::number(Qt::WaitCursor)}));
        QVERIFY(c.panel->DWPole->text().isEmpty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(c.main->StatusPanel1->text(), QStringLiteral("before"));

        // 0,5 * 32767 lies halfway and goes to the even neighbour.
        c.panel->WKor->setText(QStringLiteral("0,5"));
        c.panel->WzmocnienieFiltruTemp->clear();
        c.panel->OKor->clear();
        c.panel->Wyslij->click();
        QCOMPARE(c.wire(12), cell(2, 16384) + cell(46, 1000));
    }

    void meterUnpluggedDuringTheSendStopsItWithOneMessage()
    {
        Connected c;
        QVERIFY(c.ready());
        MessageCatcher messages;
        for (QLineEdit *edit : {c.panel->Stala, c.panel->Wtemp, c.panel->OTemp, c.panel->OKor})
            edit->setText(QStringLiteral("1"));
        c.panel->SaveEPROM->setChecked(true);
        // The meter takes two cells, then its cable is pulled.
        std::thread meter([&] {
            c.pty.receive(12);
            c.pty.closeMaster();
        });
        c.panel->Wyslij->click();
        meter.join();
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(messages.texts().constFirst().startsWith(
            QString::fromUtf8("Utracono połączenie z urządzeniem na porcie COM1")));
        QVERIFY(!c.main->ComPort1->Connected());
        QVERIFY(!c.panel->Wyslij->isEnabled());
    }

    void thresholdThatIsNoNumberEndsTheSend()
    {
        Connected c;
        QVERIFY(c.ready());
        MessageCatcher messages;
        c.panel->Stala->setText(QStringLiteral("5"));
        c.panel->WKor->setText(QStringLiteral("0"));
        c.panel->ProgRodzajuSondy->setText(QStringLiteral("12a"));
        c.panel->SaveEPROM->setChecked(true);
        c.panel->Wyslij->click();
        QCOMPARE(c.wire(18), cell(10, 5) + cell(2, 0) + cell(46, 1000));
        QVERIFY(c.quiet()); // no "S"
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(messages.texts().constFirst().contains(QStringLiteral("\"12a\"")));
    }

    void wholeSendInOrderThenStore()
    {
        Connected c;
        QVERIFY(c.ready());
        MessageCatcher messages;
        ServicePanel &p = *c.panel;
        for (int column = 1; column <= 4; ++column) {
            ServicePanel::SetCell(p.Sondy, column, 1, QStringLiteral("0,%1").arg(column));
            ServicePanel::SetCell(p.Sondy, column, 2, QStringLiteral("-0,%1").arg(column));
            ServicePanel::SetCell(p.KFILTR, column, 1, QStringLiteral("0"));
            ServicePanel::SetCell(p.KFILTR, column, 2, QString::number(100 * column));
        }
        ServicePanel::SetCell(p.S_Faza, 1, 1, QStringLiteral("3"));
        ServicePanel::SetCell(p.S_Faza, 1, 2, QStringLiteral("4"));
        p.Stala->setText(QStringLiteral("7"));
        p.Wtemp->setText(QStringLiteral("50"));
        p.OTemp->setText(QStringLiteral("48"));
        p.OKor->setText(QStringLiteral("6"));
        p.WKor->setText(QStringLiteral("0,5"));
        p.WzmocnienieFiltruTemp->setText(QStringLiteral("0,5"));
        p.ProgRodzajuSondy->setText(QStringLiteral("1800"));
        p.NumerSeryjnyMiernika->setText(QStringLiteral("12345"));
        p.SaveEPROM->setChecked(true);

        const std::vector<QByteArray> expected {cell(0, 3277), cell(4, 6553), cell(8, 9830),
            cell(16, -3277), cell(20, -6553), cell(24, -9830), cell(22, -13107), cell(10, 7),
            cell(50, 50), cell(48, 48), cell(6, 6), cell(2, 16384), cell(44, 19875), cell(46, 1000),
            cell(32, 0), cell(36, 0), cell(40, 0), cell(26, 0), cell(34, 100), cell(38, 200),
            cell(42, 300), cell(28, 400), cell(55, 0x0403), cell(18, 0xFD1F), frame('S', 0, 0)};
        // A click on the send button while the send runs does not start a second one.
        QCoreApplication::postEvent(p.Wyslij,
            new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                Qt::LeftButton, {}));
        QCoreApplication::postEvent(p.Wyslij,
            new QMouseEvent(
                QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, {}, {}));
        FrameRecorder recorder(c.pty, 25);
        QElapsedTimer clock;
        clock.start();
        p.Wyslij->click();
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
        QTableWidget *grid = c.panel->Sondy;
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
        QVERIFY(!c.main->Poczony1->isChecked());

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
        p.Odbierz->click();
        for (std::size_t i = 0; i < ParameterCount; ++i) {
            const bool kept
                = static_cast<ParameterField>(i) == ParameterField::WzmocnienieFiltruTemp;
            QCOMPARE(p.Texts().line(i), kept ? texts.line(i) : QString());
        }
        QCOMPARE(ServicePanel::Cell(p.Sondy, 0, 1), QStringLiteral("AXIAL wzm."));
        QCOMPARE(ServicePanel::Cell(p.KFILTR, 4, 0), QStringLiteral("AC 2"));
        QCOMPARE(ServicePanel::Cell(p.S_Faza, 0, 2), QStringLiteral("Zakres 2"));
    }
};

NERIX_TEST(ParameterSendTest)
#include "ParameterSendTest.moc"
