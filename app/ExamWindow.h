#pragma once

#include "bank/Question.h"
#include "exam/ExamSession.h"
#include "exam/ProgressStore.h"
#include "ui/HoverPictures.h"
#include "ui/KeyTable.h"

#include <QDialog>
#include <QHash>

#include <memory>
#include <optional>

class QLabel;
class QTextBrowser;
class QTimer;

namespace kemuyi {

class BankStore;
class HoverTracker;
class ImageButton;
class ExplanationPanel;
class LearnerProgress;
class PictureBox;
class QuestionReader;
class ScoreChart;
class SpeechOutput;

// The mock-exam window, shown modally over the practice window: a start page with the rules,
// the wrong-question book and the score history; a timed exam under the test's rules; the result
// with every wrong or unanswered question and the rule behind its answer; and the drill of the
// wrong-question book, judged at once.
class ExamWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kQuestionAreaHeight = 297;

    enum class Page { Start, Exam, Confirm, ConfirmDiscard, Result, Drill };

    // Questions are read from `bank`, the practice window's open connection, without moving its
    // current record. `progress` may be null: then nothing is kept between showings.
    ExamWindow(BankStore &bank, LearnerProgress *progress, QWidget *parent = nullptr);
    ~ExamWindow() override;

    // Prepares the start page for the category.
    void prepare(const QString &categoryCode);
    // prepare(), then shows the window modally; returns when it closes.
    void runFor(const QString &categoryCode);

    // Controls, bottom to top.
    PictureBox *background = nullptr;
    QLabel *titleBand = nullptr;
    QLabel *rulesLabel = nullptr;
    QLabel *readinessLabel = nullptr;
    ScoreChart *scoreChart = nullptr;
    QLabel *questionLabel = nullptr;
    // The result's wrong and unanswered questions, all on one scrollable page.
    QTextBrowser *missedList = nullptr;
    PictureBox *questionPicture = nullptr;
    QLabel *statusLabel = nullptr;
    QLabel *clockLabel = nullptr;
    PictureBox *verdictPicture = nullptr;
    ImageButton *trueButton = nullptr;
    ImageButton *falseButton = nullptr;
    ImageButton *aButton = nullptr;
    ImageButton *bButton = nullptr;
    ImageButton *cButton = nullptr;
    ImageButton *dButton = nullptr;
    ImageButton *prevButton = nullptr;
    ImageButton *nextButton = nullptr;
    ImageButton *startButton = nullptr;
    ImageButton *drillButton = nullptr;
    ImageButton *giveUpButton = nullptr;
    ImageButton *handInButton = nullptr;
    ImageButton *confirmButton = nullptr;
    ImageButton *keepAnsweringButton = nullptr;
    ImageButton *discardButton = nullptr;
    ImageButton *confirmDiscardButton = nullptr;
    ImageButton *exitButton = nullptr;
    // In the result review and the drill, once the answer is known: the explanation beside the
    // right answer, over the question area; 解析 (key E) switches between it and the question.
    ImageButton *explainButton = nullptr;
    ExplanationPanel *explanationPanel = nullptr;
    // Reads the shown question aloud, between D and Previous as in the practice window.
    ImageButton *readButton = nullptr;

    Page page() const { return m_page; }
    ExamSession *session() { return m_session.get(); }
    int bookCount() const { return m_drillIds.size(); }
    int drillPosition() const { return m_drillPosition; }
    // -1 on the summary, else the index into the missed questions.
    int reviewIndex() const { return m_reviewIndex; }
    void setClock(ExamClock clock) { m_clock = std::move(clock); }
    void setRandom(RandomBelow random) { m_random = std::move(random); }
    // What reads questions aloud; without one, V and the speaker button do nothing.
    void setSpeech(SpeechOutput *speech);

    // What a key of the shared key table does here, letters included.
    void keyDown(KeyAction action);
    // Checks the time now, as the once-a-second timer does.
    void tick();

    void startClicked();
    void drillClicked();
    void giveUpClicked();
    void handInClicked();
    void confirmClicked();
    void keepAnsweringClicked();
    // 放弃考试: asks first; an unfinished exam then ends without a score.
    void discardClicked();
    void confirmDiscardClicked();
    void exitClicked();
    void prevClicked();
    void nextClicked();
    void explainClicked();
    void answer(qint32 choice);
    void readClicked();
    void autoReadClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void createControls();
    void describeControls();
    void loadPictures();
    void showPage(Page page);
    void showStartPage();
    void startExam();
    bool resumeSitting();
    bool loadStoredSitting();
    void showStartInfo(const std::optional<StoredSitting> &open);
    void showMissedList();
    void showExamQuestion();
    void showQuestion(const Question &question, int number, qint32 choice);
    void markChosen(qint32 choice);
    void updateExamBand();
    void finishExam();
    void showReview();
    void startDrill();
    void showDrillQuestion();
    // Opens the panel with the answer line, the explanation and the basis of `question`, and
    // offers 解析 to switch back to the question.
    void openExplanation(const QString &answerLine, const Question &question);
    void newDrillShowing();
    const QVector<qint32> &categoryIds();
    const Question &cached(qint32 id);
    void pointerEntered(QWidget *control);
    void pointerLeft(QWidget *control);

    BankStore &m_bank;
    LearnerProgress *m_progress;
    QString m_category;
    // The category's ids, read once per preparation.
    std::optional<QVector<qint32>> m_categoryIds;
    Page m_page = Page::Start;
    ExamClock m_clock = systemClock();
    RandomBelow m_random = systemRandom();
    std::unique_ptr<ExamSession> m_session;
    qint64 m_sittingId = 0;
    // The page a discard question returns to when the learner keeps the exam.
    Page m_beforeDiscard = Page::Start;
    QHash<qint32, Question> m_questions;
    int m_reviewIndex = -1;
    QVector<qint32> m_drillIds;
    int m_drillPosition = 0;
    // What the open explanation shows, kept for switching back to it.
    QString m_explanation;
    // The drill as a run of its own, for counting each answer once per showing.
    qint64 m_drillRun = 0;
    int m_drillShowing = 0;
    bool m_drillHelped = false;
    QTimer *m_clockTimer = nullptr;
    HoverTracker *m_hover = nullptr;
    HoverPictures m_hoverPictures;
    QuestionReader *m_reader = nullptr;
    // The shown question as it is read aloud, and which showing it belongs to: a question shown
    // again on the same page (the drill adds the rule after an answer) is not read again.
    QString m_spoken;
    QString m_spokenShowing;
};

// The category as the learner reads it, e.g. "小型汽车（C1 C2 C3 C4）".
QString categoryTitle(const QString &code);

} // namespace kemuyi
