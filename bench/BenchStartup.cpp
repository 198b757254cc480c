// Start-up and the memory the hover swaps hold: wall-clock and memory figures that a shared
// machine makes too noisy for a pass/fail unit test.

#include "Benchmarks.h"
#include "Fixtures.h"
#include "PracticeWindow.h"
#include "Summary.h"
#include "Timing.h"

#include "app/Startup.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "ui/HoverTracker.h"
#include "ui/ImageButton.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace kemuyi::bench {

namespace {

long residentKilobytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

// Start-up with window creation that outlasts the splash (200 ms against 50 ms) and gives its
// timer no chance to be delivered: the splash must go as soon as creation is done.
void startupAfterSlowCreation(benchmark::State &state)
{
    const QString app = useAppFolder();
    // The splash and the menu show pictures of the same kind as the practice window's.
    for (const char *name : {"logo.jpg", "bground1.jpg"}) {
        if (!QFile::exists(app + QLatin1String(name)))
            QFile::copy(app + QStringLiteral("bground2.jpg"), app + QLatin1String(name));
    }
    QFile::remove(app + QStringLiteral("examdb.lib"));
    if (!QFile::copy(bankPath(kSmallBank), app + QStringLiteral("examdb.lib"))) {
        state.SkipWithError("the bank could not be put beside the program");
        return;
    }
    useTempFolder(fixtureFolder(QStringLiteral("startup-tmp")));
    double total = 0, afterCreation = 0;
    for (auto _ : state) {
        Clock::time_point created;
        const auto start = Clock::now();
        StartedWindows windows = runStartup({50, [&created] {
            QElapsedTimer block;
            block.start();
            while (block.elapsed() < 200)
                QThread::msleep(5);
            created = Clock::now();
        }});
        const auto done = Clock::now();
        total = std::chrono::duration<double>(done - start).count();
        afterCreation = std::chrono::duration<double>(done - created).count();
        state.SetIterationTime(total);
    }
    state.counters["after_creation_ms"] = afterCreation * 1e3;
    record("Start-up, creation outlasting the splash: total", total * 1e3, "ms", 2000.0);
    record("   splash gone after creation", afterCreation * 1e3, "ms", 50.0);
}

// Many hover swaps on one button and back: what they leave behind in resident memory.
void hoverMemory(benchmark::State &state)
{
    TForm2 *form = practiceWindow(kSmallBank);
    if (!form) {
        state.SkipWithError("the practice window could not be prepared");
        return;
    }
    const auto cycle = [form](int times) {
        for (int i = 0; i < times; ++i) {
            form->hoverTracker().pointerAt(form->ImgA->geometry().center());
            form->hoverTracker().pointerAt(form->ImgJqlx->geometry().center());
            form->hoverTracker().pointerLeft();
        }
    };
    long growth = 0;
    for (auto _ : state) {
        cycle(500); // allocators and caches settle first
        const long before = residentKilobytes();
        state.SetIterationTime(secondsOf([&cycle] { cycle(10'000); }));
        growth = residentKilobytes() - before;
    }
    state.counters["growth_kB"] = double(growth);
    record("Hover: resident memory growth over 10,000 swaps", double(growth), "kB", 4096.0);
}

} // namespace

void registerStartupBenchmarks()
{
    benchmark::RegisterBenchmark("Startup/CreationOutlastsSplash", startupAfterSlowCreation)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("TForm2/HoverMemory", hoverMemory)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace kemuyi::bench
