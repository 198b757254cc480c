// The learner's progress file: the book and the exams kept across restarts, keyed by bank; a
// damaged or foreign file set aside; two writers at once; a kill at any moment.

#include "Support.h"

#include "exam/BankFingerprint.h"
#include "exam/ProgressStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

#include <gtest/gtest.h>

namespace kemuyi::test {
namespace {

const QString kBank = QStringLiteral("bank-one");
const QString kOtherBank = QStringLiteral("bank-two");

QString integrityOf(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr);
    QString result = QStringLiteral("(no answer)");
    if (sqlite3_step(stmt) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

class ProgressStoreTest : public ::testing::Test
{
protected:
    QString path() const { return dir.path() + QStringLiteral("/kemuyi/progress.db"); }

    ExamSession sitting(int size, qint64 started = 1'000'000)
    {
        QVector<PaperQuestion> paper;
        for (int i = 0; i < size; ++i)
            paper.append(PaperQuestion{qint32(100 + i), qint32(1 + i % 4)});
        return ExamSession(examFormatFor(QStringLiteral("DEF")), paper, started, [this] { return now; });
    }

    QTemporaryDir dir;
    qint64 now = 1'000'000;
};

TEST_F(ProgressStoreTest, PathFollowsXdgDataHomeElseHome)
{
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/data/home");
    EXPECT_EQ(progressStorePath(), QStringLiteral("/data/home/kemuyi/progress.db"));
    qputenv("XDG_DATA_HOME", "relative/ignored");
    EXPECT_EQ(progressStorePath(), QDir::homePath() + QStringLiteral("/.local/share/kemuyi/progress.db"));
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(progressStorePath(), QDir::homePath() + QStringLiteral("/.local/share/kemuyi/progress.db"));
    if (!old.isNull())
        qputenv("XDG_DATA_HOME", old);
}

TEST_F(ProgressStoreTest, BookKeepsItsRuleAcrossRestartsAndBanksDoNotMix)
{
    {
        ProgressStore store(path());
        EXPECT_TRUE(store.notice().isEmpty());
        store.recordAnswer(kBank, answerInNewRun(7, true));
        store.recordAnswer(kBank, answerInNewRun(8, false));
        store.recordAnswer(kBank, answerInNewRun(9, false));
        store.recordAnswer(kBank, answerInNewRun(9, true));
        store.recordAnswer(kOtherBank, answerInNewRun(7, false));
    }
    ProgressStore store(path());
    EXPECT_EQ(store.bookQuestions(kBank), (QVector<qint32>{8, 9}));
    EXPECT_EQ(store.bookQuestions(kOtherBank), (QVector<qint32>{7}));
    EXPECT_EQ(store.bookState(kBank, 9).streak, 1) << "the streak survives a restart";
    store.recordAnswer(kBank, answerInNewRun(9, true));
    EXPECT_EQ(store.bookQuestions(kBank), (QVector<qint32>{8}));
    EXPECT_TRUE(store.bookState(kOtherBank, 7).inBook);
    EXPECT_TRUE(QFileInfo(path()).exists());
}

TEST_F(ProgressStoreTest, UnfinishedSittingComesBackWithItsAnswers)
{
    ProgressStore store(path());
    ExamSession session = sitting(5);
    const qint64 id = store.beginSitting(kBank, QStringLiteral("DEF"), session);
    store.recordSittingAnswer(id, 0, 1);
    store.recordSittingAnswer(id, 3, 6);
    ProgressStore again(path());
    const auto stored = again.unfinishedSitting(kBank, QStringLiteral("DEF"));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->id, id);
    EXPECT_EQ(stored->startedMs, 1'000'000);
    EXPECT_EQ(stored->format.questions, 50);
    EXPECT_EQ(stored->format.pointsPerQuestion, 2);
    ASSERT_EQ(stored->paper.size(), 5);
    EXPECT_EQ(stored->paper.at(2).id, 102);
    EXPECT_EQ(stored->paper.at(2).correct, 3);
    EXPECT_EQ(stored->choices, (QVector<qint32>{1, 0, 0, 6, 0}));
    EXPECT_FALSE(again.unfinishedSitting(kBank, QStringLiteral("C1C2C3C4")).has_value());
    EXPECT_FALSE(again.unfinishedSitting(kOtherBank, QStringLiteral("DEF")).has_value());
}

TEST_F(ProgressStoreTest, ChangedSittingIsRefusedByName)
{
    for (const char *change : {"UPDATE paper SET choice = 99 WHERE position = 1",
                               "UPDATE sitting SET minutes = 0"}) {
        QFile::remove(path());
        qint64 id = 0;
        {
            ProgressStore store(path());
            id = store.beginSitting(kBank, QStringLiteral("DEF"), sitting(5));
        }
        sqlite3 *db = nullptr;
        sqlite3_open(path().toUtf8().constData(), &db);
        sqlite3_exec(db, change, nullptr, nullptr, nullptr);
        sqlite3_close(db);
        ProgressStore again(path());
        const QString failure = failureOf([&] { again.unfinishedSitting(kBank, QStringLiteral("DEF")); });
        EXPECT_TRUE(failure.contains(QStringLiteral("第 %1 次考试记录已损坏").arg(id))) << change << failure.toStdString();
    }
}

TEST_F(ProgressStoreTest, FinishingRecordsTheScoreOnceAndFillsTheBook)
{
    ProgressStore store(path());
    // In the book before the exam; a right exam answer counts towards leaving.
    store.recordAnswer(kBank, JudgedAnswer{100, false, false, Showing{1, 1}, now - 1000, QStringLiteral("DEF")});
    ExamSession session = sitting(4);
    const qint64 id = store.beginSitting(kBank, QStringLiteral("DEF"), session);
    session.answer(1);            // 100 right
    session.goTo(1);
    session.answer(4);            // 101 wrong
    session.goTo(3);              // 102 left unanswered
    session.answer(4);            // 103 right
    now += 95 * 1000;
    session.handIn();
    store.finishSitting(kBank, id, session);
    // Practised since, then a second instance finishes the same sitting: its answers are not
    // counted again over the newer one.
    store.recordAnswer(kBank, JudgedAnswer{103, true, false, Showing{2, 1}, now + 1000, QStringLiteral("DEF")});
    store.finishSitting(kBank, id, session);

    EXPECT_EQ(store.bookQuestions(kBank), (QVector<qint32>{100, 101}));
    EXPECT_EQ(store.bookState(kBank, 100).streak, 1) << "applied once, not twice";
    for (const QuestionRecord &record : store.questionRecords(kBank)) {
        if (record.question == 103) {
            EXPECT_EQ(record.answers, 2) << "the exam's answer and the practice after it";
        }
    }
    EXPECT_FALSE(store.bookState(kBank, 102).inBook) << "unanswered is not answered wrong";
    EXPECT_FALSE(store.unfinishedSitting(kBank, QStringLiteral("DEF")).has_value());
    const QVector<ScoreRecord> scores = store.recentScores(QStringLiteral("DEF"), 20);
    ASSERT_EQ(scores.size(), 1);
    EXPECT_EQ(scores[0].score, 50);
    EXPECT_FALSE(scores[0].passed);
    EXPECT_EQ(scores[0].durationMs, 95 * 1000);
    EXPECT_EQ(scores[0].finishedMs, 1'000'000 + 95 * 1000);
}

TEST_F(ProgressStoreTest, FavouritesKeepTheirOrderAcrossRestartsPerBank)
{
    {
        ProgressStore store(path());
        store.setFavourite(kBank, 30, true);
        store.setFavourite(kBank, 10, true);
        store.setFavourite(kBank, 30, true); // already there: stays in its place
        store.setFavourite(kBank, 20, true);
        store.setFavourite(kOtherBank, 99, true);
        store.setFavourite(kBank, 10, false);
    }
    ProgressStore store(path());
    EXPECT_EQ(store.favourites(kBank), (QVector<qint32>{30, 20}));
    EXPECT_TRUE(store.isFavourite(kBank, 20));
    EXPECT_FALSE(store.isFavourite(kBank, 10));
    EXPECT_FALSE(store.isFavourite(kBank, 99));
    store.removeFavourites(kBank, {30, 20, 5});
    EXPECT_TRUE(store.favourites(kBank).isEmpty());
    EXPECT_EQ(store.favourites(kOtherBank), (QVector<qint32>{99}));
}

TEST_F(ProgressStoreTest, StoppedRunsComeBackLastMovedFirstAndUnreadableOnesArePassedOver)
{
    const QString car = QStringLiteral("C1C2C3C4");
    {
        ProgressStore store(path());
        store.rememberRun(kBank, car, {QStringLiteral("intensive"), QStringLiteral("加强练习"), {5, 3, 9, 1}, 1});
        QThread::msleep(2);
        store.rememberRun(kBank, car, {QStringLiteral("sequential"), QStringLiteral("顺序练习"), {1, 3, 5, 9}, 1});
        QThread::msleep(2);
        store.rememberPosition(kBank, car, QStringLiteral("intensive"), 3);
        store.rememberRun(kOtherBank, car, {QStringLiteral("sequential"), QStringLiteral("顺序练习"), {2}, 1});
    }
    ProgressStore store(path());
    std::optional<StoppedRun> last = store.lastStoppedRun(kBank, car);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->mode, QStringLiteral("intensive"));
    EXPECT_EQ(last->title, QStringLiteral("加强练习"));
    EXPECT_EQ(last->questions, (QVector<qint32>{5, 3, 9, 1})) << "the shuffled order is kept";
    EXPECT_EQ(last->position, 3);
    EXPECT_FALSE(store.lastStoppedRun(kBank, QStringLiteral("DEF")));

    // Written by something else: a list that is not numbers, a position past its end.
    sqlite3 *db = nullptr;
    sqlite3_open(path().toUtf8().constData(), &db);
    sqlite3_exec(db, "UPDATE stopped_run SET questions = '5,x,9' WHERE mode = 'intensive';"
                     "UPDATE stopped_run SET position = 77 WHERE mode = 'sequential'", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    last = store.lastStoppedRun(kBank, car);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->mode, QStringLiteral("sequential"));
    EXPECT_EQ(last->position, 1);
}

TEST_F(ProgressStoreTest, AFileOfTheSecondVersionGainsTheStudyTablesAndKeepsItsBook)
{
    { ProgressStore store(path()); store.recordAnswer(kBank, answerInNewRun(4, false)); }
    sqlite3 *db = nullptr;
    sqlite3_open(path().toUtf8().constData(), &db);
    sqlite3_exec(db, "DROP TABLE favourite; DROP TABLE stopped_run; PRAGMA user_version = 2",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ProgressStore store(path());
    EXPECT_TRUE(store.notice().isEmpty()) << store.notice().toStdString();
    EXPECT_EQ(store.bookQuestions(kBank), (QVector<qint32>{4}));
    store.setFavourite(kBank, 4, true);
    EXPECT_EQ(store.favourites(kBank), (QVector<qint32>{4}));
}

TEST_F(ProgressStoreTest, HistoryKeepsTheLastScoresOfTheCategoryOldestFirst)
{
    ProgressStore store(path());
    for (int i = 0; i < 25; ++i) {
        ExamSession session = sitting(1, 1'000'000 + i * 10'000);
        const qint64 id = store.beginSitting(kBank, QStringLiteral("DEF"), session);
        if (i % 2 == 0)
            session.answer(1);
        session.handIn();
        store.finishSitting(kBank, id, session);
    }
    ExamSession car(examFormatFor(QStringLiteral("C1C2C3C4")), {{1, 1}}, 5'000'000, [] { return 5'000'001; });
    const qint64 carId = store.beginSitting(kBank, QStringLiteral("C1C2C3C4"), car);
    car.handIn();
    store.finishSitting(kBank, carId, car);

    const QVector<ScoreRecord> scores = store.recentScores(QStringLiteral("DEF"), 20);
    ASSERT_EQ(scores.size(), 20);
    for (int i = 1; i < scores.size(); ++i)
        EXPECT_LT(scores[i - 1].finishedMs, scores[i].finishedMs);
    EXPECT_EQ(scores.first().score, 0);   // sitting 5 (odd: unanswered)
    EXPECT_EQ(scores.last().score, 100);  // sitting 24 (even: right)
    EXPECT_EQ(store.recentScores(QStringLiteral("C1C2C3C4"), 20).size(), 1);
}

TEST_F(ProgressStoreTest, DamagedForeignOrNewerFileIsSetAsideAndPracticeGoesOn)
{
    struct Case { const char *what; std::function<void(const QString &)> make; };
    const Case cases[] = {
        {"garbage", [](const QString &p) { writeBytes(p, QByteArray(8192, '\x5a')); }},
        {"truncated database", [this](const QString &p) {
             { ProgressStore store(p); store.recordAnswer(kBank, answerInNewRun(1, false)); }
             QByteArray bytes = readBytes(p);
             bytes.resize(100); // the header survives, the pages are gone
             bytes.append(QByteArray(3000, '\xff'));
             writeBytes(p, bytes);
             QFile::remove(p + QStringLiteral("-wal"));
         }},
        {"someone else's database", [](const QString &p) {
             sqlite3 *db = nullptr;
             sqlite3_open(p.toUtf8().constData(), &db);
             sqlite3_exec(db, "CREATE TABLE notes (t TEXT); INSERT INTO notes VALUES ('mine')", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         }},
        {"written by a newer version", [](const QString &p) {
             { ProgressStore store(p); }
             sqlite3 *db = nullptr;
             sqlite3_open(p.toUtf8().constData(), &db);
             sqlite3_exec(db, "PRAGMA user_version = 99", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         }},
        {"a header naming a format SQLite cannot read", [](const QString &p) {
             { ProgressStore store(p); store.recordAnswer(kBank, answerInNewRun(1, false)); }
             QByteArray bytes = readBytes(p);
             bytes.replace(44, 4, QByteArray("\x5a\x5a\x5a\x5a", 4)); // the schema format number
             writeBytes(p, bytes);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir scratch;
        const QString file = scratch.path() + QStringLiteral("/progress.db");
        c.make(file);
        const QByteArray before = readBytes(file);

        ProgressStore store(file);
        EXPECT_TRUE(store.notice().contains(file)) << store.notice().toStdString();
        store.recordAnswer(kBank, answerInNewRun(5, false));
        EXPECT_EQ(store.bookQuestions(kBank), (QVector<qint32>{5}));

        const QStringList aside = QDir(scratch.path()).entryList({QStringLiteral("progress.db.bad-*")}, QDir::Files);
        ASSERT_FALSE(aside.isEmpty());
        const QString kept = scratch.path() + QLatin1Char('/') + aside.filter(QRegularExpression(QStringLiteral("\\d$"))).value(0);
        EXPECT_TRUE(store.notice().contains(kept));
        EXPECT_TRUE(store.notice().startsWith(QStringLiteral("学习记录文件 %1 无法使用（").arg(file)));
        EXPECT_TRUE(store.notice().endsWith(QStringLiteral("，学习记录将重新开始。"))) << store.notice().toStdString();
        EXPECT_EQ(readBytes(kept), before) << "the learner's old file is kept as it was";
    }
}

TEST_F(ProgressStoreTest, SoundFileIsNotSetAside)
{
    { ProgressStore store(path()); store.recordAnswer(kBank, answerInNewRun(3, false)); }
    ProgressStore store(path());
    EXPECT_TRUE(store.notice().isEmpty());
    EXPECT_EQ(store.bookQuestions(kBank), (QVector<qint32>{3}));
    EXPECT_EQ(QDir(QFileInfo(path()).path()).entryList({QStringLiteral("*.bad-*")}).size(), 0);
}

TEST_F(ProgressStoreTest, PagesAreCheckedOnlyWhenTheFileChangedSinceACleanClose)
{
    {
        ProgressStore store(path());
        for (int i = 0; i < 50; ++i)
            store.recordAnswer(kBank, answerInNewRun(i, false));
    }
    ASSERT_TRUE(QFile::exists(path() + QStringLiteral("-closed")));
    ASSERT_FALSE(QFile::exists(path() + QStringLiteral("-wal")));
    // Damage only the page check sees: the book's page overwritten, the size and the time kept.
    namespace fs = std::filesystem;
    const fs::path file = QFile::encodeName(path()).toStdString();
    const fs::file_time_type closed = fs::last_write_time(file);
    QByteArray bytes = readBytes(path());
    ASSERT_GE(bytes.size(), 3 * 4096);
    bytes.replace(4096, 4096, QByteArray(4096, '\x5a'));
    writeBytes(path(), bytes);
    fs::last_write_time(file, closed);
    {
        ProgressStore store(path());
        EXPECT_TRUE(store.notice().isEmpty()) << "the file as it was closed is not checked again";
    }
    fs::last_write_time(file, closed + std::chrono::seconds(1));
    ProgressStore store(path());
    EXPECT_FALSE(store.notice().isEmpty()) << "a file changed since is checked and set aside";
    EXPECT_TRUE(store.bookQuestions(kBank).isEmpty());
}

TEST_F(ProgressStoreTest, UnwritableFolderIsAFailureNamingIt)
{
    writeBytes(dir.path() + QStringLiteral("/kemuyi"), "a file, not a folder");
    const QString message = failureOf([&] { ProgressStore store(path()); });
    EXPECT_EQ(message, QStringLiteral("学习记录文件夹 %1/kemuyi 无法创建（路径中有同名的文件）").arg(dir.path()));
}

TEST_F(ProgressStoreTest, FileThatCannotBeOpenedIsAFailureInTheSameForm)
{
    ASSERT_TRUE(QDir().mkpath(path())); // a folder where the file should be
    const QString message = failureOf([&] { ProgressStore store(path()); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("学习记录文件 %1 无法打开（").arg(path()))) << message.toStdString();
    EXPECT_TRUE(message.endsWith(QStringLiteral("）"))) << message.toStdString();
}

// Runs `work` in a child process; returns its pid.
template <typename Work>
pid_t inChild(Work work)
{
    const pid_t pid = fork();
    if (pid == 0) {
        int code = 0;
        try {
            work();
        } catch (...) {
            code = 3;
        }
        _exit(code);
    }
    return pid;
}

TEST_F(ProgressStoreTest, TwoInstancesWritingAtOnceLoseNothing)
{
    { ProgressStore store(path()); } // both start on an existing file, as two programs would
    constexpr int kEach = 150;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = inChild([&, c] {
            ProgressStore store(path());
            for (int i = 0; i < kEach; ++i) {
                store.recordAnswer(kBank, answerInNewRun(c * 1000 + i, false));
                if (i % 10 == 0) {
                    ExamSession session = sitting(3);
                    const qint64 id = store.beginSitting(kBank, QStringLiteral("DEF"), session);
                    session.handIn();
                    store.finishSitting(kBank, id, session);
                }
            }
        });
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed";
    }
    ProgressStore store(path());
    EXPECT_TRUE(store.notice().isEmpty());
    EXPECT_EQ(store.bookQuestions(kBank).size(), 2 * kEach);
    EXPECT_EQ(store.recentScores(QStringLiteral("DEF"), 100).size(), 2 * (kEach / 10));
    EXPECT_EQ(integrityOf(path()), QStringLiteral("ok"));
}

TEST_F(ProgressStoreTest, KillDuringAnExamLosesAtMostTheAnswerBeingWritten)
{
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    constexpr int kPaper = 5000;
    const pid_t child = inChild([&] {
        close(pipeFds[0]);
        ProgressStore store(path());
        ExamSession session = sitting(kPaper);
        const qint64 id = store.beginSitting(kBank, QStringLiteral("DEF"), session);
        for (int i = 0;; i = (i + 1) % kPaper) {
            store.recordSittingAnswer(id, i, 1 + i % 6);
            store.recordAnswer(kBank, answerInNewRun(i, i % 3 != 0));
            // Told only after the write returned: everything told must survive the kill.
            const qint32 done = i + 1;
            if (write(pipeFds[1], &done, sizeof done) != sizeof done)
                _exit(4);
        }
    });
    close(pipeFds[1]);
    qint32 acknowledged = 0;
    for (qint32 got = 0; acknowledged < 300 && read(pipeFds[0], &got, sizeof got) == sizeof got;)
        acknowledged = got;
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(pipeFds[0]);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_GE(acknowledged, 300);

    EXPECT_EQ(integrityOf(path()), QStringLiteral("ok"));
    ProgressStore store(path());
    EXPECT_TRUE(store.notice().isEmpty()) << store.notice().toStdString();
    const auto stored = store.unfinishedSitting(kBank, QStringLiteral("DEF"));
    ASSERT_TRUE(stored.has_value());
    for (int i = 0; i < acknowledged; ++i)
        ASSERT_EQ(stored->choices.at(i), 1 + i % 6) << "answer " << i << " was acknowledged";
    EXPECT_TRUE(store.bookState(kBank, 0).inBook);
    EXPECT_FALSE(store.bookState(kBank, 1).inBook);
}

TEST(BankFingerprintTest, SameContentSameNameChangedContentNewName)
{
    QTemporaryDir dir;
    const QString a = dir.path() + QStringLiteral("/a.lib");
    const QString b = dir.path() + QStringLiteral("/b.lib");
    writeBytes(a, "bank one");
    writeBytes(b, "bank one");
    const QString first = bankFingerprint(a);
    EXPECT_EQ(first.size(), 32);
    EXPECT_EQ(bankFingerprint(b), first);
    writeBytes(b, "bank two, longer");
    EXPECT_NE(bankFingerprint(b), first);
    EXPECT_FALSE(failureOf([&] { bankFingerprint(dir.path() + QStringLiteral("/missing.lib")); }).isEmpty());
}

} // namespace
} // namespace kemuyi::test
