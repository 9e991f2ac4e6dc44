// The chart against QCustomPlot on the work of the main window: one slider step (both curves
// recomputed and shown) and a full repaint of both charts, all off screen, in one run, each ending
// with the widgets' paint and both libraries drawing alike (aliased, or anti-aliased with
// --antialiased); the large data cases are in large_data_bench.cpp, and this reporter prints the
// ratios of all of them.
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "app/varactormodel.h"
#include "drawing_alike.h"
#include "live_data_bench.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

constexpr int kWidth = 343;
constexpr int kHeight = 346;
constexpr TColor kGridGrey = 15198183;  // red, green and blue 231

// The next slider position of a sweep over the whole track, so no two steps draw the same curves.
int NextPosition() {
  static int step = 0;
  step = (step + 37) % 2001;
  return step - 1000;
}

// ---- the chart, configured as the main window configures its two charts ----

struct ZephAxis {
  const char* caption;
  double low;
  double high;
  bool logarithmic;
  bool short_ticks;
};

void ConfigureZeph(TZephChart& chart, const QString& caption, const ZephAxis& x, const ZephAxis& y) {
  chart.BeginLoading();
  chart.SetBounds(0, 0, kWidth, kHeight);
  chart.SetRRim(20);
  chart.SetTRim(20);
  chart.SetBRim(40);
  chart.SetGridStyle(gsLines);
  chart.SetGridColor(kGridGrey);
  chart.SetCaptionPosY(-16);
  chart.SetCaption(caption);
  TFont font;
  font.Size = 10;  // 13 pixels
  font.Color = clBlack;
  const auto axis = [&font](TScaleProps* props, const ZephAxis& a) {
    props->SetCaption(QString::fromUtf8(a.caption));
    props->SetFont(font);
    props->SetRange(a.low, a.high);
    props->SetLogarithmic(a.logarithmic);
    props->SetShortTicks(a.short_ticks);
    props->SetDecPlaces(-2);
    props->SetMinTicks(3);
  };
  axis(chart.Scale1X(), x);
  axis(chart.Scale1Y(), y);
  chart.EndLoading();
  DrawAlike(chart);
}

struct ZephCharts {
  TZephChart cap;
  TZephChart nd;
  ZephCharts() {
    ConfigureZeph(cap, QStringLiteral("Capacitance of Varactor Diode"), {"U [V]", 0, 10, false, false},
                  {"C [pF]", 1, 100, true, true});
    ConfigureZeph(nd, QStringLiteral("Impurity Concentration Profile"), {"d [\xc2\xb5m]", 0, 3, false, false},
                  {"ND * 10^16", 0, 10, false, false});
    varactor::PlotCurves(0, cap, nd);
  }
};

// The widgets are shown, so they go before the application does (ReleaseWidgets()).
std::unique_ptr<ZephCharts> zeph_charts;

ZephCharts& Zeph() {
  if (!zeph_charts) zeph_charts = std::make_unique<ZephCharts>();
  return *zeph_charts;
}

// ---- the same two plots in QCustomPlot ----

void ConfigureQcp(QCustomPlot& plot, const QString& title, const QString& x_label, double x_high,
                  const QString& y_label, double y_low, double y_high, bool y_log) {
  plot.resize(kWidth, kHeight);
  plot.setViewport(QRect(0, 0, kWidth, kHeight));
  plot.plotLayout()->insertRow(0);
  plot.plotLayout()->addElement(0, 0, new QCPTextElement(&plot, title));
  plot.addGraph();
  plot.graph(0)->setPen(QPen(Qt::blue));
  plot.xAxis->setRange(0, x_high);
  plot.xAxis->setLabel(x_label);
  plot.yAxis->setRange(y_low, y_high);
  plot.yAxis->setLabel(y_label);
  const QPen grid(QColor(231, 231, 231));
  for (QCPAxis* axis : {plot.xAxis, plot.yAxis}) {
    axis->grid()->setPen(grid);
    axis->grid()->setSubGridPen(grid);
  }
  if (y_log) {
    plot.yAxis->setScaleType(QCPAxis::stLogarithmic);
    plot.yAxis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
    plot.yAxis->grid()->setSubGridVisible(true);
  }
  DrawAlike(plot);
}

void SetQcpData(QCustomPlot& plot, const std::vector<varactor::CurvePoint>& curve) {
  QVector<double> xs;
  QVector<double> ys;
  xs.reserve(static_cast<int>(curve.size()));
  ys.reserve(static_cast<int>(curve.size()));
  for (const varactor::CurvePoint& p : curve) {
    xs.push_back(p.x);
    ys.push_back(p.y);
  }
  plot.graph(0)->setData(xs, ys, true);
}

struct QcpPlots {
  QCustomPlot cap;
  QCustomPlot nd;
  QcpPlots() {
    ConfigureQcp(cap, QStringLiteral("Capacitance of Varactor Diode"), QStringLiteral("U [V]"), 10,
                 QStringLiteral("C [pF]"), 1, 100, true);
    ConfigureQcp(nd, QStringLiteral("Impurity Concentration Profile"), QString::fromUtf8("d [\xc2\xb5m]"), 3,
                 QStringLiteral("ND * 10^16"), 0, 10, false);
    SetQcpData(cap, varactor::CapacitanceCurve(0));
    SetQcpData(nd, varactor::ProfileCurve(0));
    cap.replot();
    nd.replot();
  }
};

std::unique_ptr<QcpPlots> qcp_plots;

QcpPlots& Qcp() {
  if (!qcp_plots) qcp_plots = std::make_unique<QcpPlots>();
  return *qcp_plots;
}

// ---- the benchmarks ----

// Both sides draw at a device pixel ratio: the argument in percent, 100 where there is none.
void SetRatio(qreal ratio) {
  ZephCharts& zeph = Zeph();
  QcpPlots& qcp = Qcp();
  for (TZephChart* chart : {&zeph.cap, &zeph.nd}) chart->SetRenderRatio(ratio);
  for (QCustomPlot* plot : {&qcp.cap, &qcp.nd}) {
    plot->setBufferDevicePixelRatio(ratio);
    plot->replot();
  }
}

qreal RatioArg(const benchmark::State& state) { return static_cast<qreal>(state.range(0)) / 100; }

void BM_SliderStep_Zeph(benchmark::State& state) {
  ZephCharts& charts = Zeph();
  SetRatio(RatioArg(state));
  for (auto _ : state) {
    varactor::PlotCurves(NextPosition(), charts.cap, charts.nd);
    PaintNow(charts.cap);
    PaintNow(charts.nd);
  }
}
BENCHMARK(BM_SliderStep_Zeph)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_SliderStep_QCustomPlot(benchmark::State& state) {
  QcpPlots& plots = Qcp();
  SetRatio(RatioArg(state));
  for (auto _ : state) {
    const int position = NextPosition();
    SetQcpData(plots.cap, varactor::CapacitanceCurve(position));
    PaintNow(plots.cap);
    SetQcpData(plots.nd, varactor::ProfileCurve(position));
    PaintNow(plots.nd);
  }
}
BENCHMARK(BM_SliderStep_QCustomPlot)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint_Zeph(benchmark::State& state) {
  ZephCharts& charts = Zeph();
  SetRatio(1);
  for (auto _ : state) {
    for (TZephChart* chart : {&charts.cap, &charts.nd}) {
      chart->Paint();
      PaintNow(*chart);
    }
  }
}
BENCHMARK(BM_FullRepaint_Zeph)->Unit(benchmark::kMicrosecond);

// A repaint after a change of the settings, which renders the rims and scales anew (the repaint
// above reuses them, as an expose or a repaint with unchanged settings does).
void BM_FullRepaintAfterChange_Zeph(benchmark::State& state) {
  ZephCharts& charts = Zeph();
  SetRatio(1);
  int shift = 0;
  for (auto _ : state) {
    shift ^= 1;
    for (TZephChart* chart : {&charts.cap, &charts.nd}) {
      chart->SetAutoRedraw(false);
      chart->SetCaptionPosX(shift);
      chart->SetAutoRedraw(true);
      chart->Paint();
      PaintNow(*chart);
    }
  }
}
BENCHMARK(BM_FullRepaintAfterChange_Zeph)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint_QCustomPlot(benchmark::State& state) {
  QcpPlots& plots = Qcp();
  SetRatio(1);
  for (auto _ : state) {
    PaintNow(plots.cap);
    PaintNow(plots.nd);
  }
}
BENCHMARK(BM_FullRepaint_QCustomPlot)->Unit(benchmark::kMicrosecond);

// Prints the results as usual, then the ratios the chart is measured by.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // CPU time: the machine is shared, and waiting for it is not the chart's work. With
    // repetitions the median counts.
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
      if (run.run_type == Run::RT_Iteration && !times_.count(name)) {
        times_[name] = run.GetAdjustedCPUTime();
        const auto bytes = run.counters.find("bytes_per_point");
        if (bytes != run.counters.end()) bytes_[name] = bytes->second.value;
      } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        times_[name] = run.GetAdjustedCPUTime();
      }
    }
  }

  void PrintRatios() const {
    for (const char* percent : {"100", "150", "200"}) {
      const std::string arg = std::string("/") + percent;
      Ratio(("slider step " + std::string(percent) + "%").c_str(), "BM_SliderStep_Zeph" + arg,
            "BM_SliderStep_QCustomPlot" + arg, 0.25);
    }
    Ratio("full repaint", "BM_FullRepaint_Zeph", "BM_FullRepaint_QCustomPlot", 0.5);
    for (const char* points : {"100000", "1000000"}) {
      const std::string arg = std::string("/") + points;
      Ratio(("append+show " + std::string(points)).c_str(), "BM_Large_AppendShow_Zeph" + arg,
            "BM_Large_AppendShow_QCustomPlot" + arg, 1.0);
      Ratio(("repaint " + std::string(points)).c_str(), "BM_Large_FullRepaint_Zeph" + arg,
            "BM_Large_FullRepaint_QCustomPlot" + arg, 0.5);
      Bytes(points, "BM_Large_AppendShow_Zeph" + arg, "BM_Large_AppendShow_QCustomPlot" + arg);
      // Not a target: the repaint after a change of the mapping, for comparison with the one above.
      Ratio(("pan+repaint " + std::string(points)).c_str(), "BM_Large_PanRepaint_Zeph" + arg,
            "BM_Large_PanRepaint_QCustomPlot" + arg, 1.0);
    }
    Ratio("dashed 100x", "BM_Large_DashedZoomed_Zeph/100000", "BM_Large_DashedZoomed_QCustomPlot/100000", 1.0);
  }

 private:
  void Ratio(const char* what, const std::string& ours, const std::string& theirs, double target) const {
    const auto a = times_.find(ours);
    const auto b = times_.find(theirs);
    if (a == times_.end() || b == times_.end() || b->second <= 0) return;
    const double ratio = a->second / b->second;
    std::printf("%-20s ZephChart / QCustomPlot = %.3f (target at most %.2f): %s\n", what, ratio, target,
                ratio <= target ? "met" : "MISSED");
  }

  void Bytes(const char* points, const std::string& ours, const std::string& theirs) const {
    const auto a = bytes_.find(ours);
    const auto b = bytes_.find(theirs);
    if (a == bytes_.end()) return;
    std::printf("bytes a point at %-7s ZephChart %.1f, QCustomPlot %.1f (target at most 32): %s\n", points,
                a->second, b == bytes_.end() ? 0.0 : b->second, a->second <= 32 ? "met" : "MISSED");
  }

  std::map<std::string, double> bytes_;
  std::map<std::string, double> times_;
};

// Writes both renderings of both charts, for a person to compare.
void SaveImages(const QString& folder) {
  QDir().mkpath(folder);
  ZephCharts& zeph = Zeph();
  zeph.cap.Paint();
  zeph.nd.Paint();
  zeph.cap.ControlImage().save(folder + QStringLiteral("/zeph_capacitance.png"));
  zeph.nd.ControlImage().save(folder + QStringLiteral("/zeph_profile.png"));
  QcpPlots& qcp = Qcp();
  qcp.cap.toPixmap(kWidth, kHeight).save(folder + QStringLiteral("/qcustomplot_capacitance.png"));
  qcp.nd.toPixmap(kWidth, kHeight).save(folder + QStringLiteral("/qcustomplot_profile.png"));
  SaveLiveImages(folder);
  std::printf("images written to %s\n", qPrintable(folder));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Our own option, taken out before the benchmark library reads the rest.
  QString image_folder;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--save-images=", 14) == 0) {
      image_folder = QString::fromLocal8Bit(argv[i] + 14);
    } else if (std::strcmp(argv[i], "--antialiased") == 0) {
      SetBenchSmoothing(Smoothing::kAntialiased);
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::AddCustomContext("drawing", SmoothingName());
  // Both sides are built and drawn once before any measuring.
  Zeph();
  Qcp();
  if (!image_folder.isEmpty()) SaveImages(image_folder);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  zeph_charts.reset();
  qcp_plots.reset();
  ReleaseLiveScenes();
  return 0;
}
