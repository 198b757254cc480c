#include "ExamWindow.h"

#include "ui/Speech.h"

#include "Progress.h"
#include "ScoreChart.h"
#include "bank/BankStore.h"
#include "exam/ProgressStore.h"
#include "ui/FailureReport.h"
#include "ui/Fonts.h"
#include "ui/HoverTracker.h"
#include "ui/ImageButton.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

#include <QCloseEvent>
#include <QLabel>
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
    const bool start = page == Page::Start;
    const bool exam = page == Page::Exam || page == Page::Confirm;
    const bool drill = page == Page::Drill;
    const bool result = page == Page::Result;
    rulesLabel->setVisible(start);
    scoreChart->setVisible(start);
    startButton->setVisible(start);
    drillButton->setVisible(start);
    questionLabel->setVisible(!start);
    questionPicture->setVisible(!start);
    clockLabel->setVisible(exam || result);
    verdictPicture->setVisible(drill);
    giveUpButton->setVisible(page == Page::Exam);
    handInButton->setVisible(page == Page::Exam);
    confirmButton->setVisible(page == Page::Confirm);
    keepAnsweringButton->setVisible(page == Page::Confirm);
    prevButton->setVisible(!start);
    nextButton->setVisible(!start);
    readButton->setVisible(!start);
    if (page != Page::Confirm) {
        m_spoken.clear();
        m_spokenShowing.clear();
        if (m_reader)
            m_reader->stop();
    }
    if (page != Page::Confirm) {
        for (ImageButton *button : {aButton, bButton, cButton, dButton, trueButton, falseButton})
            button->setVisible(exam || drill);
    }
    // The clock runs on through the hand-in question.
    if (page != Page::Confirm && (page == Page::Exam) != m_clockTimer->isActive()) {
        if (page == Page::Exam)
            m_clockTimer->start();
        else
            m_clockTimer->stop();
    }
    if (start)
        statusLabel->clear();
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
    showPage(Page::Start);
    const ExamFormat format = examFormatFor(m_category);
    titleBand->setText(QStringLiteral("模拟考试 · ") + categoryTitle(m_category));
    QVector<ScoreRecord> scores;
    m_drillIds.clear();
    std::optional<StoredSitting> open;
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
        });
    }
    QString info = categoryTitle(m_category) + QStringLiteral("科目一模拟考试\n") + pointsText(format)
                   + QStringLiteral("\n题目从本类别题库中随机抽取，不重复。");
    if (open)
        info += QStringLiteral("\n上次的考试尚未交卷，按“开始考试”继续（时间照常计算）。");
    info += QStringLiteral("\n错题本：%1 题（连续答对两次即移出错题本）").arg(m_drillIds.size());
    rulesLabel->setText(info);
    drillButton->setEnabled(!m_drillIds.isEmpty());
    drillButton->setAccessibleName(QStringLiteral("错题练习，%1题").arg(m_drillIds.size()));
    drillButton->setToolTip(QStringLiteral("练习错题本中的 %1 道题（小键盘/或K键）").arg(m_drillIds.size()));
    scoreChart->setScores(scores, format.passMark);
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
                                      Column::Pic, Column::Select, Column::Answer, Column::Basis};
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
