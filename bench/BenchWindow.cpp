// The practice window at work: showing a question, and a hover swap on an answer button.

#include "Benchmarks.h"
#include "PracticeWindow.h"
#include "Summary.h"
#include "Timing.h"

#include "app/Unit2.h"
#include "ui/ImageButton.h"
#include "ui/PictureBox.h"

#include <QEvent>
#include <QLabel>

#include <benchmark/benchmark.h>

#include <exception>

namespace kemuyi::bench {

namespace {

// What a learner sees must really have been set, or the timing means nothing.
bool questionShown(TForm2 &form)
{
    const QSize illustration = form.Image2->picture().size();
    return !form.Label1->text().isEmpty() && illustration.width() >= 270 && illustration.height() >= 100
           && form.Image1->picture().size() == QSize(107, 107);
}

void showQuestion(benchmark::State &state)
{
    const int questions = int(state.range(0));
    TForm2 *form = practiceWindow(questions);
    if (!form) {
        state.SkipWithError("the practice window could not be prepared");
        return;
    }
    PracticeRun &run = form->run();
    double show = 0;
    double showAndPaint = 0;
    for (auto _ : state) {
        run.CurrentPosition = run.CurrentPosition % run.QuestionCount + 1;
        double seconds = 0;
        try {
            seconds = secondsOf([form] { form->ShowRecord(); });
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            break;
        }
        // The paint that follows on screen, timed apart: it is not part of ShowRecord.
        const double paint = secondsOf([form] { form->repaint(); });
        show += seconds;
        showAndPaint += seconds + paint;
        state.SetIterationTime(seconds);
    }
    if (!questionShown(*form))
        state.SkipWithError("ShowRecord left the question area incomplete");
    state.counters["us"] = perIteration(show * 1e6);
    state.counters["with_repaint_us"] = perIteration(showAndPaint * 1e6);
    state.counters["questions_in_run"] = run.QuestionCount;
}

// Counts the paint events a widget receives, to show a repaint really painted it.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) : m_widget(widget) { widget->installEventFilter(this); }
    ~PaintCounter() override { m_widget->removeEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }

private:
    QWidget *m_widget;
};

// Steps to the first choice question, where the four answer buttons are shown and enabled.
bool showChoiceQuestion(TForm2 &form)
{
    PracticeRun &run = form.run();
    for (int position = 1; position <= run.QuestionCount; ++position) {
        run.CurrentPosition = position;
        form.ShowRecord();
        if (form.ImgA->isVisible() && form.ImgA->isEnabled())
            return true;
    }
    return false;
}

void hoverSwap(benchmark::State &state)
{
    TForm2 *form = practiceWindow(kSmallBank);
    if (!form || !showChoiceQuestion(*form)) {
        state.SkipWithError("no enabled answer button to hover over");
        return;
    }
    settle();
    ImageButton *button = form->ImgA;
    const qint64 normalKey = button->picture().cacheKey();
    form->CMMouseEnter(button);
    const bool swapped = button->picture().cacheKey() != normalKey && button->picture().size() == QSize(60, 40);
    form->CMMouseLeave(button);
    if (!swapped) {
        state.SkipWithError("entering the button did not load its hover picture");
        return;
    }
    double swapAndWindow = 0, swapOnly = 0, swapAndButton = 0;
    PaintCounter buttonPaints(button);
    for (auto _ : state) {
        const double seconds = secondsOf([&] {
            form->CMMouseEnter(button);
            form->CMMouseLeave(button);
            form->repaint();
        });
        swapAndWindow += seconds;
        state.SetIterationTime(seconds);
        swapOnly += secondsOf([&] {
            form->CMMouseEnter(button);
            form->CMMouseLeave(button);
        });
        swapAndButton += secondsOf([&] {
            form->CMMouseEnter(button);
            form->CMMouseLeave(button);
            button->repaint();
        });
    }
    state.counters["us"] = perIteration(swapAndWindow * 1e6);
    state.counters["swap_only_us"] = perIteration(swapOnly * 1e6);
    state.counters["swap_button_repaint_us"] = perIteration(swapAndButton * 1e6);
    // Two per iteration: the window's repaint and the button's own.
    state.counters["button_paints_per_iteration"] = perIteration(double(buttonPaints.paints));
}

} // namespace

void registerShowRecordBenchmarks()
{
    for (const int questions : {kSmallBank, kLargeBank}) {
        repeated(benchmark::RegisterBenchmark("TForm2/ShowRecord", showQuestion), 20)
            ->Arg(questions)
            ->UseManualTime()
            ->MinTime(0.05)
            ->Unit(benchmark::kMicrosecond);
        const std::string rows = bankLabel(questions) + " rows";
        whenAggregated("TForm2/ShowRecord/" + std::to_string(questions), [rows](const Aggregates &aggregates) {
            record("4. ShowRecord median, " + rows, aggregates.median("us"), "us", 2000.0);
            record("   ShowRecord + window repaint, " + rows, aggregates.median("with_repaint_us"), "us");
        });
    }
}

void registerHoverBenchmark()
{
    repeated(benchmark::RegisterBenchmark("TForm2/HoverSwapAndRepaint", hoverSwap), 20)
        ->UseManualTime()
        ->MinTime(0.05)
        ->Unit(benchmark::kMicrosecond);
    whenAggregated("TForm2/HoverSwapAndRepaint", [](const Aggregates &aggregates) {
        record("6. Hover swap + window repaint median", aggregates.median("us"), "us", 1000.0);
        record("   hover swap alone (2 loads of 60x40)", aggregates.median("swap_only_us"), "us");
        record("   hover swap + button repaint", aggregates.median("swap_button_repaint_us"), "us");
    });
}

} // namespace kemuyi::bench
