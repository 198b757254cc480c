// The study centre: searching a very large bank by a three-character word through the trigram
// index, building that index for a bank of the real size, and opening the study window over a
// learner's long record.

#include "Benchmarks.h"
#include "Fixtures.h"
#include "Summary.h"
#include "Timing.h"

#include "app/Progress.h"
#include "app/StudyWindow.h"
#include "bank/BankStore.h"
#include "bank/QuestionSearch.h"
#include "exam/ProgressStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include <exception>
#include <memory>

namespace kemuyi::bench {

namespace {

// The side index of a generated bank, built once: the bank writer makes TK alone, as an import does.
QString sideIndexFor(int questions)
{
    const QString side = fixtureFolder(QStringLiteral("search")) + QStringLiteral("/index-%1.idx").arg(questions);
    if (!QFile::exists(side))
        prepareSearchIndex(bankPath(questions), side);
    return side;
}

// One search as the study centre makes it while the learner types: the category's hits with
// their stems in id order, as many as it lists (201, to know whether there are more).
void searchWords(benchmark::State &state, const QString &words, int limit)
{
    const int questions = int(state.range(0));
    try {
        QuestionSearch search;
        search.open(bankPath(questions), sideIndexFor(questions));
        if (!search.indexed()) {
            state.SkipWithError("no index");
            return;
        }
        double total = 0;
        int hits = 0;
        for (auto _ : state) {
            const double seconds = secondsOf([&] { hits = int(search.find(words, QStringLiteral("C1C2C3C4"), limit).size()); });
            total += seconds;
            state.SetIterationTime(seconds);
        }
        state.counters["ms"] = perIteration(total * 1e3);
        state.counters["hits"] = hits;
    } catch (const std::exception &e) {
        state.SkipWithError(e.what());
    }
}

// The index of a bank without one, as start-up builds it behind the splash: the bank's rows
// read and the side file written and renamed into place.
void buildIndex(benchmark::State &state)
{
    const int questions = int(state.range(0));
    const QString side = fixtureFolder(QStringLiteral("search")) + QStringLiteral("/built.idx");
    double total = 0;
    try {
        for (auto _ : state) {
            const double seconds = secondsOf([&] { prepareSearchIndex(bankPath(questions), side); });
            total += seconds;
            state.SetIterationTime(seconds);
        }
    } catch (const std::exception &e) {
        state.SkipWithError(e.what());
    }
    state.counters["ms"] = perIteration(total * 1e3);
}

// A progress file with `answers` judged answers spread over the bank's questions, a hundred
// favourites, a wrong-question book and a stopped run; made once.
QString recordedProgress(int questions, int answers)
{
    const QString path = fixtureFolder(QStringLiteral("study")) + QStringLiteral("/progress-%1.db").arg(answers);
    if (QFile::exists(path))
        return path;
    LearnerProgress progress(path, bankPath(questions));
    const QString bank = progress.bank();
    ProgressStore &store = *progress.store();
    // Counted answers as practice gives them: one a showing, in runs of 200, over a few months.
    constexpr int kBatch = 200;
    const QString category = QStringLiteral("C1C2C3C4");
    for (int done = 0; done < answers; done += kBatch) {
        QVector<JudgedAnswer> batch;
        for (int i = done; i < done + kBatch && i < answers; ++i) {
            const qint64 at = 1'700'000'000'000 + qint64(i) * 90'000;
            batch.append(JudgedAnswer{qint32(1 + (i * 7919) % questions), i % 4 != 0, false,
                                      Showing{1'700'000'000'000 + done, i - done + 1}, at, category});
        }
        store.recordAnswers(bank, batch);
    }
    for (int id = 1; id <= 100; ++id)
        store.setFavourite(bank, id * 13 % questions + 1, true);
    QVector<qint32> order;
    for (int id = 1; id <= questions; ++id)
        order.append(id);
    store.rememberRun(bank, QStringLiteral("C1C2C3C4"), {QStringLiteral("intensive"), QStringLiteral("加强练习"), order, 400, 0});
    return path;
}

// From the key L to the first page on screen: the window made with its pictures, the category's
// questions with their topics, the learner's tallies, and the topics page filled.
void openStudyWindow(benchmark::State &state)
{
    const int questions = int(state.range(0));
    constexpr int kAnswers = 100000;
    useAppFolder();
    useTempFolder(bankFolder(questions));
    try {
        LearnerProgress progress(recordedProgress(questions, kAnswers), workingCopyPath());
        progress.store();
        progress.bank();
        BankStore bank;
        bank.OpenBank();
        double total = 0;
        for (auto _ : state) {
            std::unique_ptr<StudyWindow> study;
            const double seconds = secondsOf([&] {
                study = std::make_unique<StudyWindow>(bank, &progress);
                study->prepare(QStringLiteral("C1C2C3C4"));
                study->show();
            });
            study->close();
            QCoreApplication::processEvents();
            total += seconds;
            state.SetIterationTime(seconds);
        }
        state.counters["ms"] = perIteration(total * 1e3);
    } catch (const std::exception &e) {
        state.SkipWithError(e.what());
    }
}

} // namespace

void registerStudyBenchmarks()
{
    repeated(benchmark::RegisterBenchmark("Search/ThreeCharacters", [](benchmark::State &state) {
                 searchWords(state, QStringLiteral("铁路道"), 201);
             }), 10)
        ->Arg(kLargeBank)
        ->UseManualTime()
        ->MinTime(0.2)
        ->Unit(benchmark::kMillisecond);
    whenAggregated("Search/ThreeCharacters/" + std::to_string(kLargeBank), [](const Aggregates &aggregates) {
        record("15. Search, 3-character word, 100k questions", aggregates.median("ms"), "ms", 10.0);
    });
    repeated(benchmark::RegisterBenchmark("Search/ThreeCharactersEveryHit", [](benchmark::State &state) {
                 searchWords(state, QStringLiteral("铁路道"), -1);
             }), 5)
        ->Arg(kLargeBank)
        ->UseManualTime()
        ->MinTime(0.2)
        ->Unit(benchmark::kMillisecond);
    whenAggregated("Search/ThreeCharactersEveryHit/" + std::to_string(kLargeBank), [](const Aggregates &aggregates) {
        record("    the same, every hit fetched (unlimited)", aggregates.median("ms"), "ms");
        record("    hits of the word in the category", aggregates.median("hits"), "");
    });
    repeated(benchmark::RegisterBenchmark("Search/TwoCharacters", [](benchmark::State &state) {
                 searchWords(state, QStringLiteral("道口"), 201);
             }), 5)
        ->Arg(kLargeBank)
        ->UseManualTime()
        ->MinTime(0.2)
        ->Unit(benchmark::kMillisecond);
    whenAggregated("Search/TwoCharacters/" + std::to_string(kLargeBank), [](const Aggregates &aggregates) {
        record("    the same, 2 characters (plain scan)", aggregates.median("ms"), "ms");
    });
    repeated(benchmark::RegisterBenchmark("Search/BuildIndex", buildIndex), 10)
        ->Arg(kSmallBank)
        ->UseManualTime()
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    whenAggregated("Search/BuildIndex/" + std::to_string(kSmallBank), [](const Aggregates &aggregates) {
        record("16. Search index built at start-up, 2300 questions", aggregates.median("ms"), "ms", 100.0);
    });
    repeated(benchmark::RegisterBenchmark("StudyWindow/Open", openStudyWindow), 10)
        ->Arg(kSmallBank)
        ->UseManualTime()
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    whenAggregated("StudyWindow/Open/" + std::to_string(kSmallBank), [](const Aggregates &aggregates) {
        record("17. Study centre open, 2300 questions, 100k answers", aggregates.median("ms"), "ms", 100.0);
    });
}

} // namespace kemuyi::bench
