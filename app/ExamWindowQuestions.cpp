// The mock-exam window's questions as every page shows them: answering in the exam and the
// drill of the wrong-question book, the result's walk through the missed questions, and paging.

#include "ExamWindow.h"

#include "ui/Speech.h"

#include "Progress.h"
#include "bank/Question.h"
#include "common/AppPaths.h"
#include "common/Failure.h"
#include "exam/ProgressStore.h"
#include "picture/LoadPicture.h"
#include "practice/Judging.h"
#include "practice/QuestionText.h"
#include "ui/Accessibility.h"
#include "ui/ExplanationPanel.h"
#include "ui/ImageButton.h"
#include "ui/InterfaceScale.h"
#include "ui/PictureBox.h"

#include <QLabel>
#include <QTextBrowser>

#include <algorithm>

namespace kemuyi {

namespace {

QString answerText(qint32 choice)
{
    return choice == ChoiceNone ? QStringLiteral("未答") : choiceValue(choice);
}

bool isChoiceQuestion(const Question &question)
{
    return question.select == QLatin1String("Y");
}

// The exam terminal takes only the keys of the question's kind.
bool fitsQuestion(qint32 choice, const Question &question)
{
    return isChoiceQuestion(question) == (choice <= ChoiceD);
}

} // namespace

void ExamWindow::showQuestion(const Question &question, int number, qint32 choice)
{
    questionLabel->setText(composeQuestionText(number, question));
    if (question.pic.isEmpty()) {
        questionPicture->clearPicture();
    } else {
        questionPicture->clearPicture();
        if (isUnsafePictureName(question.pic))
            throw Failure(QStringLiteral("题目的插图名“%1”%2，已拒绝加载").arg(question.pic, pictureNameProblem(question.pic)));
        LoadPicture(*questionPicture, AppDir() + QStringLiteral("pic/") + question.pic + QStringLiteral(".jpg"));
    }
    const bool choiceKind = isChoiceQuestion(question);
    for (ImageButton *button : {aButton, bButton, cButton, dButton})
        button->setVisible(choiceKind);
    trueButton->setVisible(!choiceKind);
    falseButton->setVisible(!choiceKind);
    setAnnouncedText(statusLabel, choiceStatusText(choice));
    markChosen(choice);
    const QString showing = QStringLiteral("%1/%2/%3").arg(int(m_page)).arg(number).arg(question.id);
    m_spoken = spokenQuestionText(number, question);
    if (showing != m_spokenShowing && m_reader)
        m_reader->questionShown(m_spoken);
    m_spokenShowing = showing;
}

void ExamWindow::markChosen(qint32 choice)
{
    markChoice({aButton, bButton, cButton, dButton, trueButton, falseButton}, choice);
}

void ExamWindow::answer(qint32 choice)
{
    if (m_page == Page::Drill) {
        if (m_drillPosition >= m_drillIds.size())
            return;
        const Question question = cached(m_drillIds.at(m_drillPosition));
        if (!fitsQuestion(choice, question))
            return;
        const qint32 correct = correctChoice(question);
        const bool right = choice == correct;
        if (m_progress) {
            const JudgedAnswer judged{qint32(question.id), right, m_drillHelped, Showing{m_drillRun, m_drillShowing},
                                      m_clock(), m_category};
            m_progress->write([&judged](ProgressStore &store, const QString &bank) { store.recordAnswer(bank, judged); });
        }
        m_drillHelped = m_drillHelped || !right;
        showDrillQuestion();
        markChosen(choice);
        const QString value = choiceValue(choice);
        setAnnouncedText(statusLabel, (right ? rightAnswerText(value) : wrongAnswerText(value))
                                     + (right ? QString() : QStringLiteral("正确答案：") + answerText(correct)));
        LoadPicture(*verdictPicture, AppDir() + (right ? QStringLiteral("yes.jpg") : QStringLiteral("no.jpg")));
        openExplanation(QStringLiteral("正确答案：%1　您的答案：%2").arg(answerText(correct), value), question);
        return;
    }
    if (m_page != Page::Exam || !m_session)
        return;
    const Question &question = cached(m_session->question(m_session->position()).id);
    if (!fitsQuestion(choice, question))
        return;
    if (!m_session->answer(choice)) {
        tick();
        return;
    }
    const int position = m_session->position();
    if (m_progress && m_sittingId != 0) {
        const qint64 sitting = m_sittingId;
        m_progress->write([sitting, position, choice](ProgressStore &store, const QString &) {
            store.recordSittingAnswer(sitting, position, choice);
        });
    }
    setAnnouncedText(statusLabel, choiceStatusText(choice));
    markChosen(choice);
    updateExamBand();
}

void ExamWindow::showReview()
{
    const ExamResult &result = *m_session->result();
    const ExamFormat &format = m_session->format();
    const QString verdict = result.passed ? QStringLiteral("合格") : QStringLiteral("不合格");
    titleBand->setText(QStringLiteral("考试结果 · %1 · %2 分 · %3").arg(categoryTitle(m_category)).arg(result.score).arg(verdict));
    clockLabel->setText(QStringLiteral("成绩\n%1 分\n%2").arg(result.score).arg(verdict));
    prevButton->setEnabled(m_reviewIndex >= 0);
    nextButton->setEnabled(m_reviewIndex + 1 < result.missed.size());
    questionPicture->clearPicture();
    for (ImageButton *button : {aButton, bButton, cButton, dButton, trueButton, falseButton})
        button->setVisible(false);
    explanationPanel->close();
    explainButton->hide();
    // The summary leaves the lower part of the question area to the list of missed questions.
    setDesignSize(*questionLabel, QSize(designGeometry(*questionLabel).width(), m_reviewIndex < 0 ? 96 : kQuestionAreaHeight));
    missedList->setVisible(m_reviewIndex < 0 && !result.missed.isEmpty());
    if (m_reviewIndex < 0) {
        QString text = QStringLiteral("  成绩：%1 分（%2分及格）  %3\r\n  用时：%4%5\r\n  答对 %6 题，答错 %7 题，未答 %8 题（每题%9分）")
                           .arg(result.score).arg(format.passMark).arg(verdict).arg(clockText(result.durationMs))
                           .arg(result.timedOut ? QStringLiteral("（考试时间到，自动交卷）") : QString())
                           .arg(result.right).arg(result.wrong).arg(result.unanswered).arg(format.pointsPerQuestion);
        text += result.missed.isEmpty() ? QStringLiteral("\r\n  全部答对！")
                                        : QStringLiteral("\r\n  下方列出全部答错和未答的题；按“下翻”或回车键逐题查看。");
        questionLabel->setText(text);
        showMissedList();
        setAnnouncedText(statusLabel, QStringLiteral(" 成绩：%1 分，%2。").arg(result.score).arg(verdict));
        return;
    }
    const int position = result.missed.at(m_reviewIndex);
    const Question &question = cached(m_session->question(position).id);
    const qint32 correct = m_session->question(position).correct;
    const qint32 chosen = m_session->choiceAt(position);
    showQuestion(question, position + 1, 0);
    for (ImageButton *button : {aButton, bButton, cButton, dButton, trueButton, falseButton})
        button->setVisible(false);
    openExplanation(QStringLiteral("第 %1 题　正确答案：%2　您的答案：%3")
                        .arg(position + 1).arg(answerText(correct), answerText(chosen)),
                    question);
    setAnnouncedText(statusLabel, QStringLiteral(" 第 %1/%2 道错题：您的答案是%3，正确答案是%4。")
                                 .arg(m_reviewIndex + 1).arg(result.missed.size()).arg(answerText(chosen), answerText(correct)));
}

// Every missed question with the learner's answer, the right one and why, on one page.
void ExamWindow::showMissedList()
{
    const ExamResult &result = *m_session->result();
    QString html;
    for (int i = 0; i < result.missed.size(); ++i) {
        const int position = result.missed.at(i);
        const Question &question = cached(m_session->question(position).id);
        const qint32 chosen = m_session->choiceAt(position);
        QStringList options;
        if (isChoiceQuestion(question)) {
            options = {QStringLiteral("A. ") + question.a, QStringLiteral("B. ") + question.b,
                       QStringLiteral("C. ") + question.c, QStringLiteral("D. ") + question.d};
        }
        const QString why = !question.explain.isEmpty() ? QStringLiteral("解析：") + question.explain
                                                        : QStringLiteral("依据：") + (question.basis.isEmpty() ? QStringLiteral("（无）") : question.basis);
        html += QStringLiteral("<p><b>%1. 第 %2 题</b>　%3")
                    .arg(i + 1).arg(position + 1).arg(question.subject.toHtmlEscaped());
        for (const QString &option : std::as_const(options))
            html += QStringLiteral("<br>　%1").arg(option.toHtmlEscaped());
        html += QStringLiteral("<br><span style=\"color:#b00000\">您的答案：%1</span>　<span style=\"color:#006000\">正确答案：%2</span>"
                               "<br>%3</p>")
                    .arg(answerText(chosen), answerText(m_session->question(position).correct), why.toHtmlEscaped());
    }
    missedList->setHtml(html);
}

void ExamWindow::drillClicked()
{
    if (m_page != Page::Start || m_drillIds.isEmpty())
        return;
    startDrill();
}

void ExamWindow::startDrill()
{
    m_drillPosition = 0;
    m_drillRun = std::max(m_clock(), m_drillRun + 1);
    newDrillShowing();
    for (ImageButton *button : {aButton, bButton, cButton, dButton, trueButton, falseButton, prevButton, nextButton})
        button->setEnabled(true);
    showPage(Page::Drill);
    showDrillQuestion();
}

void ExamWindow::newDrillShowing()
{
    ++m_drillShowing;
    m_drillHelped = false;
}

void ExamWindow::showDrillQuestion()
{
    const Question &question = cached(m_drillIds.at(m_drillPosition));
    showQuestion(question, m_drillPosition + 1, 0);
    explanationPanel->close();
    explainButton->hide();
    LoadPicture(*verdictPicture, AppDir() + QStringLiteral("thinking.jpg"));
    prevButton->setEnabled(m_drillPosition > 0);
    nextButton->setEnabled(m_drillPosition + 1 < m_drillIds.size());
    titleBand->setText(QStringLiteral("错题练习 · %1 · 第 %2/%3 题（分两次连续答对即移出）")
                          .arg(categoryTitle(m_category)).arg(m_drillPosition + 1).arg(m_drillIds.size()));
}

void ExamWindow::openExplanation(const QString &answerLine, const Question &question)
{
    m_explanation = explanationText(answerLine, question);
    explanationPanel->open(m_explanation);
    explainButton->show();
    explainButton->raise();
}

void ExamWindow::explainClicked()
{
    if (!explainButton->isVisible())
        return;
    if (explanationPanel->isOpen())
        explanationPanel->close();
    else
        explanationPanel->open(m_explanation);
}

void ExamWindow::prevClicked()
{
    if (m_page == Page::Exam && m_session->stepBack())
        showExamQuestion();
    else if (m_page == Page::Drill && m_drillPosition > 0) {
        --m_drillPosition;
        newDrillShowing();
        showDrillQuestion();
    } else if (m_page == Page::Result && m_reviewIndex >= 0) {
        --m_reviewIndex;
        showReview();
    }
}

void ExamWindow::nextClicked()
{
    if (m_page == Page::Exam && m_session->stepForward())
        showExamQuestion();
    else if (m_page == Page::Drill && m_drillPosition + 1 < m_drillIds.size()) {
        ++m_drillPosition;
        newDrillShowing();
        showDrillQuestion();
    } else if (m_page == Page::Result && m_reviewIndex + 1 < m_session->result()->missed.size()) {
        ++m_reviewIndex;
        showReview();
    }
}

} // namespace kemuyi
