#pragma once

namespace kemuyi {
class TForm2;
}

namespace kemuyi::bench {

// The practice window over a generated bank, shown offscreen with a sequential run started on
// C1C2C3C4 (most of the bank), as a learner leaves it after choosing the category. One window per
// bank size, kept for every benchmark that needs it; null if it could not be prepared.
TForm2 *practiceWindow(int questions);

// Handles every pending event, painting included, so that no earlier work lands in a timing.
void settle();

} // namespace kemuyi::bench
