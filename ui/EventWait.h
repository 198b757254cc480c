#pragma once

class QDeadlineTimer;

namespace kemuyi {

// Waits `ms` milliseconds while the window stays responsive: clicks, keys and timers are handled
// during the wait, and nothing done during the wait cancels it. It blocks on the event queue
// instead of spinning, and holds hover swaps off meanwhile.
void waitProcessingEvents(int ms);

// The same, until `deadline`, which the events handled during the wait may move: it is read
// again after every batch of events.
void waitProcessingEvents(const QDeadlineTimer &deadline);

} // namespace kemuyi
