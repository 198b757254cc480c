// Jet banks: the import as the bank tool runs it, the conversion as the program runs it (the
// tool as a child process), and the program's start-up on a Jet bank against the same bank in
// SQLite.

#include "Benchmarks.h"
#include "Fixtures.h"
#include "Summary.h"
#include "Timing.h"

#include "app/Startup.h"
#include "app/Unit1.h"
#include "bank/BankStore.h"
#include "bank/BankTool.h"
#include "bank/JetConversion.h"
#include "common/AppPaths.h"
#include "jet/JetImport.h"
#include "jetwriter/JetWriter.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <map>

namespace kemuyi::bench {

namespace {

QVector<Question> generatedRows(int questions)
{
    static const QString types[] = {QStringLiteral("C1C2C3C4A1A3B1A2B2M"), QStringLiteral("C1C2C3C4"),
                                    QStringLiteral("A2B2DEF"), QStringLiteral("A1A3B1M")};
    QVector<Question> rows;
    rows.reserve(questions);
    for (int id = 1; id <= questions; ++id) {
        const QString n = QString::number(id);
        Question row;
        row.id = id;
        row.type = types[id % 4];
        row.subject = QStringLiteral("第%1题：驾驶机动车通过没有交通信号灯控制的路口时，应当怎样做？").arg(n);
        if (id % 2) {
            row.a = QStringLiteral("A、减速慢行，注意观察");
            row.b = QStringLiteral("B、加速通过");
            row.c = QStringLiteral("C、鸣喇叭后直接通过");
            row.d = QStringLiteral("D、停车等待对向来车");
            row.select = QStringLiteral("Y");
            row.answer = QStringLiteral("A");
        } else {
            row.select = QStringLiteral("N");
            row.answer = QStringLiteral("正确");
        }
        rows.append(row);
    }
    return rows;
}

// The same questions as a Jet 4 file (bank.mdb), a Jet 3 file in the GBK code page (bank3.mdb)
// and the program's own bank (bank.lib).
QString jetFolder(int questions)
{
    static std::map<int, QString> made;
    if (const auto found = made.find(questions); found != made.end())
        return found->second;
    const QString folder = fixtureFolder(QStringLiteral("jet-%1").arg(questions));
    const QVector<Question> rows = generatedRows(questions);
    const auto writeJet = [&](const QString &name, jet::JetVersion version) {
        jet::JetWriteOptions options;
        options.version = version;
        QFile file(folder + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(jet::writeJetFile({jet::questionTable(rows)}, options));
    };
    writeJet(QStringLiteral("bank.mdb"), jet::JetVersion::Jet4);
    writeJet(QStringLiteral("bank3.mdb"), jet::JetVersion::Jet3);
    writeBankFile(rows, folder + QStringLiteral("bank.lib"));
    made.emplace(questions, folder);
    return folder;
}

// range(0) questions; range(1) set: the Jet 3 file, whose text goes through a code page.
void importJet(benchmark::State &state)
{
    const int questions = int(state.range(0));
    const QString folder = jetFolder(questions);
    const QString source = folder + (state.range(1) ? QStringLiteral("bank3.mdb") : QStringLiteral("bank.mdb"));
    double total = 0;
    for (auto _ : state) {
        const double seconds = secondsOf([&] {
            jet::importJetBank(source, folder + QStringLiteral("out.lib"));
        });
        total += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["ms"] = perIteration(total * 1e3);
}

// A program folder with the shipped pictures and the bank tool beside the program, as installed.
QString appFolderWithTool()
{
    static const QString folder = [] {
        const QString dir = fixtureFolder(QStringLiteral("jet-app"));
        const QDir bin(QStringLiteral(KEMUYI_BIN_DIR));
        for (const QString &name : bin.entryList({QStringLiteral("*.jpg")}, QDir::Files))
            QFile::copy(bin.filePath(name), dir + name);
        QFile::link(QStringLiteral(KEMUYI_BANK_TOOL), dir + QStringLiteral("kemuyi-bank"));
        return dir;
    }();
    setAppDirOverride(folder);
    return folder;
}

void convertJet(benchmark::State &state)
{
    const int questions = int(state.range(0));
    const QString folder = jetFolder(questions);
    appFolderWithTool();
    double total = 0;
    for (auto _ : state) {
        const double seconds = secondsOf([&] {
            convertJetBank(folder + QStringLiteral("bank.mdb"), folder + QStringLiteral("converted.lib"));
        });
        total += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["ms"] = perIteration(total * 1e3);
}

// Start-up to the main loop (splash, windows, the bank's copy or conversion), alternating the
// Jet and the SQLite bank of the same 2,300 questions beside the program. With range(0) the
// splash keeps its three seconds, as the learner waits for them; the windows, and with them the
// bank's copy or conversion, are made while the splash is up. Without, the figures are the
// start-up's own work.
void startupJetAgainstSqlite(benchmark::State &state)
{
    const bool withSplash = state.range(0) != 0;
    const QString bankFolder = jetFolder(kSmallBank);
    const QString app = appFolderWithTool();
    useTempFolder(fixtureFolder(QStringLiteral("startup-tmp")));
    const QString bank = app + QStringLiteral("examdb.lib");
    double jetTimes = 0;
    double sqliteTimes = 0;
    const auto startOn = [&](const QString &source, double &times) {
        QFile::remove(bank);
        QFile::copy(source, bank);
        StartedWindows windows;
        const double seconds = secondsOf([&] { windows = runStartup({withSplash ? 3000 : 0, {}}); });
        times += seconds;
        return seconds;
    };
    static bool jetFirst = true; // alternates from one repetition to the next
    for (auto _ : state) {
        double jetSeconds = 0;
        inTurn(
            jetFirst, [&] { jetSeconds = startOn(bankFolder + QStringLiteral("bank.mdb"), jetTimes); },
            [&] { startOn(bankFolder + QStringLiteral("bank.lib"), sqliteTimes); });
        state.SetIterationTime(jetSeconds);
    }
    QFile::remove(bank);
    state.counters["jet_ms"] = perIteration(jetTimes * 1e3);
    state.counters["sqlite_ms"] = perIteration(sqliteTimes * 1e3);
}

void summariseStartup(const Aggregates &aggregates, const std::string &ratio, const std::string &what,
                      std::optional<double> target)
{
    const double jet = aggregates.median("jet_ms");
    const double sqlite = aggregates.median("sqlite_ms");
    record(ratio, jet / sqlite, "x", target);
    record("   " + what + " on the Jet bank", jet, "ms");
    record("   " + what + " on the SQLite bank", sqlite, "ms");
}

} // namespace

void registerJetBenchmarks()
{
    for (const int jet3 : {0, 1}) {
        for (const int questions : {kSmallBank, kLargeBank}) {
            repeated(benchmark::RegisterBenchmark(jet3 ? "JetImport/jet3" : "JetImport/jet4", importJet), 7)
                ->Args({questions, jet3})
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
            const double target = questions == kSmallBank ? 50.0 : 1000.0;
            const std::string name = std::string(jet3 ? "JetImport/jet3/" : "JetImport/jet4/")
                                     + std::to_string(questions) + "/" + std::to_string(jet3);
            const std::string label = std::string(jet3 ? "8. Jet 3 import, " : "8. Jet 4 import, ")
                                      + bankLabel(questions) + " questions";
            whenAggregated(name, [label, target](const Aggregates &aggregates) {
                record(label, aggregates.median("ms"), "ms", target);
            });
        }
    }
    repeated(benchmark::RegisterBenchmark("JetConversion", convertJet), 7)
        ->Arg(kSmallBank)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    whenAggregated("JetConversion/" + std::to_string(kSmallBank), [](const Aggregates &aggregates) {
        record("   conversion in a child process, " + bankLabel(kSmallBank), aggregates.median("ms"), "ms");
    });
    // Each repetition is one start on each bank: three with the splash's seconds, twenty without.
    repeated(benchmark::RegisterBenchmark("StartupJetAgainstSqlite", startupJetAgainstSqlite), 3)
        ->Arg(1)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    whenAggregated("StartupJetAgainstSqlite/1", [](const Aggregates &aggregates) {
        summariseStartup(aggregates, "9. Start-up, Jet 2300 / SQLite 2300", "start-up", 1.2);
    });
    repeated(benchmark::RegisterBenchmark("StartupJetAgainstSqlite", startupJetAgainstSqlite), 20)
        ->Arg(0)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    whenAggregated("StartupJetAgainstSqlite/0", [](const Aggregates &aggregates) {
        summariseStartup(aggregates, "   start-up work without the splash wait, Jet / SQLite", "start-up work",
                         std::nullopt);
    });
}

} // namespace kemuyi::bench
