// The user settings dialog and the stored service-technician flag: the lock rule, what "OK"
// and "Anuluj" store, missing and odd values, values of older installations, and the about
// window's "TRYB SERWISOWY" label. PosixUserStoreTest has the store's file that fails.
#include "TestMain.h"
#include "common/MessageCatcher.h"
#include "common/UserSettings.h"

#include "app/AboutWin.h"
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "app/Startup.h"
#include "app/UzytkownikWin.h"
#include "core/SettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {
void store(const QString &key, const QVariant &value)
{
    const auto settings = openSettingsStore();
    settings->setValue(key, value);
    settings->sync();
}

QVariant stored(const QString &key)
{
    return openSettingsStore()->value(key);
}

void storeUser(const QString &name, const QString &company, const QVariant &service)
{
    store(QStringLiteral("name"), name);
    store(QStringLiteral("company"), company);
    store(QStringLiteral("service"), service);
}
} // namespace

class UserDialogTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { forgetUserSettings(); }

    void storedTechnicianLocksNameAndCompany()
    {
        storeUser(QStringLiteral("Jan"), QStringLiteral("Vallimor"), 1);
        AppWindows windows = createWindows();
        TUzytkownikWin &dialog = *windows.UzytkownikWin;
        windows.AboutWin->Timer1Timer();
        QCOMPARE(dialog.size(), QSize(395, 121));
        windows.MainWin->Zmieuytkownika1->trigger();
        QVERIFY(dialog.isVisible());
        QVERIFY(!windows.MainWin->isEnabled());
        QCOMPARE(dialog.Nazwa->text(), QStringLiteral("Jan"));
        QCOMPARE(dialog.Miasto->text(), QStringLiteral("Vallimor"));
        QVERIFY(dialog.Serwisant->isChecked());
        QVERIFY(!dialog.Nazwa->isEnabled() && !dialog.Miasto->isEnabled());

        // Unticking unlocks at once, before "OK".
        QTest::mouseClick(dialog.Serwisant, Qt::LeftButton, {}, QPoint(5, 10));
        QVERIFY(!dialog.Serwisant->isChecked());
        QVERIFY(dialog.Nazwa->isEnabled() && dialog.Miasto->isEnabled());
        QCOMPARE(stored(QStringLiteral("service")).toInt(), 1);

        dialog.Nazwa->setText(QStringLiteral("Ewa"));
        dialog.OK->click();
        QVERIFY(!dialog.isVisible());
        QVERIFY(windows.MainWin->isEnabled());
        QCOMPARE(stored(QStringLiteral("name")).toString(), QStringLiteral("Ewa"));
        QCOMPARE(stored(QStringLiteral("company")).toString(), QStringLiteral("Vallimor"));
        QCOMPARE(stored(QStringLiteral("service")).toInt(), 0);
        // The stored flag does not change the current mode.
        QVERIFY(windows.MainWin->Serwis->menuAction()->isVisible());
    }

    void cancelWritesNothing()
    {
        storeUser(QStringLiteral("Jan"), QStringLiteral("Firma"), 0);
        AppWindows windows = createWindows();
        TUzytkownikWin &dialog = *windows.UzytkownikWin;
        dialog.show();
        dialog.Nazwa->setText(QStringLiteral("Ktoś"));
        dialog.Miasto->setText(QStringLiteral("Inna"));
        dialog.Serwisant->click();
        dialog.Anuluj->click();
        QVERIFY(!dialog.isVisible());
        QVERIFY(windows.MainWin->isEnabled());
        QCOMPARE(stored(QStringLiteral("name")).toString(), QStringLiteral("Jan"));
        QCOMPARE(stored(QStringLiteral("company")).toString(), QStringLiteral("Firma"));
        QCOMPARE(stored(QStringLiteral("service")).toInt(), 0);
        // Shown again, the dialog reads the store, not what was typed before.
        dialog.show();
        QCOMPARE(dialog.Nazwa->text(), QStringLiteral("Jan"));
        QVERIFY(!dialog.Serwisant->isChecked());
        dialog.Anuluj->click();
    }

    void missingValuesReadAsEmptyAndNoTechnician()
    {
        AppWindows windows = createWindows();
        TUzytkownikWin &dialog = *windows.UzytkownikWin;
        dialog.show();
        QVERIFY(dialog.Nazwa->text().isEmpty());
        QVERIFY(!dialog.Serwisant->isChecked());
        QVERIFY(dialog.Nazwa->isEnabled());
        dialog.OK->click();
        // "OK" always writes all three values.
        QVERIFY(openSettingsStore()->contains(QStringLiteral("name")));
        QVERIFY(openSettingsStore()->contains(QStringLiteral("company")));
        QCOMPARE(stored(QStringLiteral("service")).toInt(), 0);
    }

    void anyNonZeroFlagIsTrue()
    {
        store(QStringLiteral("service"), 7);
        QVERIFY(ReadUserSettings().service);
        store(QStringLiteral("service"), -1);
        QVERIFY(ReadUserSettings().service);
        store(QStringLiteral("service"), 0);
        QVERIFY(!ReadUserSettings().service);
        store(QStringLiteral("service"), QStringLiteral("abc"));
        QVERIFY(!ReadUserSettings().service);
        // Only the 32 bits of the stored integer count.
        store(QStringLiteral("service"), QStringLiteral("4294967296"));
        QVERIFY(!ReadUserSettings().service);
    }

    void olderStoreFillsWhatTheUserStoreLacks()
    {
        QTemporaryDir dir;
        QSettings user(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
        QSettings older(dir.filePath(QStringLiteral("older.ini")), QSettings::IniFormat);
        older.setValue(QStringLiteral("name"), QStringLiteral("Jan"));
        older.setValue(QStringLiteral("company"), QStringLiteral("Vallimor"));
        user.setValue(QStringLiteral("name"), QStringLiteral("Ewa"));
        QCOMPARE(readSetting(user, &older, QStringLiteral("name")), QVariant("Ewa"));
        QCOMPARE(readSetting(user, &older, QStringLiteral("company")), QVariant("Vallimor"));
        QVERIFY(!readSetting(user, &older, QStringLiteral("service")).isValid());
        QVERIFY(!readSetting(user, nullptr, QStringLiteral("company")).isValid());
    }

    void aboutLabelFollowsTheStoredFlag()
    {
        AppWindows windows = createWindows();
        TAboutWin &about = *windows.AboutWin;
        TMainWin &main = *windows.MainWin;
        about.Timer1Timer();
        QVERIFY(about.LabelSerwis->isHidden());

        // Service mode by password does not show the label.
        main.WlaczSerwis();
        main.OProgramie1Click();
        QVERIFY(about.LabelSerwis->isHidden());
        about.Timer1Timer();

        storeUser(QStringLiteral("Jan Kowalski"), QStringLiteral("Vallimor"), 1);
        main.OProgramie1Click();
        QVERIFY(!about.LabelSerwis->isHidden());
        QCOMPARE(about.LabelSerwis->text(), QStringLiteral("SERVICE MODE"));
        QCOMPARE(about.LabelNazwa->text(), QStringLiteral("Jan Kowalski"));
        QCOMPARE(about.LabelFirma->text(), QStringLiteral("Vallimor"));
        about.Timer1Timer();

        store(QStringLiteral("service"), 0);
        main.WylaczSerwis();
        main.OProgramie1Click();
        QVERIFY(about.LabelSerwis->isHidden());
        about.Timer1Timer();
        // Later showings never enter service mode by themselves.
        store(QStringLiteral("service"), 1);
        main.OProgramie1Click();
        about.Timer1Timer();
        QVERIFY(!main.Serwis->menuAction()->isVisible());
    }

    void storedFlagEntersServiceModeAtStart()
    {
        store(QStringLiteral("service"), 1);
        AppWindows windows = createWindows();
        QVERIFY(windows.MainWin->Serwis->menuAction()->isVisible());
        windows.AboutWin->Timer1Timer();
        QVERIFY(windows.MainWin->Send->isVisible());
        QVERIFY(!windows.AboutWin->LabelSerwis->isHidden());

        store(QStringLiteral("service"), 0);
        AppWindows normal = createWindows();
        QVERIFY(!normal.MainWin->Serwis->menuAction()->isVisible());
    }
};

NERIX_TEST(UserDialogTest)
#include "UserDialogTest.moc"
