// The main window driven offscreen: from F10 to the painted chart of the start-up run, and one
// quantity box ticked (its line filled and the window painted).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QtTest>
#include <cmath>
#include <memory>

#include "ui/window/tform1.h"

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
