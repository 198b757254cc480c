#pragma once

class QDeadlineTimer;
class QWidget;

namespace kemuyi {

// Waits `ms` milliseconds while the window stays responsive: clicks, keys and timers are handled
// during the wait, and nothing done during the wait cancels it. It blocks on the event queue
// instead of spinning, and holds hover swaps off meanwhile.
void waitProcessingEvents(int ms);

// The same, until `deadline`, which the events handled during the wait may move: it is read
// again after every batch of events.
void waitProcessingEvents(const QDeadlineTimer &deadline);

// Handles events until the window system has exposed `window` (a paint before that is dropped),
// for at most `maxMs` milliseconds; hover swaps are held off meanwhile.
void waitUntilExposed(QWidget &window, int maxMs);

} // namespace kemuyi
