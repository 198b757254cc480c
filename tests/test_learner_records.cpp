// What the progress file keeps of each answer: the memory state per question (counted once per
// showing, forgotten after the hint or a wrong answer), the book's honest rule, the statistics
// (first answer of a run), a discarded exam, the upgrade of an older file and the CSV export; all
// on an injected clock.

#include "Support.h"

#include "exam/LearnerStats.h"
#include "exam/ProgressExport.h"
#include "exam/ProgressStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

#include <sqlite3.h>

#include <gtest/gtest.h>

namespace kemuyi::test {
namespace {

const QString kBank = QStringLiteral("bank-one");
const QString kCar = QStringLiteral("C1C2C3C4");
constexpr qint64 kHour = 60LL * 60 * 1000;
constexpr qint64 kDay = 24 * kHour;

class LearnerRecordsTest : public ::testing::Test
{
protected:
    QString path() const { return dir.path() + QStringLiteral("/progress.db"); }
    ProgressStore &store()
    {
        if (!m_store)
            m_store = std::make_unique<ProgressStore>(path());
        return *m_store;
    }
    void restart() { m_store.reset(); }

    // An answer given now on the given showing.
    void answer(qint32 question, bool right, Showing showing, bool helped = false)
    {
        store().recordAnswer(kBank, JudgedAnswer{question, right, helped, showing, now, kCar});
    }
    QuestionRecord record(qint32 question) { return store().questionRecords(kBank).value(question); }

    QTemporaryDir dir;
    // Noon local time, so that a few hours either way stay on the same day.
    qint64 now = QDateTime(QDate(2026, 3, 2), QTime(12, 0)).toMSecsSinceEpoch();

private:
    std::unique_ptr<ProgressStore> m_store;
};

TEST(BookRule, TwoRightAnswersOnSeparateShowingsInSeparateRunsOrAnHourApart)
{
    const qint64 t = 1'000'000'000;
    const BookState wrong = afterAnswer(BookState{}, false, Showing{1, 1}, t);
    EXPECT_TRUE(wrong.inBook);
    const BookState once = afterAnswer(wrong, true, Showing{1, 2}, t + 1000);
    EXPECT_EQ(once.streak, 1);

    EXPECT_EQ(afterAnswer(once, true, Showing{1, 2}, t + 2 * kHour).streak, 1) << "the same showing counts once";
    const BookState tooSoon = afterAnswer(once, true, Showing{1, 3}, t + kHour - 1);
    EXPECT_TRUE(tooSoon.inBook) << "the same run within the hour";
    EXPECT_EQ(tooSoon.lastRightMs, once.lastRightMs) << "the hour is counted from the first right answer";
    EXPECT_FALSE(afterAnswer(tooSoon, true, Showing{1, 4}, t + 1000 + kHour).inBook) << "the same run an hour later";
    EXPECT_FALSE(afterAnswer(once, true, Showing{2, 1}, t + 2000).inBook) << "another run";
    EXPECT_EQ(afterAnswer(once, false, Showing{2, 1}, t + 2000).streak, 0) << "a wrong answer starts again";
    EXPECT_FALSE(afterAnswer(BookState{}, true, Showing{3, 1}, t).inBook) << "a right answer adds nothing";
}

TEST_F(LearnerRecordsTest, EachShowingCountsOnceAndHelpedAnswersAreForgotten)
{
    answer(1, true, Showing{10, 1});
    answer(1, true, Showing{10, 1}); // a second press on the same screen
    QuestionRecord one = record(1);
    EXPECT_EQ(one.memory.reviews, 1);
    EXPECT_EQ(one.memory.lapses, 0);
    EXPECT_NEAR(one.memory.stability, 3.7145, 1e-9) << "one good answer, FSRS-4.5's first stability";
    EXPECT_EQ(one.memory.lastSeenMs, now);

    // Wrong, then right on the same showing: the right press changes nothing.
    answer(2, false, Showing{10, 2});
    answer(2, true, Showing{10, 2});
    EXPECT_EQ(record(2).memory.reviews, 1);
    EXPECT_EQ(record(2).memory.lapses, 1);
    EXPECT_EQ(record(2).right, 0);
    EXPECT_TRUE(store().bookState(kBank, 2).inBook);

    // Right after the hint: forgotten, and into the book.
    answer(3, true, Showing{10, 3}, true);
    EXPECT_EQ(record(3).memory.lapses, 1);
    EXPECT_NEAR(record(3).memory.stability, 0.4872, 1e-9);
    EXPECT_TRUE(store().bookState(kBank, 3).inBook);

    // Restarted, a day later, in another run: the state carries on from what was stored.
    restart();
    now += kDay;
    answer(1, true, Showing{11, 1});
    one = record(1);
    EXPECT_EQ(one.memory.reviews, 2);
    EXPECT_GT(one.memory.stability, 3.7145);
    EXPECT_EQ(one.answers, 2);
    EXPECT_EQ(one.right, 2);
    EXPECT_TRUE(store().questionRecords(QStringLiteral("bank-two")).isEmpty()) << "banks do not mix";
}

TEST_F(LearnerRecordsTest, BookLeavesOnlyAfterRightAnswersOnSeparateShowings)
{
    answer(5, false, Showing{1, 1});
    now += 1000;
    answer(5, true, Showing{2, 1});
    answer(5, true, Showing{2, 1}); // two presses on one screen
    EXPECT_TRUE(store().bookState(kBank, 5).inBook);
    now += 10 * 60 * 1000;
    answer(5, true, Showing{2, 7}); // shown again in the same run, ten minutes on
    EXPECT_TRUE(store().bookState(kBank, 5).inBook);
    restart();
    EXPECT_EQ(store().bookState(kBank, 5).streak, 1) << "the streak survives a restart";
    now += 1000;
    answer(5, true, Showing{3, 1}); // the next run
    EXPECT_FALSE(store().bookState(kBank, 5).inBook);
}

TEST_F(LearnerRecordsTest, StatisticsCountTheFirstAnswerOfARunPerDayAndCategory)
{
    answer(1, false, Showing{1, 1});
    answer(1, true, Showing{1, 2}); // shown again in the run: memory, not statistics
    answer(2, true, Showing{1, 3});
    store().recordAnswer(kBank, JudgedAnswer{3, true, false, Showing{1, 4}, now, QStringLiteral("DEF")});
    EXPECT_EQ(record(1).memory.reviews, 2);
    EXPECT_EQ(record(1).answers, 1);
    EXPECT_EQ(record(1).right, 0);

    const QVector<RecentAnswer> recent = store().recentAnswers(kBank, kCar, 10);
    ASSERT_EQ(recent.size(), 2);
    EXPECT_EQ(recent[0].question, 2) << "newest first";
    EXPECT_FALSE(recent[1].right);

    now += 2 * kDay;
    answer(1, true, Showing{2, 1});
    const QVector<DayTally> days = store().answerDays(kBank, kCar);
    ASSERT_EQ(days.size(), 2);
    EXPECT_EQ(days[0].julianDay, QDate(2026, 3, 4).toJulianDay());
    EXPECT_EQ(days[0].answers, 1);
    EXPECT_EQ(days[1].answers, 2);
    EXPECT_EQ(days[1].right, 1);
    EXPECT_EQ(store().answerDays(kBank, QStringLiteral("DEF")).size(), 1);
}

TEST_F(LearnerRecordsTest, StatsPageFiguresComeFromTheStoreOnTheInjectedClock)
{
    const QVector<CategoryQuestion> questions = {{1, QStringLiteral("signals")}, {2, QStringLiteral("signals")},
                                                 {3, QStringLiteral("points")}, {4, QStringLiteral("unknown")}};
    const qint64 today = now;
    // Mastered in another category's practice, at each due date over the months before.
    now = today - 200 * kDay;
    for (int run = 4; !memory::isMastered(record(1).memory) && run < 20; ++run) {
        store().recordAnswer(kBank, JudgedAnswer{1, true, false, Showing{run, 1}, now, QStringLiteral("DEF")});
        now = std::min(memory::dueMs(record(1).memory), today - 3 * kDay);
    }
    ASSERT_TRUE(memory::isMastered(record(1).memory));
    // Then answers on three days in a row up to today.
    now = today - 2 * kDay;
    answer(1, true, Showing{1, 1});
    answer(3, false, Showing{1, 2});
    now = today - kDay;
    answer(3, true, Showing{2, 1});
    now = today;
    answer(2, true, Showing{3, 1});
    now = today;

    LearnerStats stats = learnerStats(store(), kBank, kCar, questions, now);
    EXPECT_EQ(stats.questions, 4);
    EXPECT_EQ(stats.seen, 3);
    EXPECT_EQ(stats.mastered, 1);
    ASSERT_EQ(stats.lastDays.size(), stats::days);
    EXPECT_EQ(stats.lastDays.last().julianDay, QDate(2026, 3, 2).toJulianDay());
    EXPECT_EQ(stats.lastDays.last().answers, 1);
    EXPECT_EQ(stats.lastDays[stats::days - 3].answers, 2);
    EXPECT_EQ(stats.streakDays, 3);
    // By the bank's topic order, unknown topics last; shares over counted answers.
    ASSERT_EQ(stats.topics.size(), 3);
    EXPECT_EQ(stats.topics.last().topic, QStringLiteral("unknown"));
    EXPECT_EQ(stats.topics.last().answers, 0);
    for (const TopicShare &share : stats.topics) {
        if (share.topic == QStringLiteral("points")) {
            EXPECT_EQ(share.answers, 2);
            EXPECT_EQ(share.right, 1);
        }
    }
    EXPECT_FALSE(stats.readiness.enough);
    EXPECT_TRUE(readinessText(stats.readiness).startsWith(QStringLiteral("答题太少，暂无估计")));

    // A day without answers ends the streak; today not yet practised does not.
    stats = learnerStats(store(), kBank, kCar, questions, today + kDay);
    EXPECT_EQ(stats.streakDays, 3);
    stats = learnerStats(store(), kBank, kCar, questions, today + 2 * kDay);
    EXPECT_EQ(stats.streakDays, 0);
}

TEST_F(LearnerRecordsTest, DiscardedExamLeavesNoScoreButFeedsMemoryAndBook)
{
    QVector<PaperQuestion> paper = {{100, 1}, {101, 2}, {102, 3}};
    ExamSession session(examFormatFor(kCar), paper, now, [this] { return now; });
    const qint64 id = store().beginSitting(kBank, kCar, session);
    session.answer(1);   // 100 right
    session.goTo(1);
    session.answer(3);   // 101 wrong; 102 unanswered
    now += 5 * 60 * 1000;
    store().discardSitting(kBank, id, session, now);
    store().discardSitting(kBank, id, session, now); // another instance discarding it too

    EXPECT_FALSE(store().unfinishedSitting(kBank, kCar).has_value());
    EXPECT_TRUE(store().recentScores(kCar, 20).isEmpty());
    EXPECT_TRUE(store().allScores().isEmpty());
    EXPECT_EQ(record(100).memory.reviews, 1) << "applied once";
    EXPECT_EQ(record(100).memory.lastSeenMs, now);
    EXPECT_EQ(record(101).memory.lapses, 1);
    EXPECT_FALSE(store().questionRecords(kBank).contains(102)) << "unanswered is not answered";
    EXPECT_EQ(store().bookQuestions(kBank), (QVector<qint32>{101}));
    EXPECT_EQ(store().recentAnswers(kBank, kCar, 10).size(), 2);

    // Another instance that still had it open hands it in: a discarded exam stays without a score.
    session.handIn();
    store().finishSitting(kBank, id, session);
    EXPECT_TRUE(store().allScores().isEmpty());
}

TEST_F(LearnerRecordsTest, FileOfTheFirstVersionKeepsItsBookAndExams)
{
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(path().toUtf8().constData(), &db), SQLITE_OK);
        const char *v1 =
            "CREATE TABLE book (bank TEXT NOT NULL, question INTEGER NOT NULL, streak INTEGER NOT NULL,"
            " added INTEGER NOT NULL, PRIMARY KEY (bank, question)) WITHOUT ROWID;"
            "CREATE TABLE sitting (id INTEGER PRIMARY KEY, bank TEXT NOT NULL, category TEXT NOT NULL,"
            " started INTEGER NOT NULL, questions INTEGER NOT NULL, minutes INTEGER NOT NULL,"
            " points INTEGER NOT NULL, pass_mark INTEGER NOT NULL, finished INTEGER, score INTEGER,"
            " passed INTEGER, timed_out INTEGER, duration INTEGER);"
            "CREATE TABLE paper (sitting INTEGER NOT NULL, position INTEGER NOT NULL, question INTEGER NOT NULL,"
            " correct INTEGER NOT NULL, choice INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (sitting, position)) WITHOUT ROWID;"
            "CREATE INDEX sitting_by_category ON sitting (category, finished);"
            "INSERT INTO book VALUES ('bank-one', 7, 1, 5);"
            "INSERT INTO sitting VALUES (1, 'bank-one', 'C1C2C3C4', 0, 100, 45, 1, 90, 60000, 93, 1, 0, 60000);"
            "PRAGMA application_id = 1802336624; PRAGMA user_version = 1;";
        ASSERT_EQ(sqlite3_exec(db, v1, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    EXPECT_TRUE(store().notice().isEmpty()) << store().notice().toStdString();
    EXPECT_EQ(store().bookState(kBank, 7).streak, 1);
    EXPECT_EQ(store().recentScores(kCar, 20).size(), 1);
    answer(7, true, Showing{99, 1}); // its earlier right answer was in another run
    EXPECT_FALSE(store().bookState(kBank, 7).inBook);
    restart();
    EXPECT_TRUE(store().notice().isEmpty());
}

TEST_F(LearnerRecordsTest, MemoryStatesChangedByAnotherProgramAreBroughtWithinBounds)
{
    answer(1, true, Showing{1, 1});
    answer(2, true, Showing{1, 2});
    answer(3, false, Showing{1, 3});
    restart();
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(path().toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "UPDATE memory SET stability = -5, difficulty = 99 WHERE question = 1;"
                               "UPDATE memory SET stability = 1e308 * 10, lapses = -3 WHERE question = 2;"
                               "UPDATE memory SET reviews = 0 WHERE question = 3;",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    const QHash<qint32, QuestionRecord> records = store().questionRecords(kBank);
    EXPECT_GT(records.value(1).memory.stability, 0.0);
    EXPECT_LE(records.value(1).memory.difficulty, 10.0);
    EXPECT_TRUE(records.value(2).memory.isNew()) << "an infinite stability is no state at all";
    EXPECT_TRUE(records.value(3).memory.isNew());
    answer(1, true, Showing{2, 1});
    EXPECT_TRUE(std::isfinite(record(1).memory.stability));
    const ReadinessEstimate estimate = categoryReadiness(store(), kBank, kCar, {{1, {}}, {2, {}}, {3, {}}}, now);
    EXPECT_TRUE(std::isfinite(estimate.expected));
}

TEST_F(LearnerRecordsTest, ExportWritesHistoryAndQuestionsAsCsvWithBom)
{
    answer(12, false, Showing{1, 1});
    ExamSession session(examFormatFor(kCar), {{12, 1}}, now, [this] { return now; });
    const qint64 id = store().beginSitting(kBank, kCar, session);
    session.answer(1);
    session.handIn();
    store().finishSitting(kBank, id, session);

    const QString file = dir.path() + QStringLiteral("/记录.csv");
    exportRecords(store(), kBank, file, now);
    const QByteArray bytes = readBytes(file);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.value(0), QStringLiteral("模拟考试记录"));
    EXPECT_TRUE(lines.value(2).contains(QStringLiteral(",C1C2C3C4,100,是,否,"))) << lines.value(2).toStdString();
    const QString question = lines.filter(QRegularExpression(QStringLiteral("^12,"))).value(0);
    EXPECT_TRUE(question.startsWith(QStringLiteral("12,2,1,"))) << question.toStdString();
    EXPECT_TRUE(question.endsWith(QStringLiteral(",否,是"))) << "one right answer since: still in the book";

    // A destination that cannot be written: the reason, and nothing half-written left behind.
    const QString missing = dir.path() + QStringLiteral("/没有的文件夹/a.csv");
    EXPECT_TRUE(failureOf([&] { exportRecords(store(), kBank, missing, now); })
                    .startsWith(QStringLiteral("无法导出学习记录到 %1：").arg(missing)));
    const QString folder = dir.path() + QStringLiteral("/导出.csv");
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/inside")));
    const QString failure = failureOf([&] { exportRecords(store(), kBank, folder, now); });
    EXPECT_TRUE(failure.startsWith(QStringLiteral("无法导出学习记录到 %1：").arg(folder))) << failure.toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("导出.csv.*")}, QDir::Files | QDir::Hidden).isEmpty())
        << "the file written beside it is gone";

    // A second export replaces the first whole.
    answer(13, true, Showing{5, 1});
    exportRecords(store(), kBank, file, now);
    EXPECT_TRUE(QString::fromUtf8(readBytes(file)).contains(QStringLiteral("\r\n13,1,1,")));
}

} // namespace
} // namespace kemuyi::test
