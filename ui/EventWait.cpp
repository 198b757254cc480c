#include "EventWait.h"

#include "HoverTracker.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace kemuyi {

void waitProcessingEvents(int ms)
{
    const QDeadlineTimer deadline(ms, Qt::PreciseTimer);
    waitProcessingEvents(deadline);
}

void waitProcessingEvents(const QDeadlineTimer &deadline)
{
    HoverPause noHoverSwaps;
    // Wakes the blocked queue when the time is up even if nothing else happens.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    do {
        wake.start(int(qMax<qint64>(0, deadline.remainingTime())));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    } while (!deadline.hasExpired());
}

void waitUntilExposed(QWidget &window, int maxMs)
{
    const QDeadlineTimer deadline(maxMs);
    const auto exposed = [&window] { return window.windowHandle() && window.windowHandle()->isExposed(); };
    HoverPause noHoverSwaps;
    QTimer wake;
    wake.setSingleShot(true);
    while (!exposed() && !deadline.hasExpired()) {
        wake.start(int(qMax<qint64>(0, deadline.remainingTime())));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

} // namespace kemuyi
