#include "Windows.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace kemuyi {

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
    const QRect area = screen->availableGeometry();
    window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
}

} // namespace kemuyi
