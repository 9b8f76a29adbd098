// Start-up order, the about window and the end of the program.
#include "TestMain.h"

#include "app/AboutWin.h"
#include "app/HasloWin.h"
#include "app/MainWin.h"
#include "app/Startup.h"
#include "app/UzytkownikWin.h"
#include "calib/KalibracjaMain.h"
#include "core/Jezyki.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void windowsAndTheirShapes()
    {
        AppWindows windows = createWindows();
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Nerix"));
        TAboutWin &about = *windows.AboutWin;
        TMainWin &main = *windows.MainWin;
        QVERIFY(about.isVisible());
        QVERIFY(!main.isVisible());
        QCOMPARE(about.size(), QSize(376, 260));
        QVERIFY(about.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(about.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(about.Timer1->interval(), 5000);
        QVERIFY(about.Timer1->isActive());

        QCOMPARE(main.windowTitle(), QStringLiteral("Vallimor - Nerix 3.1"));
        QVERIFY(!(main.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(main.centralWidget()->size(), QSize(665, 411));
        for (const char *name : {"HasloWin", "UzytkownikWin", "kKalibracja"})
            QVERIFY(windows.HasloWin->objectName() == QLatin1String(name)
                || windows.UzytkownikWin->objectName() == QLatin1String(name)
                || windows.kKalibracja->objectName() == QLatin1String(name));

        // Areas of the client area at their places.
        auto geometryOf = [&](const char *name) {
            auto *w = main.findChild<QWidget *>(QString::fromLatin1(name));
            return w ? w->geometry() : QRect();
        };
        QCOMPARE(geometryOf("PanelWynik"), QRect(8, 8, 217, 153));
        QCOMPARE(geometryOf("PanelStat"), QRect(232, 8, 153, 89));
        QCOMPARE(geometryOf("PanelFiltr"), QRect(232, 104, 153, 57));
        QCOMPARE(geometryOf("PanelSterowanie"), QRect(391, 8, 146, 153));
        QCOMPARE(geometryOf("PanelSkala"), QRect(544, 8, 113, 377));
        QCOMPARE(geometryOf("Wykres1"), QRect(8, 168, 529, 217));
        QCOMPARE(geometryOf("TrackBar1"), QRect(8, 381, 529, 15));
        QCOMPARE(geometryOf("StatusBar1"), QRect(0, 390, 665, 21));
        QCOMPARE(main.StatusPanel0->width(), 200);
        QCOMPARE(main.StatusPanel1->width(), 200);

        // Initial states of the menu and controls.
        QVERIFY(!main.Zapisz1->isEnabled());
        QVERIFY(!main.Zakoncz->isEnabled());
        QVERIFY(main.Minmax1->isChecked());
        QVERIFY(main.Danezurzdzenia1->isChecked());
        QVERIFY(!main.Serwis->menuAction()->isVisible());
        QVERIFY(main.COM11->isChecked());
        QVERIFY(!main.COM21->isChecked());
        QCOMPARE(main.OProgramie1->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(main.Otwrz1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QVERIFY(!main.S_Zapisz->isEnabled());
        QVERIFY(main.Dane->isChecked());
        QVERIFY(!main.filtr->isChecked());
        QCOMPARE(main.Tau->text(), QStringLiteral("0,05"));
        QVERIFY(main.Autoskalowanie->isChecked());
        QCOMPARE(main.W->value(), 52);
        QCOMPARE(main.O->value(), 500);
        QVERIFY(!main.W->isEnabled() && !main.O->isEnabled());
        QVERIFY(main.TrackBar1->isHidden());
        QVERIFY(main.OneWynik->isHidden());
        QVERIFY(main.Falka->isHidden());
        QVERIFY(main.STemp->isHidden());
    }

    // The shown scroll bar of a long file leaves every pixel of the status bar's text alone.
    void fileScrollBarLeavesTheStatusTextAlone()
    {
        TMainWin main;
        const QLabel *panel = main.StatusPanel0;
        const QRect text(panel->mapTo(&main, panel->contentsRect().topLeft()),
            panel->contentsRect().size());
        const QImage without = main.grab(text).toImage();
        main.TrackBar1->show();
        const QImage with = main.grab(text).toImage();
        const QRgb paper = without.pixel(without.width() - 1, without.height() / 2);
        int ink = 0;
        for (int y = 0; y < without.height(); ++y)
            for (int x = 0; x < without.width(); ++x)
                if (without.pixel(x, y) != paper) {
                    ++ink;
                    QVERIFY2(with.pixel(x, y) == without.pixel(x, y),
                        qPrintable(QStringLiteral("covered at %1,%2").arg(x).arg(y)));
                }
        QVERIFY(ink > 0);
    }

    void clickOnSplashShowsMainWindowAtOnce()
    {
        AppWindows windows = createWindows();
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(windows.AboutWin.get(), Qt::LeftButton, {}, QPoint(100, 100));
        QTRY_VERIFY(windows.MainWin->isVisible());
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(!windows.AboutWin->isVisible());
        QVERIFY(!windows.AboutWin->Timer1->isActive());
        QVERIFY(windows.MainWin->isEnabled());
    }

    void splashTimerShowsMainWindow()
    {
        AppWindows windows = createWindows();
        windows.AboutWin->Timer1->setInterval(50); // the 5 s wait itself, shortened
        windows.AboutWin->Timer1->start();
        QTRY_VERIFY(windows.MainWin->isVisible());
        QVERIFY(!windows.AboutWin->isVisible());
    }

    void aboutShowsThePictureOfTheCurrentLanguage()
    {
        AppWindows windows = createWindows();
        TMainWin &main = *windows.MainWin;
        TAboutWin &about = *windows.AboutWin;
        QVERIFY(about.ImageAng->isVisible());
        QVERIFY(!about.ImagePol->isVisible());
        about.Timer1Timer();
        QVERIFY(main.isVisible());

        LanguageName = LanguagePolish;
        main.ApplyLanguage();
        // F1 reaches the action only in the active window, and a window system without a
        // window manager (Wine on a bare X display) may take the activation back at any time:
        // the key is checked on the action, and the action itself is triggered.
        QCOMPARE(main.OProgramie1->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(main.OProgramie1->shortcutContext(), Qt::WindowShortcut);
        main.OProgramie1->trigger();
        QTRY_VERIFY(about.isVisible());
        QVERIFY(!main.isVisible());
        QVERIFY(about.Timer1->isActive());
        QVERIFY(about.ImagePol->isVisible());
        QVERIFY(!about.ImageAng->isVisible());
        QCOMPARE(about.LabelSerwis->text(), QStringLiteral("TRYB SERWISOWY"));
        QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_VERIFY(main.isVisible());
        LanguageName = LanguageEnglish;
    }

    void closingTheMainWindowEndsTheProgram()
    {
        AppWindows windows = createWindows();
        windows.AboutWin->Timer1Timer();
        bool quitAsked = false;
        QObject context;
        QTimer::singleShot(0, &context, [&] { windows.MainWin->close(); });
        // A guard in case the close did not end the loop.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        guard.start(5000);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, &context, [&] { quitAsked = true; });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(quitAsked);
    }
};

NERIX_TEST(StartupTest)
#include "StartupTest.moc"
