#include "ReviewPlan.h"

#include <algorithm>
#include <utility>

namespace kemuyi {

ReviewPlan planSmartReview(const QVector<qint32> &categoryIds, const QHash<qint32, MemoryState> &memory,
                           qint64 nowMs, int limit)
{
    ReviewPlan plan;
    if (limit <= 0)
        return plan;
    QVector<std::pair<qint64, qint32>> due; // (due time, id): the earliest due is the most overdue
    QVector<qint32> unseen;
    for (qint32 id : categoryIds) {
        const auto found = memory.constFind(id);
        if (found == memory.cend() || found->isNew()) {
            unseen.append(id);
            continue;
        }
        const qint64 dueAt = memory::dueMs(*found);
        if (dueAt <= nowMs)
            due.append({dueAt, id});
    }
    // Ties (questions answered in the same moment) keep the category's order.
    std::stable_sort(due.begin(), due.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &entry : std::as_const(due)) {
        if (plan.questions.size() == limit)
            break;
        plan.questions.append(entry.second);
    }
    plan.dueCount = int(due.size());
    for (qint32 id : std::as_const(unseen)) {
        if (plan.questions.size() == limit)
            break;
        plan.questions.append(id);
    }
    return plan;
}

} // namespace kemuyi
