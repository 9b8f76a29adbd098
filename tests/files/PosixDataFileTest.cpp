// Data files where POSIX plays the disk: a write that fills it, and files that are no files.
#include "TestMain.h"
#include "common/FileSizeLimit.h"

#include "files/DataFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class PosixDataFileTest : public QObject {
    Q_OBJECT
private slots:
    void failedWriteLeavesTheOlderFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.N3D"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("   9.99\r\n");
        }
        QStringList many;
        for (int i = 0; i < 1000; ++i)
            many.append(QStringLiteral("   1.00"));
        {
            // The disk fills up in the middle of the write (a file size limit stands in).
            FileSizeLimit limit(100);
            QVERIFY(!WriteDataFile(path, many));
        }
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("   9.99\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("old.N3D")});
        QVERIFY(!WriteDataFile(dir.filePath(QStringLiteral("no/such/folder.N3D")), many));
    }

    void specialFilesAreUnreadable()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("fifo.N3D"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // A pipe with no writer, a device without end, a folder, nothing.
        for (const QString &path : {fifo, QStringLiteral("/dev/zero"), dir.path(),
                 dir.filePath(QStringLiteral("missing.N3D"))})
            QCOMPARE(ReadDataFile(path).status, DataFileContents::Status::Unreadable);
    }
};

NERIX_TEST(PosixDataFileTest)
#include "PosixDataFileTest.moc"
