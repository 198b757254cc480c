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
    // (due time, place in the category, id): the earliest due is the most overdue, and questions
    // answered in the same moment keep the category's order.
    struct Due
    {
        qint64 at;
        int place;
        qint32 id;
        bool operator<(const Due &other) const { return at != other.at ? at < other.at : place < other.place; }
    };
    QVector<Due> due;
    QVector<qint32> unseen;
    for (int place = 0; place < categoryIds.size(); ++place) {
        const qint32 id = categoryIds.at(place);
        const auto found = memory.constFind(id);
        if (found == memory.cend() || found->isNew()) {
            unseen.append(id);
            continue;
        }
        const qint64 dueAt = memory::dueMs(*found);
        if (dueAt <= nowMs)
            due.append({dueAt, place, id});
    }
    // Only the run's share of the due questions needs ordering.
    const auto taken = due.begin() + std::min<qsizetype>(limit, due.size());
    std::partial_sort(due.begin(), taken, due.end());
    for (auto it = due.begin(); it != taken; ++it)
        plan.questions.append(it->id);
    plan.dueCount = int(due.size());
    for (qint32 id : std::as_const(unseen)) {
        if (plan.questions.size() == limit)
            break;
        plan.questions.append(id);
    }
    return plan;
}

} // namespace kemuyi
