// What the learner sees of smart review, statistics and the finished exam: the 智能复习 and 统计
// pages on an injected clock, 放弃考试 with its confirmation from the exam and from the start page,
// the plain note of an unfinished exam, the readiness line, and every missed question on one
// scrollable page.

#include "PracticeFixture.h"

#include "app/ExamWindow.h"
#include "app/Progress.h"
#include "app/ScoreChart.h"
#include "app/SmartReviewPage.h"
#include "app/StatsPage.h"
#include "app/StudyCharts.h"
#include "exam/ProgressStore.h"
#include "ui/ImageButton.h"

#include <QLabel>
#include <QSpinBox>
#include <QScrollBar>
#include <QTextBrowser>

namespace kemuyi::test {
namespace {

constexpr qint64 kHour = 60LL * 60 * 1000;
constexpr qint64 kDay = 24 * kHour;
const QString kCar = QStringLiteral("C1C2C3C4");

// 120 car questions (odd: choice, answer C; even: true/false, 正确) in two topics, with an
// explanation each.
QVector<Question> pageRows()
{
    QVector<Question> rows;
    for (int id = 1; id <= 120; ++id)
        rows.append(id % 2 ? choiceRow(id, kCar, QStringLiteral("C")) : judgeRow(id, kCar, QStringLiteral("正确")));
    return rows;
}

// Every text control shows its whole text: no line wider than the control, no more lines than fit.
void expectFits(const QLabel *label)
{
    const QFontMetrics metrics(label->font());
    const QMargins m = label->contentsMargins();
    const int width = label->width() - m.left() - m.right();
    const QRect needed = metrics.boundingRect(QRect(0, 0, width, 10000),
                                              Qt::TextWordWrap | int(label->alignment()), label->text());
    EXPECT_LE(needed.width(), width) << label->objectName().toStdString() << ": " << label->text().toStdString();
    EXPECT_LE(needed.height(), label->height() - m.top() - m.bottom())
        << label->objectName().toStdString() << ": " << label->text().toStdString();
}

class StudyPagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeAllPictures(sandbox.appDir());
        writeBank(workingCopyPath(), pageRows());
        QString side = QStringLiteral("BEGIN; CREATE TABLE TOPIC (ID INTEGER PRIMARY KEY, TOPIC TEXT);"
                                      "CREATE TABLE EXPLAIN (ID INTEGER PRIMARY KEY, EXPLAIN TEXT);");
        for (int id = 1; id <= 120; ++id) {
            side += QStringLiteral("INSERT INTO TOPIC VALUES (%1, '%2');").arg(id).arg(id <= 60 ? "signals" : "points");
            side += QStringLiteral("INSERT INTO EXPLAIN VALUES (%1, '第%1题的解析');").arg(id);
        }
        execOnBank(workingCopyPath(), side + QStringLiteral("COMMIT;"));
        restart();
    }

    void restart()
    {
        exam.reset();
        bank.OpenBank();
        progress = std::make_unique<LearnerProgress>(sandbox.path(QStringLiteral("data/progress.db")), workingCopyPath());
        exam = std::make_unique<ExamWindow>(bank, progress.get());
        exam->setClock([this] { return now; });
        exam->prepare(kCar);
        exam->show();
    }

    ProgressStore &store() { return *progress->store(); }
    void practise(qint32 question, bool right, qint64 run, qint64 at)
    {
        store().recordAnswer(progress->bank(), JudgedAnswer{question, right, false, Showing{run, 1}, at, kCar});
    }

    Sandbox sandbox;
    FailureLog failures;
    BankStore bank;
    qint64 now = QDateTime(QDate(2026, 5, 10), QTime(12, 0)).toMSecsSinceEpoch();
    std::unique_ptr<LearnerProgress> progress;
    std::unique_ptr<ExamWindow> exam;
};

TEST_F(StudyPagesTest, SmartReviewTakesDueQuestionsFirstAndKeepsTheDailyNumber)
{
    // Three questions answered ten days ago (wrong twice, right once): all due now.
    practise(5, false, 1, now - 10 * kDay);
    practise(6, true, 1, now - 10 * kDay);
    practise(7, false, 1, now - 3 * kDay);
    SmartReviewPage page(bank, progress.get());
    page.setClock([this] { return now; });
    page.showCategory(kCar);
    EXPECT_EQ(page.plan().dueCount, 3);
    ASSERT_EQ(page.plan().questions.size(), 50) << "the default daily number";
    EXPECT_EQ(page.plan().questions.mid(0, 4), (QVector<qint32>{5, 6, 7, 1})) << "most overdue first, then unseen";
    EXPECT_TRUE(page.infoLabel->text().contains(QStringLiteral("现在到期 3 题，从未做过 117 题")));
    EXPECT_FALSE(page.limitBox->accessibleName().isEmpty());
    EXPECT_FALSE(page.startButton->accessibleName().isEmpty());
    page.resize(529, 345);
    expectFits(page.infoLabel);
    expectFits(page.limitCaption);

    page.limitBox->setValue(20);
    EXPECT_EQ(page.plan().questions.size(), 20);
    ReviewPlan handed;
    page.setStartHandler([&handed](const ReviewPlan &plan) { handed = plan; });
    page.startClicked();
    EXPECT_EQ(handed.questions.size(), 20);
    EXPECT_EQ(handed.dueCount, 3);
    EXPECT_EQ(smartReviewProgressText(2, 20, 3), QStringLiteral("智能复习 第 2/20 题（到期 3 题）"));

    restart();
    SmartReviewPage again(bank, progress.get());
    again.setClock([this] { return now; });
    again.showCategory(kCar);
    EXPECT_EQ(again.limitBox->value(), 20) << "the number is kept in the progress file";
    EXPECT_TRUE(failures.messages().isEmpty()) << failures.messages().join('\n').toStdString();
}

TEST_F(StudyPagesTest, StatsPageShowsSeenMasteredTopicsDaysHistoryAndTheEstimate)
{
    StatsPage page(bank, progress.get());
    page.setClock([this] { return now; });
    page.showCategory(kCar);
    EXPECT_TRUE(page.summaryLabel->text().startsWith(QStringLiteral("已做 0 题 · 已掌握 0 题 · 共 120 题")));
    EXPECT_TRUE(page.readinessLabel->text().startsWith(QStringLiteral("答题太少，暂无估计")));

    // 150 answers over the last three days: signals mostly right, points half right.
    for (int i = 0; i < 150; ++i) {
        const qint32 question = 1 + i % 120;
        const bool right = question <= 60 ? i % 10 != 0 : i % 2 == 0;
        practise(question, right, 100 + i / 50, now - (2 - i / 50) * kDay);
    }
    page.showCategory(kCar);
    EXPECT_TRUE(page.summaryLabel->text().startsWith(QStringLiteral("已做 120 题 · 已掌握 0 题 · 共 120 题 · 连续学习 3 天")))
        << page.summaryLabel->text().toStdString();
    EXPECT_TRUE(page.readinessLabel->text().startsWith(QStringLiteral("预计考试成绩")));
    EXPECT_TRUE(page.readinessLabel->text().endsWith(QStringLiteral("根据最近 150 次作答")));
    ASSERT_EQ(page.topicChart->topics().size(), 2);
    EXPECT_EQ(page.topicChart->topics().at(0).topic, QStringLiteral("signals"));
    EXPECT_TRUE(page.topicChart->accessibleDescription().contains(QStringLiteral("%")));
    EXPECT_TRUE(page.dayChart->accessibleDescription().contains(QStringLiteral("共作答 150 次，已连续学习 3 天")));
    expectFits(page.summaryLabel);
    expectFits(page.readinessLabel);
    for (QWidget *part : page.findChildren<QWidget *>()) {
        if (part->parentWidget() == &page) {
            EXPECT_FALSE(part->accessibleName().isEmpty() && part->accessibleDescription().isEmpty())
                << part->objectName().toStdString();
        }
    }
}

TEST_F(StudyPagesTest, ExportGoesWhereTheLearnerChoseAndAFailureSaysWhy)
{
    practise(3, false, 1, now);
    StatsPage page(bank, progress.get());
    page.setClock([this] { return now; });
    page.showCategory(kCar);
    const QString file = sandbox.path(QStringLiteral("export/记录.csv"));
    QDir().mkpath(QFileInfo(file).path());
    page.setFileChooser([&](QWidget *, const QString &suggested) {
        EXPECT_TRUE(suggested.endsWith(QStringLiteral("学习记录-20260510.csv"))) << suggested.toStdString();
        return file;
    });
    page.exportButton->click();
    EXPECT_TRUE(readBytes(file).startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(page.summaryLabel->text().contains(QStringLiteral("学习记录已导出到 ") + file));
    EXPECT_TRUE(failures.messages().isEmpty());

    const QString nowhere = sandbox.path(QStringLiteral("no-such-folder/记录.csv"));
    page.setFileChooser([&](QWidget *, const QString &) { return nowhere; });
    page.exportButton->click();
    ASSERT_EQ(failures.messages().size(), 1);
    EXPECT_TRUE(failures.messages().at(0).startsWith(QStringLiteral("无法导出学习记录到 ") + nowhere));
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

TEST_F(StudyPagesTest, DiscardAsksFirstThenEndsTheExamWithoutAScoreButKeepsItsAnswers)
{
    exam->startClicked();
    ASSERT_EQ(exam->page(), ExamWindow::Page::Exam);
    EXPECT_TRUE(exam->discardButton->isVisible());
    const qint32 first = exam->session()->question(0).id;
    exam->answer(first % 2 ? ChoiceC : ChoiceTrue);
    QTest::keyClick(exam.get(), Qt::Key_Q);
    ASSERT_EQ(exam->page(), ExamWindow::Page::ConfirmDiscard);
    EXPECT_TRUE(exam->confirmDiscardButton->isVisible());
    EXPECT_TRUE(exam->statusLabel->text().contains(QStringLiteral("确认放弃吗")));
    QTest::keyClick(exam.get(), Qt::Key_Escape);
    ASSERT_EQ(exam->page(), ExamWindow::Page::Exam) << "Esc keeps the exam";

    exam->discardClicked();
    now += 60 * 1000;
    exam->confirmDiscardClicked();
    EXPECT_EQ(exam->page(), ExamWindow::Page::Start);
    EXPECT_TRUE(store().recentScores(kCar, 20).isEmpty()) << "no score in the history";
    EXPECT_FALSE(store().unfinishedSitting(progress->bank(), kCar).has_value());
    const QuestionRecord record = store().questionRecords(progress->bank()).value(first);
    EXPECT_EQ(record.memory.reviews, 1) << "its answer still feeds the memory model";
    EXPECT_EQ(record.memory.lastSeenMs, now);
    EXPECT_FALSE(exam->discardButton->isVisible());
    EXPECT_FALSE(exam->rulesLabel->text().contains(QStringLiteral("尚未交卷")));
}

TEST_F(StudyPagesTest, StartPageSaysPlainlyThatAnExamIsUnfinishedAndOffersBothWays)
{
    exam->startClicked();
    exam->answer(exam->session()->question(0).correct);
    exam->exitClicked(); // the window closed in the middle of the exam
    now += 5 * 60 * 1000;
    restart();
    EXPECT_TRUE(exam->rulesLabel->text().contains(QStringLiteral("有一场考试尚未交卷（已答 1/100 题，剩余时间 40:00）")))
        << exam->rulesLabel->text().toStdString();
    EXPECT_TRUE(exam->rulesLabel->text().contains(QStringLiteral("按“开始考试”继续，或按“放弃考试”作废（不计成绩）")));
    EXPECT_TRUE(exam->rulesLabel->text().contains(QStringLiteral("在两次不同的练习中、或相隔一小时以上，连续答对两次即移出")));
    EXPECT_TRUE(exam->discardButton->isVisible());
    EXPECT_EQ(exam->startButton->accessibleName(), QStringLiteral("继续考试"));
    expectFits(exam->rulesLabel);
    expectFits(exam->readinessLabel);

    // Discard from the start page, after saying no once.
    exam->discardClicked();
    ASSERT_EQ(exam->page(), ExamWindow::Page::ConfirmDiscard);
    EXPECT_TRUE(exam->rulesLabel->isVisible());
    exam->keepAnsweringClicked();
    EXPECT_EQ(exam->page(), ExamWindow::Page::Start);
    EXPECT_TRUE(exam->discardButton->isVisible());
    exam->discardClicked();
    QTest::keyClick(exam.get(), Qt::Key_Return);
    EXPECT_EQ(exam->page(), ExamWindow::Page::Start);
    EXPECT_FALSE(store().unfinishedSitting(progress->bank(), kCar).has_value());
    EXPECT_TRUE(store().recentScores(kCar, 20).isEmpty());
    EXPECT_EQ(store().questionRecords(progress->bank()).size(), 1);
    exam->startClicked();
    EXPECT_EQ(exam->session()->answeredCount(), 0) << "a new paper, not the discarded one";
}

TEST_F(StudyPagesTest, StartPageGivesTheEstimateOnceEnoughAnswersExist)
{
    EXPECT_TRUE(exam->readinessLabel->text().startsWith(QStringLiteral("答题太少，暂无估计（已有 0 次作答")));
    for (int i = 0; i < 120; ++i)
        practise(1 + i, true, 1, now - kHour);
    exam->prepare(kCar);
    EXPECT_TRUE(exam->readinessLabel->text().startsWith(QStringLiteral("预计考试成绩"))) << exam->readinessLabel->text().toStdString();
    EXPECT_TRUE(exam->readinessLabel->text().endsWith(QStringLiteral("根据最近 120 次作答")));
    expectFits(exam->readinessLabel);
}

TEST_F(StudyPagesTest, ResultListsEveryMissedQuestionOnOneScrollablePage)
{
    exam->startClicked();
    // Right on the first 90, wrong on five, five left open.
    for (int i = 0; i < 95; ++i) {
        exam->session()->goTo(i);
        const PaperQuestion &q = exam->session()->question(i);
        exam->answer(i < 90 ? q.correct : (q.correct == ChoiceC ? ChoiceA : ChoiceFalse));
    }
    exam->handInClicked();
    exam->confirmClicked();
    ASSERT_EQ(exam->page(), ExamWindow::Page::Result);
    ASSERT_TRUE(exam->missedList->isVisible());
    EXPECT_EQ(exam->missedList->accessibleName(), QStringLiteral("错题和未答题列表"));
    const QString list = exam->missedList->toPlainText();
    for (int i = 90; i < 100; ++i) {
        const qint32 id = exam->session()->question(i).id;
        EXPECT_TRUE(list.contains(QStringLiteral("第 %1 题").arg(i + 1))) << i;
        EXPECT_TRUE(list.contains(QStringLiteral("解析：第%1题的解析").arg(id))) << id;
    }
    EXPECT_EQ(list.count(QStringLiteral("您的答案：未答")), 5);
    EXPECT_EQ(list.count(QStringLiteral("正确答案：")), 10);
    EXPECT_GT(exam->missedList->verticalScrollBar()->maximum(), 0) << "ten questions scroll";
    expectFits(exam->questionLabel);

    // Paging one by one stays, with the whole question area.
    QTest::keyClick(exam.get(), Qt::Key_Return);
    EXPECT_EQ(exam->reviewIndex(), 0);
    EXPECT_FALSE(exam->missedList->isVisible());
    EXPECT_EQ(exam->questionLabel->height(), ExamWindow::kQuestionAreaHeight);
}

} // namespace
} // namespace kemuyi::test
