// The main window driven offscreen: from F10 to the painted chart of the start-up run (also with
// four kept runs beside it), one quantity box ticked (its line filled and the window painted),
// and the readout under a moving mouse on a long run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QtTest>
#include <cmath>
#include <memory>

#include "ui/chart/readout_tip.h"
#include "ui/chart/result_chart.h"
#include "ui/window/main_window.h"

namespace {

// Finishes what the last command left to do on screen: the chart's deferred layout (axis labels)
// and the painting of the whole window.
void finishScreen(QWidget& window) {
    QCoreApplication::sendPostedEvents();
    window.repaint();
}

// One window for the benchmarks that work on a finished run; made and destroyed by main(),
// while the application exists.
tgsim::window::TForm1* sharedForm = nullptr;

tgsim::window::TForm1& shownForm() {
    if (!sharedForm->isVisible()) {
        sharedForm->show();
        if (!QTest::qWaitForWindowExposed(sharedForm)) qFatal("the window did not show");
    }
    return *sharedForm;
}

// Each run in a new window, as right after the program started: the start-up run of 7000 steps,
// or the same run lengthened to the argument's number of steps (the start-up's tk raised).
void F10ToFinishedChart(benchmark::State& state) {
    const auto steps = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<tgsim::window::TForm1>();
        form->session().setCell(tgsim::GridId::siatkaPraca, 1, 1, std::to_string(steps / 1000 - 2));
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) qFatal("the window did not show");
        state.ResumeTiming();
        QTest::keyClick(form.get(), Qt::Key_F10);
        finishScreen(*form);
        state.PauseTiming();
        if (form->session().chartRowCount() != steps) state.SkipWithError("the run did not give the rows asked for");
        form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(F10ToFinishedChart)->ArgName("steps")->Arg(7000)->Arg(300'000)->Unit(benchmark::kMillisecond);

// A window of its own, shown, whose runs have the given number of steps (the start-up's tk
// raised), after `kept` computations kept for comparison.
std::unique_ptr<tgsim::window::TForm1> formWithKeptRuns(std::size_t steps, int kept) {
    auto form = std::make_unique<tgsim::window::TForm1>();
    form->session().setCell(tgsim::GridId::siatkaPraca, 1, 1, std::to_string(steps / 1000 - 2));
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) qFatal("the window did not show");
    for (int i = 0; i < kept; ++i) {
        form->runHandler("O1Click");
        form->runHandler("ZachowajPrzebiegClick");
    }
    return form;
}

// F10 with four runs of the same length kept: the computation, then the current lines and the
// twelve kept lines drawn for the new axes, and the window painted.
void F10WithFourKeptRuns(benchmark::State& state) {
    const auto steps = static_cast<std::size_t>(state.range(0));
    const auto form = formWithKeptRuns(steps, 4);
    for (auto _ : state) {
        QTest::keyClick(form.get(), Qt::Key_F10);
        finishScreen(*form);
    }
    if (form->session().keptRuns().size() != 4 || form->session().chartRowCount() != steps ||
        !form->Chart1()->keptSeries(4, 16))
        state.SkipWithError("the kept runs or the rows are not as asked for");
}
BENCHMARK(F10WithFourKeptRuns)->ArgName("steps")->Arg(7000)->Arg(300'000)->Unit(benchmark::kMillisecond);

// The readout on a run of 300 000 steps (Uw, Ug and P drawn) with 0 or 4 kept runs of the same
// length beside it: one mouse move over the plot, at a new place each time, handled (the values
// read, the tip's text set and the nearest line emphasised), and with painted = 1 also the window
// and the tip painted.
void ReadoutPerMouseMove(benchmark::State& state) {
    const auto form = formWithKeptRuns(300'000, static_cast<int>(state.range(0)));
    form->runHandler("O1Click");
    const bool painted = state.range(1) == 1;
    tgsim::chart::ResultChart* chart = form->Chart1();
    QWidget* area = chart->viewport();
    const QRect plot = chart->chart()->plotArea().toRect();
    finishScreen(*form);
    int move = 0;
    for (auto _ : state) {
        const QPoint at(plot.left() + 1 + move * 37 % (plot.width() - 2),
                        plot.top() + 1 + move * 53 % (plot.height() - 2));
        ++move;
        QMouseEvent event(QEvent::MouseMove, at, area->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(area, &event);
        if (painted) {
            form->repaint();
            chart->readoutTip()->repaint();
        }
    }
    if (!chart->readoutShown()) state.SkipWithError("no readout shown");
}
BENCHMARK(ReadoutPerMouseMove)
    ->ArgNames({"kept", "painted"})
    ->ArgsProduct({{0, 4}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// A run of 7000 steps whose currents, speed, angle and voltages swing (a short circuit at the
// network bus), so that "Ig", "Uw", "Ug" and "P" are wavy lines of 7000 distinct points rather
// than the flat ones of a machine at rest.
void computeSwingingRun(tgsim::window::TForm1& form) {
    form.runHandler("Zwarcie1Click");
    form.session().setCell(tgsim::GridId::siatkaPraca, 1, 1, "7");
    form.runHandler("O1Click");
    if (form.session().chartRowCount() != 7000) qFatal("the short-circuit run did not give 7000 rows");
}

// Box "Ig" clicked after the start-up run with swinging currents: argument 1 times the click
// that ticks it (its line of 7000 points filled), 0 the click that unticks it (emptied).
void SeriesBoxToggled(benchmark::State& state) {
    tgsim::window::TForm1& form = shownForm();
    computeSwingingRun(form);
    QCheckBox* box = form.seriesBox(14);
    const bool timeTicking = state.range(0) == 1;
    for (auto _ : state) {
        for (bool ticking : {true, false}) {
            if (ticking != timeTicking) state.PauseTiming();
            QTest::mouseClick(box, Qt::LeftButton);
            finishScreen(form);
            if (ticking != timeTicking) state.ResumeTiming();
        }
    }
}
BENCHMARK(SeriesBoxToggled)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The chart's share of F10 with lines like those of a real run: Uw, Ug and P ticked from wavy
// rows in one command, as the computation does at its end, then the window painted.
void ThreeWavyLinesAfterF10(benchmark::State& state) {
    tgsim::window::TForm1& form = shownForm();
    computeSwingingRun(form);
    tgsim::Session& session = form.session();
    for (auto _ : state) {
        state.PauseTiming();
        for (int k = 1; k <= 17; ++k) session.setSeriesBox(k, false);
        form.syncFromSession();
        finishScreen(form);
        state.ResumeTiming();
        for (int k : {13, 15, 16}) session.setSeriesBox(k, true);
        form.syncFromSession();
        finishScreen(form);
    }
}
BENCHMARK(ThreeWavyLinesAfterF10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    auto form = std::make_unique<tgsim::window::TForm1>();
    sharedForm = form.get();
    benchmark::RunSpecifiedBenchmarks();
    form.reset();
    benchmark::Shutdown();
    return 0;
}
