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
    Samples show, showAndPaint;
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
        show.add(seconds);
        showAndPaint.add(seconds + paint);
        state.SetIterationTime(seconds);
    }
    if (!questionShown(*form))
        state.SkipWithError("ShowRecord left the question area incomplete");
    state.counters["median_us"] = show.microsecondsAt(0.5);
    state.counters["p90_us"] = show.microsecondsAt(0.9);
    state.counters["with_repaint_us"] = showAndPaint.microsecondsAt(0.5);
    state.counters["questions_in_run"] = run.QuestionCount;
    const std::string label = bankLabel(questions) + " rows";
    record("4. ShowRecord median, " + label, show.microsecondsAt(0.5), "us", 2000.0);
    record("   ShowRecord + window repaint, " + label, showAndPaint.microsecondsAt(0.5), "us");
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
    Samples swapAndWindow, swapOnly, swapAndButton;
    PaintCounter buttonPaints(button);
    for (auto _ : state) {
        const double seconds = secondsOf([&] {
            form->CMMouseEnter(button);
            form->CMMouseLeave(button);
            form->repaint();
        });
        swapAndWindow.add(seconds);
        state.SetIterationTime(seconds);
        swapOnly.add(secondsOf([&] {
            form->CMMouseEnter(button);
            form->CMMouseLeave(button);
        }));
        swapAndButton.add(secondsOf([&] {
            form->CMMouseEnter(button);
            form->CMMouseLeave(button);
            button->repaint();
        }));
    }
    state.counters["median_us"] = swapAndWindow.microsecondsAt(0.5);
    state.counters["swap_only_us"] = swapOnly.microsecondsAt(0.5);
    state.counters["swap_button_repaint_us"] = swapAndButton.microsecondsAt(0.5);
    // Two per iteration: the window's repaint and the button's own.
    state.counters["button_paints_per_iteration"] = double(buttonPaints.paints) / double(state.iterations());
    record("6. Hover swap + window repaint median", swapAndWindow.microsecondsAt(0.5), "us", 1000.0);
    record("   hover swap alone (2 loads of 60x40)", swapOnly.microsecondsAt(0.5), "us");
    record("   hover swap + button repaint", swapAndButton.microsecondsAt(0.5), "us");
}

} // namespace

void registerShowRecordBenchmarks()
{
    for (const int questions : {kSmallBank, kLargeBank}) {
        benchmark::RegisterBenchmark("TForm2/ShowRecord", showQuestion)
            ->Arg(questions)
            ->UseManualTime()
            ->MinTime(1.0)
            ->Unit(benchmark::kMicrosecond);
    }
}

void registerHoverBenchmark()
{
    benchmark::RegisterBenchmark("TForm2/HoverSwapAndRepaint", hoverSwap)
        ->UseManualTime()
        ->MinTime(1.0)
        ->Unit(benchmark::kMicrosecond);
}

} // namespace kemuyi::bench
