#include "ExamSession.h"

#include <QDateTime>

#include <algorithm>

namespace kemuyi {

ExamClock systemClock()
{
    return [] { return QDateTime::currentMSecsSinceEpoch(); };
}

ExamSession::ExamSession(const ExamFormat &format, QVector<PaperQuestion> paper, qint64 startedMs,
                         ExamClock clock)
    : m_format(format), m_paper(std::move(paper)), m_choices(m_paper.size(), 0),
      m_startedMs(startedMs), m_clock(std::move(clock))
{
}

bool ExamSession::goTo(int position)
{
    if (position < 0 || position >= size())
        return false;
    m_position = position;
    return true;
}

bool ExamSession::answer(qint32 choice)
{
    if (isFinished() || isOutOfTime() || size() == 0)
        return false;
    m_choices[m_position] = choice;
    return true;
}

void ExamSession::restoreChoice(int position, qint32 choice)
{
    if (position >= 0 && position < size())
        m_choices[position] = choice;
}

int ExamSession::answeredCount() const
{
    return int(std::count_if(m_choices.begin(), m_choices.end(), [](qint32 c) { return c != 0; }));
}

bool ExamSession::giveUp()
{
    for (int step = 1; step <= size(); ++step) {
        const int candidate = (m_position + step) % size();
        if (m_choices.at(candidate) == 0) {
            m_position = candidate;
            return true;
        }
    }
    return false;
}

qint64 ExamSession::remainingMs() const
{
    if (m_result)
        return qMax<qint64>(0, m_format.limitMs() - m_result->durationMs);
    return m_format.limitMs() - (m_clock() - m_startedMs);
}

const ExamResult &ExamSession::handIn()
{
    if (!m_result) {
        const qint64 used = m_clock() - m_startedMs;
        const bool late = used >= m_format.limitMs();
        m_result = score(late, late ? m_format.limitMs() : qMax<qint64>(0, used));
    }
    return *m_result;
}

bool ExamSession::finishIfOutOfTime()
{
    if (!m_result && isOutOfTime())
        handIn();
    return isFinished();
}

ExamResult ExamSession::score(bool timedOut, qint64 durationMs) const
{
    ExamResult result;
    result.timedOut = timedOut;
    result.durationMs = durationMs;
    for (int i = 0; i < size(); ++i) {
        const qint32 choice = m_choices.at(i);
        if (choice == 0) {
            ++result.unanswered;
            result.missed.append(i);
        } else if (choice == m_paper.at(i).correct) {
            ++result.right;
        } else {
            ++result.wrong;
            result.missed.append(i);
        }
    }
    result.score = examScore(result.right, size());
    result.passed = size() > 0 && result.score >= m_format.passMark;
    return result;
}

QString clockText(qint64 ms)
{
    const qint64 seconds = qMax<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60, 2, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace kemuyi
