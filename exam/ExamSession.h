#pragma once

#include "ExamRules.h"

#include <QVector>

#include <functional>
#include <optional>

namespace kemuyi {

// Wall-clock milliseconds since the epoch; a sitting survives a restart of the program, so its
// time is measured on the wall clock. Tests inject their own.
using ExamClock = std::function<qint64()>;
ExamClock systemClock();

// One question of a paper: its id and the choice that answers it (0: none does).
struct PaperQuestion
{
    qint32 id = 0;
    qint32 correct = 0;
};

struct ExamResult
{
    int score = 0;
    bool passed = false;
    bool timedOut = false;
    qint64 durationMs = 0;
    int right = 0;
    int wrong = 0;
    int unanswered = 0;
    // 0-based positions of the wrong and the unanswered questions, in paper order.
    QVector<int> missed;
};

// One timed sitting over a drawn paper. Answers can be changed until the paper is handed in or
// the time is up; after that nothing changes any more.
class ExamSession
{
public:
    ExamSession(const ExamFormat &format, QVector<PaperQuestion> paper, qint64 startedMs, ExamClock clock);

    const ExamFormat &format() const { return m_format; }
    int size() const { return m_paper.size(); }
    const PaperQuestion &question(int position) const { return m_paper.at(position); }
    qint64 startedMs() const { return m_startedMs; }

    int position() const { return m_position; }
    bool goTo(int position);
    bool stepForward() { return goTo(m_position + 1); }
    bool stepBack() { return goTo(m_position - 1); }

    // Records a choice at the current position; false (and nothing recorded) once finished or
    // out of time.
    bool answer(qint32 choice);
    // Restores a choice recorded earlier, as when a sitting is resumed after a restart.
    void restoreChoice(int position, qint32 choice);
    qint32 choiceAt(int position) const { return m_choices.at(position); }
    int answeredCount() const;
    int unansweredCount() const { return size() - answeredCount(); }

    // Give-up: moves to the next unanswered question after the current one, wrapping round to
    // the start; false when every question is answered (the position then stays).
    bool giveUp();

    qint64 remainingMs() const;
    bool isOutOfTime() const { return remainingMs() <= 0; }
    bool isFinished() const { return m_result.has_value(); }
    const std::optional<ExamResult> &result() const { return m_result; }

    // Hands the paper in and scores it; when the time is already up, it counts as a time-out
    // and the duration is the limit. A second call returns the first result.
    const ExamResult &handIn();
    // Finishes the sitting if its time is up; returns whether it is finished now.
    bool finishIfOutOfTime();

private:
    ExamResult score(bool timedOut, qint64 durationMs) const;

    ExamFormat m_format;
    QVector<PaperQuestion> m_paper;
    QVector<qint32> m_choices;
    qint64 m_startedMs;
    ExamClock m_clock;
    int m_position = 0;
    std::optional<ExamResult> m_result;
};

// "mm:ss" for a remaining or used time; negative times show as 00:00.
QString clockText(qint64 ms);

} // namespace kemuyi
