#pragma once

namespace kemuyi {

// Waits `ms` milliseconds while the window stays responsive: clicks, keys and timers are handled
// during the wait, waits nest (an inner one ends first), and nothing done during the wait cancels
// it. It blocks on the event queue instead of spinning, and holds hover swaps off meanwhile.
void waitProcessingEvents(int ms);

} // namespace kemuyi
