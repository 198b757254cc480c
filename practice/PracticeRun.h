#pragma once

#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>

namespace kemuyi {

class BankStore;

// 0 none, 1–4 A–D, 5 true ("正确"), 6 false ("错误").
enum ChoiceCode : qint32 {
    ChoiceNone = 0,
    ChoiceA = 1,
    ChoiceB = 2,
    ChoiceC = 3,
    ChoiceD = 4,
    ChoiceTrue = 5,
    ChoiceFalse = 6,
};

struct AnswerEntry
{
    qint32 QuestionId = 0;
    qint32 Choice = ChoiceNone;
};

// The buttons a run enables, disables, shows and hides, in the order the window lists them.
enum class RunButton { A, B, C, D, Dui, Cuo, Prev, Next, Help };

// The narrow face of the practice window that a run drives.
class PracticeView
{
public:
    virtual ~PracticeView() = default;
    virtual QString categoryCode() const = 0;
    virtual void setButtonEnabled(RunButton button, bool enabled) = 0;
    virtual bool isButtonEnabled(RunButton button) const = 0;
    // Empties the question text and the status line, clears the feedback picture and the illustration.
    virtual void clearQuestionArea() = 0;
    // Puts the question at the run's CurrentPosition on screen.
    virtual void showQuestionAtPosition() = 0;
    virtual void setBusyCursor(bool busy) = 0;
    // A mode was started on a category without a single question.
    virtual void showEmptyCategory() = 0;
};

// The pseudo-random generator behind the shuffle: a 32-bit linear congruential state.
class ShuffleRandom
{
public:
    explicit ShuffleRandom(quint32 seed) : m_state(seed) {}
    // An integer from 0 to n − 1: the upper 32 bits of the advanced state times n.
    quint32 next(quint32 n);

private:
    quint32 m_state;
};

// Milliseconds since midnight UTC: the shuffle's seed.
quint32 utcMillisecondsOfDay();

// The practice state of the program: one run over the questions of one category.
class PracticeRun
{
public:
    using SeedSource = std::function<quint32()>;

    PracticeRun(BankStore &bank, PracticeView &view);

    // Slots are numbered from 1; slot 0 is never used. The sheet grows to the largest category
    // met and is never cleared: a mode start overwrites only its first QuestionCount slots.
    QVector<AnswerEntry> AnswerSheet;
    qint32 QuestionCount = 0;
    qint32 CurrentPosition = 0;
    qint32 CurrentQuestionId = 0;

    bool isActive() const { return m_active; }
    AnswerEntry &currentEntry() { return AnswerSheet[CurrentPosition]; }

    void PrepareOnShow();
    void ResetStatus();
    void StartSequential();
    void StartIntensive();
    void StepBack();
    void StepForward();
    void CheckStatus();
    // Moves to `position` and shows it, only while a run is active and the position lies in
    // 1..QuestionCount; returns whether it moved.
    bool jumpTo(qint32 position);

    // The shuffle of intensive practice over slots 1..QuestionCount.
    void shuffle(quint32 seed);

    void setSeedSource(SeedSource source) { m_seedSource = std::move(source); }

private:
    void setAllButtonsEnabled(bool enabled);
    void loadIds(bool clearChoices);
    void startRun(bool shuffled);

    BankStore &m_bank;
    PracticeView &m_view;
    SeedSource m_seedSource = utcMillisecondsOfDay;
    bool m_active = false;
};

} // namespace kemuyi
