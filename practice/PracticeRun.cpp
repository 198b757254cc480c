#include "PracticeRun.h"

#include "bank/BankStore.h"

#include <QDateTime>
#include <QTime>

namespace kemuyi {

namespace {

constexpr RunButton kButtonOrder[] = {RunButton::A,   RunButton::B,    RunButton::C,
                                      RunButton::D,   RunButton::Dui,  RunButton::Cuo,
                                      RunButton::Prev, RunButton::Next, RunButton::Help};

} // namespace

quint32 ShuffleRandom::next(quint32 n)
{
    m_state = m_state * 0x08088405u + 1u;
    return quint32((quint64(m_state) * quint64(n)) >> 32);
}

quint32 utcMillisecondsOfDay()
{
    const QTime now = QDateTime::currentDateTimeUtc().time();
    return quint32(((now.hour() * 60 + now.minute()) * 60 + now.second()) * 1000 + now.msec());
}

PracticeRun::PracticeRun(BankStore &bank, PracticeView &view) : m_bank(bank), m_view(view)
{
    AnswerSheet.resize(1);
}

void PracticeRun::setAllButtonsEnabled(bool enabled)
{
    for (RunButton button : kButtonOrder)
        m_view.setButtonEnabled(button, enabled);
}

void PracticeRun::PrepareOnShow()
{
    m_active = false;
    m_bank.OpenBank();
    QuestionCount = m_bank.QueryCategoryCount(m_view.categoryCode());
    setAllButtonsEnabled(false);
    m_view.clearQuestionArea();
}

void PracticeRun::ResetStatus()
{
    setAllButtonsEnabled(true);
    m_view.clearQuestionArea();
}

void PracticeRun::loadIds(bool clearChoices)
{
    const QVector<qint32> ids = m_bank.QueryCategoryIds(m_view.categoryCode());
    // The ids are the run's questions; should the bank answer differently from the count taken
    // when the window was shown, the ids win, so every position holds a real question.
    QuestionCount = qint32(ids.size());
    if (AnswerSheet.size() < ids.size() + 1)
        AnswerSheet.resize(ids.size() + 1);
    for (int i = 0; i < ids.size(); ++i) {
        AnswerSheet[i + 1].QuestionId = ids.at(i);
        if (clearChoices)
            AnswerSheet[i + 1].Choice = ChoiceNone;
    }
}

void PracticeRun::startRun(bool shuffled)
{
    m_view.setBusyCursor(true);
    m_active = false;
    ResetStatus();
    loadIds(!shuffled);
    if (shuffled)
        shuffle(m_seedSource());
    if (QuestionCount < 1) {
        // Nothing to practise: no run starts, and no button invites an answer that cannot count.
        setAllButtonsEnabled(false);
        m_view.showEmptyCategory();
        m_view.setBusyCursor(false);
        return;
    }
    CurrentPosition = 1;
    m_active = true;
    m_view.showQuestionAtPosition();
    m_view.setBusyCursor(false);
}

void PracticeRun::StartSequential()
{
    startRun(false);
}

void PracticeRun::StartIntensive()
{
    startRun(true);
}

void PracticeRun::shuffle(quint32 seed)
{
    ShuffleRandom random(seed);
    const auto n = quint32(QuestionCount);
    for (qint32 k = 1; k <= QuestionCount; ++k) {
        const qint32 r = qint32(random.next(n));
        const qint32 j = r == 0 ? 1 : r;
        std::swap(AnswerSheet[k].QuestionId, AnswerSheet[j].QuestionId);
        AnswerSheet[k].Choice = ChoiceNone;
    }
}

void PracticeRun::StepBack()
{
    if (!m_active || CurrentPosition <= 1)
        return;
    --CurrentPosition;
    m_view.showQuestionAtPosition();
}

void PracticeRun::StepForward()
{
    if (!m_active || CurrentPosition >= QuestionCount)
        return;
    ++CurrentPosition;
    m_view.showQuestionAtPosition();
}

bool PracticeRun::jumpTo(qint32 position)
{
    if (!m_active || position < 1 || position > QuestionCount)
        return false;
    CurrentPosition = position;
    m_view.showQuestionAtPosition();
    return true;
}

void PracticeRun::CheckStatus()
{
    m_view.setButtonEnabled(RunButton::Prev, CurrentPosition > 1);
    m_view.setButtonEnabled(RunButton::Next, CurrentPosition < QuestionCount);
}

} // namespace kemuyi
