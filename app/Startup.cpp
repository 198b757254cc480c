#include "Startup.h"

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "ui/Fonts.h"
#include "ui/HoverTracker.h"

#include <QApplication>

namespace kemuyi {

QString applicationTitle()
{
    return QStringLiteral("中华人民共和国机动车驾驶人学科考试题库");
}

StartedWindows runStartup(const StartupOptions &options)
{
    // Qt needs its application object before any window, so the framework is set up by the
    // caller; the splash still comes first among the windows and is painted at once.
    auto splash = std::make_unique<TSplashScreen>(options.splashIntervalMs);
    splash->show();
    splash->repaint();

    QGuiApplication::setApplicationDisplayName(applicationTitle());

    StartedWindows windows;
    windows.form1 = std::make_unique<TForm1>();
    windows.form2 = new TForm2(windows.form1.get());
    if (options.afterWindowsCreated)
        options.afterWindowsCreated();

    // Waits on the event queue, not in a spin: timers, clicks and paints are handled meanwhile,
    // and the wait ends when the splash's timer has fired or at once if it already has.
    {
        HoverPause noHoverSwaps;
        while (!splash->timerFired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    splash->close();
    splash.reset();
    return windows;
}

int runProgram(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerFontSubstitutions();
    StartedWindows windows = runStartup();
    windows.form1->show();
    return app.exec();
}

} // namespace kemuyi
