// The card and report dialogs as the user meets them: opened from the main window, printed
// through the print dialog (answered here with a PDF file), and closed in every way, each of
// which gives the main window back.
#include "TestMain.h"
#include "common/FileSizeLimit.h"
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
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <limits>
#include <optional>
#include <string_view>

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

// The print dialog's answer: print pages from to (0 for all) to this PDF file, or cancel
// when it is empty.
PrinterQuestion printTo(const QString &pdf, int from = 0, int to = 0)
{
    return [=](QPrinter &printer, int) {
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        return true;
    };
}

int pdfPages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(file.readAll()).count(page));
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
                     "print dialog cancelled", "print failed", "disk full", "destroyed"}) {
                // A full disk is played by a file size limit, which not every platform has.
                if (!FileSizeLimit::supported() && std::string_view(ending) == "disk full")
                    continue;
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
        } else if (ending == "print failed" || ending == "disk full") {
            const bool full = ending == "disk full";
            *d.printDialog = printTo(full ? pdf : dir.filePath(QStringLiteral("missing/out.pdf")));
            {
                // Writing more than 4096 bytes fails as on a full disk.
                std::optional<FileSizeLimit> limit;
                if (full)
                    limit.emplace(4096);
                d.print->click();
            }
            QVERIFY(!QFile::exists(pdf));
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
        if (ending != "print failed" && ending != "disk full")
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
        TRaport_Win *report = p.openReport();
        report->OpenDataFile = [&](QWidget *) { return chosen; };
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
        // A row that comes back shows no induction value of an earlier file.
        if (rows < 500) {
            report->SpinEdit1->setValue(rows + 1);
            QCOMPARE(cellText(report->Wyniki, rows, 2), QString());
        }
    }

    // "Pobierz dane" puts each line in whole, whatever it holds, however it ends; a line too
    // long to be a result ends the reading, and the rows read before it stay.
    void dataFileLinesAreTakenWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("inductions"); // column 2 of the rows afterwards
        QTest::addColumn<bool>("message");
        const QByteArray longLine(ReportMaxLineLength, 'x');
        QTest::newRow("any text") << QByteArray("1,50\r\n12.3 mT\r\nabc\r\n"
                                                "1234567890123456789012345678901234567890")
                                  << QStringList {"1,50", "12.3 mT", "abc",
                                         "1234567890123456789012345678901234567890"}
                                  << false;
        QTest::newRow("CR line ends")
            << QByteArray("1\r2\r3\r") << QStringList {"1", "2", "3"} << false;
        QTest::newRow("UTF-8") << QByteArray("Kraków \xf0\x9f\x98\x80\n")
                               << QStringList {QString::fromUtf8("Kraków 😀")} << false;
        QTest::newRow("longest line")
            << longLine << QStringList {QString::fromLatin1(longLine)} << false;
        QTest::newRow("too long a line")
            << QByteArray("1\r\n2\r\n" + longLine + "x\r\n3") << QStringList {"1", "2"} << true;
        QTest::newRow("empty file") << QByteArray() << QStringList {""} << false;
    }
    void dataFileLinesAreTakenWhole()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, inductions);
        QFETCH(bool, message);
        QTemporaryDir dir;
        MessageCatcher messages;
        Program p;
        TRaport_Win *report = p.openReport();
        report->Wyniki->setItem(0, 2, new QTableWidgetItem(QStringLiteral("typed")));
        const QString path = dir.filePath(QStringLiteral("lines.N3D"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        report->OpenDataFile = [&](QWidget *) { return path; };
        report->Zpliku->click();
        QStringList column;
        for (int row = 0; row < report->Wyniki->rowCount(); ++row)
            column.append(cellText(report->Wyniki, row, 2));
        QCOMPARE(column, inductions);
        QCOMPARE(messages.texts(),
            message ? QStringList {QString::fromUtf8("Błąd. Nie można odczytac pliku.")}
                    : QStringList {});
        QCOMPARE(report->SpinEdit1->value(), message ? 10 : int(inductions.size()));
    }

    // The rows follow every change of the spin edit's value, however it is made.
    void rowsFollowEveryChangeOfTheCount_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("rows");
        QTest::newRow("arrow") << "arrow" << 11;
        QTest::newRow("Up key") << "Up" << 11;
        QTest::newRow("PageUp key") << "PageUp" << 20;
        QTest::newRow("wheel") << "wheel" << 11;
        QTest::newRow("setValue") << "setValue" << 13;
    }
    void rowsFollowEveryChangeOfTheCount()
    {
        QFETCH(QString, change);
        QFETCH(int, rows);
        Program p;
        TRaport_Win *report = p.openReport();
        QSpinBox *spin = report->SpinEdit1;
        if (change == "arrow") {
            spin->stepUp();
        } else if (change == "Up") {
            QTest::keyClick(spin, Qt::Key_Up);
        } else if (change == "PageUp") {
            QTest::keyClick(spin, Qt::Key_PageUp);
        } else if (change == "wheel") {
            const QPoint at = spin->rect().center();
            QWheelEvent wheel(at, spin->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(spin, &wheel);
        } else {
            spin->setValue(13);
        }
        QCOMPARE(spin->value(), rows);
        QCOMPARE(report->Wyniki->rowCount(), rows);
        QCOMPARE(cellText(report->Wyniki, rows - 1, 0), QString::number(rows));
        QCOMPARE(report->Texts().rows.size(), std::size_t(rows));
    }

    // The file dialog stands over the report, so the keyboard is the report's again after it.
    void fileDialogStandsOverTheReport()
    {
        Program p;
        TRaport_Win *report = p.openReport();
        QWidget *parent = nullptr;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            QVERIFY(qobject_cast<QFileDialog *>(dialog) != nullptr);
            parent = dialog->parentWidget();
            static_cast<QDialog *>(dialog)->reject();
        });
        report->Zpliku->click();
        QCOMPARE(parent, report);
        QCOMPARE(report->Wyniki->rowCount(), 10);
    }

    // Every field of both dialogs, the report's table too, takes a text whole however long:
    // past the line edits' usual 32767 characters, with an emoji across that point.
    void textsOfAnyLengthAreTakenWhole()
    {
        Program p;
        const QString text = QString(32766, QLatin1Char('a')) + QString::fromUtf8("😀")
            + QString(10000, QLatin1Char('b'));
        QList<QLineEdit *> edits = p.openCard()->findChildren<QLineEdit *>();
        TRaport_Win *report = p.openReport();
        for (QLineEdit *edit : report->findChildren<QLineEdit *>())
            if (edit->parent() != report->SpinEdit1)
                edits.append(edit);
        QCOMPARE(edits.size(), 9 + 7);
        for (QLineEdit *edit : edits) {
            edit->setText(text);
            QVERIFY2(edit->text() == text, qPrintable(edit->objectName()));
        }
        const QModelIndex cell = report->Wyniki->model()->index(0, 1);
        QAbstractItemDelegate *delegate = report->Wyniki->itemDelegate();
        QWidget *editor = delegate->createEditor(report->Wyniki, QStyleOptionViewItem(), cell);
        QVERIFY(qobject_cast<QLineEdit *>(editor) != nullptr);
        static_cast<QLineEdit *>(editor)->setText(text);
        delegate->setModelData(editor, report->Wyniki->model(), cell);
        delete editor;
        QCOMPARE(report->Texts().rows[0][1], text);
    }

    // The print job carries the document's name, and the pages chosen are the pages printed.
    void chosenPagesAndTheDocumentName_data()
    {
        QTest::addColumn<bool>("card");
        QTest::addColumn<bool>("polish");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<int>("printed");
        QTest::newRow("card") << true << true << 0 << 1 << 1 << "Karta kalibracyjna A1234" << 1
                              << 1;
        QTest::newRow("report pages 2 to 3")
            << false << true << 100 << 2 << 3 << "Raport" << 3 << 2;
        QTest::newRow("report in English") << false << false << 10 << 0 << 0 << "Report" << 1 << 1;
    }
    void chosenPagesAndTheDocumentName()
    {
        QFETCH(bool, card);
        QFETCH(bool, polish);
        QFETCH(int, rows);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, name);
        QFETCH(int, pageCount);
        QFETCH(int, printed);
        QTemporaryDir dir;
        Program p;
        LanguageName = polish ? LanguagePolish : LanguageEnglish;
        p.main.Send->NumerSeryjnyMiernika->setText(QStringLiteral("A1234"));
        Dialog d = open(p, card);
        if (!card)
            static_cast<TRaport_Win *>(d.window.data())->SpinEdit1->setValue(rows);
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        QString askedName;
        int askedPages = 0;
        *d.printDialog = [&](QPrinter &printer, int pages) {
            askedName = printer.docName();
            askedPages = pages;
            return printTo(pdf, from, to)(printer, pages);
        };
        d.print->click();
        QCOMPARE(askedName, name);
        QCOMPARE(askedPages, pageCount);
        QCOMPARE(pdfPages(pdf), printed);
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
