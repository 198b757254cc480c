#pragma once

#include "JetReader.h"

#include <QString>

namespace kemuyi::jet {

// Converts the Jet file at `source` into a bank at `bankPath` in the program's own form (table
// TK with the same columns, NULLs kept). The bank is made beside `bankPath` and renamed over it
// at the end: on any Failure nothing is written and an earlier file at `bankPath` stays.
// Returns the number of questions.
// `durable` false skips the flush to disk, for a copy that is made anew at every start anyway.
int importJetBank(const QString &source, const QString &bankPath, const JetReadOptions &options = {},
                  bool durable = true);

} // namespace kemuyi::jet
