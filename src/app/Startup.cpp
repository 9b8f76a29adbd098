#include "app/Startup.h"

#include "app/AboutWin.h"
#include "app/EndOfSession.h"
#include "app/HasloWin.h"
#include "app/MainWin.h"
#include "app/QtTranslation.h"
#include "app/UzytkownikWin.h"
#include "calib/KalibracjaMain.h"

#include <QApplication>

AppWindows::AppWindows() = default;
AppWindows::AppWindows(AppWindows &&) noexcept = default;
AppWindows &AppWindows::operator=(AppWindows &&) noexcept = default;

AppWindows::~AppWindows()
{
    // Windows go in the reverse order of their creation.
    kKalibracja.reset();
    UzytkownikWin.reset();
    HasloWin.reset();
    MainWin.reset();
    AboutWin.reset();
}

AppWindows createWindows()
{
    // The application's title names its message boxes. No display name is set: the window
    // system would append it to every window's own caption.
    QApplication::setApplicationName(QStringLiteral("Nerix"));
    // The program ends when the main window closes, not when its last window hides.
    QApplication::setQuitOnLastWindowClosed(false);

    AppWindows windows;
    windows.AboutWin = std::make_unique<TAboutWin>();
    FollowLanguageInQtTexts(); // the about window has chosen English
    windows.MainWin = std::make_unique<TMainWin>();
    windows.HasloWin = std::make_unique<THasloWin>(windows.MainWin.get());
    windows.UzytkownikWin = std::make_unique<TUzytkownikWin>(windows.MainWin.get());
    windows.kKalibracja = std::make_unique<TkKalibracja>(windows.MainWin.get());

    windows.AboutWin->setMainWin(windows.MainWin.get());
    windows.MainWin->setAboutWin(windows.AboutWin.get());
    windows.MainWin->setDialogs(
        windows.HasloWin.get(), windows.UzytkownikWin.get(), windows.kKalibracja.get());
    // A recording's results reach the disk before the program is ended from outside, and what
    // such an end (or a crash) left behind is offered once the main window appears.
    TMainWin *main = windows.MainWin.get();
    WatchEndOfSession(main, [main](bool mustQuit) { main->EndFromOutside(mustQuit); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, main,
        [main] { main->EndFromOutside(false); });
    main->OfferRecoveryWhenShown();
    windows.AboutWin->show();
    return windows;
}
