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

tgsim::window::TForm1& shownForm() {
    static tgsim::window::TForm1 form;
    if (!form.isVisible()) {
        form.show();
        if (!QTest::qWaitForWindowExposed(&form)) qFatal("the window did not show");
    }
    return form;
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
        form->repaint();
        state.PauseTiming();
        if (form->session().chartRowCount() != 7000) state.SkipWithError("the start-up run did not give 7000 rows");
        form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(F10ToFinishedChart)->Unit(benchmark::kMillisecond);

// Stored rows whose stator currents swing, so that "Ig" is a wavy line of 7000 distinct points
// rather than the flat one of a machine at rest.
void makeCurrentsSwing(tgsim::Session& session) {
    const std::size_t rows = session.results.storedRows();
    for (std::size_t i = 0; i < rows; ++i) {
        double* row = session.results.rowData(i);
        const double t = row[0];
        row[tgsim::kId] = session.record.Ign * (1.0 + 0.5 * std::sin(40.0 * t)) * std::exp(-0.2 * t);
        row[tgsim::kIq] = session.record.Ign * 0.3 * std::cos(7.0 * t);
    }
}

void SeriesBoxTicked(benchmark::State& state) {
    tgsim::window::TForm1& form = shownForm();
    QTest::keyClick(&form, Qt::Key_F10);
    makeCurrentsSwing(form.session());
    QCheckBox* box = form.seriesBox(14);
    for (auto _ : state) {
        QTest::mouseClick(box, Qt::LeftButton);  // ticked: the line is filled
        form.repaint();
        state.PauseTiming();
        QTest::mouseClick(box, Qt::LeftButton);
        form.repaint();
        state.ResumeTiming();
    }
}
BENCHMARK(SeriesBoxTicked)->Unit(benchmark::kMillisecond);

void SeriesBoxUnticked(benchmark::State& state) {
    tgsim::window::TForm1& form = shownForm();
    QTest::keyClick(&form, Qt::Key_F10);
    makeCurrentsSwing(form.session());
    QCheckBox* box = form.seriesBox(14);
    for (auto _ : state) {
        state.PauseTiming();
        QTest::mouseClick(box, Qt::LeftButton);
        form.repaint();
        state.ResumeTiming();
        QTest::mouseClick(box, Qt::LeftButton);  // unticked: the line is emptied
        form.repaint();
    }
}
BENCHMARK(SeriesBoxUnticked)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
