// The mock-exam window's pages at work: the timed exam, the hand-in, the result with the missed
// questions, and the drill of the wrong-question book.

#include "Unit4.h"

#include "Progress.h"
#include "bank/Question.h"
#include "common/AppPaths.h"
#include "common/Failure.h"
#include "exam/ProgressStore.h"
#include "picture/LoadPicture.h"
#include "practice/QuestionText.h"
#include "ui/Accessibility.h"
#include "ui/ImageButton.h"
#include "ui/PictureBox.h"

#include <QLabel>
#include <QTimer>

namespace kemuyi {

namespace {

QString answerText(qint32 choice)
{
    return choice == 0 ? QStringLiteral("未答") : choiceName(choice);
}

} // namespace

void TForm4::ImgKsksClick()
{
    if (m_page != Page::Start || !m_bank)
        return;
    if (resumeSitting())
        return;
    const ExamFormat format = examFormatFor(m_category);
    const QVector<qint32> ids = m_bank->drawFromCategory(m_category, format.questions, m_random);
    if (ids.isEmpty()) {
        setAnnouncedText(Label2, QStringLiteral(" 本类别题库中没有题目。"));
        return;
    }
    QVector<PaperQuestion> paper;
    paper.reserve(ids.size());
    for (qint32 id : ids) {
        const ExamQuestion &q = cached(id);
        paper.append(PaperQuestion{id, correctChoice(q.select, q.answer)});
    }
    m_session = std::make_unique<ExamSession>(format, paper, m_clock(), m_clock);
    m_sittingId = 0;
    if (m_progress) {
        m_progress->write([this](ProgressStore &store, const QString &bank) {
            m_sittingId = store.beginSitting(bank, m_category, *m_session);
        });
    }
    startExam();
}

// An exam left without hand-in (the window closed, the program killed) goes on where it was,
// on the same clock; one whose time ran out meanwhile is scored as it stands.
bool TForm4::resumeSitting()
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

void TForm4::startExam()
{
    for (ImageButton *button : {ImgA, ImgB, ImgC, ImgD, ImgDui, ImgCuo, ImgPrev, ImgNext})
        button->setEnabled(true);
    showPage(Page::Exam);
    Label2->clear();
    showExamQuestion();
}

void TForm4::showQuestion(const ExamQuestion &question, int number, qint32 choice)
{
    Question shown;
    shown.subject = question.subject;
    shown.a = question.a;
    shown.b = question.b;
    shown.c = question.c;
    shown.d = question.d;
    Label1->setText(composeQuestionText(number, shown));
    if (question.pic.isEmpty()) {
        Image2->clearPicture();
    } else {
        Image2->clearPicture();
        if (isUnsafePictureName(question.pic))
            throw Failure(QStringLiteral("题目的插图名“%1”%2，已拒绝加载").arg(question.pic, pictureNameProblem(question.pic)));
        LoadPicture(*Image2, AppDir() + QStringLiteral("pic/") + question.pic + QStringLiteral(".jpg"));
    }
    const bool choiceKind = question.isChoice();
    for (ImageButton *button : {ImgA, ImgB, ImgC, ImgD})
        button->setVisible(choiceKind);
    ImgDui->setVisible(!choiceKind);
    ImgCuo->setVisible(!choiceKind);
    setAnnouncedText(Label2, choiceStatusText(choice));
}

void TForm4::showExamQuestion()
{
    const int position = m_session->position();
    const ExamQuestion &question = cached(m_session->question(position).id);
    showQuestion(question, position + 1, m_session->choiceAt(position));
    ImgPrev->setEnabled(position > 0);
    ImgNext->setEnabled(position + 1 < m_session->size());
    updateExamBand();
}

void TForm4::updateExamBand()
{
    const qint64 remaining = m_session->remainingMs();
    LabelTop->setText(QStringLiteral("模拟考试 · %1 · 第 %2/%3 题 · 已答 %4 题 · 剩余时间 %5")
                          .arg(categoryTitle(m_category)).arg(m_session->position() + 1).arg(m_session->size())
                          .arg(m_session->answeredCount()).arg(clockText(remaining + 999)));
    LabelClock->setText(QStringLiteral("剩余时间\n%1\n\n已答 %2/%3")
                            .arg(clockText(remaining + 999)).arg(m_session->answeredCount()).arg(m_session->size()));
}

void TForm4::answer(qint32 choice)
{
    if (m_page == Page::Drill) {
        if (m_drillPosition >= m_drillIds.size())
            return;
        const ExamQuestion question = cached(m_drillIds.at(m_drillPosition));
        if (question.isChoice() != (choice <= 4))
            return;
        const qint32 correct = correctChoice(question.select, question.answer);
        const bool right = choice == correct;
        const qint32 id = question.id;
        if (m_progress) {
            m_progress->write([id, right](ProgressStore &store, const QString &bank) {
                store.recordAnswer(bank, id, right);
            });
        }
        showDrillQuestion();
        const QString value = choiceName(choice);
        setAnnouncedText(Label2, (right ? rightAnswerText(value) : wrongAnswerText(value))
                                     + (right ? QString() : QStringLiteral("正确答案：") + answerText(correct)));
        Label1->setText(Label1->text() + QStringLiteral("\r\n\r\n  依据：") + (question.basis.isEmpty() ? QStringLiteral("（无）") : question.basis));
        LoadPicture(*Image1, AppDir() + (right ? QStringLiteral("yes.jpg") : QStringLiteral("no.jpg")));
        return;
    }
    if (m_page != Page::Exam || !m_session)
        return;
    const ExamQuestion &question = cached(m_session->question(m_session->position()).id);
    // The exam terminal takes only the keys of the question's kind.
    if (question.isChoice() != (choice <= 4))
        return;
    if (!m_session->answer(choice)) {
        Timer1Timer();
        return;
    }
    const int position = m_session->position();
    if (m_progress && m_sittingId != 0) {
        const qint64 sitting = m_sittingId;
        m_progress->write([sitting, position, choice](ProgressStore &store, const QString &) {
            store.recordSittingAnswer(sitting, position, choice);
        });
    }
    setAnnouncedText(Label2, choiceStatusText(choice));
    updateExamBand();
}

void TForm4::Timer1Timer()
{
    if (m_page != Page::Exam && m_page != Page::Confirm)
        return;
    if (m_session->finishIfOutOfTime())
        finishExam();
    else
        updateExamBand();
}

void TForm4::ImgFqClick()
{
    if (m_page != Page::Exam)
        return;
    if (m_session->giveUp())
        showExamQuestion();
    else
        setAnnouncedText(Label2, QStringLiteral(" 所有题目都已作答，可以交卷。"));
}

void TForm4::ImgJjClick()
{
    if (m_page != Page::Exam)
        return;
    showPage(Page::Confirm);
    const int open = m_session->unansweredCount();
    setAnnouncedText(Label2, open == 0 ? QStringLiteral(" 全部题目已作答。确认交卷吗？（回车确认，小键盘0返回）")
                                       : QStringLiteral(" 还有 %1 题未答！确认交卷吗？（回车确认，小键盘0返回）").arg(open));
}

void TForm4::ImgJxdtClick()
{
    if (m_page != Page::Confirm)
        return;
    showPage(Page::Exam);
    showExamQuestion();
}

void TForm4::ImgQrjjClick()
{
    if (m_page != Page::Confirm)
        return;
    m_session->handIn();
    finishExam();
}

void TForm4::finishExam()
{
    m_timer->stop();
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

void TForm4::showReview()
{
    const ExamResult &result = *m_session->result();
    const ExamFormat &format = m_session->format();
    const QString verdict = result.passed ? QStringLiteral("合格") : QStringLiteral("不合格");
    LabelTop->setText(QStringLiteral("考试结果 · %1 · %2 分 · %3").arg(categoryTitle(m_category)).arg(result.score).arg(verdict));
    LabelClock->setText(QStringLiteral("成绩\n%1 分\n%2").arg(result.score).arg(verdict));
    ImgPrev->setEnabled(m_reviewIndex >= 0);
    ImgNext->setEnabled(m_reviewIndex + 1 < result.missed.size());
    Image2->clearPicture();
    for (ImageButton *button : {ImgA, ImgB, ImgC, ImgD, ImgDui, ImgCuo})
        button->setVisible(false);
    if (m_reviewIndex < 0) {
        QString text = QStringLiteral("\r\n  成绩：%1 分（%2分及格）  %3\r\n\r\n  用时：%4%5\r\n\r\n  答对 %6 题，答错 %7 题，未答 %8 题（每题%9分）")
                           .arg(result.score).arg(format.passMark).arg(verdict).arg(clockText(result.durationMs))
                           .arg(result.timedOut ? QStringLiteral("（考试时间到，自动交卷）") : QString())
                           .arg(result.right).arg(result.wrong).arg(result.unanswered).arg(format.pointsPerQuestion);
        text += result.missed.isEmpty() ? QStringLiteral("\r\n\r\n  全部答对！")
                                        : QStringLiteral("\r\n\r\n  按“下翻”或回车键逐题查看答错和未答的题目、正确答案及依据。");
        Label1->setText(text);
        setAnnouncedText(Label2, QStringLiteral(" 成绩：%1 分，%2。").arg(result.score).arg(verdict));
        return;
    }
    const int position = result.missed.at(m_reviewIndex);
    const ExamQuestion &question = cached(m_session->question(position).id);
    const qint32 correct = m_session->question(position).correct;
    const qint32 chosen = m_session->choiceAt(position);
    showQuestion(question, position + 1, 0);
    for (ImageButton *button : {ImgA, ImgB, ImgC, ImgD, ImgDui, ImgCuo})
        button->setVisible(false);
    Label1->setText(Label1->text() + QStringLiteral("\r\n\r\n  正确答案：%1\r\n  依据：%2")
                                         .arg(answerText(correct), question.basis.isEmpty() ? QStringLiteral("（无）") : question.basis));
    setAnnouncedText(Label2, QStringLiteral(" 第 %1/%2 道错题：您的答案是%3，正确答案是%4。")
                                 .arg(m_reviewIndex + 1).arg(result.missed.size()).arg(answerText(chosen), answerText(correct)));
}

void TForm4::ImgCtlxClick()
{
    if (m_page != Page::Start || m_drillIds.isEmpty())
        return;
    startDrill();
}

void TForm4::startDrill()
{
    m_drillPosition = 0;
    for (ImageButton *button : {ImgA, ImgB, ImgC, ImgD, ImgDui, ImgCuo, ImgPrev, ImgNext})
        button->setEnabled(true);
    showPage(Page::Drill);
    showDrillQuestion();
}

void TForm4::showDrillQuestion()
{
    const ExamQuestion &question = cached(m_drillIds.at(m_drillPosition));
    showQuestion(question, m_drillPosition + 1, 0);
    LoadPicture(*Image1, AppDir() + QStringLiteral("thinking.jpg"));
    ImgPrev->setEnabled(m_drillPosition > 0);
    ImgNext->setEnabled(m_drillPosition + 1 < m_drillIds.size());
    LabelTop->setText(QStringLiteral("错题练习 · %1 · 第 %2/%3 题（连续答对两次即移出错题本）")
                          .arg(categoryTitle(m_category)).arg(m_drillPosition + 1).arg(m_drillIds.size()));
}

void TForm4::ImgPrevClick()
{
    if (m_page == Page::Exam && m_session->stepBack())
        showExamQuestion();
    else if (m_page == Page::Drill && m_drillPosition > 0) {
        --m_drillPosition;
        showDrillQuestion();
    } else if (m_page == Page::Result && m_reviewIndex >= 0) {
        --m_reviewIndex;
        showReview();
    }
}

void TForm4::ImgNextClick()
{
    if (m_page == Page::Exam && m_session->stepForward())
        showExamQuestion();
    else if (m_page == Page::Drill && m_drillPosition + 1 < m_drillIds.size()) {
        ++m_drillPosition;
        showDrillQuestion();
    } else if (m_page == Page::Result && m_reviewIndex + 1 < m_session->result()->missed.size()) {
        ++m_reviewIndex;
        showReview();
    }
}

} // namespace kemuyi
