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

// Each run in a new window, as right after the program started.
void F10ToFinishedChart(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<tgsim::window::TForm1>();
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) qFatal("the window did not show");
        state.ResumeTiming();
        QTest::keyClick(form.get(), Qt::Key_F10);
        finishScreen(*form);
        state.PauseTiming();
        if (form->session().chartRowCount() != 7000) state.SkipWithError("the start-up run did not give 7000 rows");
        form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(F10ToFinishedChart)->Unit(benchmark::kMillisecond);

// Stored rows whose currents, speed, angle and voltages swing, so that "Ig", "Uw", "Ug" and "P"
// are wavy lines of 7000 distinct points rather than the flat ones of a machine at rest.
void makeCurrentsSwing(tgsim::Session& session) {
    const tgsim::TParametry& p = session.record;
    const std::size_t rows = session.results.storedRows();
    for (std::size_t i = 0; i < rows; ++i) {
        double* row = session.results.rowData(i);
        const double t = row[0];
        row[tgsim::kId] = p.Ign * (1.0 + 0.5 * std::sin(40.0 * t)) * std::exp(-0.2 * t);
        row[tgsim::kIq] = p.Ign * 0.3 * std::cos(7.0 * t);
        row[tgsim::kOmega] = p.omegan * (1.0 + 0.01 * std::sin(3.0 * t));
        row[tgsim::kBeta] = 0.5 + 0.3 * std::sin(11.0 * t);
        row[tgsim::kUd] = p.Un * 0.6 * std::sin(5.0 * t);
        row[tgsim::kUq] = p.Un * (0.8 + 0.1 * std::cos(13.0 * t));
    }
}

// Box "Ig" clicked after the start-up run with swinging currents: argument 1 times the click
// that ticks it (its line of 7000 points filled), 0 the click that unticks it (emptied).
void SeriesBoxToggled(benchmark::State& state) {
    tgsim::window::TForm1& form = shownForm();
    QTest::keyClick(&form, Qt::Key_F10);
    makeCurrentsSwing(form.session());
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
    QTest::keyClick(&form, Qt::Key_F10);
    tgsim::Session& session = form.session();
    makeCurrentsSwing(session);
    for (auto _ : state) {
        state.PauseTiming();
        session.UncheckSeriesBoxes();
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
