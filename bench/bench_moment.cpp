#include "application.h"
#include "main_form.h"
#include "model_limits.h"
#include "moment.h"
#include "moment_chart.h"
#include "section_controls.h"
#include "section_window.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QTimerEvent>

#include <benchmark/benchmark.h>

namespace {

// One run of the results with the start values, as the window's 10 ms timer does it; the
// eleven texts stay within std::string's own buffer, so a run allocates nothing.
void computeMomentsWithStartValues(benchmark::State &state)
{
    const beam::SectionInputs start = beam::startInputs();
    beam::MomentInputs inputs = start.momentInputs();
    for (auto _ : state) {
        // Hides the inputs from the optimiser, so nothing is computed once outside the loop.
        benchmark::DoNotOptimize(inputs);
        beam::MomentTexts texts = beam::computeMoments(inputs);
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(computeMomentsWithStartValues);

// Where the models hold for the start section with MEd = 100 kNm: the three yield limits, the
// three valid ranges and the four required areas, each a search through the moment run.
void modelLimitsWithDesignMoment(benchmark::State &state)
{
    const beam::SectionInputs s = beam::startInputs();
    const beam::MomentSteps steps = beam::computeMomentSteps(s.momentInputs());
    const ext::Extended designMoment(100);
    for (auto _ : state) {
        beam::SectionLimits limits = beam::sectionLimits(s, steps, "2.0e5", designMoment);
        benchmark::DoNotOptimize(limits);
    }
}
BENCHMARK(modelLimitsWithDesignMoment)->Unit(benchmark::kMicrosecond);

// The section view's recomputation of its chart when an input changes: the limits, then the
// four curves over some 250 whole areas, each area one moment run.
void momentChartRecomputation(benchmark::State &state)
{
    const beam::SectionInputs s = beam::startInputs();
    const beam::MomentSteps steps = beam::computeMomentSteps(s.momentInputs());
    const ext::Extended designMoment(100);
    for (auto _ : state) {
        const beam::SectionLimits limits = beam::sectionLimits(s, steps, "2.0e5", designMoment);
        section::MomentChart chart = section::momentChart(s, steps, limits);
        benchmark::DoNotOptimize(chart);
    }
}
BENCHMARK(momentChartRecomputation)->Unit(benchmark::kMicrosecond);

// One tick of the results timer in a window where nothing changed: the timer event, the
// reading of six fields, the computation and eleven comparisons that write nothing.
void idleWindowTick(benchmark::State &state)
{
    TMainForm form;
    auto *timer = form.findChild<QTimer *>(QStringLiteral("CalcTimer"));
    timer->stop(); // the benchmark delivers the ticks itself
    timer->start();
    QTimerEvent tick(timer->timerId());
    QCoreApplication::sendEvent(timer, &tick); // the first tick fills the results
    for (auto _ : state)
        QCoreApplication::sendEvent(timer, &tick);
}
BENCHMARK(idleWindowTick);

// Opening the section view the first time: "View" > "Section" up to its first painted frame.
// Each run makes a fresh view, as the first opening does; later openings only show it again.
void openSectionView(benchmark::State &state)
{
    TMainForm form;
    form.setSectionHandler(showSectionView);
    form.show();
    QCoreApplication::processEvents();
    auto *open = form.findChild<QAction *>(QStringLiteral("Section1"));
    for (auto _ : state) {
        open->trigger();
        auto *view = form.findChild<section::SectionWindow *>();
        view->repaint(); // the first frame, as the event loop would paint it
        state.PauseTiming();
        delete view;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(openSectionView)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
