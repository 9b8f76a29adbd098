#pragma once
// Program start-up up to, and not including, the event loop: the application's title, the
// windows in their order (about window first), the language, the about window shown, the
// watch for an end from outside (signals, the end of the session), and the offer of
// interrupted recordings when the main window first appears.
#include <memory>

class TAboutWin;
class TMainWin;
class THasloWin;
class TUzytkownikWin;
class TkKalibracja;

struct AppWindows {
    std::unique_ptr<TAboutWin> AboutWin;
    std::unique_ptr<TMainWin> MainWin;
    std::unique_ptr<THasloWin> HasloWin;
    std::unique_ptr<TUzytkownikWin> UzytkownikWin;
    std::unique_ptr<TkKalibracja> kKalibracja;

    AppWindows();
    AppWindows(AppWindows &&) noexcept;
    AppWindows &operator=(AppWindows &&) noexcept;
    ~AppWindows();
};

// Needs a QApplication. Returns the windows; they live as long as the returned object.
AppWindows createWindows();
