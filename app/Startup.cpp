#include "Startup.h"

#include "Progress.h"
#include "bank/BankStore.h"
#include "exam/ProgressStore.h"

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "ui/EventWait.h"
#include "ui/InterfaceScale.h"
#include "ui/LearnerSettings.h"
#include "ui/Speech.h"
#include "ui/Fonts.h"
#include "ui/HoverTracker.h"

#include <QApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace kemuyi {

QString applicationTitle()
{
    return QStringLiteral("中华人民共和国机动车驾驶人学科考试题库");
}

namespace {

// Long enough for any window system that answers at all; a display that never exposes the
// splash must not hold up the start.
constexpr int kSplashExposureWaitMs = 2000;

} // namespace

StartedWindows::StartedWindows() = default;
StartedWindows::StartedWindows(StartedWindows &&) noexcept = default;
StartedWindows &StartedWindows::operator=(StartedWindows &&other) noexcept
{
    // The old windows go before the progress file they write to.
    form1 = std::move(other.form1);
    form2 = other.form2;
    progress = std::move(other.progress);
    return *this;
}
StartedWindows::~StartedWindows() = default;

#ifdef Q_OS_UNIX
namespace {

int terminateSocket[2] = {-1, -1};
bool terminateRequested = false;

void onTerminateSignal(int)
{
    // The interrupted code may be about to read errno.
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(terminateSocket[0], &byte, 1);
    errno = savedErrno;
}

// A desktop session ending (SIGTERM) or Ctrl+C in a terminal ends the program in order, as
// closing the menu would, instead of killing the process mid-event or mid-copy. A signal
// handler may only write to a socket; the loop picks the byte up.
void quitOnTerminateSignals(QApplication &app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, terminateSocket) != 0)
        return;
    auto *notifier = new QSocketNotifier(terminateSocket[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(terminateSocket[1], &byte, 1);
        terminateRequested = true;
        // Ends every loop running, not only the main one: a failure box, the modal practice
        // window, or the start-up before the main loop has begun, where quit() does nothing.
        // A box opened after this returns at once.
        QCoreApplication::exit(0);
    });
    struct sigaction action = {};
    action.sa_handler = onTerminateSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace
#endif

namespace {

bool terminationRequested()
{
#ifdef Q_OS_UNIX
    return terminateRequested;
#else
    return false;
#endif
}

} // namespace

StartedWindows runStartup(const StartupOptions &options)
{
    // Qt needs its application object before any window, so the framework is set up by the
    // caller; the splash still comes first among the windows and is painted at once.
    setInterfaceScale(startingSizePercent() / 100.0);
    auto splash = std::make_unique<TSplashScreen>(options.splashIntervalMs);
    splash->show();
    // The window system drops a paint of a window it has not exposed yet, which would leave the
    // splash black through the slow steps below; so it is painted once it is on screen.
    waitUntilExposed(*splash, kSplashExposureWaitMs);
    splash->repaint();

    QGuiApplication::setApplicationDisplayName(applicationTitle());

    StartedWindows windows;
    windows.form1 = std::make_unique<TForm1>();
    windows.form2 = new TForm2(windows.form1.get());
    windows.form1->setPracticeWindow(windows.form2);
    windows.progress = std::make_unique<LearnerProgress>(progressStorePath(), workingCopyPath());
    windows.form2->setProgress(windows.progress.get());
    // Opened here, behind the splash, so that the first judged answer does not wait for it.
    windows.progress->store();
    windows.speech = makeSystemSpeech();
    windows.form2->setSpeech(windows.speech.get());
    if (options.afterWindowsCreated)
        options.afterWindowsCreated();

    // Waits on the event queue, not in a spin: timers, clicks and paints are handled meanwhile,
    // and the wait ends when the splash's timer has fired or at once if it already has.
    {
        HoverPause noHoverSwaps;
        while (!splash->timerFired() && !terminationRequested())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    splash->close();
    splash.reset();
    return windows;
}

int runProgram(int argc, char **argv)
{
    QApplication app(argc, argv);
#ifdef Q_OS_UNIX
    quitOnTerminateSignals(app);
#endif
    registerFontSubstitutions();
    StartedWindows windows = runStartup();
    // Asked to stop during start-up, before the main loop could take the request.
    if (terminationRequested())
        return 0;
    windows.form1->show();
    return app.exec();
}

} // namespace kemuyi
