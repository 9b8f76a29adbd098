// The user settings where the store is a file (VL_NX3.conf): a store that cannot be written is
// reported, and a named pipe in its place leaves the program with the defaults.
#include "TestMain.h"
#include "common/MessageCatcher.h"
#include "common/UserSettings.h"

#include "app/MainWin.h"
#include "app/Startup.h"
#include "app/UzytkownikWin.h"
#include "core/SettingsStore.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class PosixUserStoreTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { forgetUserSettings(); }

    void storeThatCannotBeWrittenIsReported()
    {
        // A settings folder below a plain file cannot be created, not even by root.
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("blocker"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        AppWindows windows = createWindows();
        TUzytkownikWin &dialog = *windows.UzytkownikWin;
        MessageCatcher messages;
        {
            // The test run's own store again, whatever happens in between.
            const auto restore = qScopeGuard([] {
                QSettings::setPath(
                    QSettings::NativeFormat, QSettings::UserScope, nerixtest::configHome());
            });
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker);
            dialog.show();
            dialog.Nazwa->setText(QStringLiteral("Jan"));
            dialog.OK->click();
        }
        QTRY_COMPARE(messages.texts().size(), 1);
        QVERIFY(messages.texts().constFirst().startsWith(
            QString::fromUtf8("Nie można zapisać ustawień użytkownika")));
        // Nothing was kept: the dialog stays open for another try or "Anuluj".
        QVERIFY(dialog.isVisible());
        QVERIFY(!windows.MainWin->isEnabled());
        dialog.Anuluj->click();
        QVERIFY(windows.MainWin->isEnabled());
        QVERIFY(!openSettingsStore()->contains(QStringLiteral("name")));
    }

    void pipeAsTheStoreStartsWithTheDefaults()
    {
        {
            const auto settings = openSettingsStore();
            settings->setValue(QStringLiteral("name"), QStringLiteral("Jan"));
            settings->setValue(QStringLiteral("service"), 1);
        }
        const QString path = nerixtest::configHome() + QStringLiteral("/VL_NX3.conf");
        const QString saved = path + QStringLiteral(".saved");
        QVERIFY(QFile::rename(path, saved));
        const auto restore = qScopeGuard([&] {
            QFile::remove(path);
            QFile::rename(saved, path);
        });
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        // Reading a pipe with no writer would never return.
        AppWindows windows = createWindows();
        QVERIFY(windows.MainWin);
        QCOMPARE(ReadUserSettings().name, QString());
        QVERIFY(!ReadUserSettings().service);
        QVERIFY(!WriteUserSettings(UserSettings {}));
    }

};

NERIX_TEST(PosixUserStoreTest)
#include "PosixUserStoreTest.moc"
