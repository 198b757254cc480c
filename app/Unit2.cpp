#include "Unit2.h"

#include "Unit2Controls.h"
#include "bank/Question.h"
#include "common/AppPaths.h"
#include "common/Failure.h"
#include "picture/LoadPicture.h"
#include "practice/Judging.h"
#include "practice/QuestionText.h"
#include "ui/Accessibility.h"
#include "ui/EventWait.h"
#include "ui/ExplanationPanel.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/HoverPictures.h"
#include "ui/HoverTracker.h"
#include "ui/ImageButton.h"
#include "ui/LearnerSettings.h"
#include "ui/Speech.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

#include <utility>

namespace kemuyi {

namespace {

QString unsafePictureName(const QString &pic)
{
    return QStringLiteral("题目的插图名“%1”%2，已拒绝加载").arg(pic, pictureNameProblem(pic));
}

} // namespace

TForm2::TForm2(QWidget *parent) : QDialog(parent), m_run(m_bank, *this)
{
    setObjectName(QStringLiteral("Form2"));
    setUpFixedWindow(*this, 690, 450);
    setFont(pixelFont(QStringLiteral("宋体"), 14));
    setFocusPolicy(Qt::StrongFocus);

    createControls();
    guardEvent([this] { loadBuiltInPictures(); });
    m_hover = new HoverTracker(
        this, [this](QWidget *control) { CMMouseEnter(control); },
        [this](QWidget *control) { CMMouseLeave(control); });
    previewKeys(*this);

    // The mock exam's button loads last: when loading stopped earlier, it keeps its built-in
    // picture like every control after the one that failed.
    if (guardEvent([this] { FormCreate(); })) {
        guardEvent([this] {
            LoadPicture(*ImgMnks, AppDir() + ImgMnks->normalFile());
            LoadPicture(*explainButton, AppDir() + explainButton->normalFile());
        });
        guardEvent([this] { LoadPicture(*ImgRead, AppDir() + ImgRead->normalFile()); });
    }
}

TForm2::~TForm2() = default;

void TForm2::FormCreate()
{
    LoadPicture(*Image5, AppDir() + QStringLiteral("bground2.jpg"));
    for (const ButtonRole &role : kButtons) {
        ImageButton &button = *(this->*role.button);
        LoadPicture(button, AppDir() + button.normalFile());
    }
    CheckBox1->setChecked(false);
}

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centerOnScreen(*this);
    guardEvent([this] { FormShow(); });
}

void TForm2::FormShow()
{
    ++m_showings;
    // The menu may have turned it since the last showing.
    if (m_reader)
        m_reader->setAutoRead(savedAutoRead());
    m_modeName.clear();
    m_tally.reset(0);
    m_enteringJump = false;
    explanationPanel->close();
    explainButton->hide();
    updateProgressLine();
    m_run.PrepareOnShow();
}

bool TForm2::autoAdvance() const
{
    return CheckBox1->isChecked();
}

// ---- the run's view of the window ----

QString TForm2::categoryCode() const
{
    return Edit1->text();
}

ImageButton *TForm2::buttonFor(RunButton button) const
{
    switch (button) {
    case RunButton::A: return ImgA;
    case RunButton::B: return ImgB;
    case RunButton::C: return ImgC;
    case RunButton::D: return ImgD;
    case RunButton::Dui: return ImgDui;
    case RunButton::Cuo: return ImgCuo;
    case RunButton::Prev: return ImgPrev;
    case RunButton::Next: return ImgNext;
    case RunButton::Help: return ImgHelp;
    }
    return nullptr;
}

void TForm2::setButtonEnabled(RunButton button, bool enabled)
{
    buttonFor(button)->setEnabled(enabled);
}

bool TForm2::isButtonEnabled(RunButton button) const
{
    return buttonFor(button)->isEnabled();
}

void TForm2::clearQuestionArea()
{
    markChoice({ImgA, ImgB, ImgC, ImgD, ImgDui, ImgCuo}, ChoiceNone);
    m_spoken.clear();
    if (m_reader)
        m_reader->stop();
    Label1->clear();
    Label2->clear();
    Image1->clearPicture();
    Image2->clearPicture();
}

void TForm2::setBusyCursor(bool busy)
{
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void TForm2::showEmptyCategory()
{
    setAnnouncedText(Label2, QStringLiteral(" 本类别题库中没有题目。"));
}

// ---- showing a question ----

void TForm2::ShowRecord()
{
    ++m_showings;
    m_run.CurrentQuestionId = m_run.currentEntry().QuestionId;
    m_bank.SelectQuestion(m_run.CurrentQuestionId);

    // Every shown value is read before anything on screen changes, so a NULL among them leaves
    // the previous question in place.
    const Question &question = m_bank.CurrentQuestion(
        {Column::Subject, Column::A, Column::B, Column::C, Column::D, Column::Pic, Column::Select});
    Label1->clear();
    Label1->setText(composeQuestionText(m_run.CurrentPosition, question));

    const QString &pic = question.pic;
    if (pic.isEmpty()) {
        Image2->clearPicture();
    } else {
        // The name comes from a file we do not control: it may name a picture, never a path.
        if (isUnsafePictureName(pic))
            throw Failure(unsafePictureName(pic));
        LoadPicture(*Image2, AppDir() + QStringLiteral("pic/") + pic + QStringLiteral(".jpg"));
    }

    Label2->clear();
    setAnnouncedText(Label2, choiceStatusText(m_run.currentEntry().Choice));
    markRecordedChoice();
    LoadPicture(*Image1, AppDir() + QStringLiteral("thinking.jpg"));
    m_run.CheckStatus();

    m_spoken = spokenQuestionText(m_run.CurrentPosition, question);
    if (m_reader)
        m_reader->questionShown(m_spoken);

    const bool choice = question.select == QLatin1String("Y");
    ImgA->setVisible(choice);
    ImgB->setVisible(choice);
    ImgDui->setVisible(!choice);
    ImgCuo->setVisible(!choice);
    ImgC->setVisible(choice);
    ImgD->setVisible(choice);
    ++m_showing;
    m_helped = false;
    updateProgressLine();
    m_enteringJump = false;
    explanationPanel->close();
    refreshExplainButton();
}

// ---- answering ----

void TForm2::markRecordedChoice()
{
    markChoice({ImgA, ImgB, ImgC, ImgD, ImgDui, ImgCuo}, m_run.isActive() ? m_run.currentEntry().Choice : ChoiceNone);
}

void TForm2::answer(RunButton button)
{
    explanationPanel->close();
    const AnswerKey &key = answerKey(button);
    const Verdict verdict = recordAnswer(m_run, m_bank, key, buttonFor(button)->isEnabled());
    markRecordedChoice();
    switch (verdict) {
    case Verdict::Right:
        noteVerdict(true);
        RightAnswer(key.value);
        break;
    case Verdict::Wrong:
        noteVerdict(false);
        WrongAnswer(key.value);
        break;
    case Verdict::NotJudged:
        break;
    }
}

void TForm2::RightAnswer(const QString &value)
{
    afterJudged(rightAnswerText(value), QStringLiteral("yes.jpg"));
}

void TForm2::WrongAnswer(const QString &value)
{
    afterJudged(wrongAnswerText(value), QStringLiteral("no.jpg"));
}

void TForm2::afterJudged(const QString &statusText, const QString &pictureFile)
{
    setAnnouncedText(Label2, statusText);
    LoadPicture(*Image1, AppDir() + pictureFile);
    // Both are looked at once, now: switching off or leaving during the wait keeps the step.
    if (autoAdvance() && ImgNext->isEnabled())
        oweStep();
}

// One judged answer on a showing owes one step, a second later. Further answers to the question
// on screen are judged but owe nothing more, and the step is taken only if the question answered
// is still the one shown: the learner who stepped meanwhile, or pressed an answer twice, never
// moves past a question unseen. An answer on a question shown during the wait replaces the
// pending step with its own, so the one running wait takes it instead of nesting another.
void TForm2::oweStep()
{
    if (m_stepOwed && m_owedShowing == m_showings)
        return;
    m_stepOwed = true;
    m_owedShowing = m_showings;
    m_stepDue = QDeadlineTimer(m_advanceDelayMs, Qt::PreciseTimer);
    if (m_waitingForStep)
        return; // the running wait now lasts until a second after this answer
    m_waitingForStep = true;
    waitProcessingEvents(m_stepDue);
    m_waitingForStep = false;
    if (!std::exchange(m_stepOwed, false) || m_owedShowing != m_showings)
        return;
    guardEvent([this] { m_run.StepForward(); });
    // Drawn before any further key is handled: a held answer key must not answer a question
    // the learner has not seen yet.
    if (isVisible())
        repaint();
}

void TForm2::Delay(int ms)
{
    waitProcessingEvents(ms);
}

void TForm2::ImgAClick() { answer(RunButton::A); }
void TForm2::ImgBClick() { answer(RunButton::B); }
void TForm2::ImgCClick() { answer(RunButton::C); }
void TForm2::ImgDClick() { answer(RunButton::D); }
void TForm2::ImgDuiClick() { answer(RunButton::Dui); }
void TForm2::ImgCuoClick() { answer(RunButton::Cuo); }
void TForm2::ImgPrevClick() { m_run.StepBack(); }
void TForm2::ImgNextClick() { m_run.StepForward(); }
void TForm2::ImgSxlxClick() { startMode(false); }
void TForm2::ImgJqlxClick() { startMode(true); }

void TForm2::ImgHelpClick()
{
    // In a category without questions there is no record whose answer could be shown.
    if (!m_bank.hasCurrentRecord())
        return;
    setAnnouncedText(Label2, hintText(m_bank.CurrentQuestion({Column::Answer}).answer));
    m_helped = true;
    if (m_run.isActive())
        m_tally.hintShown(m_run.CurrentPosition);
    refreshExplainButton();
}

// ---- the switch and leaving ----

void TForm2::setAutoAdvance(bool on)
{
    CheckBox1->setChecked(on);
    ImgPrev->setVisible(!on);
    ImgNext->setVisible(!on);
}

void TForm2::ImgChkClick()
{
    const bool on = !autoAdvance();
    // The picture first: when it cannot be loaded the switch stays whole as it was, so what it
    // shows is always what it does.
    LoadPicture(*ImgChk, AppDir() + (on ? QStringLiteral("checked.jpg") : QStringLiteral("uncheck.jpg")));
    setAutoAdvance(on);
}

void TForm2::ImgExitClick()
{
    // Leaving must never be blocked by a missing picture: the window is frameless and modal,
    // so a learner would have no other way out. The failure is still reported.
    setAutoAdvance(false);
    guardEvent([this] { LoadPicture(*ImgChk, AppDir() + QStringLiteral("uncheck.jpg")); });
    close();
}

// ---- hover pictures ----

void TForm2::CMMouseEnter(QWidget *control)
{
    if (control == ImgChk) {
        m_hoverPictures.load(*ImgChk, autoAdvance() ? QStringLiteral("unchk_ovr.jpg") : QStringLiteral("chk_ovr.jpg"));
        return;
    }
    // The mock exam's and the speaker button sit on the background; leaving is never disabled.
    if (control == ImgMnks || control == ImgRead)
        m_hoverPictures.enter(*Image5, control);
    else
        m_hoverPictures.enter(*this, control, control != ImgExit);
}

void TForm2::CMMouseLeave(QWidget *control)
{
    if (control == ImgChk) {
        m_hoverPictures.load(*ImgChk, autoAdvance() ? QStringLiteral("Checked.jpg") : QStringLiteral("uncheck.jpg"));
        return;
    }
    const bool onBackground = control == ImgMnks || control == ImgRead;
    m_hoverPictures.leave(onBackground ? static_cast<QWidget &>(*Image5) : *this, control);
}

} // namespace kemuyi
