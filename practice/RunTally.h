#pragma once

#include <QVector>

#include <optional>

namespace kemuyi {

// What a run counts: the first judged answer of each slot. Answering again after a wrong answer
// or after the hint is still judged on screen, but it cannot turn a wrong answer into a right
// one here; and an answer given after the hint was shown counts as wrong, since the learner has
// been told it. The progress line, the wrong-question book and every statistic read only this.
class RunTally
{
public:
    // A fresh run over slots 1..slotCount.
    void reset(int slotCount);

    // A judged answer in `slot`. Returns whether it counts as right, or nothing when the slot
    // was already counted in this run (or lies outside it).
    std::optional<bool> judged(int slot, bool right);
    // The hint was shown for `slot`: its first judged answer, if still to come, counts as wrong.
    void hintShown(int slot);

    int right() const { return m_right; }
    int wrong() const { return m_wrong; }
    int counted() const { return m_right + m_wrong; }
    // Whether `slot` was judged or its hint shown in this run: what it explains may be shown.
    bool answerShown(int slot) const;

private:
    enum : qint8 { Open, HintSeen, Counted };
    QVector<qint8> m_slots;
    int m_right = 0;
    int m_wrong = 0;
};

} // namespace kemuyi
