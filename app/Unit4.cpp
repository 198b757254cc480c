#include "Unit4.h"

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

TForm4::TForm4(LearnerProgress *progress, QWidget *parent) : QDialog(parent), m_progress(progress)
{
    setObjectName(QStringLiteral("Form4"));
    setUpFixedWindow(*this, 690, 450);
    setModal(true);
    setFont(pixelFont(QStringLiteral("宋体"), 14));
    setFocusPolicy(Qt::StrongFocus);
    createControls();
    describeControls();
    m_hover = new HoverTracker(
        this, [this](QWidget *control) { CMMouseEnter(control); },
        [this](QWidget *control) { CMMouseLeave(control); });
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, [this] { guardEvent([this] { Timer1Timer(); }); });
    guardEvent([this] { loadPictures(); });
    showPage(Page::Start);
}

TForm4::~TForm4() = default;

// ---- pages ----

void TForm4::showPage(Page page)
{
    m_page = page;
    const bool start = page == Page::Start;
    const bool exam = page == Page::Exam || page == Page::Confirm;
    const bool drill = page == Page::Drill;
    const bool result = page == Page::Result;
    LabelInfo->setVisible(start);
    Chart->setVisible(start);
    ImgKsks->setVisible(start);
    ImgCtlx->setVisible(start);
    Label1->setVisible(!start);
    Image2->setVisible(!start);
    LabelClock->setVisible(exam || result);
    Image1->setVisible(drill);
    ImgFq->setVisible(page == Page::Exam);
    ImgJj->setVisible(page == Page::Exam);
    ImgQrjj->setVisible(page == Page::Confirm);
    ImgJxdt->setVisible(page == Page::Confirm);
    ImgPrev->setVisible(!start);
    ImgNext->setVisible(!start);
    if (page != Page::Confirm) {
        for (ImageButton *button : {ImgA, ImgB, ImgC, ImgD, ImgDui, ImgCuo})
            button->setVisible(exam || drill);
    }
    // The clock runs on through the hand-in question.
    if (page != Page::Confirm && (page == Page::Exam) != m_timer->isActive()) {
        if (page == Page::Exam)
            m_timer->start();
        else
            m_timer->stop();
    }
    if (start)
        Label2->clear();
}

void TForm4::prepare(const QString &categoryCode)
{
    m_category = categoryCode;
    m_session.reset();
    m_questions.clear();
    m_bank.reset();
    m_bank = std::make_unique<ExamBank>(workingCopyPath());
    showStartPage();
}

void TForm4::runFor(const QString &categoryCode)
{
    guardEvent([this, &categoryCode] { prepare(categoryCode); });
    centerOnScreen(*this);
    exec();
}

void TForm4::showStartPage()
{
    m_timer->stop();
    showPage(Page::Start);
    const ExamFormat format = examFormatFor(m_category);
    LabelTop->setText(QStringLiteral("模拟考试 · ") + categoryTitle(m_category));
    QVector<ScoreRecord> scores;
    m_drillIds.clear();
    std::optional<StoredSitting> open;
    if (ProgressStore *store = m_progress ? m_progress->store() : nullptr) {
        const QString bank = m_progress->bank();
        guardEvent([&] {
            scores = store->recentScores(m_category, kHistoryLength);
            open = store->unfinishedSitting(bank, m_category);
            if (m_bank)
                m_drillIds = m_bank->inCategory(store->bookQuestions(bank), m_category);
        });
    }
    QString info = categoryTitle(m_category) + QStringLiteral("科目一模拟考试\n") + pointsText(format)
                   + QStringLiteral("\n题目从本类别题库中随机抽取，不重复。");
    if (open)
        info += QStringLiteral("\n上次的考试尚未交卷，按“开始考试”继续（时间照常计算）。");
    info += QStringLiteral("\n错题本：%1 题（连续答对两次即移出错题本）").arg(m_drillIds.size());
    LabelInfo->setText(info);
    ImgCtlx->setEnabled(!m_drillIds.isEmpty());
    ImgCtlx->setAccessibleName(QStringLiteral("错题练习，%1题").arg(m_drillIds.size()));
    ImgCtlx->setToolTip(QStringLiteral("练习错题本中的 %1 道题（小键盘/或K键）").arg(m_drillIds.size()));
    Chart->setScores(scores, format.passMark);
}

const ExamQuestion &TForm4::cached(qint32 id)
{
    auto found = m_questions.find(id);
    if (found == m_questions.end())
        found = m_questions.insert(id, m_bank->question(id));
    return *found;
}

void TForm4::ImgExitClick()
{
    switch (m_page) {
    case Page::Start:
        close();
        break;
    case Page::Confirm:
        ImgJxdtClick();
        break;
    case Page::Exam:
        // The sitting stays open in the progress file and the start page offers to go on.
        m_timer->stop();
        close();
        break;
    case Page::Result:
    case Page::Drill:
        showStartPage();
        break;
    }
}

void TForm4::closeEvent(QCloseEvent *event)
{
    m_timer->stop();
    QDialog::closeEvent(event);
}

// ---- hover pictures ----

void TForm4::CMMouseEnter(QWidget *control)
{
    m_hoverPictures.enter(*this, control, true);
}

void TForm4::CMMouseLeave(QWidget *control)
{
    m_hoverPictures.leave(*this, control);
}

} // namespace kemuyi
