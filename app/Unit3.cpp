#include "Unit3.h"

#include "common/AppPaths.h"
#include "picture/LoadPicture.h"
#include "ui/Controls.h"
#include "ui/FailureReport.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

#include <QCloseEvent>

namespace kemuyi {

TSplashScreen::TSplashScreen(int intervalMs, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SplashScreen"));
    setUpFixedWindow(*this, 432, 293);
    setCursor(Qt::BusyCursor);

    Image1 = pictureBox(this, "Image1", {0, 0, 440, 300});
    guardEvent([this] { LoadBuiltInPicture(*Image1, QStringLiteral(":/builtin/logo.jpg")); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(intervalMs);
    connect(Timer1, &QTimer::timeout, this, &TSplashScreen::Timer1Timer);
    Timer1->start();

    guardEvent([this] { FormCreate(); });
}

void TSplashScreen::FormCreate()
{
    LoadPicture(*Image1, AppDir() + QStringLiteral("logo.jpg"));
}

void TSplashScreen::Timer1Timer()
{
    Timer1->stop();
}

void TSplashScreen::closeEvent(QCloseEvent *event)
{
    // FormCloseQuery: the splash stays until its time is up.
    if (timerFired())
        event->accept();
    else
        event->ignore();
}

} // namespace kemuyi
