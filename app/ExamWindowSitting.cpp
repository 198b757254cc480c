// The mock-exam window's timed exam: drawing or resuming a paper, the clock, giving up and the
// hand-in.

#include "ExamWindow.h"

#include "Progress.h"
#include "exam/ProgressStore.h"
#include "practice/QuestionText.h"
#include "ui/Accessibility.h"
#include "ui/ImageButton.h"

#include <QLabel>
#include <QTimer>

namespace kemuyi {

void ExamWindow::startClicked()
{
    if (m_page != Page::Start)
        return;
    if (resumeSitting())
        return;
    const ExamFormat format = examFormatFor(m_category);
    const QVector<qint32> ids = drawPaper(categoryIds(), format.questions, m_random);
    if (ids.isEmpty()) {
        setAnnouncedText(statusLabel, QStringLiteral(" 本类别题库中没有题目。"));
        return;
    }
    QVector<PaperQuestion> paper;
    paper.reserve(ids.size());
    for (qint32 id : ids)
        paper.append(PaperQuestion{id, correctChoice(cached(id))});
    m_session = std::make_unique<ExamSession>(format, paper, m_clock(), m_clock);
    m_sittingId = 0;
    if (m_progress) {
        m_progress->write([this](ProgressStore &store, const QString &bank) {
            m_sittingId = store.beginSitting(bank, m_category, *m_session);
        });
    }
    startExam();
}

// The category's unfinished sitting from the progress file as the session; false when there is
// none.
bool ExamWindow::loadStoredSitting()
{
    ProgressStore *store = m_progress ? m_progress->store() : nullptr;
    if (!store)
        return false;
    const std::optional<StoredSitting> stored = store->unfinishedSitting(m_progress->bank(), m_category);
    if (!stored || stored->paper.isEmpty())
        return false;
    m_session = std::make_unique<ExamSession>(stored->format, stored->paper, stored->startedMs, m_clock);
    for (int i = 0; i < stored->choices.size(); ++i)
        m_session->restoreChoice(i, stored->choices.at(i));
    m_sittingId = stored->id;
    return true;
}

// An exam left without hand-in (the window closed, the program killed) goes on where it was,
// on the same clock; one whose time ran out meanwhile is scored as it stands.
bool ExamWindow::resumeSitting()
{
    if (!loadStoredSitting())
        return false;
    if (m_session->finishIfOutOfTime()) {
        finishExam();
        return true;
    }
    // On at the first unanswered question (give-up looks after the current one, so the first
    // question is looked at first).
    if (m_session->choiceAt(0) != 0 && !m_session->giveUp())
        m_session->goTo(0);
    startExam();
    return true;
}

void ExamWindow::startExam()
{
    for (ImageButton *button : {aButton, bButton, cButton, dButton, trueButton, falseButton, prevButton, nextButton})
        button->setEnabled(true);
    showPage(Page::Exam);
    statusLabel->clear();
    showExamQuestion();
}

void ExamWindow::showExamQuestion()
{
    const int position = m_session->position();
    const Question &question = cached(m_session->question(position).id);
    showQuestion(question, position + 1, m_session->choiceAt(position));
    prevButton->setEnabled(position > 0);
    nextButton->setEnabled(position + 1 < m_session->size());
    updateExamBand();
}

void ExamWindow::updateExamBand()
{
    const qint64 remaining = m_session->remainingMs();
    titleBand->setText(QStringLiteral("模拟考试 · %1 · 第 %2/%3 题 · 已答 %4 题 · 剩余时间 %5")
                          .arg(categoryTitle(m_category)).arg(m_session->position() + 1).arg(m_session->size())
                          .arg(m_session->answeredCount()).arg(clockText(remaining + 999)));
    clockLabel->setText(QStringLiteral("剩余时间\n%1\n\n已答 %2/%3")
                            .arg(clockText(remaining + 999)).arg(m_session->answeredCount()).arg(m_session->size()));
}

void ExamWindow::tick()
{
    const bool inExam = m_page == Page::Exam || m_page == Page::Confirm
                        || (m_page == Page::ConfirmDiscard && m_beforeDiscard == Page::Exam);
    if (!inExam)
        return;
    if (m_session->finishIfOutOfTime())
        finishExam();
    else
        updateExamBand();
}

void ExamWindow::giveUpClicked()
{
    if (m_page != Page::Exam)
        return;
    if (m_session->giveUp())
        showExamQuestion();
    else
        setAnnouncedText(statusLabel, QStringLiteral(" 所有题目都已作答，可以交卷。"));
}

void ExamWindow::handInClicked()
{
    if (m_page != Page::Exam)
        return;
    showPage(Page::Confirm);
    const int open = m_session->unansweredCount();
    setAnnouncedText(statusLabel, open == 0 ? QStringLiteral(" 全部题目已作答。确认交卷吗？（回车确认，小键盘0返回）")
                                       : QStringLiteral(" 还有 %1 题未答！确认交卷吗？（回车确认，小键盘0返回）").arg(open));
}

void ExamWindow::keepAnsweringClicked()
{
    if (m_page == Page::ConfirmDiscard && m_beforeDiscard == Page::Start) {
        showPage(Page::Start);
        discardButton->setVisible(true);
        return;
    }
    if (m_page != Page::Confirm && m_page != Page::ConfirmDiscard)
        return;
    showPage(Page::Exam);
    showExamQuestion();
}

void ExamWindow::discardClicked()
{
    if (m_page != Page::Exam && !(m_page == Page::Start && discardButton->isVisible()))
        return;
    m_beforeDiscard = m_page;
    showPage(Page::ConfirmDiscard);
    setAnnouncedText(statusLabel, QStringLiteral(" 放弃后不计成绩，已答的题仍记入学习记录。确认放弃吗？（回车确认，小键盘0返回）"));
}

// The sitting ends without a score; its answers still count for memory and the book.
void ExamWindow::confirmDiscardClicked()
{
    if (m_page != Page::ConfirmDiscard)
        return;
    if (m_beforeDiscard == Page::Start && !loadStoredSitting()) {
        showStartPage();
        return;
    }
    m_clockTimer->stop();
    if (m_progress && m_sittingId != 0) {
        const qint64 sitting = m_sittingId;
        const qint64 now = m_clock();
        m_progress->write([this, sitting, now](ProgressStore &store, const QString &bank) {
            store.discardSitting(bank, sitting, *m_session, now);
        });
    }
    showStartPage();
    setAnnouncedText(statusLabel, QStringLiteral(" 已放弃本次考试，不计成绩。"));
}

void ExamWindow::confirmClicked()
{
    if (m_page != Page::Confirm)
        return;
    m_session->handIn();
    finishExam();
}

void ExamWindow::finishExam()
{
    m_clockTimer->stop();
    if (m_progress && m_sittingId != 0) {
        const qint64 sitting = m_sittingId;
        m_progress->write([this, sitting](ProgressStore &store, const QString &bank) {
            store.finishSitting(bank, sitting, *m_session);
        });
    }
    m_reviewIndex = -1;
    showPage(Page::Result);
    showReview();
}

} // namespace kemuyi
