#pragma once

#include "bank/BankStore.h"
#include "exam/ExamSession.h"
#include "practice/PracticeRun.h"
#include "practice/RunTally.h"
#include "ui/HoverPictures.h"
#include "ui/KeyTable.h"

#include <QDeadlineTimer>
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kemuyi {

class HoverTracker;
class ImageButton;
class LearnerProgress;
class PictureBox;
class QuestionReader;
class SpeechOutput;
class ExamWindow;
class ExplanationPanel;

// The practice window, shown modally over the menu: the question area, the six answer buttons,
// Previous/Next/hint, the two practice modes, the auto-advance switch and the exam keyboard on
// the numeric keypad.
class TForm2 : public QDialog, private PracticeView
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;

    // Controls, bottom to top.
    PictureBox *Image5 = nullptr;
    ImageButton *ImgDui = nullptr;
    ImageButton *ImgCuo = nullptr;
    ImageButton *ImgPrev = nullptr;
    ImageButton *ImgSxlx = nullptr;
    ImageButton *ImgJqlx = nullptr;
    ImageButton *ImgExit = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    PictureBox *Image1 = nullptr;
    ImageButton *ImgA = nullptr;
    ImageButton *ImgB = nullptr;
    ImageButton *ImgC = nullptr;
    ImageButton *ImgHelp = nullptr;
    ImageButton *ImgNext = nullptr;
    PictureBox *Image2 = nullptr;
    ImageButton *ImgChk = nullptr;
    ImageButton *ImgD = nullptr;
    QLineEdit *Edit1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    // Additions, on the background so the window's own controls stay as they are: the mock
    // exam's entry in the free space of the left column, and the progress line in the top band.
    ImageButton *ImgMnks = nullptr;
    QLabel *LabelProgress = nullptr;
    // Once the shown question is judged or its hint shown: 解析 at the right end of the status
    // line, and the panel it opens over the question area.
    ImageButton *explainButton = nullptr;
    ExplanationPanel *explanationPanel = nullptr;
    // Reads the shown question aloud, in the free space between D and Previous.
    ImageButton *ImgRead = nullptr;

    PracticeRun &run() { return m_run; }
    BankStore &bank() { return m_bank; }
    HoverTracker &hoverTracker() { return *m_hover; }
    bool autoAdvance() const;

    // Where judged answers go into the wrong-question book, and what the exam window keeps;
    // without one the window practises as always and keeps nothing.
    void setProgress(LearnerProgress *progress) { m_progress = progress; }
    // What reads questions aloud, here and in the exam window; without one, V and the speaker
    // button do nothing.
    void setSpeech(SpeechOutput *speech);
    QuestionReader *reader() const { return m_reader; }
    ExamWindow *examWindow() const { return m_examWindow; }

    // The wait after a judged answer; tests shorten it.
    void setAdvanceDelay(int ms) { m_advanceDelayMs = ms; }
    // The wall clock answers are recorded on; tests inject their own.
    void setClock(ExamClock clock) { m_clock = std::move(clock); }

    void FormCreate();
    void FormShow();
    void FormKeyDown(int key);
    void ShowRecord();
    void RightAnswer(const QString &value);
    void WrongAnswer(const QString &value);
    void Delay(int ms);
    void CMMouseEnter(QWidget *control);
    void CMMouseLeave(QWidget *control);

    void ImgAClick();
    void ImgBClick();
    void ImgCClick();
    void ImgDClick();
    void ImgDuiClick();
    void ImgCuoClick();
    void ImgPrevClick();
    void ImgNextClick();
    void ImgHelpClick();
    void ImgSxlxClick();
    void ImgJqlxClick();
    void ImgChkClick();
    void ImgExitClick();
    void ImgMnksClick();
    // Opens the explanation of the shown question, or closes it when open. Before the question
    // is judged or its hint shown it does nothing: it must not give the answer away.
    void explainClicked();
    // Key G: the status line asks for a question number; digits, then Enter, go there.
    void startJumpEntry();
    bool isEnteringJump() const { return m_enteringJump; }
    void ImgReadClick();
    void autoReadClick();
    // What a key of the shared key table does here, letters included.
    void keyDown(KeyAction action);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // PracticeView
    QString categoryCode() const override;
    void setButtonEnabled(RunButton button, bool enabled) override;
    bool isButtonEnabled(RunButton button) const override;
    void clearQuestionArea() override;
    void showQuestionAtPosition() override { ShowRecord(); }
    void setBusyCursor(bool busy) override;
    void showEmptyCategory() override;

    void createControls();
    void describeControls();
    void loadBuiltInPictures();
    ImageButton *buttonFor(RunButton button) const;
    void answer(RunButton button);
    void markRecordedChoice();
    void afterJudged(const QString &statusText, const QString &pictureFile);
    void setAutoAdvance(bool on);
    void oweStep();
    void createAdditions();
    void startMode(bool shuffled);
    void noteVerdict(bool right);
    void updateProgressLine();
    void refreshExplainButton();
    // A key typed while the jump entry is open; false when the entry ended and the key should
    // act as usual.
    bool jumpEntryKey(const QKeyEvent &event);
    void showJumpEntry();
    void endJumpEntry(bool go);

    BankStore m_bank;
    PracticeRun m_run;
    HoverTracker *m_hover = nullptr;
    HoverPictures m_hoverPictures;
    int m_advanceDelayMs = 1000;
    // Counts what the window put on screen; the auto-advance step names the showing it owes.
    quint64 m_showings = 0;
    bool m_stepOwed = false;
    quint64 m_owedShowing = 0;
    bool m_waitingForStep = false;
    QDeadlineTimer m_stepDue;
    LearnerProgress *m_progress = nullptr;
    SpeechOutput *m_speech = nullptr;
    QuestionReader *m_reader = nullptr;
    // The shown question as it is read aloud; empty while none is shown.
    QString m_spoken;
    ExamWindow *m_examWindow = nullptr;
    // This run's first judgement per slot: the progress line and the book count only that.
    RunTally m_tally;
    bool m_enteringJump = false;
    QString m_jumpDigits;
    QString m_statusBeforeJump;
    QString m_modeName;
    // What the progress file needs to count an answer once per showing: the run (numbered by its
    // start on the wall clock), the showing of the question within it, and whether the hint or a
    // wrong answer came before on this showing.
    ExamClock m_clock = systemClock();
    qint64 m_runId = 0;
    int m_showing = 0;
    bool m_helped = false;
};

} // namespace kemuyi
