#include "Benchmarks.h"
#include "Fixtures.h"
#include "Summary.h"

#include "ui/FailureReport.h"
#include "ui/Fonts.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

int &failuresReported()
{
    static int count = 0;
    return count;
}

// A failure box would block the run; each report is printed and counted instead.
void reportToConsole(const QString &caption, const QString &message)
{
    ++failuresReported();
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(message));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray tmpdir = qgetenv("TMPDIR");
    QApplication app(argc, argv);
    kemuyi::registerFontSubstitutions();
    kemuyi::setFailureReporter(reportToConsole);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    kemuyi::bench::registerPictureBenchmarks();
    kemuyi::bench::registerBankBenchmarks();
    kemuyi::bench::registerShowRecordBenchmarks();
    kemuyi::bench::registerDelayBenchmark();
    kemuyi::bench::registerHoverBenchmark();
    kemuyi::bench::registerIdleBenchmark();
    kemuyi::bench::registerStartupBenchmarks();
    kemuyi::bench::registerJetBenchmarks();
    kemuyi::bench::registerExamBenchmarks();
    kemuyi::bench::registerSpeechBenchmarks();
    kemuyi::bench::registerLearnerBenchmarks();
    kemuyi::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    kemuyi::bench::releaseWindows();
    kemuyi::bench::releaseFixtures();
    if (tmpdir.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmpdir);
    kemuyi::setFailureReporter({});
    kemuyi::bench::printSummary(failuresReported());
    return 0;
}
