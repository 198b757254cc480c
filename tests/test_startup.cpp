#include "Support.h"

#include "app/Startup.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "bank/BankStore.h"
#include "exam/ProgressStore.h"
#include "ui/FailureReport.h"
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

// The splash on screen, if any.
TSplashScreen *visibleSplash()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *splash = qobject_cast<TSplashScreen *>(window); splash && splash->isVisible())
            return splash;
    }
    return nullptr;
}

// Counts the timer events one object receives.
class TimerEventCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Timer ? 1 : 0;
        return false;
    }
};

} // namespace

TEST(Startup, MissingPicturesAreReportedUnderTheTitleOfTheirTime)
{
    Sandbox sandbox;
    FailureLog failures;
    // Whatever an earlier start-up in this process left: the splash reports under it.
    const QString before = QStringLiteral("before start-up");
    QGuiApplication::setApplicationDisplayName(before);

    StartedWindows windows = runStartup({20, {}});
    ASSERT_TRUE(windows.form1);
    ASSERT_TRUE(windows.form2);
    ASSERT_EQ(failures.messages().size(), 3);
    EXPECT_EQ(failures.captions().at(0), before);
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

TEST(Startup, SplashStaysUntilItsTimerFiresWhenCreationIsFast)
{
    Sandbox sandbox;
    FailureLog failures;
    TimerEventCounter splashTimer;
    bool timerPendingAfterCreation = false;
    StartedWindows windows = runStartup({150, [&] {
        TSplashScreen *splash = visibleSplash();
        ASSERT_TRUE(splash);
        timerPendingAfterCreation = !splash->timerFired();
        splash->Timer1->installEventFilter(&splashTimer);
    }});
    ASSERT_TRUE(timerPendingAfterCreation);
    EXPECT_EQ(splashTimer.count, 1); // the wait lasted until the timer came
    EXPECT_EQ(visibleSplash(), nullptr);
    EXPECT_FALSE(windows.form2->isVisible());
}

TEST(Startup, TheProgressFileIsOpenedBehindTheSplash)
{
    Sandbox sandbox;
    FailureLog failures;
    bool openDuringSplash = false;
    StartedWindows windows = runStartup({50, [&] {
        openDuringSplash = visibleSplash() != nullptr && QFile::exists(progressStorePath());
    }});
    EXPECT_TRUE(openDuringSplash);
}

TEST(Startup, SplashClosesAfterCreationThatOutlastsIt)
{
    Sandbox sandbox;
    FailureLog failures;
    bool splashDuringCreation = false;
    // Creation outlasts the splash's time without giving its timer a chance to be delivered; the
    // wait then takes the overdue timer and ends. How soon is measured in bench/.
    StartedWindows windows = runStartup({50, [&] {
        splashDuringCreation = visibleSplash() != nullptr;
        waitWithoutEvents(200);
    }});
    EXPECT_TRUE(splashDuringCreation);
    EXPECT_EQ(visibleSplash(), nullptr);
    EXPECT_TRUE(windows.form1);
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

// The splash keeps the time its creator gives it, not the usual three seconds.
TEST(Startup, SplashKeepsTheIntervalItIsGiven)
{
    Sandbox sandbox;
    FailureLog failures;
    QElapsedTimer clock;
    clock.start();
    TSplashScreen splash(200);
    splash.show();
    while (!splash.timerFired() && clock.elapsed() < 10'000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const qint64 shown = clock.elapsed();
    EXPECT_GE(shown, 190);
    EXPECT_LT(shown, 2500) << "the splash stayed " << shown << " ms instead of 200 ms";
    EXPECT_TRUE(splash.close());
}

TEST(FailureReport, AFullStopOfItsScriptEndsAMessageNotClosedAlready)
{
    FailureLog failures;
    QGuiApplication::setApplicationDisplayName(applicationTitle());
    const std::pair<const char *, const char *> cases[] = {
        {"无法加载图片 a.jpg：文件不存在", "无法加载图片 a.jpg：文件不存在。"},
        {"无法打开题库文件 /x/examdb.lib", "无法打开题库文件 /x/examdb.lib。"},
        {"学习记录将重新开始。", "学习记录将重新开始。"},
        {"成绩不会保存！", "成绩不会保存！"},
        {"找不到临时目录（TMPDIR=/x）", "找不到临时目录（TMPDIR=/x）"},
        {"题号“x”", "题号“x”"},
        {"code 42", "code 42."},
        {"a/", "a/."},  // just after "."
        {"done.", "done."},
        {"a-", "a-"},   // just before "."
        {"stop!", "stop!"},
        {"", ""},
    };
    QStringList expected;
    for (const auto &[message, shown] : cases) {
        EXPECT_FALSE(guardEvent([message = message] { throw Failure(QString::fromUtf8(message)); }));
        expected.append(QString::fromUtf8(shown));
    }
    EXPECT_EQ(failures.messages(), expected);
    EXPECT_EQ(failures.captions(), QStringList(int(std::size(cases)), applicationTitle()));
}
