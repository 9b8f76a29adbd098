#pragma once
// Every window of the program that opens in the middle of the screen goes there this way.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

inline void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}
