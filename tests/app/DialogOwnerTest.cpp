// The dialogs that disable the main window enable it again however they end.
#include "TestMain.h"

#include "app/HasloWin.h"
#include "app/JezykWin.h"
#include "app/MainWin.h"
#include "app/Startup.h"
#include "app/UzytkownikWin.h"
#include "core/Jezyki.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
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
};

NERIX_TEST(DialogOwnerTest)
#include "DialogOwnerTest.moc"
