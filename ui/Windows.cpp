#include "Windows.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace kemuyi {

namespace {

// Half of `value`, rounded down also when the window is larger than the screen.
int halfRoundedDown(int value)
{
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

} // namespace

void setUpFixedWindow(QWidget &window, int width, int height)
{
    window.setWindowFlag(Qt::FramelessWindowHint, true);
    window.setFixedSize(width, height);
    window.setBackgroundRole(QPalette::Button);
    window.setAutoFillBackground(true);
    centerOnScreen(window);
}

void centerOnScreen(QWidget &window)
{
    QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The whole screen, not the work area; the odd pixel goes to the right and bottom.
    const QRect area = screen->geometry();
    window.move(area.x() + halfRoundedDown(area.width() - window.width()),
                area.y() + halfRoundedDown(area.height() - window.height()));
}

void returnKeyboardTo(QWidget &window)
{
    if (!window.isVisible())
        return;
    window.raise();
    window.activateWindow();
}

} // namespace kemuyi
