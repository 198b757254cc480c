#include "Support.h"

#include "app/Startup.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "bank/BankStore.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

void waitWithoutEvents(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QThread::msleep(5);
}

} // namespace

// Runs first: the application title is still the platform's default derived from the program.
TEST(Startup, MissingPicturesAreReportedUnderTheTitleOfTheirTime)
{
    Sandbox sandbox;
    FailureLog failures;
    const QString defaultTitle = QGuiApplication::applicationDisplayName();
    ASSERT_NE(defaultTitle, applicationTitle());

    StartedWindows windows = runStartup({20, {}});
    ASSERT_TRUE(windows.form1);
    ASSERT_TRUE(windows.form2);
    ASSERT_EQ(failures.messages().size(), 3);
    EXPECT_EQ(failures.captions().at(0), defaultTitle);
    EXPECT_TRUE(failures.messages().at(0).contains(sandbox.appDir() + QStringLiteral("logo.jpg")));
    EXPECT_EQ(failures.captions().at(1), applicationTitle());
    EXPECT_TRUE(failures.messages().at(1).contains(QStringLiteral("bground1.jpg")));
    EXPECT_TRUE(failures.messages().at(2).contains(QStringLiteral("bground2.jpg")));
    // The built-in background stays; the failed picture also kept the bank from being copied.
    EXPECT_FALSE(windows.form1->Image1->picture().isNull());
    EXPECT_FALSE(QFile::exists(workingCopyPath()));
}

TEST(Startup, CreatingTheMenuCopiesTheBank)
{
    Sandbox sandbox;
    FailureLog failures;
    writeJpeg(sandbox.appDir() + QStringLiteral("bground1.jpg"), solidImage(690, 450, qRgb(1, 2, 3)));
    writeBytes(sandbox.appDir() + QStringLiteral("examdb.lib"), QByteArray("bank bytes"));
    TForm1 form;
    EXPECT_TRUE(failures.messages().isEmpty());
    EXPECT_EQ(readBytes(workingCopyPath()), QByteArray("bank bytes"));
    EXPECT_EQ(form.size(), QSize(690, 450));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST(Startup, SplashStaysForItsTimeWhenCreationIsFast)
{
    Sandbox sandbox;
    FailureLog failures;
    QElapsedTimer clock;
    clock.start();
    StartedWindows windows = runStartup({150, {}});
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_FALSE(windows.form2->isVisible());
}

TEST(Startup, SplashClosesRightAfterSlowCreation)
{
    Sandbox sandbox;
    FailureLog failures;
    QElapsedTimer clock;
    clock.start();
    // Creation outlasts the splash's time without giving the timer a chance to be delivered.
    StartedWindows windows = runStartup({50, [] { waitWithoutEvents(300); }});
    EXPECT_GE(clock.elapsed(), 300);
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST(Startup, SplashAgreesToCloseOnlyAfterItsTimer)
{
    Sandbox sandbox;
    FailureLog failures;
    TSplashScreen splash(60'000);
    splash.show();
    EXPECT_EQ(splash.size(), QSize(432, 293));
    EXPECT_EQ(splash.Image1->size(), QSize(440, 300));
    EXPECT_EQ(splash.cursor().shape(), Qt::BusyCursor);
    EXPECT_FALSE(splash.close());
    EXPECT_TRUE(splash.isVisible());
    splash.Timer1Timer();
    EXPECT_TRUE(splash.close());
    EXPECT_FALSE(splash.isVisible());
}
