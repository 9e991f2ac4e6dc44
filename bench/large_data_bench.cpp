// The chart against QCustomPlot with the large data people bring who reuse the chart: one
// random-walk polyline of 100,000 or 1,000,000 points in an 800 x 600 chart with a grid, off
// screen, in one run; and 100,000 dashed points with the y range zoomed in 100 times. Both draw
// alike and every case ends with the widget's paint.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <qcustomplot.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "drawing_alike.h"
#include "zeph/chart/data/pointstorage_p.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kZoom = 100;

struct Walk {
  std::vector<double> x;
  std::vector<double> y;
  double low = 0;
  double high = 0;
};

// The same random walk for every run: x counts the points, y takes steps of a normal deviate.
const Walk& RandomWalk(int points) {
  static std::map<int, Walk> walks;
  Walk& walk = walks[points];
  if (walk.x.empty()) {
    std::mt19937_64 random(20260607);
    std::normal_distribution<double> step(0, 1);
    double y = 0;
    for (int i = 0; i < points; ++i) {
      walk.x.push_back(i);
      walk.y.push_back(y);
      y += step(random);
    }
    const auto [low, high] = std::minmax_element(walk.y.begin(), walk.y.end());
    walk.low = *low;
    walk.high = *high;
  }
  return walk;
}

// The y range of the walk, or its middle hundredth when zoomed.
std::pair<double, double> YRange(const Walk& walk, bool zoomed) {
  if (!zoomed) return {walk.low, walk.high};
  const double middle = (walk.low + walk.high) / 2;
  const double half = (walk.high - walk.low) / kZoom / 2;
  return {middle - half, middle + half};
}

// The heap in use and the point storage the chart maps from the system beside it.
std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd + MappedPointStorageBytes();
}

void AppendWalk(TZephChart& chart, const Walk& walk) {
  chart.ClearGraf();
  chart.MoveTo(walk.x[0], walk.y[0]);
  const std::size_t n = walk.x.size();
  for (std::size_t i = 1; i < n; ++i) chart.DrawTo(walk.x[i], walk.y[i]);
}

std::unique_ptr<TZephChart> MakeZeph(const Walk& walk, TPenStyle style, bool zoomed) {
  auto chart = std::make_unique<TZephChart>();
  chart->BeginLoading();
  chart->SetBounds(0, 0, kWidth, kHeight);
  chart->SetGridStyle(gsLines);
  chart->SetGridColor(15198183);
  chart->SetDataColor(clBlue);
  chart->SetPenStyle(style);
  chart->SetAllocSize(1000);
  chart->Scale1X()->SetRange(0, walk.x.back());
  const auto [low, high] = YRange(walk, zoomed);
  chart->Scale1Y()->SetRange(low, high);
  chart->EndLoading();
  AppendWalk(*chart, walk);
  chart->ShowGraf();
  DrawAlike(*chart);
  chart->Paint();
  return chart;
}

void SetQcpData(QCustomPlot& plot, const Walk& walk) {
  plot.graph(0)->setData(QVector<double>(walk.x.begin(), walk.x.end()), QVector<double>(walk.y.begin(), walk.y.end()),
                         true);
}

std::unique_ptr<QCustomPlot> MakeQcp(const Walk& walk, Qt::PenStyle style, bool zoomed) {
  auto plot = std::make_unique<QCustomPlot>();
  plot->resize(kWidth, kHeight);
  plot->setViewport(QRect(0, 0, kWidth, kHeight));
  plot->addGraph();
  plot->graph(0)->setPen(QPen(QBrush(Qt::blue), 1, style));
  plot->xAxis->setRange(0, walk.x.back());
  const auto [low, high] = YRange(walk, zoomed);
  plot->yAxis->setRange(low, high);
  SetQcpData(*plot, walk);
  DrawAlike(*plot);
  plot->replot();
  return plot;
}

void BM_Large_AppendShow_Zeph(benchmark::State& state) {
  const Walk& walk = RandomWalk(static_cast<int>(state.range(0)));
  std::unique_ptr<TZephChart> chart = MakeZeph(walk, psSolid, false);
  // What the list takes: measured on a list built from nothing.
  chart->ClearGraf();
  const std::size_t before = HeapInUse();
  AppendWalk(*chart, walk);
  state.counters["bytes_per_point"] = static_cast<double>(HeapInUse() - before) / static_cast<double>(walk.x.size());
  for (auto _ : state) {
    AppendWalk(*chart, walk);
    chart->ShowGraf();
    PaintNow(*chart);
  }
}
BENCHMARK(BM_Large_AppendShow_Zeph)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Large_AppendShow_QCustomPlot(benchmark::State& state) {
  const Walk& walk = RandomWalk(static_cast<int>(state.range(0)));
  std::unique_ptr<QCustomPlot> plot = MakeQcp(walk, Qt::SolidLine, false);
  {
    // What its data takes: measured on a graph that had none (a cleared one keeps its storage).
    const QVector<double> keys(walk.x.begin(), walk.x.end());
    const QVector<double> values(walk.y.begin(), walk.y.end());
    QCPGraph* graph = plot->addGraph();
    const std::size_t before = HeapInUse();
    graph->setData(keys, values, true);
    state.counters["bytes_per_point"] =
        static_cast<double>(HeapInUse() - before) / static_cast<double>(walk.x.size());
    plot->removeGraph(graph);
  }
  for (auto _ : state) {
    SetQcpData(*plot, walk);
    PaintNow(*plot);
  }
}
BENCHMARK(BM_Large_AppendShow_QCustomPlot)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Large_FullRepaint_Zeph(benchmark::State& state) {
  std::unique_ptr<TZephChart> chart = MakeZeph(RandomWalk(static_cast<int>(state.range(0))), psSolid, false);
  for (auto _ : state) {
    chart->Paint();
    PaintNow(*chart);
  }
}
BENCHMARK(BM_Large_FullRepaint_Zeph)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Large_FullRepaint_QCustomPlot(benchmark::State& state) {
  std::unique_ptr<QCustomPlot> plot = MakeQcp(RandomWalk(static_cast<int>(state.range(0))), Qt::SolidLine, false);
  for (auto _ : state) PaintNow(*plot);
}
BENCHMARK(BM_Large_FullRepaint_QCustomPlot)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A repaint after a pan by one unit: the mapping changes, so nothing of the last rendering of the
// curve can be drawn again.
void BM_Large_PanRepaint_Zeph(benchmark::State& state) {
  const Walk& walk = RandomWalk(static_cast<int>(state.range(0)));
  std::unique_ptr<TZephChart> chart = MakeZeph(walk, psSolid, false);
  double shift = 0;
  for (auto _ : state) {
    shift = 1 - shift;
    chart->Scale1X()->SetRange(shift, walk.x.back() + shift);
    PaintNow(*chart);
  }
}
BENCHMARK(BM_Large_PanRepaint_Zeph)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Large_PanRepaint_QCustomPlot(benchmark::State& state) {
  const Walk& walk = RandomWalk(static_cast<int>(state.range(0)));
  std::unique_ptr<QCustomPlot> plot = MakeQcp(walk, Qt::SolidLine, false);
  double shift = 0;
  for (auto _ : state) {
    shift = 1 - shift;
    plot->xAxis->setRange(shift, walk.x.back() + shift);
    PaintNow(*plot);
  }
}
BENCHMARK(BM_Large_PanRepaint_QCustomPlot)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Large_DashedZoomed_Zeph(benchmark::State& state) {
  std::unique_ptr<TZephChart> chart = MakeZeph(RandomWalk(static_cast<int>(state.range(0))), psDash, true);
  for (auto _ : state) {
    chart->Paint();
    PaintNow(*chart);
  }
}
BENCHMARK(BM_Large_DashedZoomed_Zeph)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Large_DashedZoomed_QCustomPlot(benchmark::State& state) {
  std::unique_ptr<QCustomPlot> plot = MakeQcp(RandomWalk(static_cast<int>(state.range(0))), Qt::DashLine, true);
  for (auto _ : state) PaintNow(*plot);
}
BENCHMARK(BM_Large_DashedZoomed_QCustomPlot)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
