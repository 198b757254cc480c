// Reading aloud: the call that starts speaking must return at once, whatever the speech service
// does meanwhile. The service runs with a private configuration whose audio goes nowhere.

#include "Benchmarks.h"
#include "Summary.h"
#include "Timing.h"

#include "ui/Speech.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <csignal>

namespace kemuyi::bench {

namespace {

void sayReturns(benchmark::State &state)
{
    QTemporaryDir home;
    QDir(home.path()).mkpath(QStringLiteral("config/speech-dispatcher"));
    QDir(home.path()).mkpath(QStringLiteral("runtime"));
    QFile system(QStringLiteral("/etc/speech-dispatcher/speechd.conf"));
    QFile own(home.path() + "/config/speech-dispatcher/speechd.conf");
    QFile ao(home.path() + "/.libao");
    if (!system.open(QIODevice::ReadOnly) || !own.open(QIODevice::WriteOnly) || !ao.open(QIODevice::WriteOnly)) {
        state.SkipWithError("no speech-dispatcher configuration on this machine");
        return;
    }
    own.write(system.readAll() + "\nAudioOutputMethod \"libao\"\n");
    own.close();
    ao.write("default_driver=null\n");
    ao.close();
    const QByteArray saved[] = {qgetenv("HOME"), qgetenv("XDG_CONFIG_HOME"), qgetenv("XDG_RUNTIME_DIR")};
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toLocal8Bit());
    {
        std::unique_ptr<SpeechOutput> speech = makeSystemSpeech();
        const QString text = QStringLiteral("第1题。驾驶机动车在雾天行驶应开启，A，雾灯。B，远光灯。C，倒车灯。D，示廓灯。");
        double total = 0;
        for (auto _ : state) {
            const double seconds = secondsOf([&] { speech->say(text); });
            state.SetIterationTime(seconds);
            total += seconds;
            speech->stop();
            QCoreApplication::processEvents();
        }
        state.counters["say_ms"] = perIteration(total * 1000);
    }
    // The daemon was spawned for this run; it goes with it.
    QFile pid(home.path() + "/runtime/speech-dispatcher/pid/speech-dispatcher.pid");
    const int daemon = pid.open(QIODevice::ReadOnly) ? pid.readAll().trimmed().toInt() : 0;
    if (daemon > 0)
        ::kill(daemon, SIGTERM);
    qputenv("HOME", saved[0]);
    qputenv("XDG_CONFIG_HOME", saved[1]);
    qputenv("XDG_RUNTIME_DIR", saved[2]);
}

} // namespace

void registerSpeechBenchmarks()
{
    repeated(benchmark::RegisterBenchmark("Speech/SayReturns", sayReturns), 5)
        ->UseManualTime()
        ->Iterations(50)
        ->Unit(benchmark::kMicrosecond);
    whenAggregated("Speech/SayReturns", [](const Aggregates &aggregates) {
        record("11. Starting to read a question aloud (the call)", aggregates.median("say_ms"), "ms", 5.0);
    });
}

} // namespace kemuyi::bench
