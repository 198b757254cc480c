#pragma once

#include "MemoryModel.h"

#include <QHash>
#include <QVector>

namespace kemuyi {

// A smart-review run: the questions to show, in order, and how many questions of the category
// were due when it was planned (the run holds at most `limit` of them).
struct ReviewPlan
{
    QVector<qint32> questions;
    int dueCount = 0;
};

// Plans a smart-review run over one category: first the questions due for review, the most
// overdue first, then questions never answered in `categoryIds`' order, `limit` questions at most.
// `memory` holds the learner's states for this bank; states of questions outside the category
// are ignored.
ReviewPlan planSmartReview(const QVector<qint32> &categoryIds, const QHash<qint32, MemoryState> &memory,
                           qint64 nowMs, int limit);

} // namespace kemuyi
