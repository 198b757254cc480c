#include "Unit2.h"

#include "bank/Question.h"
#include "practice/Judging.h"
#include "practice/QuestionText.h"
#include "ui/Accessibility.h"
#include "ui/ExplanationPanel.h"
#include "ui/ImageButton.h"

#include <QKeyEvent>
#include <QLabel>

// The practice window's teaching additions: the explanation of a question once its answer is
// known, and going straight to a question by its number.

namespace kemuyi {

namespace {

// The longest number the entry takes: more digits than any category has questions.
constexpr int kMaxJumpDigits = 5;

} // namespace

void TForm2::refreshExplainButton()
{
    explainButton->setVisible(m_run.isActive() && m_tally.answerShown(m_run.CurrentPosition));
}

void TForm2::explainClicked()
{
    if (explanationPanel->isOpen()) {
        explanationPanel->close();
        return;
    }
    if (!m_run.isActive() || !m_tally.answerShown(m_run.CurrentPosition))
        return;
    const Question question = m_bank.questionById(m_run.CurrentQuestionId, {Column::Answer, Column::Basis});
    explanationPanel->open(explanationText(QStringLiteral("正确答案：") + question.answer, question));
}

void TForm2::startJumpEntry()
{
    if (!m_run.isActive() || m_enteringJump)
        return;
    m_enteringJump = true;
    m_jumpDigits.clear();
    m_statusBeforeJump = Label2->text();
    showJumpEntry();
}

void TForm2::showJumpEntry()
{
    const QString number = m_jumpDigits.isEmpty() ? QStringLiteral("＿") : m_jumpDigits;
    setAnnouncedText(Label2, QStringLiteral(" 转到第 %1 题：输入题号按回车键，Esc键取消").arg(number));
}

bool TForm2::jumpEntryKey(const QKeyEvent &event)
{
    const int key = event.key();
    const bool plain = !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    // Digits of the main row and of the keypad alike: while the entry is open, keypad 7 is a 7.
    if (plain && key >= Qt::Key_0 && key <= Qt::Key_9) {
        if (m_jumpDigits.size() < kMaxJumpDigits)
            m_jumpDigits += QChar(u'0' + (key - Qt::Key_0));
        showJumpEntry();
        return true;
    }
    if (key == Qt::Key_Backspace) {
        m_jumpDigits.chop(1);
        showJumpEntry();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        endJumpEntry(key != Qt::Key_Escape);
        return true;
    }
    // Any other key ends the entry and then does what it always does.
    endJumpEntry(false);
    return false;
}

void TForm2::endJumpEntry(bool go)
{
    m_enteringJump = false;
    if (!go || m_jumpDigits.isEmpty()) {
        setAnnouncedText(Label2, m_statusBeforeJump);
        return;
    }
    const int position = m_jumpDigits.toInt();
    if (!m_run.jumpTo(position)) {
        setAnnouncedText(Label2, QStringLiteral(" 没有第%1题：请输入1到%2之间的题号。")
                                     .arg(m_jumpDigits).arg(m_run.QuestionCount));
    }
}

} // namespace kemuyi
