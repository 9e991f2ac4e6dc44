// Live data and huge curves, the chart against QCustomPlot in one process, measured as a user
// feels them. A frame is the wall time from a change (new points, a new x range) to the widget's
// finished paint, the copy to the screen included, both libraries drawing alike (aliased, or
// anti-aliased with --antialiased). Every frame changes the range or the data, so no frame is a
// cached repaint. The last argument of every case is the device pixel ratio in percent (100, 150,
// 200); both libraries draw at that ratio.
//
//   BM_LiveFrame_*   17 new points and a scroll to the newest hundredth of 1M or 10M points,
//                    appended with DrawTo or to a curve object from spans
//   BM_LiveFixed_*   the same with a fixed history: as many oldest points dropped as come
//   BM_LivePan_*, BM_LiveZoom_*   a fully visible 10M-point curve panned or zoomed, appended with
//                    DrawTo or as a curve object from spans
//   BM_LiveLoad_*    10M points handed over (DrawTo, spans, setData) and shown the first time,
//                    with the resident bytes a point they added
//   BM_HugePan_*, BM_HugeZoom_*   pan and zoom of 100M points appended with DrawTo, both
//                    libraries holding them at once (about 4 GB)
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <qcustomplot.h>
#include <unistd.h>

#include <QImage>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "drawing_alike.h"
#include "live_data_bench.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephcurve.h"

using namespace zeph;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr TColor kGridGrey = 15198183;  // red, green and blue 231
constexpr int kFramePoints = 17;        // 1,000 points a second at 60 frames a second
constexpr std::int64_t kMillion = 1000000;
constexpr std::uint64_t kSeed = 20261208;
constexpr double kMinFrameTime = 0.25;  // seconds of frames per repetition

using Clock = std::chrono::steady_clock;

// Stops the run: a comparison of unequal work is worse than none.
void Require(bool condition, const std::string& what) {
  if (condition) return;
  std::fprintf(stderr, "live_data_bench: %s\n", what.c_str());
  std::abort();
}

std::size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t size = 0;
  std::size_t resident = 0;
  statm >> size >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Resident bytes added since a reading; memory given back can make it negative.
double AddedBytes(std::size_t before) {
  return static_cast<double>(ResidentBytes()) - static_cast<double>(before);
}

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double RatioArg(const benchmark::State& state) { return static_cast<double>(state.range(1)) / 100.0; }

// A sensor signal: x counts the samples, y wanders like a random walk but is pulled back to 0, so
// any stretch of it fills a fixed y range without flat parts.
class Signal {
 public:
  Signal() : random_(kSeed) {}
  std::pair<double, double> Next() {
    const std::pair<double, double> point{x_, y_};
    x_ += 1;
    y_ += -y_ * 1e-4 + step_(random_);
    return point;
  }

 private:
  std::mt19937_64 random_;
  std::normal_distribution<double> step_{0, 1};
  double x_ = 0;
  double y_ = 0;
};

// The first points of the signal, kept for the cases that hand over arrays, with the state that
// continues it.
struct Series {
  std::vector<double> x;
  std::vector<double> y;
  QVector<double> keys;  // the same points as QCustomPlot takes them
  QVector<double> values;
  double low = 0;
  double high = 0;
  Signal after;
};

std::unique_ptr<Series> cached_series;

const Series& History(std::int64_t points) {
  if (cached_series && static_cast<std::int64_t>(cached_series->x.size()) == points) return *cached_series;
  cached_series.reset();
  cached_series = std::make_unique<Series>();
  Series& s = *cached_series;
  const auto n = static_cast<std::size_t>(points);
  s.x.resize(n);
  s.y.resize(n);
  for (std::size_t i = 0; i < n; ++i) std::tie(s.x[i], s.y[i]) = s.after.Next();
  const auto [low, high] = std::minmax_element(s.y.begin(), s.y.end());
  s.low = *low;
  s.high = *high;
  s.keys = QVector<double>(s.x.begin(), s.x.end());
  s.values = QVector<double>(s.y.begin(), s.y.end());
  return s;
}

// ---- the two libraries, configured alike: 800 x 600, a grid, a blue curve of width 1 ----

struct View {
  double x_low;
  double x_high;
  double y_low;
  double y_high;
};

// Both are made at a ratio of their own, whatever the screen (or QT_SCALE_FACTOR) says.
std::unique_ptr<TZephChart> NewZeph(const View& view, double ratio = 1) {
  auto chart = std::make_unique<TZephChart>();
  chart->BeginLoading();
  chart->SetBounds(0, 0, kWidth, kHeight);
  chart->SetRenderRatio(ratio);
  chart->SetGridStyle(gsLines);
  chart->SetGridColor(kGridGrey);
  chart->SetDataColor(clBlue);
  chart->Scale1X()->SetRange(view.x_low, view.x_high);
  chart->Scale1Y()->SetRange(view.y_low, view.y_high);
  chart->EndLoading();
  chart->ClearGraf();
  DrawAlike(*chart);
  return chart;
}

// QCustomPlot with what its paint event puts on the screen, for the checks.
class Plot : public QCustomPlot {
 public:
  explicit Plot(const View& view, double ratio = 1) {
    setBufferDevicePixelRatio(ratio);
    resize(kWidth, kHeight);
    setViewport(QRect(0, 0, kWidth, kHeight));
    addGraph();
    graph(0)->setPen(QPen(QBrush(Qt::blue), 1));
    xAxis->setRange(view.x_low, view.x_high);
    yAxis->setRange(view.y_low, view.y_high);
    DrawAlike(*this);
  }

  QImage Shown() {
    const double ratio = bufferDevicePixelRatio();
    QImage image(QSize(kWidth, kHeight) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QCPPainter painter(&image);
    drawBackground(&painter);
    for (const QSharedPointer<QCPAbstractPaintBuffer>& buffer : mPaintBuffers) buffer->draw(&painter);
    return image;
  }
};

void SetRatio(TZephChart& chart, Plot& plot, double ratio) {
  chart.SetRenderRatio(ratio);
  plot.setBufferDevicePixelRatio(ratio);
  plot.replot();
}

// Frames draw the changed view; nothing else is timed.
void ShowZeph(TZephChart& chart, const View& view) {
  chart.SetLayerRange(1, view.x_low, view.y_low, view.x_high, view.y_high);
  PaintNow(chart);
}

void ShowPlot(Plot& plot, const View& view) {
  plot.xAxis->setRange(view.x_low, view.x_high);
  plot.yAxis->setRange(view.y_low, view.y_high);
  PaintNow(plot);
}

// ---- the checks that both sides were given the same work ----

bool HasCurve(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb rgb = image.pixel(x, y);
      if (qBlue(rgb) > 128 && qRed(rgb) < 128 && qGreen(rgb) < 128) return true;
    }
  }
  return false;
}

void RequireRatio(TZephChart& chart, Plot& plot, double ratio) {
  const QImage& zeph = chart.ControlImage();
  Require(zeph.devicePixelRatio() == ratio && zeph.width() >= kWidth * ratio - 1,
          "the chart does not draw at the ratio asked for");
  const QImage shown = plot.Shown();
  Require(plot.bufferDevicePixelRatio() == ratio && shown.size() == QSize(kWidth, kHeight) * ratio,
          "QCustomPlot does not draw at the ratio asked for");
  Require(HasCurve(zeph) && HasCurve(shown), "a curve is missing from an image");
}

void RequireSameView(TZephChart& chart, Plot& plot, double ratio) {
  RequireRatio(chart, plot, ratio);
  const QCPRange x = plot.xAxis->range();
  const QCPRange y = plot.yAxis->range();
  Require(chart.Scale1X()->RangeLow() == x.lower && chart.Scale1X()->RangeHigh() == x.upper &&
              chart.Scale1Y()->RangeLow() == y.lower && chart.Scale1Y()->RangeHigh() == y.upper,
          "the two views show different ranges");
}

void RequireSamePoints(const TZephChart& chart, Plot& plot) {
  const TZephItemList& items = chart.Items();
  const QSharedPointer<QCPGraphDataContainer> data = plot.graph(0)->data();
  Require(items.Count() == data->size() && items.Count() > 0, "the two curves have different numbers of points");
  const TZephChartItem first = items[0];
  const TZephChartItem last = items[items.Count() - 1];
  const QCPGraphData& start = *data->constBegin();
  const QCPGraphData& end = *(data->constEnd() - 1);
  Require(first.X1 == start.key && first.Y1 == start.value && last.X1 == end.key && last.Y1 == end.value,
          "the two curves have different points");
}

void RequireSamePoints(const TZephCurve& curve, Plot& plot) {
  const QSharedPointer<QCPGraphDataContainer> data = plot.graph(0)->data();
  Require(curve.Count() == static_cast<std::size_t>(data->size()) && curve.Count() > 0,
          "the two curves have different numbers of points");
  const TZephItemPoint first = curve.Point(0);
  const TZephItemPoint last = curve.Point(curve.Count() - 1);
  const QCPGraphData& start = *data->constBegin();
  const QCPGraphData& end = *(data->constEnd() - 1);
  Require(first.X == start.key && first.Y == start.value && last.X == end.key && last.Y == end.value,
          "the two curves have different points");
}

// A frame changed the image: it was drawn, not taken from a cache.
template <class Snapshot, class Frame>
void RequireRedraw(Snapshot snapshot, Frame frame) {
  const QImage before = snapshot();
  frame();
  Require(snapshot() != before, "a frame left an image as it was");
}

QImage Snapshot(const TZephChart& chart) { return chart.ControlImage().copy(); }

// ---- live plot: 17 points a frame, the newest hundredth of the history in view ----

// The chart's side of a live plot: the chart, the signal that goes on feeding it and its newest x.
struct ZephLive {
  std::unique_ptr<TZephChart> chart;
  TZephCurve curve;  // the history as a curve object, for bulk input; none for DrawTo
  Signal next;
  double last = 0;
};

struct LiveScene {
  std::int64_t history = 0;
  bool fixed = false;  // the oldest points are dropped as new ones come
  double y_low = 0;
  double y_high = 0;
  ZephLive items;  // appended with DrawTo; not in a fixed scene
  ZephLive bulk;   // appended to a curve object from spans
  std::unique_ptr<Plot> plot;
  Signal plot_next;
  double plot_last = 0;

  View Window(double last) const { return {last - static_cast<double>(history) / 100, last, y_low, y_high}; }

  void DrawToFrame() {
    for (int i = 0; i < kFramePoints; ++i) {
      const auto [x, y] = items.next.Next();
      items.chart->DrawTo(x, y);
      items.last = x;
    }
    ShowZeph(*items.chart, Window(items.last));
  }

  void BulkFrame() {
    std::array<double, kFramePoints> x;
    std::array<double, kFramePoints> y;
    for (int i = 0; i < kFramePoints; ++i) std::tie(x[i], y[i]) = bulk.next.Next();
    bulk.curve.Append(x, y);
    bulk.last = x.back();
    ShowZeph(*bulk.chart, Window(bulk.last));
  }

  void PlotFrame() {
    QCPGraph* graph = plot->graph(0);
    for (int i = 0; i < kFramePoints; ++i) {
      const auto [x, y] = plot_next.Next();
      graph->addData(x, y);
      plot_last = x;
    }
    // What a QCustomPlot user does for a fixed history: x counts the points.
    if (fixed) graph->data()->removeBefore(plot_last - static_cast<double>(history) + 1);
    ShowPlot(*plot, Window(plot_last));
  }
};

struct FullScene {
  std::int64_t points = 0;
  double y_low = 0;
  double y_high = 0;
  std::unique_ptr<TZephChart> zeph;     // the curve appended with DrawTo
  std::unique_ptr<TZephChart> spans;    // the curve as a curve object, from spans; not at 100M
  std::unique_ptr<Plot> plot;
  double zeph_bytes_per_point = 0;
  double plot_bytes_per_point = 0;
};

// Which widget of a scene a case draws on.
enum class Side { kDrawTo, kSpans, kQCustomPlot };

// At most one scene at a time: the 100M-point one needs the memory to itself.
std::unique_ptr<LiveScene> live_scene;
std::unique_ptr<FullScene> full_scene;

void ReleaseScenes() {
  live_scene.reset();
  full_scene.reset();
}

LiveScene& Live(std::int64_t history, bool fixed) {
  if (live_scene && live_scene->history == history && live_scene->fixed == fixed) return *live_scene;
  ReleaseScenes();
  const Series& data = History(history);
  live_scene = std::make_unique<LiveScene>();
  LiveScene& s = *live_scene;
  s.history = history;
  s.fixed = fixed;
  // Room above and below for what comes next.
  const double margin = (data.high - data.low) / 4;
  s.y_low = data.low - margin;
  s.y_high = data.high + margin;
  const View view = s.Window(data.x.back());
  s.plot = std::make_unique<Plot>(view);
  s.plot->graph(0)->setData(data.keys, data.values, true);
  s.plot->replot();
  s.plot_next = data.after;
  s.plot_last = data.x.back();
  if (!fixed) {
    s.items.chart = NewZeph(view);
    s.items.chart->MoveTo(data.x[0], data.y[0]);
    for (std::size_t i = 1; i < data.x.size(); ++i) s.items.chart->DrawTo(data.x[i], data.y[i]);
    s.items.chart->ShowGraf();
    s.items.next = data.after;
    s.items.last = data.x.back();
  }
  s.bulk.chart = NewZeph(view);
  s.bulk.curve = s.bulk.chart->AddCurve();
  if (fixed) s.bulk.curve.SetHistoryLimit(static_cast<std::size_t>(history));
  s.bulk.curve.Append(data.x, data.y);
  s.bulk.chart->ShowGraf();
  s.bulk.next = data.after;
  s.bulk.last = data.x.back();

  // Two frames each, so that a fixed history has dropped points.
  for (int frame = 0; frame < 2; ++frame) {
    if (!fixed) RequireRedraw([&s] { return Snapshot(*s.items.chart); }, [&s] { s.DrawToFrame(); });
    RequireRedraw([&s] { return Snapshot(*s.bulk.chart); }, [&s] { s.BulkFrame(); });
    RequireRedraw([&s] { return s.plot->Shown(); }, [&s] { s.PlotFrame(); });
  }
  if (!fixed) {
    RequireSamePoints(*s.items.chart, *s.plot);
    RequireSameView(*s.items.chart, *s.plot, 1);
  }
  RequireSamePoints(s.bulk.curve, *s.plot);
  RequireSameView(*s.bulk.chart, *s.plot, 1);
  Require(!fixed || s.bulk.curve.Count() == static_cast<std::size_t>(history), "the fixed history does not hold");
  return s;
}

// The slowest frame or load of the case that ran last, in seconds.
double slowest_iteration = 0;

template <class Frame>
void RunFrames(benchmark::State& state, Frame frame) {
  slowest_iteration = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    frame();
    const double seconds = Seconds(start);
    state.SetIterationTime(seconds);
    slowest_iteration = std::max(slowest_iteration, seconds);
  }
}

// The scene at the case's ratio; the chart named is the one the case draws on.
LiveScene& LiveSetup(benchmark::State& state, bool fixed, ZephLive LiveScene::*side) {
  LiveScene& scene = Live(state.range(0), fixed);
  const double ratio = RatioArg(state);
  TZephChart& chart = *(scene.*side).chart;
  SetRatio(chart, *scene.plot, ratio);
  // The two sides have run different numbers of frames by now: only the ratio is compared.
  RequireRatio(chart, *scene.plot, ratio);
  return scene;
}

void BM_LiveFrame_Zeph_DrawTo(benchmark::State& state) {
  LiveScene& scene = LiveSetup(state, false, &LiveScene::items);
  RunFrames(state, [&scene] { scene.DrawToFrame(); });
}

void BM_LiveFrame_Zeph_Bulk(benchmark::State& state) {
  LiveScene& scene = LiveSetup(state, false, &LiveScene::bulk);
  RunFrames(state, [&scene] { scene.BulkFrame(); });
}

void BM_LiveFrame_QCustomPlot(benchmark::State& state) {
  LiveScene& scene = LiveSetup(state, false, &LiveScene::bulk);
  RunFrames(state, [&scene] { scene.PlotFrame(); });
}

void BM_LiveFixed_Zeph(benchmark::State& state) {
  LiveScene& scene = LiveSetup(state, true, &LiveScene::bulk);
  RunFrames(state, [&scene] { scene.BulkFrame(); });
}

void BM_LiveFixed_QCustomPlot(benchmark::State& state) {
  LiveScene& scene = LiveSetup(state, true, &LiveScene::bulk);
  RunFrames(state, [&scene] { scene.PlotFrame(); });
}

// ---- pan and zoom of a curve that is fully visible before the first step ----

// A triangle wave 0, 1, ..., 10, 9, ..., 1, 0, 1, ...: consecutive frames never show one range.
int Triangle(int frame) {
  const int phase = frame % 20;
  return phase <= 10 ? phase : 20 - phase;
}

enum class Motion { kPan, kZoom };

// Pans by steps of a hundredth of the width, or zooms in towards the middle by steps of 5 %.
View MotionView(Motion motion, std::int64_t points, double y_low, double y_high, int frame) {
  const double width = static_cast<double>(points - 1);
  if (motion == Motion::kPan) {
    const double shift = width / 100 * Triangle(frame);
    return {shift, width + shift, y_low, y_high};
  }
  const double half = width / 2 * (1 - 0.05 * Triangle(frame));
  return {width / 2 - half, width / 2 + half, y_low, y_high};
}


// The curve straight from the signal, without arrays in between: 100M points of arrays would
// take another 1.6 GB.
std::unique_ptr<FullScene> BuildFull(std::int64_t points) {
  auto scene = std::make_unique<FullScene>();
  scene->points = points;
  double low = 0;
  double high = 0;
  {
    Signal signal;
    for (std::int64_t i = 0; i < points; ++i) {
      const double y = signal.Next().second;
      low = std::min(low, y);
      high = std::max(high, y);
    }
  }
  scene->y_low = low;
  scene->y_high = high;
  const View view{0, static_cast<double>(points - 1), low, high};

  malloc_trim(0);
  std::size_t before = ResidentBytes();
  scene->zeph = NewZeph(view);
  {
    Signal signal;
    const auto [x, y] = signal.Next();
    scene->zeph->MoveTo(x, y);
    for (std::int64_t i = 1; i < points; ++i) {
      const auto [px, py] = signal.Next();
      scene->zeph->DrawTo(px, py);
    }
  }
  scene->zeph->ShowGraf();
  scene->zeph->ControlImage();
  scene->zeph_bytes_per_point = AddedBytes(before) / static_cast<double>(points);

  malloc_trim(0);
  before = ResidentBytes();
  scene->plot = std::make_unique<Plot>(view);
  {
    QVector<QCPGraphData> data;
    data.reserve(static_cast<qsizetype>(points));
    Signal signal;
    for (std::int64_t i = 0; i < points; ++i) {
      const auto [x, y] = signal.Next();
      data.append(QCPGraphData(x, y));
    }
    // Shared, not copied.
    scene->plot->graph(0)->data()->set(data, true);
  }
  scene->plot->replot();
  scene->plot_bytes_per_point = AddedBytes(before) / static_cast<double>(points);

  // The same curve through the other input, where memory allows.
  if (points <= 10 * kMillion) {
    scene->spans = NewZeph(view);
    TZephCurve curve = scene->spans->AddCurve();
    Signal signal;
    std::vector<double> x(static_cast<std::size_t>(kMillion));
    std::vector<double> y(x.size());
    for (std::int64_t done = 0; done < points; done += kMillion) {
      const auto block = static_cast<std::size_t>(std::min(kMillion, points - done));
      for (std::size_t i = 0; i < block; ++i) std::tie(x[i], y[i]) = signal.Next();
      curve.Append(std::span(x).first(block), std::span(y).first(block));
    }
    scene->spans->ShowGraf();
    RequireSamePoints(curve, *scene->plot);
  }

  RequireSamePoints(*scene->zeph, *scene->plot);
  FullScene& s = *scene;
  const View panned = MotionView(Motion::kPan, s.points, s.y_low, s.y_high, 1);
  RequireRedraw([&s] { return Snapshot(*s.zeph); }, [&s, &panned] { ShowZeph(*s.zeph, panned); });
  RequireRedraw([&s] { return s.plot->Shown(); }, [&s, &panned] { ShowPlot(*s.plot, panned); });
  RequireSameView(*s.zeph, *s.plot, 1);
  return scene;
}

FullScene& Full(std::int64_t points) {
  if (!full_scene || full_scene->points != points) {
    ReleaseScenes();
    cached_series.reset();
    full_scene = BuildFull(points);
  }
  return *full_scene;
}

void MotionFrames(benchmark::State& state, Motion motion, Side side) {
  FullScene& scene = Full(state.range(0));
  TZephChart& chart = side == Side::kSpans ? *scene.spans : *scene.zeph;
  const double ratio = RatioArg(state);
  SetRatio(chart, *scene.plot, ratio);
  // Frame 0 shows the whole curve; the timed frames then each show a range that differs from the
  // one before.
  const View whole = MotionView(motion, scene.points, scene.y_low, scene.y_high, 0);
  ShowZeph(chart, whole);
  ShowPlot(*scene.plot, whole);
  RequireSameView(chart, *scene.plot, ratio);
  int frame = 0;
  RunFrames(state, [&] {
    const View view = MotionView(motion, scene.points, scene.y_low, scene.y_high, ++frame);
    if (side == Side::kQCustomPlot) {
      ShowPlot(*scene.plot, view);
    } else {
      ShowZeph(chart, view);
    }
  });
  if (side != Side::kSpans) {
    state.counters["bytes_per_point"] =
        side == Side::kDrawTo ? scene.zeph_bytes_per_point : scene.plot_bytes_per_point;
  }
}

void BM_LivePan_Zeph_DrawTo(benchmark::State& state) { MotionFrames(state, Motion::kPan, Side::kDrawTo); }
void BM_LivePan_Zeph_Bulk(benchmark::State& state) { MotionFrames(state, Motion::kPan, Side::kSpans); }
void BM_LivePan_QCustomPlot(benchmark::State& state) { MotionFrames(state, Motion::kPan, Side::kQCustomPlot); }
void BM_LiveZoom_Zeph_DrawTo(benchmark::State& state) { MotionFrames(state, Motion::kZoom, Side::kDrawTo); }
void BM_LiveZoom_Zeph_Bulk(benchmark::State& state) { MotionFrames(state, Motion::kZoom, Side::kSpans); }
void BM_LiveZoom_QCustomPlot(benchmark::State& state) { MotionFrames(state, Motion::kZoom, Side::kQCustomPlot); }
void BM_HugePan_Zeph_DrawTo(benchmark::State& state) { MotionFrames(state, Motion::kPan, Side::kDrawTo); }
void BM_HugePan_QCustomPlot(benchmark::State& state) { MotionFrames(state, Motion::kPan, Side::kQCustomPlot); }
void BM_HugeZoom_Zeph_DrawTo(benchmark::State& state) { MotionFrames(state, Motion::kZoom, Side::kDrawTo); }
void BM_HugeZoom_QCustomPlot(benchmark::State& state) { MotionFrames(state, Motion::kZoom, Side::kQCustomPlot); }

// ---- load: the points handed over and shown the first time, with what they take ----

// Times one load on a new, configured and once painted widget; the resident memory it added,
// mapped point chunks included, divided by the points is the counter.
template <class Widget, class Load>
void RunLoads(benchmark::State& state, Widget make, Load load) {
  const Series& data = History(state.range(0));
  const View view{0, data.x.back(), data.low, data.high};
  ReleaseScenes();
  slowest_iteration = 0;
  for (auto _ : state) {
    // Making and destroying the widget is outside the processor time as well.
    state.PauseTiming();
    auto widget = make(view, RatioArg(state));
    malloc_trim(0);
    const std::size_t before = ResidentBytes();
    state.ResumeTiming();
    const Clock::time_point start = Clock::now();
    load(*widget, data);
    const double seconds = Seconds(start);
    state.SetIterationTime(seconds);
    slowest_iteration = std::max(slowest_iteration, seconds);
    state.PauseTiming();
    state.counters["bytes_per_point"] =
        AddedBytes(before) / static_cast<double>(data.x.size());
    widget.reset();
    state.ResumeTiming();
  }
}

std::unique_ptr<TZephChart> MakeZeph(const View& view, double ratio) {
  std::unique_ptr<TZephChart> chart = NewZeph(view, ratio);
  chart->ControlImage();
  return chart;
}

std::unique_ptr<Plot> MakePlot(const View& view, double ratio) {
  auto plot = std::make_unique<Plot>(view, ratio);
  plot->replot();
  return plot;
}

void BM_LiveLoad_Zeph_DrawTo(benchmark::State& state) {
  RunLoads(state, MakeZeph, [](TZephChart& chart, const Series& data) {
    chart.MoveTo(data.x[0], data.y[0]);
    for (std::size_t i = 1; i < data.x.size(); ++i) chart.DrawTo(data.x[i], data.y[i]);
    chart.ShowGraf();
    PaintNow(chart);
  });
}

void BM_LiveLoad_Zeph_Bulk(benchmark::State& state) {
  RunLoads(state, MakeZeph, [](TZephChart& chart, const Series& data) {
    chart.AddCurve().Append(data.x, data.y);
    chart.ShowGraf();
    PaintNow(chart);
  });
}

void BM_LiveLoad_QCustomPlot(benchmark::State& state) {
  RunLoads(state, MakePlot, [](Plot& plot, const Series& data) {
    plot.graph(0)->setData(data.keys, data.values, true);
    PaintNow(plot);
  });
}

// ---- registration: libraries side by side, at every ratio ----

using Function = void (*)(benchmark::State&);

// A case with a frame or load slower than this is measured in its first repetition only: so far
// off every target, one reading tells enough, and the whole run stays within minutes.
constexpr double kSlowIteration = 1.0;

benchmark::internal::Benchmark* Register(const char* name, Function function, std::int64_t points,
                                         std::int64_t percent) {
  const std::string key = std::string(name) + "/" + std::to_string(points) + "/" + std::to_string(percent);
  return benchmark::RegisterBenchmark(name, [function, key](benchmark::State& state) {
           static std::set<std::string> slow;
           if (slow.count(key) != 0) {
             state.SkipWithError("measured once: slower than a second");
             return;
           }
           function(state);
           if (slowest_iteration > kSlowIteration) slow.insert(key);
         })
      ->Args({points, percent})
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
}

void Frames(const char* name, Function function, std::int64_t points) {
  for (const std::int64_t percent : {100, 150, 200}) Register(name, function, points, percent)->MinTime(kMinFrameTime);
}

void Loads(const char* name, Function function) {
  for (const std::int64_t percent : {100, 150, 200}) Register(name, function, 10 * kMillion, percent)->Iterations(1);
}

bool RegisterAll() {
  // Grouped by the scene they share, so each scene is built once.
  for (const std::int64_t history : {1 * kMillion, 10 * kMillion}) {
    Frames("BM_LiveFrame_Zeph_DrawTo", BM_LiveFrame_Zeph_DrawTo, history);
    Frames("BM_LiveFrame_Zeph_Bulk", BM_LiveFrame_Zeph_Bulk, history);
    Frames("BM_LiveFrame_QCustomPlot", BM_LiveFrame_QCustomPlot, history);
  }
  for (const std::int64_t history : {1 * kMillion, 10 * kMillion}) {
    Frames("BM_LiveFixed_Zeph", BM_LiveFixed_Zeph, history);
    Frames("BM_LiveFixed_QCustomPlot", BM_LiveFixed_QCustomPlot, history);
  }
  Frames("BM_LivePan_Zeph_DrawTo", BM_LivePan_Zeph_DrawTo, 10 * kMillion);
  Frames("BM_LivePan_Zeph_Bulk", BM_LivePan_Zeph_Bulk, 10 * kMillion);
  Frames("BM_LivePan_QCustomPlot", BM_LivePan_QCustomPlot, 10 * kMillion);
  Frames("BM_LiveZoom_Zeph_DrawTo", BM_LiveZoom_Zeph_DrawTo, 10 * kMillion);
  Frames("BM_LiveZoom_Zeph_Bulk", BM_LiveZoom_Zeph_Bulk, 10 * kMillion);
  Frames("BM_LiveZoom_QCustomPlot", BM_LiveZoom_QCustomPlot, 10 * kMillion);
  Loads("BM_LiveLoad_Zeph_DrawTo", BM_LiveLoad_Zeph_DrawTo);
  Loads("BM_LiveLoad_Zeph_Bulk", BM_LiveLoad_Zeph_Bulk);
  Loads("BM_LiveLoad_QCustomPlot", BM_LiveLoad_QCustomPlot);
  Frames("BM_HugePan_Zeph_DrawTo", BM_HugePan_Zeph_DrawTo, 100 * kMillion);
  Frames("BM_HugePan_QCustomPlot", BM_HugePan_QCustomPlot, 100 * kMillion);
  Frames("BM_HugeZoom_Zeph_DrawTo", BM_HugeZoom_Zeph_DrawTo, 100 * kMillion);
  Frames("BM_HugeZoom_QCustomPlot", BM_HugeZoom_QCustomPlot, 100 * kMillion);
  return true;
}

[[maybe_unused]] const bool registered = RegisterAll();

}  // namespace

void SaveLiveImages(const QString& folder) {
  LiveScene& scene = Live(kMillion, false);
  for (const double ratio : {1.0, 1.5, 2.0}) {
    const QString suffix = QStringLiteral("_%1.png").arg(ratio);
    for (const auto& [name, side] : {std::pair{"drawto", &scene.items}, std::pair{"bulk", &scene.bulk}}) {
      side->chart->SetRenderRatio(ratio);
      ShowZeph(*side->chart, scene.Window(side->last));
      side->chart->ControlImage().save(folder + QStringLiteral("/live_zeph_") + QLatin1String(name) + suffix);
    }
    scene.plot->setBufferDevicePixelRatio(ratio);
    ShowPlot(*scene.plot, scene.Window(scene.plot_last));
    scene.plot->Shown().save(folder + QStringLiteral("/live_qcustomplot") + suffix);
  }
  ReleaseScenes();
}

void ReleaseLiveScenes() { ReleaseScenes(); }
