#include "ExamWindow.h"

#include "ui/Speech.h"

#include "Progress.h"
#include "ScoreChart.h"
#include "bank/BankStore.h"
#include "exam/LearnerStats.h"
#include "exam/ProgressStore.h"
#include "ui/ExplanationPanel.h"
#include "ui/Accessibility.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/HoverTracker.h"
#include "ui/ImageButton.h"
#include "ui/InterfaceScale.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>

namespace kemuyi {

namespace {

constexpr int kHistoryLength = 20;

QString pointsText(const ExamFormat &format)
{
    return QStringLiteral("共%1题，限时%2分钟，每题%3分，满分%4分，%5分及格。")
        .arg(format.questions).arg(format.minutes).arg(format.pointsPerQuestion)
        .arg(format.fullMarks()).arg(format.passMark);
}

} // namespace

QString categoryTitle(const QString &code)
{
    static const QHash<QString, QString> titles = {
        {QStringLiteral("C1C2C3C4"), QStringLiteral("小型汽车（C1 C2 C3 C4）")},
        {QStringLiteral("A1A3B1"), QStringLiteral("客车（A1 A3 B1）")},
        {QStringLiteral("A2B2"), QStringLiteral("货车（A2 B2）")},
        {QStringLiteral("DEF"), QStringLiteral("摩托车（D E F）")},
        {QStringLiteral("M"), QStringLiteral("轮式专用机械车（M）")},
    };
    return titles.value(code, code);
}

ExamWindow::ExamWindow(BankStore &bank, LearnerProgress *progress, QWidget *parent)
    : QDialog(parent), m_bank(bank), m_progress(progress)
{
    setObjectName(QStringLiteral("ExamWindow"));
    setUpFixedWindow(*this, 690, 450);
    setModal(true);
    setFont(pixelFont(QStringLiteral("宋体"), 14));
    setFocusPolicy(Qt::StrongFocus);
    createControls();
    describeControls();
    m_hover = new HoverTracker(
        this, [this](QWidget *control) { pointerEntered(control); },
        [this](QWidget *control) { pointerLeft(control); });
    previewKeys(*this);
    m_clockTimer = new QTimer(this);
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, [this] { guardEvent([this] { tick(); }); });
    guardEvent([this] { loadPictures(); });
    showPage(Page::Start);
}

ExamWindow::~ExamWindow() = default;

// ---- pages ----

void ExamWindow::showPage(Page page)
{
    m_page = page;
    const bool confirming = page == Page::Confirm || page == Page::ConfirmDiscard;
    // A discard asked from the start page keeps the start page's information in view.
    const bool start = page == Page::Start || (page == Page::ConfirmDiscard && m_beforeDiscard == Page::Start);
    const bool exam = page == Page::Exam || (confirming && !start);
    const bool drill = page == Page::Drill;
    const bool result = page == Page::Result;
    rulesLabel->setVisible(start);
    readinessLabel->setVisible(start);
    scoreChart->setVisible(start);
    startButton->setVisible(page == Page::Start);
    drillButton->setVisible(page == Page::Start);
    questionLabel->setVisible(!start);
    questionPicture->setVisible(!start);
    missedList->setVisible(false);
    setDesignSize(*questionLabel, QSize(designGeometry(*questionLabel).width(), kQuestionAreaHeight));
    clockLabel->setVisible(exam || result);
    verdictPicture->setVisible(drill);
    giveUpButton->setVisible(page == Page::Exam);
    handInButton->setVisible(page == Page::Exam);
    // On the start page it shows only while an exam is unfinished (showStartInfo).
    discardButton->setVisible(page == Page::Exam);
    confirmButton->setVisible(page == Page::Confirm);
    confirmDiscardButton->setVisible(page == Page::ConfirmDiscard);
    keepAnsweringButton->setVisible(confirming);
    prevButton->setVisible(!start);
    nextButton->setVisible(!start);
    readButton->setVisible(!start);
    if (!confirming) {
        m_spoken.clear();
        m_spokenShowing.clear();
        if (m_reader)
            m_reader->stop();
        for (ImageButton *button : {aButton, bButton, cButton, dButton, trueButton, falseButton})
            button->setVisible(exam || drill);
    }
    // The clock runs on through the hand-in and discard questions.
    if (!confirming && (page == Page::Exam) != m_clockTimer->isActive()) {
        if (page == Page::Exam)
            m_clockTimer->start();
        else
            m_clockTimer->stop();
    }
    if (page == Page::Start)
        statusLabel->clear();
    explanationPanel->close();
    explainButton->hide();
}

void ExamWindow::prepare(const QString &categoryCode)
{
    m_category = categoryCode;
    m_session.reset();
    m_questions.clear();
    m_categoryIds.reset();
    showStartPage();
}

void ExamWindow::runFor(const QString &categoryCode)
{
    guardEvent([this, &categoryCode] { prepare(categoryCode); });
    centerOnScreen(*this);
    exec();
}

void ExamWindow::showStartPage()
{
    m_clockTimer->stop();
    m_session.reset();
    m_sittingId = 0;
    showPage(Page::Start);
    const ExamFormat format = examFormatFor(m_category);
    titleBand->setText(QStringLiteral("模拟考试 · ") + categoryTitle(m_category));
    QVector<ScoreRecord> scores;
    m_drillIds.clear();
    std::optional<StoredSitting> open;
    ReadinessEstimate readiness;
    if (ProgressStore *store = m_progress ? m_progress->store() : nullptr) {
        const QString bank = m_progress->bank();
        guardEvent([&] {
            scores = store->recentScores(m_category, kHistoryLength);
            open = store->unfinishedSitting(bank, m_category);
            const QVector<qint32> &inCategory = categoryIds();
            for (qint32 id : store->bookQuestions(bank)) {
                if (std::binary_search(inCategory.begin(), inCategory.end(), id))
                    m_drillIds.append(id);
            }
            QVector<CategoryQuestion> questions;
            for (const auto &[id, topic] : m_bank.categoryTopics(m_category))
                questions.append(CategoryQuestion{id, topic});
            readiness = categoryReadiness(*store, bank, m_category, questions, m_clock());
        });
    }
    showStartInfo(open);
    setAnnouncedText(readinessLabel, readinessText(readiness));
    drillButton->setEnabled(!m_drillIds.isEmpty());
    drillButton->setAccessibleName(QStringLiteral("错题练习，%1题").arg(m_drillIds.size()));
    drillButton->setToolTip(QStringLiteral("练习错题本中的 %1 道题（小键盘/或K键）").arg(m_drillIds.size()));
    scoreChart->setScores(scores, format.passMark);
}

// The rules, what happens to an unfinished exam, and the book's rule.
void ExamWindow::showStartInfo(const std::optional<StoredSitting> &open)
{
    const ExamFormat format = examFormatFor(m_category);
    QString info = categoryTitle(m_category) + QStringLiteral("科目一模拟考试\n") + pointsText(format)
                   + QStringLiteral("\n题目从本类别题库中随机抽取，不重复。");
    if (open) {
        int answered = 0;
        for (qint32 choice : open->choices)
            answered += choice != 0 ? 1 : 0;
        const qint64 left = open->startedMs + open->format.limitMs() - m_clock();
        info += QStringLiteral("\n有一场考试尚未交卷（已答 %1/%2 题，%3）。按“开始考试”继续，或按“放弃考试”作废（不计成绩）。")
                    .arg(answered).arg(open->paper.size())
                    .arg(left > 0 ? QStringLiteral("剩余时间 ") + clockText(left + 999) : QStringLiteral("时间已到"));
    }
    info += QStringLiteral("\n错题本：%1 题（在两次不同的练习中、或相隔一小时以上，连续答对两次即移出）").arg(m_drillIds.size());
    rulesLabel->setText(info);
    discardButton->setVisible(open.has_value());
    startButton->setAccessibleName(open ? QStringLiteral("继续考试") : QStringLiteral("开始考试"));
}

const QVector<qint32> &ExamWindow::categoryIds()
{
    if (!m_categoryIds)
        m_categoryIds = m_bank.categoryIds(m_category);
    return *m_categoryIds;
}

const Question &ExamWindow::cached(qint32 id)
{
    static constexpr Columns shown = {Column::Subject, Column::A, Column::B, Column::C, Column::D,
                                      Column::Pic, Column::Select, Column::Answer, Column::Basis, Column::Explain};
    auto found = m_questions.find(id);
    if (found == m_questions.end())
        found = m_questions.insert(id, m_bank.questionById(id, shown));
    return *found;
}

void ExamWindow::exitClicked()
{
    switch (m_page) {
    case Page::Start:
        close();
        break;
    case Page::Confirm:
    case Page::ConfirmDiscard:
        keepAnsweringClicked();
        break;
    case Page::Exam:
        // The sitting stays open in the progress file and the start page offers to go on.
        m_clockTimer->stop();
        close();
        break;
    case Page::Result:
    case Page::Drill:
        showStartPage();
        break;
    }
}

void ExamWindow::closeEvent(QCloseEvent *event)
{
    m_clockTimer->stop();
    QDialog::closeEvent(event);
}

// ---- hover pictures ----

void ExamWindow::pointerEntered(QWidget *control)
{
    m_hoverPictures.enter(*this, control, true);
}

void ExamWindow::pointerLeft(QWidget *control)
{
    m_hoverPictures.leave(*this, control);
}

} // namespace kemuyi
