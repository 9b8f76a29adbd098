// The dialogs that disable the main window enable it again however they end.
#include "TestMain.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"

#include "app/HasloWin.h"
#include "app/JezykWin.h"
#include "app/MainWin.h"
#include "app/Startup.h"
#include "app/UzytkownikWin.h"
#include "core/Jezyki.h"
#include "serial/CPort.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class DialogOwnerTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    void mainWindowIsEnabledAgain_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("ending");
        for (const char *dialog : {"language", "password", "user"})
            for (const char *ending : {"escape", "close box", "destroyed"})
                QTest::addRow("%s, %s", dialog, ending) << dialog << ending;
    }

    void mainWindowIsEnabledAgain()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, ending);
        AppWindows windows = createWindows();
        TMainWin &main = *windows.MainWin;
        QWidget *shown = nullptr;
        if (dialog == QLatin1String("language")) {
            main.ZmienJezyk->trigger();
            shown = main.findChild<TJezyk *>();
        } else if (dialog == QLatin1String("password")) {
            main.Ustawieniaserwisowe1->trigger();
            shown = windows.HasloWin.get();
        } else {
            main.Zmieuytkownika1->trigger();
            shown = windows.UzytkownikWin.get();
        }
        QVERIFY(shown != nullptr && shown->isVisible());
        QVERIFY(!main.isEnabled());

        if (ending == QLatin1String("escape"))
            QTest::keyClick(shown, Qt::Key_Escape);
        else if (ending == QLatin1String("close box"))
            shown->close();
        else if (shown == windows.HasloWin.get())
            windows.HasloWin.reset();
        else if (shown == windows.UzytkownikWin.get())
            windows.UzytkownikWin.reset();
        else
            delete shown;
        QVERIFY(main.isEnabled());
    }

    // Enabling the window again must not enable what the link or the recording keeps disabled
    // (the port choice while connected, among others).
    void itemsKeepTheirStateThroughADialog_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("language, OK") << QStringLiteral("language");
        QTest::newRow("password, cancelled") << QStringLiteral("password");
    }

    void itemsKeepTheirStateThroughADialog()
    {
        QFETCH(QString, dialog);
        PtyPair pty;
        mapTestPort(1, QString::fromStdString(pty.slavePath()));
        QTemporaryDir dir;
        AppWindows windows = createWindows();
        TMainWin &main = *windows.MainWin;
        main.Questions.recordingStep = [] { return 1; };
        main.Questions.saveDataFile = [&dir] { return dir.filePath(QStringLiteral("r.N3D")); };
        main.S_Polacz->click();
        main.S_Zapisz->click();
        QVERIFY(main.ComPort1->Connected() && main.Zapisywanie());
        const auto states = [&main] {
            QStringList on;
            const auto add = [&on](const QString &name, bool enabled) {
                if (!name.isEmpty())
                    on << name + (enabled ? QStringLiteral(" on") : QStringLiteral(" off"));
            };
            for (const QWidget *widget : main.findChildren<QWidget *>())
                add(widget->objectName(), widget->isEnabled());
            for (const QAction *action : main.findChildren<QAction *>())
                add(action->objectName(), action->isEnabled());
            for (const QMenu *menu : main.findChildren<QMenu *>())
                add(menu->objectName() + QStringLiteral(" entry"), menu->menuAction()->isEnabled());
            return on;
        };
        const QStringList before = states();

        if (dialog == QLatin1String("language")) {
            main.ZmienJezyk->trigger();
            const QPointer<TJezyk> jezyk = main.findChild<TJezyk *>();
            jezyk->OK->click();
            QTRY_VERIFY(jezyk.isNull()); // its controls are the window's no more
        } else {
            main.Ustawieniaserwisowe1->trigger();
            windows.HasloWin->Anuluj->click();
        }
        QVERIFY(main.isEnabled());
        QCOMPARE(states(), before);
        QCOMPARE(main.S_Zapisz->text(), Tekst(34)); // a new language keeps "stop recording"
    }
};

NERIX_TEST(DialogOwnerTest)
#include "DialogOwnerTest.moc"
