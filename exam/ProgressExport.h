#pragma once

#include "ProgressStore.h"

#include <QString>

namespace kemuyi {

// The learner's records as a CSV file for a spreadsheet: the exam history of every category, then
// each answered question's state (counted answers, memory, due date, book). UTF-8 with a byte
// order mark, so that spreadsheet programs read the Chinese text as such. The file is written
// beside its destination and renamed over it in one step: a failure leaves no half-written file
// and any earlier file as it was. A failure is a Failure naming the file and the reason.
void exportRecords(const ProgressStore &store, const QString &bank, const QString &path, qint64 nowMs);

// The CSV text itself, without the byte order mark.
QString recordsCsv(const ProgressStore &store, const QString &bank, qint64 nowMs);

} // namespace kemuyi
