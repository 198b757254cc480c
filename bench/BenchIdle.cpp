// The practice window doing nothing: a one-second Delay, and a second with no input at all.

#include "Benchmarks.h"
#include "PracticeWindow.h"
#include "Summary.h"
#include "Timing.h"

#include "app/Unit2.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include <sys/resource.h>

namespace kemuyi::bench {

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Counts what the application delivers while it lives; timers apart, with their receivers.
class EventCounter : public QObject
{
public:
    explicit EventCounter(const QObject *ownTimer = nullptr) : m_ownTimer(ownTimer)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~EventCounter() override { QCoreApplication::instance()->removeEventFilter(this); }

    int events = 0;
    int ownTimerEvents = 0;
    int otherTimerEvents = 0;
    std::map<std::string, int> timerReceivers;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        ++events;
        if (event->type() == QEvent::Timer) {
            if (watched == m_ownTimer) {
                ++ownTimerEvents;
            } else {
                ++otherTimerEvents;
                ++timerReceivers[watched->metaObject()->className()];
            }
        }
        return false;
    }

private:
    const QObject *m_ownTimer;
};

std::string receiversText(const std::map<std::string, int> &receivers)
{
    std::string text;
    for (const auto &[name, count] : receivers)
        text += (text.empty() ? "" : ", ") + name + " x" + std::to_string(count);
    return text;
}

void delayCpu(benchmark::State &state)
{
    TForm2 *form = practiceWindow(kSmallBank);
    if (!form) {
        state.SkipWithError("the practice window could not be prepared");
        return;
    }
    settle();
    double cpu = 0, wall = 0;
    int events = 0;
    for (auto _ : state) {
        EventCounter counter;
        const double before = cpuSeconds();
        wall = secondsOf([form] { form->Delay(1000); });
        cpu = cpuSeconds() - before;
        events = counter.events;
        state.SetIterationTime(wall);
    }
    state.counters["cpu_ms"] = cpu * 1e3;
    state.counters["wall_ms"] = wall * 1e3;
    state.counters["events"] = events;
    record("5. Delay(1000) CPU time (user+system)", cpu * 1e3, "ms", 50.0);
    record("   Delay(1000) wall time", wall * 1e3, "ms");
}

void idleWindow(benchmark::State &state)
{
    TForm2 *form = practiceWindow(kSmallBank);
    if (!form) {
        state.SkipWithError("the practice window could not be prepared");
        return;
    }
    settle();
    int others = 0, own = 0, events = 0;
    double cpu = 0;
    std::string receivers;
    for (auto _ : state) {
        QEventLoop loop;
        QTimer stop;
        stop.setSingleShot(true);
        stop.setTimerType(Qt::PreciseTimer); // a coarse timer may end the second 5 % early
        QObject::connect(&stop, &QTimer::timeout, &loop, &QEventLoop::quit);
        EventCounter counter(&stop);
        const double before = cpuSeconds();
        stop.start(1000);
        state.SetIterationTime(secondsOf([&loop] { loop.exec(); }));
        cpu = cpuSeconds() - before;
        others = counter.otherTimerEvents;
        own = counter.ownTimerEvents;
        events = counter.events;
        receivers = receiversText(counter.timerReceivers);
    }
    state.counters["timer_events"] = others;
    state.counters["own_timer_events"] = own;
    state.counters["all_events"] = events;
    state.counters["cpu_ms"] = cpu * 1e3;
    record("7. Idle window: timer events in 1 s", others, "", 0.0);
    record("   idle window CPU time in 1 s", cpu * 1e3, "ms");
    if (!receivers.empty())
        note("7", "timer events went to " + receivers);
}

} // namespace

void registerDelayBenchmark()
{
    benchmark::RegisterBenchmark("TForm2/Delay1000_cpu", delayCpu)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void registerIdleBenchmark()
{
    benchmark::RegisterBenchmark("TForm2/IdleSecond_timers", idleWindow)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace kemuyi::bench
