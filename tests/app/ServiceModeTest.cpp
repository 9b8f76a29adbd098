// Service mode: the password dialog, the service menu and panel, and the toggle between the
// chart and the panel.
#include "TestMain.h"

#include "app/AboutWin.h"
#include "app/HasloWin.h"
#include "app/MainWin.h"
#include "app/ServicePanel.h"
#include "app/Startup.h"
#include "core/Jezyki.h"
#include "measure/Wykres.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {
struct Shown {
    AppWindows windows = createWindows();
    TMainWin &main = *windows.MainWin;
    THasloWin &haslo = *windows.HasloWin;
    Shown() { windows.AboutWin->Timer1Timer(); }

    bool serviceMode() const { return main.Serwis->menuAction()->isVisible(); }
    void drawSomething() const
    {
        for (int i = 0; i < 5; ++i)
            main.Wykres1->AddPoint(i * 0.01);
    }
    // Opens the dialog from the menu and types the text the way a user does.
    void typePassword(const QString &text) const
    {
        main.Ustawieniaserwisowe1->trigger();
        QVERIFY(haslo.isVisible());
        QTest::keyClicks(haslo.TekstHaslo, text);
    }
};
} // namespace

class ServiceModeTest : public QObject {
    Q_OBJECT

private slots:
    void init() { LanguageName = LanguageEnglish; }

    void dialogCaptionsAndOwner()
    {
        Shown s;
        s.main.Ustawieniaserwisowe1->trigger();
        QCOMPARE(s.haslo.windowTitle(), Tekst(46));
        QCOMPARE(s.haslo.Label1->text(), Tekst(47));
        QCOMPARE(s.haslo.Anuluj->text(), Tekst(43));
        QCOMPARE(s.haslo.OK->text(), QStringLiteral("OK"));
        // The main window takes no input while the dialog is shown.
        QVERIFY(!s.main.isEnabled());
        QVERIFY(s.haslo.isEnabled());
        s.haslo.Anuluj->click();
        QVERIFY(!s.haslo.isVisible());
        QVERIFY(s.main.isEnabled());
        QVERIFY(!s.serviceMode());

        LanguageName = LanguagePolish;
        s.main.Ustawieniaserwisowe1->trigger();
        QCOMPARE(s.haslo.windowTitle(), QString::fromUtf8("Hasło"));
        QCOMPARE(s.haslo.Anuluj->text(), QStringLiteral("Anuluj"));
        s.haslo.Anuluj->click();
    }

    void lowerCaseIsTypedAsUpperCaseAndAccepted()
    {
        Shown s;
        s.drawSomething();
        s.typePassword(QStringLiteral("travlik"));
        QCOMPARE(s.haslo.TekstHaslo->text(), QStringLiteral("TRAVLIK"));
        QCOMPARE(s.haslo.TekstHaslo->displayText(), QStringLiteral("*******"));
        QTest::keyClick(s.haslo.TekstHaslo, Qt::Key_Return);
        QVERIFY(!s.haslo.isVisible());
        QVERIFY(s.main.isEnabled());
        QVERIFY(s.serviceMode());
        QVERIFY(s.main.Send->isVisible());
        QVERIFY(s.main.PokazSerwis->isVisibleTo(&s.main));
        QCOMPARE(s.main.Wykres1->Ilosc(), 0);
        // The edit is emptied for the next time.
        QVERIFY(s.haslo.TekstHaslo->text().isEmpty());
    }

    void nearMissesAreRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("trailing blank") << QStringLiteral("TRAVLIK ");
        QTest::newRow("longer") << QStringLiteral("TRAVLIKS");
        QTest::newRow("shorter") << QStringLiteral("TRAVLI");
        QTest::newRow("empty") << QString();
    }
    void nearMissesAreRefused()
    {
        QFETCH(QString, typed);
        Shown s;
        s.drawSomething();
        s.typePassword(typed);
        QTest::keyClick(s.haslo.TekstHaslo, Qt::Key_Enter);
        QVERIFY(!s.haslo.isVisible());
        QVERIFY(s.main.isEnabled());
        QVERIFY(!s.serviceMode());
        QVERIFY(!s.main.Send->isVisible());
        QVERIFY(s.main.Wykres1->Ilosc() > 0);
        QVERIFY(s.haslo.TekstHaslo->text().isEmpty());
    }

    void atMost12Characters()
    {
        Shown s;
        s.typePassword(QStringLiteral("abcdefghijklmnop"));
        QCOMPARE(s.haslo.TekstHaslo->text(), QStringLiteral("ABCDEFGHIJKL"));
        s.haslo.Anuluj->click();
    }

    void passwordAgainShowsTheHiddenPanelAndClearsTheChart()
    {
        Shown s;
        s.main.WlaczSerwis();
        s.main.Send->UkrysSerwis->click();
        QVERIFY(!s.main.Send->isVisible());
        QVERIFY(s.serviceMode());
        s.drawSomething();
        s.typePassword(QStringLiteral("TRAVLIK"));
        s.haslo.OK->click();
        QVERIFY(s.main.Send->isVisible());
        QCOMPARE(s.main.Wykres1->Ilosc(), 0);
    }

    void hideAndShowThePanelAtOnePlace()
    {
        Shown s;
        s.main.WlaczSerwis();
        QWidget *client = s.main.centralWidget();
        QCOMPARE(s.main.Send->geometry(), QRect(8, 168, 529, 217));
        QCOMPARE(s.main.PokazSerwis->geometry(), QRect(504, 352, 25, 25));
        QCOMPARE(QRect(s.main.Send->UkrysSerwis->mapTo(client, QPoint(0, 0)), QSize(25, 25)),
            s.main.PokazSerwis->geometry());

        // A click at that point of the window toggles between the panel and the chart.
        QWidget *hit = client->childAt(QPoint(510, 360));
        QCOMPARE(hit, static_cast<QWidget *>(s.main.Send->UkrysSerwis));
        QTest::mouseClick(hit, Qt::LeftButton);
        QVERIFY(!s.main.Send->isVisible());
        QVERIFY(s.serviceMode());
        hit = client->childAt(QPoint(510, 360));
        QCOMPARE(hit, static_cast<QWidget *>(s.main.PokazSerwis));
        QTest::mouseClick(hit, Qt::LeftButton);
        QVERIFY(s.main.Send->isVisible());
    }

    void leavingServiceMode()
    {
        Shown s;
        s.main.WlaczSerwis();
        s.drawSomething();
        s.main.Wyjdztryb1->trigger();
        QVERIFY(!s.serviceMode());
        QVERIFY(!s.main.Send->isVisible());
        QVERIFY(!s.main.PokazSerwis->isVisible());
        QCOMPARE(s.main.Wykres1->Ilosc(), 0);
    }
};

NERIX_TEST(ServiceModeTest)
#include "ServiceModeTest.moc"
