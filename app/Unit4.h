#pragma once

#include "ExamKeys.h"
#include "exam/ExamBank.h"
#include "exam/ExamSession.h"
#include "ui/HoverPictures.h"

#include <QDialog>
#include <QHash>

#include <memory>
#include <optional>

class QLabel;
class QTimer;

namespace kemuyi {

class HoverTracker;
class ImageButton;
class LearnerProgress;
class PictureBox;
class ScoreChart;

// The mock-exam window, shown modally over the practice window: a start page with the rules,
// the wrong-question book and the score history; a timed exam under the test's rules; the result
// with every wrong or unanswered question and the rule behind its answer; and the drill of the
// wrong-question book, judged at once.
class TForm4 : public QDialog
{
    Q_OBJECT

public:
    enum class Page { Start, Exam, Confirm, Result, Drill };

    // `progress` may be null: then nothing is kept between showings.
    explicit TForm4(LearnerProgress *progress, QWidget *parent = nullptr);
    ~TForm4() override;

    // Opens the working copy and prepares the start page for the category.
    void prepare(const QString &categoryCode);
    // prepare(), then shows the window modally; returns when it closes.
    void runFor(const QString &categoryCode);

    // Controls, bottom to top.
    PictureBox *Image5 = nullptr;
    QLabel *LabelTop = nullptr;
    QLabel *LabelInfo = nullptr;
    ScoreChart *Chart = nullptr;
    QLabel *Label1 = nullptr;
    PictureBox *Image2 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *LabelClock = nullptr;
    PictureBox *Image1 = nullptr;
    ImageButton *ImgDui = nullptr;
    ImageButton *ImgCuo = nullptr;
    ImageButton *ImgA = nullptr;
    ImageButton *ImgB = nullptr;
    ImageButton *ImgC = nullptr;
    ImageButton *ImgD = nullptr;
    ImageButton *ImgPrev = nullptr;
    ImageButton *ImgNext = nullptr;
    ImageButton *ImgKsks = nullptr;
    ImageButton *ImgCtlx = nullptr;
    ImageButton *ImgFq = nullptr;
    ImageButton *ImgJj = nullptr;
    ImageButton *ImgQrjj = nullptr;
    ImageButton *ImgJxdt = nullptr;
    ImageButton *ImgExit = nullptr;

    Page page() const { return m_page; }
    ExamSession *session() { return m_session.get(); }
    int bookCount() const { return m_drillIds.size(); }
    int drillPosition() const { return m_drillPosition; }
    // -1 on the summary, else the index into the missed questions.
    int reviewIndex() const { return m_reviewIndex; }
    void setClock(ExamClock clock) { m_clock = std::move(clock); }
    void setRandom(RandomBelow random) { m_random = std::move(random); }

    void FormKeyDown(ExamKey key);
    // Checks the time now, as the once-a-second timer does.
    void Timer1Timer();

    void ImgKsksClick();
    void ImgCtlxClick();
    void ImgFqClick();
    void ImgJjClick();
    void ImgQrjjClick();
    void ImgJxdtClick();
    void ImgExitClick();
    void ImgPrevClick();
    void ImgNextClick();
    void answer(qint32 choice);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void describeControls();
    ImageButton *addButton(const char *name, QRect place, const QString &stem);
    void loadPictures();
    void showPage(Page page);
    void showStartPage();
    void startExam();
    bool resumeSitting();
    void showExamQuestion();
    void showQuestion(const ExamQuestion &question, int number, qint32 choice);
    void updateExamBand();
    void finishExam();
    void showReview();
    void startDrill();
    void showDrillQuestion();
    const ExamQuestion &cached(qint32 id);
    void CMMouseEnter(QWidget *control);
    void CMMouseLeave(QWidget *control);

    LearnerProgress *m_progress;
    std::unique_ptr<ExamBank> m_bank;
    QString m_category;
    Page m_page = Page::Start;
    ExamClock m_clock = systemClock();
    RandomBelow m_random = systemRandom();
    std::unique_ptr<ExamSession> m_session;
    qint64 m_sittingId = 0;
    QHash<qint32, ExamQuestion> m_questions;
    int m_reviewIndex = -1;
    QVector<qint32> m_drillIds;
    int m_drillPosition = 0;
    QTimer *m_timer = nullptr;
    HoverTracker *m_hover = nullptr;
    HoverPictures m_hoverPictures;
};

// The category as the learner reads it, e.g. "小型汽车（C1 C2 C3 C4）".
QString categoryTitle(const QString &code);

} // namespace kemuyi
