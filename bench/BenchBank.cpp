// The bank: copying it at start-up, and the two queries a practice run makes.

#include "Benchmarks.h"
#include "Fixtures.h"
#include "QuestionBank.h"
#include "Summary.h"
#include "Timing.h"

#include "bank/BankStore.h"
#include "common/AppPaths.h"

#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

namespace kemuyi::bench {

namespace {

constexpr qint64 kCopiedBankBytes = 5LL * 1024 * 1024;

// The shipped bank and both copies share one folder, which serves as AppDir and TMPDIR alike.
QString copyFolder()
{
    static const QString folder = [] {
        const QString dir = fixtureFolder(QStringLiteral("copy"));
        writeQuestionBankOfSize(dir + QStringLiteral("examdb.lib"), kCopiedBankBytes, illustrationNames());
        return dir;
    }();
    return folder;
}

// The scheduler's own count, precise to the nanosecond (rusage may count in whole ticks).
double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Writes back whatever the folder's disk still holds dirty. ext4 starts writing a file out as soon
// as it replaces another (by rename or by truncation), and replacing that file again then waits for
// the disk: back to back, each copy would pay for the one before it.
void settleDisk(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
}

// Both copies replace a file of the same size in the same folder, their order alternating from
// one repetition to the next; each repetition is one pair of copies. With
// range(0) set, the disk is settled before each copy, as at a program start where the previous
// working copy was written long ago; without, the copies follow one another.
void copyBankAgainstCopyFile(benchmark::State &state)
{
    const bool settled = state.range(0) != 0;
    const QString folder = copyFolder();
    setAppDirOverride(folder);
    useTempFolder(folder);
    const std::filesystem::path source = QFile::encodeName(bankSourcePath()).toStdString();
    const std::filesystem::path plainCopy = QFile::encodeName(folder + QStringLiteral("plain.lib")).toStdString();
    double copyBank = 0, copyFile = 0, copyBankCpu = 0, copyFileCpu = 0;
    static bool bankFirst = true;
    for (auto _ : state) {
        double bankSeconds = 0;
        const auto timeBank = [&] {
            if (settled)
                settleDisk(folder);
            const double cpuBefore = threadCpuSeconds();
            bankSeconds = secondsOf([] { CopyBank(); });
            copyBankCpu += threadCpuSeconds() - cpuBefore;
            copyBank += bankSeconds;
        };
        const auto timePlain = [&] {
            if (settled)
                settleDisk(folder);
            const double cpuBefore = threadCpuSeconds();
            copyFile += secondsOf([&] {
                std::filesystem::copy_file(source, plainCopy, std::filesystem::copy_options::overwrite_existing);
            });
            copyFileCpu += threadCpuSeconds() - cpuBefore;
        };
        if (bankFirst) {
            timeBank();
            timePlain();
        } else {
            timePlain();
            timeBank();
        }
        bankFirst = !bankFirst;
        state.SetIterationTime(bankSeconds);
    }
    if (QFileInfo(workingCopyPath()).size() != QFileInfo(bankSourcePath()).size())
        state.SkipWithError("the working copy differs in size from the bank");
    state.counters["CopyBank_ms"] = perIteration(copyBank * 1e3);
    state.counters["copy_file_ms"] = perIteration(copyFile * 1e3);
    // On-CPU time apart from the wall time: what is left was spent waiting, mostly for the disk.
    state.counters["CopyBank_cpu_ms"] = perIteration(copyBankCpu * 1e3);
    state.counters["copy_file_cpu_ms"] = perIteration(copyFileCpu * 1e3);
    state.counters["bank_MiB"] = double(QFileInfo(bankSourcePath()).size()) / (1024.0 * 1024.0);
}

double copyRatio(const Aggregates &aggregates)
{
    return aggregates.median("CopyBank_ms") / aggregates.median("copy_file_ms");
}

void summariseSettledCopies(const Aggregates &aggregates)
{
    const double bank = aggregates.median("CopyBank_ms");
    const double file = aggregates.median("copy_file_ms");
    const double bankCpu = aggregates.median("CopyBank_cpu_ms");
    const double fileCpu = aggregates.median("copy_file_cpu_ms");
    record("2. CopyBank 5 MB / std::filesystem::copy_file", copyRatio(aggregates), "x", 1.5);
    record("   CopyBank 5 MB median", bank, "ms");
    record("   copy_file 5 MB median", file, "ms");
    record("   CPU time ratio of the two copies", bankCpu / fileCpu, "x");
    record("   CopyBank time off CPU (waiting)", bank - bankCpu, "ms");
    record("   copy_file time off CPU (waiting)", file - fileCpu, "ms");
}

// One open store per bank size, shared by the query benchmarks.
BankStore &storeFor(int questions)
{
    static std::map<int, std::unique_ptr<BankStore>> stores;
    auto &store = stores[questions];
    if (!store) {
        store = std::make_unique<BankStore>();
        store->OpenBank(bankPath(questions));
    }
    return *store;
}

void queryCategoryIds(benchmark::State &state)
{
    const int questions = int(state.range(0));
    BankStore &store = storeFor(questions);
    const QString code = QStringLiteral("C1C2C3C4"); // the largest category
    double total = 0;
    qsizetype found = 0;
    for (auto _ : state) {
        const double seconds = secondsOf([&] { found = store.QueryCategoryIds(code).size(); });
        total += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["us"] = perIteration(total * 1e6);
    state.counters["ids"] = double(found);
}

void selectQuestion(benchmark::State &state)
{
    const int questions = int(state.range(0));
    BankStore &store = storeFor(questions);
    // Ids in a scattered order, so the pages read are not always the ones just read.
    quint32 step = 0;
    double total = 0;
    bool allFound = true;
    for (auto _ : state) {
        step = step * 1664525u + 1013904223u;
        const auto id = qint32(1 + (step >> 8) % quint32(questions));
        const double seconds = secondsOf([&] { store.SelectQuestion(id); });
        allFound = allFound && store.hasCurrentRecord();
        total += seconds;
        state.SetIterationTime(seconds);
    }
    if (!allFound)
        state.SkipWithError("an id of the bank selected no row");
    state.counters["us"] = perIteration(total * 1e6);
}

} // namespace

void registerBankBenchmarks()
{
    // Fixed counts: every pair of copies writes 10 MB to the disk, which the machine shares.
    repeated(benchmark::RegisterBenchmark("CopyBank_vs_copy_file/5MB/settled", copyBankAgainstCopyFile), 80)
        ->Arg(1)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    whenAggregated("CopyBank_vs_copy_file/5MB/settled/1", summariseSettledCopies);
    repeated(benchmark::RegisterBenchmark("CopyBank_vs_copy_file/5MB/back_to_back", copyBankAgainstCopyFile), 80)
        ->Arg(0)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    whenAggregated("CopyBank_vs_copy_file/5MB/back_to_back/0", [](const Aggregates &aggregates) {
        record("   same, copies back to back (disk busy)", copyRatio(aggregates), "x");
    });
    for (const int questions : {kSmallBank, kLargeBank}) {
        const std::string rows = bankLabel(questions) + " rows";
        repeated(benchmark::RegisterBenchmark("BankStore/QueryCategoryIds", queryCategoryIds), 10)
            ->Arg(questions)
            ->UseManualTime()
            ->MinTime(0.05)
            ->Unit(benchmark::kMillisecond);
        whenAggregated("BankStore/QueryCategoryIds/" + std::to_string(questions), [rows](const Aggregates &aggregates) {
            record("3. QueryCategoryIds(C1C2C3C4), " + rows, aggregates.median("us"), "us");
        });
        repeated(benchmark::RegisterBenchmark("BankStore/SelectQuestion", selectQuestion), 10)
            ->Arg(questions)
            ->UseManualTime()
            ->MinTime(0.05)
            ->Unit(benchmark::kMicrosecond);
        const std::optional<double> target = questions >= kLargeBank ? std::optional(100.0) : std::nullopt;
        whenAggregated("BankStore/SelectQuestion/" + std::to_string(questions), [rows, target](const Aggregates &aggregates) {
            record("3. SelectQuestion median, " + rows, aggregates.median("us"), "us", target);
        });
    }
}

} // namespace kemuyi::bench
