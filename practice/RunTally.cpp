#include "RunTally.h"

namespace kemuyi {

void RunTally::reset(int slotCount)
{
    m_slots.fill(Open, qMax(slotCount, 0) + 1);
    m_right = 0;
    m_wrong = 0;
}

std::optional<bool> RunTally::judged(int slot, bool right)
{
    if (slot <= 0 || slot >= m_slots.size() || m_slots[slot] == Counted)
        return std::nullopt;
    const bool counts = right && m_slots[slot] != HintSeen;
    m_slots[slot] = Counted;
    ++(counts ? m_right : m_wrong);
    return counts;
}

void RunTally::hintShown(int slot)
{
    if (slot > 0 && slot < m_slots.size() && m_slots[slot] == Open)
        m_slots[slot] = HintSeen;
}

bool RunTally::answerShown(int slot) const
{
    return slot > 0 && slot < m_slots.size() && m_slots[slot] != Open;
}

} // namespace kemuyi
