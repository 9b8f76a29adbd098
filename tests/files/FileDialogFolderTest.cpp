// The file dialogs open in the folder last used for their kind of file.
#include "TestMain.h"
#include "common/DialogAnswerer.h"

#include "core/Remembered.h"
#include "files/DataFileDialog.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class FileDialogFolderTest : public QObject {
    Q_OBJECT

private slots:
    void aDialogOpensWhereTheLastFileOfItsKindWas()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("data")));
        const QString data = QDir(dir.path()).filePath(QStringLiteral("data"));
        Remembered::keep(Remembered::DataFolder, dir.path());
        Remembered::keep(Remembered::CsvFolder, QString());

        QString shown;
        DialogAnswerer<QFileDialog> saving([&](QFileDialog *dialog) {
            shown = dialog->directory().absolutePath();
            dialog->selectFile(QDir(data).filePath(QStringLiteral("results")));
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept is protected
        });
        QCOMPARE(AskDataFile(nullptr, QFileDialog::AcceptSave),
            QDir(data).filePath(QStringLiteral("results.N3D")));
        QCOMPARE(shown, dir.path());
        QCOMPARE(Remembered::value(Remembered::DataFolder), data);
        // Another kind of file keeps its own folder.
        QCOMPARE(Remembered::value(Remembered::CsvFolder), QString());

        DialogAnswerer<QFileDialog> opening([&](QFileDialog *dialog) {
            shown = dialog->directory().absolutePath();
            dialog->reject();
        });
        QCOMPARE(AskDataFile(nullptr, QFileDialog::AcceptOpen), QString());
        QCOMPARE(shown, data);
    }
};

NERIX_TEST(FileDialogFolderTest)
#include "FileDialogFolderTest.moc"
