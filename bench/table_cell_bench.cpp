// What a screen reader waits for in a chart's data table: one cell's name, for 300 rows (the
// profile curve), first when the cell is made and then once it is kept. A reader walking the table
// asks for hundreds of them; each should take well under 10 ms.
#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <cmath>

#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

constexpr int kRows = 300;

void Plot(TZephChart& chart) {
  chart.resize(343, 300);
  chart.MoveTo(0.01, 1);
  for (int i = 1; i < kRows; ++i) chart.DrawTo(0.01 + i * 0.01, std::exp(-i * 0.01));
  chart.ShowGraf();
}

void BM_TableCellName_Made(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto chart = std::make_unique<TZephChart>();
    Plot(*chart);
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(chart.get())->tableInterface();
    state.ResumeTiming();
    benchmark::DoNotOptimize(table->cellAt(kRows / 2, 1)->text(QAccessible::Name));
  }
}
BENCHMARK(BM_TableCellName_Made)->Unit(benchmark::kMicrosecond);

void BM_TableCellName_Kept(benchmark::State& state) {
  TZephChart chart;
  Plot(chart);
  QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(&chart)->tableInterface();
  int row = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(table->cellAt(row, 1)->text(QAccessible::Name));
    row = (row + 1) % kRows;
  }
}
BENCHMARK(BM_TableCellName_Kept)->Unit(benchmark::kMicrosecond);

}  // namespace
