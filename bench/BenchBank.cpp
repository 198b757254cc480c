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
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

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

// The bank copy's work done by plain means: the bytes into a new file beside the destination,
// with `flush` written through to the disk, then renamed over the earlier copy.
void plainCopy(const std::filesystem::path &source, const std::filesystem::path &destination, bool flush)
{
    std::filesystem::path fresh = destination;
    fresh += ".new";
    std::filesystem::copy_file(source, fresh, std::filesystem::copy_options::overwrite_existing);
    if (flush) {
        const int fd = ::open(fresh.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0 || ::fsync(fd) != 0)
            throw std::runtime_error("cannot flush " + fresh.string());
        ::close(fd);
    }
    std::filesystem::rename(fresh, destination);
}

struct TimedCopy
{
    std::string name;
    std::function<void()> run;
    double seconds = 0;
    double cpuSeconds = 0;
};

// The bank copy against the same durable steps done by plain means (copy, fsync, rename over)
// and against the same without the fsync, which the bank copy leaves out: the working copy is made
// anew at every start. All three replace a file of the same size in the same folder; which one
// goes first turns from one repetition to the next, and each repetition is one round of copies.
// With range(0) set, the disk is settled before each copy, as at a program start where the
// previous working copy was written long ago; without, the copies follow one another.
void copyBankAgainstPlainCopies(benchmark::State &state)
{
    const bool settled = state.range(0) != 0;
    const QString folder = copyFolder();
    setAppDirOverride(folder);
    useTempFolder(folder);
    const std::filesystem::path source = QFile::encodeName(bankSourcePath()).toStdString();
    const std::filesystem::path durable = QFile::encodeName(folder + QStringLiteral("durable.lib")).toStdString();
    const std::filesystem::path renamed = QFile::encodeName(folder + QStringLiteral("renamed.lib")).toStdString();
    TimedCopy copies[] = {
        {"CopyBank", [] { CopyBank(); }},
        {"durable", [&] { plainCopy(source, durable, true); }},
        {"renamed", [&] { plainCopy(source, renamed, false); }},
    };
    static int first = 0;
    for (auto _ : state) {
        for (int i = 0; i < 3; ++i) {
            TimedCopy &copy = copies[(first + i) % 3];
            if (settled)
                settleDisk(folder);
            const double cpuBefore = threadCpuSeconds();
            const double seconds = secondsOf(copy.run);
            copy.cpuSeconds += threadCpuSeconds() - cpuBefore;
            copy.seconds += seconds;
            if (&copy == &copies[0])
                state.SetIterationTime(seconds);
        }
        first = (first + 1) % 3;
    }
    if (QFileInfo(workingCopyPath()).size() != QFileInfo(bankSourcePath()).size())
        state.SkipWithError("the working copy differs in size from the bank");
    for (const TimedCopy &copy : copies) {
        state.counters[copy.name + "_ms"] = perIteration(copy.seconds * 1e3);
        // On-CPU time apart from the wall time: what is left was spent waiting, mostly for the disk.
        state.counters[copy.name + "_cpu_ms"] = perIteration(copy.cpuSeconds * 1e3);
    }
    state.counters["bank_MiB"] = double(QFileInfo(bankSourcePath()).size()) / (1024.0 * 1024.0);
}

double copyRatio(const Aggregates &aggregates, const std::string &plain = "durable")
{
    return aggregates.median("CopyBank_ms") / aggregates.median(plain + "_ms");
}

void summariseSettledCopies(const Aggregates &aggregates)
{
    const double bank = aggregates.median("CopyBank_ms");
    const double durable = aggregates.median("durable_ms");
    const double bankCpu = aggregates.median("CopyBank_cpu_ms");
    const double durableCpu = aggregates.median("durable_cpu_ms");
    record("2. CopyBank 5 MB / copy, fsync, rename over", copyRatio(aggregates), "x", 1.2);
    record("   CopyBank / copy, rename over (no fsync)", copyRatio(aggregates, "renamed"), "x");
    record("   CopyBank 5 MB median", bank, "ms");
    record("   copy, fsync, rename 5 MB median", durable, "ms");
    record("   copy, rename 5 MB median", aggregates.median("renamed_ms"), "ms");
    record("   CPU time ratio, CopyBank / copy, fsync, rename", bankCpu / durableCpu, "x");
    record("   CopyBank time off CPU (waiting)", bank - bankCpu, "ms");
    record("   copy, fsync, rename time off CPU (waiting)", durable - durableCpu, "ms");
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
    // Fixed counts: every round of copies writes 15 MB to the disk, which the machine shares.
    repeated(benchmark::RegisterBenchmark("CopyBank_vs_plain_copy/5MB/settled", copyBankAgainstPlainCopies), 80)
        ->Arg(1)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    whenAggregated("CopyBank_vs_plain_copy/5MB/settled/1", summariseSettledCopies);
    repeated(benchmark::RegisterBenchmark("CopyBank_vs_plain_copy/5MB/back_to_back", copyBankAgainstPlainCopies), 80)
        ->Arg(0)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    whenAggregated("CopyBank_vs_plain_copy/5MB/back_to_back/0", [](const Aggregates &aggregates) {
        record("   same, copies back to back (disk busy)", copyRatio(aggregates), "x");
        record("   same, back to back, against copy, rename (no fsync)", copyRatio(aggregates, "renamed"), "x");
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
