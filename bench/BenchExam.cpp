// The mock exam: opening its window and drawing a paper from a very large category, and
// recording one answer in the learner's progress file.

#include "Benchmarks.h"
#include "Fixtures.h"
#include "Summary.h"
#include "Timing.h"

#include "app/Progress.h"
#include "app/ExamWindow.h"
#include "bank/BankStore.h"
#include "exam/ProgressStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>

#include <benchmark/benchmark.h>

#include <ctime>
#include <exception>
#include <memory>

namespace kemuyi::bench {

namespace {

QString progressFile(const char *name)
{
    const QString path = fixtureFolder(QStringLiteral("progress")) + QLatin1Char('/') + QLatin1String(name);
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    return path;
}

// From the click on 模拟考试 to the first question of a drawn paper: the window is made, the
// start page reads the history and the book, 开始考试 draws 100 of the category's questions,
// reads them and stores the new sitting.
void openExamAndDraw(benchmark::State &state)
{
    const int questions = int(state.range(0));
    useAppFolder();
    useTempFolder(bankFolder(questions));
    LearnerProgress progress(progressFile("open.db"), workingCopyPath());
    if (!progress.store()) {
        state.SkipWithError("the progress file could not be opened");
        return;
    }
    progress.bank(); // the bank's fingerprint is taken once per run of the program
    // The practice window's connection, open before its mock-exam button can be clicked.
    BankStore bank;
    bank.OpenBank();
    double total = 0;
    double cpu = 0;
    int paper = 0;
    for (auto _ : state) {
        std::unique_ptr<ExamWindow> form;
        double seconds = 0;
        try {
            const std::clock_t cpuStart = std::clock();
            seconds = secondsOf([&] {
                form = std::make_unique<ExamWindow>(bank, &progress);
                form->prepare(QStringLiteral("C1C2C3C4"));
                form->show();
                form->startClicked();
            });
            // On a busy machine the wall clock also counts other programs' turns on the CPU.
            cpu += double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            break;
        }
        if (form->page() != ExamWindow::Page::Exam) {
            state.SkipWithError("no exam started");
            break;
        }
        paper = form->session()->size();
        // Handed in outside the timing, so that the next iteration draws a new paper.
        form->handInClicked();
        form->confirmClicked();
        form->close();
        QCoreApplication::processEvents();
        total += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["ms"] = perIteration(total * 1e3);
    state.counters["cpu_ms"] = perIteration(cpu * 1e3);
    state.counters["paper"] = paper;
}

// One answer in an exam, and one judged answer going through the wrong-question book.
void recordAnswer(benchmark::State &state)
{
    try {
        ProgressStore store(progressFile("answers.db"));
        QVector<PaperQuestion> paper;
        for (int i = 0; i < 100; ++i)
            paper.append(PaperQuestion{i + 1, 1});
        const ExamSession session(examFormatFor(QStringLiteral("C1C2C3C4")), paper, 0, [] { return 0; });
        const qint64 sitting = store.beginSitting(QStringLiteral("bench"), QStringLiteral("C1C2C3C4"), session);
        double exam = 0;
        double book = 0;
        int i = 0;
        for (auto _ : state) {
            const double one = secondsOf([&] { store.recordSittingAnswer(sitting, i % 100, 1 + i % 4); });
            // Each answer on a showing of its own, an hour after the one before: every one counts
            // for the memory state, the statistics and the book.
            const JudgedAnswer answer{i % 500, i % 3 == 0, false, Showing{i + 1, 1}, qint64(i) * 3'600'000,
                                      QStringLiteral("C1C2C3C4")};
            const double judged = secondsOf([&] { store.recordAnswer(QStringLiteral("bench"), answer); });
            exam += one;
            book += judged;
            ++i;
            state.SetIterationTime(one);
        }
        state.counters["exam_us"] = perIteration(exam * 1e6);
        state.counters["book_us"] = perIteration(book * 1e6);
    } catch (const std::exception &e) {
        state.SkipWithError(e.what());
    }
}

} // namespace

void registerExamBenchmarks()
{
    repeated(benchmark::RegisterBenchmark("ExamWindow/OpenAndDrawPaper", openExamAndDraw), 10)
        ->Arg(kLargeBank)
        ->UseManualTime()
        ->Iterations(5)
        ->Unit(benchmark::kMillisecond);
    whenAggregated("ExamWindow/OpenAndDrawPaper/" + std::to_string(kLargeBank), [](const Aggregates &aggregates) {
        record("9. Exam window open + 100-question paper, 100k rows", aggregates.median("ms"), "ms", 50.0);
        record("   the same, CPU time of the program", aggregates.median("cpu_ms"), "ms");
    });
    repeated(benchmark::RegisterBenchmark("ProgressStore/RecordAnswer", recordAnswer), 10)
        ->UseManualTime()
        ->MinTime(0.05)
        ->Unit(benchmark::kMicrosecond);
    whenAggregated("ProgressStore/RecordAnswer", [](const Aggregates &aggregates) {
        record("10. Recording an exam answer", aggregates.median("exam_us") / 1000.0, "ms", 1.0);
        record("    recording a judged answer in the book", aggregates.median("book_us") / 1000.0, "ms", 1.0);
    });
}

} // namespace kemuyi::bench
