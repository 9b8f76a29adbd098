#pragma once
// Helpers for the program's dialog windows.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// Puts a window in the middle of the screen.
inline void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

// A dialog that edits something for its owner window disables the owner from this call until
// the dialog next hides or is destroyed, so that the owner comes back however the dialog ends:
// its own buttons, Escape (which hides a dialog without a close event), the close box, or the
// dialog destroyed while open. The dialog is a window of its own, so it stays usable while its
// owner is disabled.
void disableOwnerWhileShown(QWidget *owner, QWidget *dialog);
