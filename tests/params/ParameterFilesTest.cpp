// Saving and loading the service panel's parameters through the window's handlers, with
// the file name given in place of the dialog.
#include "TestMain.h"
#include "common/Controls.h"
#include "common/FileBytes.h"
#include "common/MessageCatcher.h"
#include "common/NamedPipe.h"

#include "app/AboutWin.h"
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "app/Startup.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

struct Panel {
    AppWindows windows = createWindows();
    TMainWin &main = *windows.MainWin;
    ServicePanel &panel = *control<ServicePanel>(&main, "Send");
    QString chosen;
    int asked = 0;
    Panel()
    {
        windows.AboutWin->Timer1Timer();
        main.WlaczSerwis();
        main.ParameterFileChooser = [this](bool) {
            ++asked;
            return chosen;
        };
    }
};

ParameterTexts typed()
{
    ParameterTexts texts;
    for (std::size_t i = 0; i < ParameterCount; ++i)
        texts.line(i) = QStringLiteral("0,%1").arg(i + 1);
    texts[ParameterField::SondyAxialAc2] = QStringLiteral("-0,75");
    texts[ParameterField::NumerSeryjnyMiernika] = QStringLiteral("A1234");
    texts[ParameterField::ProgRodzajuSondy] = QStringLiteral("1800");
    texts[ParameterField::OTemp] = QString();
    return texts;
}
} // namespace

class ParameterFilesTest : public QObject {
    Q_OBJECT

private slots:
    void saveAndLoadGiveBackEveryField()
    {
        QTemporaryDir dir;
        Panel p;
        auto *sondy = control<QTableWidget>(&p.main, "Sondy");
        p.panel.SetTexts(typed());
        // Typed into the grid itself, as a user does.
        ServicePanel::SetCell(sondy, 4, 1, QStringLiteral("0,99"));
        ParameterTexts expected = typed();
        expected[ParameterField::SondyAxialAc2] = QStringLiteral("0,99");
        p.chosen = dir.filePath(QStringLiteral("meter.N3C"));
        control<QPushButton>(&p.main, "Zapisz")->click();
        QCOMPARE(p.asked, 1);
        const QByteArray bytes = readAll(p.chosen);
        QVERIFY(bytes.startsWith("0,1\r\n0,2\r\n0,3\r\n0,99\r\n"));
        QVERIFY(bytes.endsWith("1800\r\nA1234\r\n0,26\r\n"));
        QCOMPARE(bytes.count("\r\n"), 26);

        control<QPushButton>(&p.main, "Odbierz")->click();
        control<QLineEdit>(&p.main, "WzmocnienieFiltruTemp")->setText(QStringLiteral("old"));
        control<QPushButton>(&p.main, "Otworz")->click();
        QCOMPARE(p.panel.Texts(), expected);
        QCOMPARE(ServicePanel::Cell(sondy, 4, 0), QStringLiteral("AC 2"));
        QCOMPARE(ServicePanel::Cell(control<QTableWidget>(&p.main, "S_Faza"), 1, 0),
            QStringLiteral("Faza"));
    }

    void savingReplacesTheWholeOldFile()
    {
        QTemporaryDir dir;
        Panel p;
        p.chosen = dir.filePath(QStringLiteral("old.N3C"));
        writeAll(p.chosen, QByteArray(2000, 'x'));
        p.panel.ClearParameters();
        control<QLineEdit>(&p.main, "WzmocnienieFiltruTemp")->clear();
        control<QPushButton>(&p.main, "Zapisz")->click();
        QCOMPARE(readAll(p.chosen), QByteArray("\r\n").repeated(26));
    }

    void cancelledDialogDoesNothing()
    {
        Panel p;
        auto *stala = control<QLineEdit>(&p.main, "Stala");
        stala->setText(QStringLiteral("5"));
        control<QPushButton>(&p.main, "Otworz")->click();
        control<QPushButton>(&p.main, "Zapisz")->click();
        QCOMPARE(p.asked, 2);
        QCOMPARE(stala->text(), QStringLiteral("5"));
    }

    void failuresAreReportedAndLeaveThePanel()
    {
        QTemporaryDir dir;
        Panel p;
        MessageCatcher messages;
        p.panel.SetTexts(typed());
        QVERIFY(!p.main.SaveParameters(dir.filePath(QStringLiteral("missing/folder.N3C"))));
        QVERIFY(!p.main.LoadParameters(dir.filePath(QStringLiteral("none.N3C"))));
        const QString junk = dir.filePath(QStringLiteral("junk.N3C"));
        writeAll(junk, QByteArray("0,5\r\n\x00\x01\xFF\xFE", 9));
        QVERIFY(!p.main.LoadParameters(junk));
        QVERIFY(!p.main.LoadParameters(dir.path())); // a folder
        // A pipe with no writer is refused at once, not waited on.
        const QString fifo = dir.filePath(QStringLiteral("fifo.N3C"));
        const bool pipe = makeNamedPipe(fifo);
        if (pipe)
            QVERIFY(!p.main.LoadParameters(fifo));
        const QString readError = QString::fromUtf8("Błąd odczytu pliku!");
        QCOMPARE(messages.texts(),
            QStringList({QString::fromUtf8("Uwaga! Nastąpił jakiś (?) błąd w połączeniu."),
                readError, readError, readError})
                + QStringList(pipe ? 1 : 0, readError));
        QCOMPARE(p.panel.Texts(), typed());
    }
};

NERIX_TEST(ParameterFilesTest)
#include "ParameterFilesTest.moc"
