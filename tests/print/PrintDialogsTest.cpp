// The card and report dialogs as the user meets them: opened from the main window, printed
// through the print dialog (answered here with a PDF file), and closed in every way, each of
// which gives the main window back.
#include "TestMain.h"
#include "common/MessageCatcher.h"

#include "app/AboutWin.h"
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "app/Startup.h"
#include "core/Jezyki.h"
#include "files/DataFile.h"
#include "print/PrintDataWin.h"
#include "print/RaportWin.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Program {
    AppWindows windows = createWindows();
    TMainWin &main = *windows.MainWin;
    Program()
    {
        windows.AboutWin->Timer1Timer();
        main.WlaczSerwis();
    }
    TPrintDataWin *openCard()
    {
        main.Send->BitBtn1->click();
        return main.findChild<TPrintDataWin *>();
    }
    TRaport_Win *openReport()
    {
        main.Twrzraport1->trigger();
        return main.findChild<TRaport_Win *>();
    }
};

// The print dialog's answer: print to this PDF file, or cancel when it is empty.
PrinterQuestion printTo(const QString &pdf)
{
    return [pdf](QPrinter &printer) {
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
}

// What the tests do with either dialog.
struct Dialog {
    QPointer<QDialog> window;
    QLineEdit *firstEdit;
    QPushButton *print;
    QPushButton *cancel;
    PrinterQuestion *printDialog;
};

Dialog open(Program &p, bool card)
{
    if (card) {
        TPrintDataWin *d = p.openCard();
        return {d, d->Klient, d->Drukuj, d->Anuluj, &d->Drukarka};
    }
    TRaport_Win *d = p.openReport();
    return {d, d->Edit1, d->Button1, d->Button2, &d->PrintDialog1};
}

QString cellText(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item != nullptr ? item->text() : QString();
}
} // namespace

class PrintDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { LanguageName = LanguagePolish; }
    void cleanup() { LanguageName = LanguageEnglish; }

    void everyEndingGivesTheMainWindowBack_data()
    {
        QTest::addColumn<bool>("card");
        QTest::addColumn<QString>("ending");
        for (const bool card : {true, false}) {
            for (const char *ending : {"Anuluj", "Escape", "close box", "printed",
                     "print dialog cancelled", "print failed", "destroyed"}) {
                QTest::addRow("%s, %s", card ? "card" : "report", ending)
                    << card << QString::fromLatin1(ending);
            }
        }
    }
    void everyEndingGivesTheMainWindowBack()
    {
        QFETCH(bool, card);
        QFETCH(QString, ending);
        QTemporaryDir dir;
        MessageCatcher messages;
        Program p;
        Dialog d = open(p, card);
        QVERIFY(d.window != nullptr && d.window->isVisible());
        QVERIFY(!p.main.isEnabled());
        QVERIFY(d.window->isEnabled());
        QTest::keyClicks(d.firstEdit, QStringLiteral("typed"));

        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        bool staysOpen = false;
        if (ending == "Anuluj") {
            d.cancel->click();
        } else if (ending == "Escape") {
            QTest::keyClick(d.window, Qt::Key_Escape);
        } else if (ending == "close box") {
            d.window->close();
        } else if (ending == "printed") {
            *d.printDialog = printTo(pdf);
            d.print->click();
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.read(5) == "%PDF-");
        } else if (ending == "print dialog cancelled") {
            *d.printDialog = printTo(QString());
            d.print->click();
            staysOpen = true;
        } else if (ending == "print failed") {
            *d.printDialog = printTo(dir.filePath(QStringLiteral("missing/out.pdf")));
            d.print->click();
            QCOMPARE(messages.texts().size(), 1);
            QVERIFY(messages.texts().first().startsWith(
                QString::fromUtf8("Błąd. Nie można zapisać wydruku do pliku ")));
            staysOpen = true;
        } else if (ending == "destroyed") {
            delete d.window;
        }
        if (staysOpen) {
            QVERIFY(d.window->isVisible());
            QVERIFY(!p.main.isEnabled());
            QCOMPARE(d.firstEdit->text(), QStringLiteral("typed"));
            d.cancel->click();
        }
        QTRY_VERIFY(d.window == nullptr);
        QVERIFY(p.main.isEnabled());
        if (ending != "print failed")
            QVERIFY(messages.texts().isEmpty());
    }

    void eachCardStartsEmptyAndReadsThePanelAsItStands()
    {
        Program p;
        TPrintDataWin *first = p.openCard();
        QCOMPARE(first->windowTitle(), QString::fromUtf8("Drukuj kartę kalibracyjną"));
        QCOMPARE(first->size(), QSize(393, 271));
        QTest::keyClicks(first->Klient, QStringLiteral("ACME"));
        p.main.Send->NumerSeryjnyMiernika->setText(QStringLiteral("A1234"));
        ServicePanel::SetCell(p.main.Send->KFILTR, 4, 2, QStringLiteral("65535"));
        const CardTexts texts = first->Texts();
        QCOMPARE(texts.client, QStringLiteral("ACME"));
        QCOMPARE(texts.panel, p.main.Send->Texts());
        QCOMPARE(texts.panel[ParameterField::FiltrThresholdAc2], QStringLiteral("65535"));
        first->Anuluj->click();
        QTRY_VERIFY(p.main.findChild<TPrintDataWin *>() == nullptr);

        TPrintDataWin *second = p.openCard();
        QVERIFY(second->Klient->text().isEmpty());
    }

    // Loading a data file sets the rows directly: up to 1000, above the spin edit's 500,
    // exactly as many as the file has lines, and at least one.
    void loadingDataFilesSetsTheRows_data()
    {
        QTest::addColumn<QList<int>>("files"); // lines of each file loaded in turn
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("spin");
        QTest::addColumn<bool>("message");
        const int unreadable = -1;
        const int cancelled = -2;
        QTest::newRow("1200 lines") << QList<int> {1200} << 1000 << 500 << false;
        QTest::newRow("3 lines after 1200") << QList<int> {1200, 3} << 3 << 3 << false;
        QTest::newRow("empty") << QList<int> {0} << 1 << 1 << false;
        QTest::newRow("unreadable") << QList<int> {3, unreadable} << 3 << 3 << true;
        QTest::newRow("cancelled") << QList<int> {cancelled} << 10 << 10 << false;
    }
    void loadingDataFilesSetsTheRows()
    {
        QFETCH(QList<int>, files);
        QFETCH(int, rows);
        QFETCH(int, spin);
        QFETCH(bool, message);
        QTemporaryDir dir;
        MessageCatcher messages;
        Program p;
        QString chosen;
        p.main.Questions.openDataFile = [&] { return chosen; };
        TRaport_Win *report = p.openReport();
        for (const int lines : files) {
            chosen = lines == -2 ? QString() : dir.filePath(QStringLiteral("f%1.N3D").arg(lines));
            QStringList texts;
            for (int i = 1; i <= lines; ++i)
                texts.append(QStringLiteral("%1.00").arg(i, 4));
            if (lines >= 0)
                QVERIFY(WriteDataFile(chosen, texts));
            report->Zpliku->click();
        }
        QCOMPARE(report->Wyniki->rowCount(), rows);
        QCOMPARE(report->SpinEdit1->value(), spin);
        QCOMPARE(messages.texts().isEmpty(), !message);
        if (message)
            QCOMPARE(
                messages.texts().first(), QString::fromUtf8("Błąd. Nie można odczytac pliku."));
        QCOMPARE(cellText(report->Wyniki, rows - 1, 0), QString::number(rows));
        if (files.first() > 0)
            QCOMPARE(cellText(report->Wyniki, rows - 1, 2), QStringLiteral("%1.00").arg(rows, 4));
        QCOMPARE(report->Texts().rows.size(), std::size_t(rows));
    }

    // The spin edit's change runs on every text typed: a 0 leaves one row, and a count typed
    // digit by digit loses no row's texts on the way.
    void typedCountsKeepOneRowAndTheTexts()
    {
        Program p;
        TRaport_Win *report = p.openReport();
        report->Wyniki->setItem(9, 1, new QTableWidgetItem(QStringLiteral("hala")));
        report->SpinEdit1->selectAll();
        QTest::keyClicks(report->SpinEdit1, QStringLiteral("0"));
        QCOMPARE(report->Wyniki->rowCount(), 1);
        QCOMPARE(cellText(report->Wyniki, 0, 0), QStringLiteral("1"));
        report->SpinEdit1->selectAll();
        QTest::keyClicks(report->SpinEdit1, QStringLiteral("25"));
        QCOMPARE(report->Wyniki->rowCount(), 25);
        QCOMPARE(cellText(report->Wyniki, 9, 1), QStringLiteral("hala"));
        QCOMPARE(cellText(report->Wyniki, 24, 0), QStringLiteral("25"));
    }

    void frequencyEditOnlyForAlternatingField()
    {
        Program p;
        TRaport_Win *report = p.openReport();
        QCOMPARE(report->ComboBox1->count(), 3);
        QCOMPARE(report->ComboBox1->currentIndex(), 0);
        QVERIFY(!report->Edit4->isVisible());
        report->ComboBox1->setCurrentIndex(2);
        QVERIFY(report->Edit4->isVisible() && report->LabelHz->isVisible());
        report->ComboBox1->setCurrentIndex(1);
        QVERIFY(!report->Edit4->isVisible() && !report->LabelHz->isVisible());
    }
};

NERIX_TEST(PrintDialogsTest)
#include "PrintDialogsTest.moc"
