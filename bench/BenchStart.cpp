// Start-up as a learner sees it on a real X display: the time from starting the program to its
// splash picture being on screen, and to the menu being shown. The program is the one built
// beside this benchmark, on its shipped bank and pictures; the screen is read back from the X
// server, so only pixels that really arrived count. Run it through tests/with-xvfb (scripts/bench
// does) or on any X display without other windows over the middle of the screen.
#include "Summary.h"

#include "picture/JpegCodec.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <thread>

namespace {

constexpr QSize kSplash(432, 293);
constexpr QSize kMenu(690, 450);
constexpr qint64 kGiveUpMs = 20000;

QString binFile(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

QRect centred(const QSize &size)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {screen.x() + (screen.width() - size.width()) / 2,
            screen.y() + (screen.height() - size.height()) / 2, size.width(), size.height()};
}

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 16 && std::abs(qGreen(a) - qGreen(b)) <= 16
           && std::abs(qBlue(a) - qBlue(b)) <= 16;
}

// A picture is on screen at `place` when its pixels at a handful of points are there.
class PictureOnScreen
{
public:
    PictureOnScreen(const QString &file, const QRect &place, const QVector<QPoint> &points)
        : m_place(place)
    {
        const QImage picture = kemuyi::decodeJpegFile(file);
        for (const QPoint &at : points)
            m_samples.append({at, picture.pixel(at)});
    }

    bool shown() const
    {
        const QImage screen = QGuiApplication::primaryScreen()
                                  ->grabWindow(0, m_place.x(), m_place.y(), m_place.width(), m_place.height())
                                  .toImage();
        for (const auto &[at, colour] : m_samples) {
            if (!near(screen.pixel(at), colour))
                return false;
        }
        return true;
    }

private:
    QRect m_place;
    QVector<std::pair<QPoint, QRgb>> m_samples;
};

// Polls until `shown` holds; the elapsed time of `clock` then, or a negative value on giving up.
template <typename Condition>
double millisecondsUntil(const QElapsedTimer &clock, Condition shown)
{
    while (clock.elapsed() < kGiveUpMs) {
        if (shown())
            return double(clock.nsecsElapsed()) / 1e6;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return -1;
}

void BM_StartToSplashAndMenu(benchmark::State &state)
{
    const PictureOnScreen splash(binFile(QStringLiteral("logo.jpg")), centred(kSplash),
                                 {{20, 20}, {216, 60}, {410, 30}, {60, 200}, {216, 250}, {400, 280}});
    // Points of the background that no control covers and that lie outside the splash.
    const PictureOnScreen menu(binFile(QStringLiteral("bground1.jpg")), centred(kMenu),
                               {{10, 10}, {400, 15}, {680, 20}, {10, 440}, {470, 430}, {680, 440}});
    for (auto _ : state) {
        QTemporaryDir temp;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temp.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        program.setProcessEnvironment(environment);
        QElapsedTimer clock;
        clock.start();
        program.start(binFile(QStringLiteral("kemuyi")), {});
        const double splashMs = millisecondsUntil(clock, [&] { return splash.shown(); });
        const double menuMs = millisecondsUntil(clock, [&] { return menu.shown(); });
        state.SetIterationTime(menuMs / 1000);
        ::kill(pid_t(program.processId()), SIGTERM);
        program.waitForFinished(10000);
        if (splashMs < 0 || menuMs < 0) {
            state.SkipWithError("the splash or the menu never appeared on screen");
            break;
        }
        state.counters["splash_ms"] = splashMs;
        state.counters["menu_ms"] = menuMs;
    }
}

void summariseStart(const kemuyi::bench::Aggregates &aggregates)
{
    kemuyi::bench::record("start → splash picture on screen (X11)", aggregates.value("mean", "splash_ms"), "ms", 150.0);
    kemuyi::bench::record("start → menu shown (X11)", aggregates.value("mean", "menu_ms"), "ms");
    kemuyi::bench::note("start → menu shown (X11)", "includes the splash's 3 s");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "needs an X display: run it through tests/with-xvfb\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // Each start is one repetition; the figures are the means of three.
    kemuyi::bench::repeated(benchmark::RegisterBenchmark("StartToSplashAndMenu", BM_StartToSplashAndMenu), 3)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    kemuyi::bench::whenAggregated("StartToSplashAndMenu", summariseStart);
    kemuyi::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return kemuyi::bench::printSummary(0) == 0 ? 0 : 1;
}
