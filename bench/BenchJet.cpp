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

// The same questions as a Jet 4 file (bank.mdb) and as the program's own bank (bank.lib).
QString jetFolder(int questions)
{
    static std::map<int, QString> made;
    if (const auto found = made.find(questions); found != made.end())
        return found->second;
    const QString folder = fixtureFolder(QStringLiteral("jet-%1").arg(questions));
    const QVector<Question> rows = generatedRows(questions);
    QFile file(folder + QStringLiteral("bank.mdb"));
    if (file.open(QIODevice::WriteOnly))
        file.write(jet::writeJetFile({jet::questionTable(rows)}, {}));
    writeBankFile(rows, folder + QStringLiteral("bank.lib"));
    made.emplace(questions, folder);
    return folder;
}

void importJet(benchmark::State &state)
{
    const int questions = int(state.range(0));
    const QString folder = jetFolder(questions);
    Samples times;
    for (auto _ : state) {
        const double seconds = secondsOf([&] {
            jet::importJetBank(folder + QStringLiteral("bank.mdb"), folder + QStringLiteral("out.lib"));
        });
        times.add(seconds);
        state.SetIterationTime(seconds);
    }
    const double target = questions == kSmallBank ? 50.0 : 1000.0;
    record("8. Jet import, " + bankLabel(questions) + " questions", times.median() * 1e3, "ms", target);
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
    Samples times;
    for (auto _ : state) {
        const double seconds = secondsOf([&] {
            convertJetBank(folder + QStringLiteral("bank.mdb"), folder + QStringLiteral("converted.lib"));
        });
        times.add(seconds);
        state.SetIterationTime(seconds);
    }
    record("   conversion in a child process, " + bankLabel(questions), times.median() * 1e3, "ms");
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
    Samples jetTimes, sqliteTimes;
    const auto startOn = [&](const QString &source, Samples &times) {
        QFile::remove(bank);
        QFile::copy(source, bank);
        StartedWindows windows;
        times.add(secondsOf([&] { windows = runStartup({withSplash ? 3000 : 0, {}}); }));
    };
    bool jetFirst = true;
    for (auto _ : state) {
        if (jetFirst) {
            startOn(bankFolder + QStringLiteral("bank.mdb"), jetTimes);
            startOn(bankFolder + QStringLiteral("bank.lib"), sqliteTimes);
        } else {
            startOn(bankFolder + QStringLiteral("bank.lib"), sqliteTimes);
            startOn(bankFolder + QStringLiteral("bank.mdb"), jetTimes);
        }
        jetFirst = !jetFirst;
        state.SetIterationTime(jetTimes.median());
    }
    QFile::remove(bank);
    if (withSplash) {
        record("9. Start-up, Jet 2300 / SQLite 2300", jetTimes.median() / sqliteTimes.median(), "x", 1.2);
        record("   start-up on the Jet bank", jetTimes.median() * 1e3, "ms");
        record("   start-up on the SQLite bank", sqliteTimes.median() * 1e3, "ms");
    } else {
        record("   start-up work without the splash wait, Jet / SQLite", jetTimes.median() / sqliteTimes.median(), "x");
        record("   start-up work on the Jet bank", jetTimes.median() * 1e3, "ms");
        record("   start-up work on the SQLite bank", sqliteTimes.median() * 1e3, "ms");
    }
}

} // namespace

void registerJetBenchmarks()
{
    benchmark::RegisterBenchmark("JetImport", importJet)->Arg(kSmallBank)->Arg(kLargeBank)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("JetConversion", convertJet)->Arg(kSmallBank)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("StartupJetAgainstSqlite", startupJetAgainstSqlite)->Arg(1)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("StartupJetAgainstSqlite", startupJetAgainstSqlite)->Arg(0)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
}

} // namespace kemuyi::bench
