// The print dialog of Qt's own, which Unix desktops get (Windows has the system's): it offers
// the document as a PDF file in the documents folder.
#include "TestMain.h"

#include "print/PrintJob.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

class PosixPrintDialogTest : public QObject {
    Q_OBJECT
private slots:
    void printDialogOffersTheDocumentInTheDocumentsFolder()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("Karta kalibracyjna A1234"));
        QString offered;
        int maxPage = 0;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            maxPage = dialog->maxPage();
            if (auto *file = dialog->findChild<QLineEdit *>(QStringLiteral("filename")))
                offered = file->text();
            dialog->reject();
        });
        QVERIFY(!AskPrinterWithDialog(nullptr, "Drukarka")(printer, 3));
        QCOMPARE(maxPage, 3);
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QDir(folder).exists())
            folder = QDir::homePath();
        QCOMPARE(offered, QDir(folder).filePath(QStringLiteral("Karta kalibracyjna A1234.pdf")));
    }
};

NERIX_TEST(PosixPrintDialogTest)
#include "PosixPrintDialogTest.moc"
