// The dialogs that disable the main window leave every control and menu item as they found it,
// with the meter connected and a recording going on.
#include "TestMain.h"
#include "common/PortMap.h"
#include "common/PtyPair.h"

#include "app/HasloWin.h"
#include "app/JezykWin.h"
#include "app/MainWin.h"
#include "app/Startup.h"
#include "core/Jezyki.h"
#include "serial/CPort.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class PosixDialogOwnerTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

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

NERIX_TEST(PosixDialogOwnerTest)
#include "PosixDialogOwnerTest.moc"
