#include "drawing_alike.h"

#include <qcustomplot.h>

#include "zeph/chart/zephchart.h"

namespace {

Smoothing smoothing = Smoothing::kAliased;

}  // namespace

Smoothing BenchSmoothing() { return smoothing; }

void SetBenchSmoothing(Smoothing value) { smoothing = value; }

const char* SmoothingName() { return smoothing == Smoothing::kAntialiased ? "anti-aliased" : "aliased"; }

void DrawAlike(zeph::TCustomZephChart& chart) {
  chart.SetAntialiased(smoothing == Smoothing::kAntialiased);
  chart.show();
}

void DrawAlike(QCustomPlot& plot) {
  // QCustomPlot smooths its graphs by default and leaves axes and grid sharp: the chart smooths
  // its curves in the same way.
  if (smoothing == Smoothing::kAntialiased) {
    plot.setAntialiasedElements(QCP::aePlottables);
  } else {
    plot.setNotAntialiasedElements(QCP::aeAll);
  }
  plot.show();
}

void PaintNow(zeph::TCustomZephChart& chart) { chart.repaint(); }

void PaintNow(QCustomPlot& plot) { plot.replot(QCustomPlot::rpImmediateRefresh); }
