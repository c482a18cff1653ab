// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "energy/MonthlyChart.h"
#include "support/BitmapFont.h"
#include "support/Resample.h"

namespace lumetra {
namespace {

// A year of a typical household installation in central Europe, in kWh.
MonthlyFigures realisticFigures() {
    constexpr MonthlyValues yield = {95, 160, 290, 410, 505, 520, 530, 460, 340, 210, 110, 75};
    constexpr MonthlyValues demand = {420, 380, 360, 310, 280, 260, 260, 270, 300, 340, 390, 430};
    MonthlyFigures figures;
    figures.monthlyYield = yield;
    figures.monthlyConsumption = demand;
    for (std::size_t i = 0; i < 12; ++i) {
        figures.monthlySelfUse[i] = 0.6 * (yield[i] < demand[i] ? yield[i] : demand[i]);
    }
    figures.maxMonthlyYield = 530;
    figures.maxMonthlyConsumption = 430;
    return figures;
}

// The chart area of the main dialog is about 300 x 122 pixels; larger sizes serve the
// command-line tool's --chart-size.
void BM_DrawMonthlyChart(benchmark::State& state) {
    const MonthlyFigures figures = realisticFigures();
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    for (auto _ : state) {
        Image24 image = drawMonthlyChart(figures, width, height);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_DrawMonthlyChart)
    ->Args({300, 122})
    ->Args({600, 244})
    ->Args({1200, 488})
    ->Unit(benchmark::kMicrosecond);

void BM_DrawText(benchmark::State& state) {
    Image24 image(300, 122, Rgb{255, 255, 255});
    for (auto _ : state) {
        drawText(image, 150, 50, "Jan Feb Mar Apr Mai Jun Jul Aug Sep Okt Nov Dez", Rgb{0, 0, 0});
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_DrawText)->Unit(benchmark::kMicrosecond);

// The window scales each 379 x 159 help picture to the help-picture area once at start-up.
void BM_ResampleHelpPicture(benchmark::State& state) {
    const Image24 source(379, 159, Rgb{200, 200, 200});
    for (auto _ : state) {
        Image24 image = resampleNearest(source, 297, 151);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_ResampleHelpPicture)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumetra

BENCHMARK_MAIN();
