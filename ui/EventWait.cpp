#include "EventWait.h"

#include "HoverTracker.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

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

} // namespace kemuyi
