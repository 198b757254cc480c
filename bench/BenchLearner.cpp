// The learner records' figures: the next question of a smart review among 10,000 questions' memory
// states, the 统计 page with its charts over 100,000 recorded answers, and one recorded answer
// with its memory state.

#include "Benchmarks.h"
#include "Fixtures.h"
#include "Summary.h"
#include "Timing.h"

#include "app/Progress.h"
#include "app/StatsPage.h"
#include "bank/BankStore.h"
#include "bank/Sqlite.h"
#include "bank/Topics.h"
#include "exam/ProgressStore.h"
#include "exam/ReviewPlan.h"

#include <QFile>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <ctime>
#include <exception>
#include <numeric>
#include <random>

namespace kemuyi::bench {

namespace {

constexpr qint64 kDay = 24LL * 60 * 60 * 1000;
constexpr qint64 kNow = 1'800'000'000'000LL;
constexpr int kReviewStates = 10000;
constexpr int kRecordedAnswers = 100000;

QString freshFile(const QString &folder, const char *name)
{
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    return path;
}

// Memory states of `count` questions answered over the last 200 days, a third of them wrongly at
// their last answer: some long overdue, some due soon, some fresh.
QHash<qint32, MemoryState> memoryStates(int count)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> answers(1, 6);
    std::uniform_int_distribution<qint64> start(0, 200 * kDay);
    QHash<qint32, MemoryState> states;
    for (qint32 id = 1; id <= count; ++id) {
        MemoryState state;
        qint64 at = kNow - 200 * kDay + start(rng);
        for (int n = answers(rng); n > 0 && at < kNow; --n) {
            state = memory::afterAnswer(state, rng() % 3 ? RecallGrade::Good : RecallGrade::Again, at);
            at = std::max(at + kDay / 4, memory::dueMs(state) + qint64(rng() % 5) * kDay);
        }
        states.insert(id, state);
    }
    return states;
}

// The scheduler's choice of what comes next: due questions by how overdue they are, then unseen
// ones, over the whole category's states.
void nextSmartReviewQuestion(benchmark::State &state)
{
    QVector<qint32> ids(kReviewStates);
    std::iota(ids.begin(), ids.end(), 1);
    const QHash<qint32, MemoryState> states = memoryStates(kReviewStates);
    double total = 0;
    double cpu = 0;
    int due = 0;
    for (auto _ : state) {
        ReviewPlan plan;
        const std::clock_t cpuStart = std::clock();
        const double seconds = secondsOf([&] { plan = planSmartReview(ids, states, kNow, review::defaultDailyLimit); });
        cpu += double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        benchmark::DoNotOptimize(plan.questions.constData());
        due = plan.dueCount;
        total += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["ms"] = perIteration(total * 1e3);
    state.counters["cpu_ms"] = perIteration(cpu * 1e3);
    state.counters["due"] = due;
}

// The shipped-size bank with a topic for each question, in a folder of its own.
QString bankWithTopics()
{
    const QString folder = fixtureFolder(QStringLiteral("learner"));
    const QString copy = folder + QStringLiteral("/e9p7k6m8.lib");
    if (QFile::exists(copy))
        return folder;
    QFile::copy(bankPath(kSmallBank), copy);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    SqliteDb db;
    db.openForWriting(copy);
    db.exec("CREATE TABLE TOPIC (ID INTEGER PRIMARY KEY, TOPIC TEXT)");
    SqliteTransaction transaction(db);
    SqliteStatement insert(db, "INSERT INTO TOPIC SELECT ID, ?1 FROM TK WHERE ID % ?2 = ?3");
    const QVector<Topic> &all = topics();
    for (int t = 0; t < all.size(); ++t) {
        insert.reset();
        insert.bind(1, all.at(t).key);
        insert.bind(2, qint64(all.size()));
        insert.bind(3, qint64(t));
        insert.step();
    }
    transaction.commit();
    return folder;
}

// 100,000 answers to the category's questions over the last 300 days, recorded as practice records
// them (a run of 100 answers at a time).
void recordHistory(ProgressStore &store, const QString &bank, const QVector<qint32> &ids)
{
    std::mt19937 rng(11);
    QVector<JudgedAnswer> run;
    for (int a = 0; a < kRecordedAnswers; ++a) {
        const qint64 at = kNow - 300 * kDay + qint64(300.0 * kDay * a / kRecordedAnswers);
        run.append(JudgedAnswer{ids.at(int(rng() % ids.size())), rng() % 10 < 8, false, Showing{a / 100 + 1, a % 100 + 1},
                                at, QStringLiteral("C1C2C3C4")});
        if (run.size() == 100) {
            store.recordAnswers(bank, run);
            run.clear();
        }
    }
}

// From the click on 统计 to the page drawn: the category's questions and topics, the learner's
// records, the estimate, and the three charts painted.
void statsPage(benchmark::State &state)
{
    try {
        useAppFolder();
        useTempFolder(bankWithTopics());
        const QString storePath = freshFile(fixtureFolder(QStringLiteral("learner")), "stats.db");
        LearnerProgress progress(storePath, workingCopyPath());
        BankStore bank;
        bank.OpenBank();
        recordHistory(*progress.store(), progress.bank(), bank.categoryIds(QStringLiteral("C1C2C3C4")));
        StatsPage page(bank, &progress);
        page.setClock([] { return kNow; });
        page.resize(529, 345);
        double total = 0;
        double cpu = 0;
        for (auto _ : state) {
            const std::clock_t cpuStart = std::clock();
            const double seconds = secondsOf([&] {
                page.showCategory(QStringLiteral("C1C2C3C4"));
                benchmark::DoNotOptimize(page.grab());
            });
            cpu += double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
            total += seconds;
            state.SetIterationTime(seconds);
        }
        state.counters["ms"] = perIteration(total * 1e3);
        state.counters["cpu_ms"] = perIteration(cpu * 1e3);
        state.counters["answers"] = page.stats().readiness.answersUsed;
    } catch (const std::exception &e) {
        state.SkipWithError(e.what());
    }
}

// One judged answer in practice: the memory state, the statistics and the book, in one transaction,
// on a file that already holds 2,300 questions' states.
void recordJudgedAnswer(benchmark::State &state)
{
    try {
        ProgressStore store(freshFile(fixtureFolder(QStringLiteral("learner")), "record.db"));
        const QString bank = QStringLiteral("bench");
        QVector<JudgedAnswer> warm;
        for (int i = 0; i < kSmallBank; ++i)
            warm.append(JudgedAnswer{i, i % 4 != 0, false, Showing{1, i + 1}, kNow - 30 * kDay, QStringLiteral("C1C2C3C4")});
        store.recordAnswers(bank, warm);
        double total = 0;
        double cpu = 0;
        int i = 0;
        for (auto _ : state) {
            // A new showing each time, a new run every 50: every answer counts for everything.
            const JudgedAnswer answer{i % kSmallBank, i % 3 != 0, false, Showing{2 + i / 50, i + 1},
                                      kNow + qint64(i) * 60'000, QStringLiteral("C1C2C3C4")};
            const std::clock_t cpuStart = std::clock();
            const double seconds = secondsOf([&] { store.recordAnswer(bank, answer); });
            cpu += double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
            total += seconds;
            state.SetIterationTime(seconds);
            ++i;
        }
        state.counters["us"] = perIteration(total * 1e6);
        state.counters["cpu_us"] = perIteration(cpu * 1e6);
    } catch (const std::exception &e) {
        state.SkipWithError(e.what());
    }
}

} // namespace

void registerLearnerBenchmarks()
{
    repeated(benchmark::RegisterBenchmark("SmartReview/NextQuestion/10000", nextSmartReviewQuestion), 10)
        ->UseManualTime()
        ->MinTime(0.05)
        ->Unit(benchmark::kMicrosecond);
    whenAggregated("SmartReview/NextQuestion/10000", [](const Aggregates &aggregates) {
        record("12. Next smart-review question, 10,000 memory states", aggregates.median("ms"), "ms", 1.0);
        record("    the same, CPU time of the program", aggregates.median("cpu_ms"), "ms");
    });
    repeated(benchmark::RegisterBenchmark("StatsPage/Show/100000", statsPage), 10)
        ->UseManualTime()
        ->Iterations(5)
        ->Unit(benchmark::kMillisecond);
    whenAggregated("StatsPage/Show/100000", [](const Aggregates &aggregates) {
        record("13. 统计 page with its charts, 100,000 recorded answers", aggregates.median("ms"), "ms", 50.0);
        record("    the same, CPU time of the program", aggregates.median("cpu_ms"), "ms");
    });
    repeated(benchmark::RegisterBenchmark("ProgressStore/RecordJudgedAnswer", recordJudgedAnswer), 10)
        ->UseManualTime()
        ->MinTime(0.05)
        ->Unit(benchmark::kMicrosecond);
    whenAggregated("ProgressStore/RecordJudgedAnswer", [](const Aggregates &aggregates) {
        record("14. A judged answer with its memory state, statistics and book", aggregates.median("us") / 1000.0,
               "ms", 0.1);
        record("    the same, CPU time of the program", aggregates.median("cpu_us") / 1000.0, "ms");
    });
}

} // namespace kemuyi::bench
