#include "EventWait.h"

#include "HoverTracker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace kemuyi {

void waitProcessingEvents(int ms)
{
    HoverPause noHoverSwaps;
    QElapsedTimer clock;
    clock.start();
    // Wakes the blocked queue when the time is up even if nothing else happens.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(ms);
    do {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    } while (clock.elapsed() < ms);
}

} // namespace kemuyi
