// Time to turn the result chart (7 lines of 4000 points) into each picture format, without the
// file system.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "chart_fixture.h"
#include "ui/metafile/chart_picture.h"

namespace {

void renderChart(benchmark::State& state, tgsim::PictureFormat format) {
    const std::unique_ptr<QChartView> view = tgsim::testing::makeResultChart();
    std::size_t bytes = 0;
    for (auto _ : state) bytes = static_cast<std::size_t>(tgsim::renderPicture(*view, format).size());
    state.counters["bytes"] = static_cast<double>(bytes);
}

BENCHMARK_CAPTURE(renderChart, wmf, tgsim::PictureFormat::Wmf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderChart, emf, tgsim::PictureFormat::Emf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderChart, png, tgsim::PictureFormat::Png)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderChart, svg, tgsim::PictureFormat::Svg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderChart, pdf, tgsim::PictureFormat::Pdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
