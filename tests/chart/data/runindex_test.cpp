#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephcurve.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A window of the x axis: low and high as fractions of the data's span (beyond 0..1 lies beside
// the data), reversed or on a logarithmic axis.
struct Window {
  double low;
  double high;
  bool reversed = false;
  bool log_x = false;
  bool log_y = false;
};

struct Points {
  std::vector<double> x;
  std::vector<double> y;
  std::vector<bool> move;
};

// An ordered walk over x from 1 to 1 + n / 10 with a few move-tos and points that are no number.
Points Walk(std::size_t n, std::mt19937& random) {
  Points p;
  std::normal_distribution<double> step(0, 1);
  double y = 500;
  for (std::size_t i = 0; i < n; ++i) {
    y = std::clamp(y + step(random) * 8, 2.0, 998.0);
    p.x.push_back(1 + static_cast<double>(i) / 10);
    p.y.push_back(random() % 997 == 0 ? kNaN : y);
    p.move.push_back(i == 0 || random() % 1499 == 0);
  }
  // Several points on one x, and an x that is no number.
  for (std::size_t i = n / 3; i < n / 3 + 50 && i < n; ++i) p.x[i] = p.x[n / 3];
  if (n > 100) p.x[n / 2] = kNaN;
  return p;
}

// Makes the run unordered, so that it is drawn point by point as before, without a pixel of its
// own: a point far to the right that is no number, before the move-to that starts the curve.
void Unorder(TZephChart& chart) { chart.DrawTo(1e300, kNaN); }

// Appends the points as items in one run, ordered or (unordered) drawn point by point.
void Append(TZephChart& chart, const Points& p, bool unordered) {
  if (unordered) Unorder(chart);
  for (std::size_t i = 0; i < p.x.size(); ++i) {
    if (p.move[i]) {
      chart.MoveTo(p.x[i], p.y[i]);
    } else {
      chart.DrawTo(p.x[i], p.y[i]);
    }
  }
}

void Show(TZephChart& chart, const Window& w, double span) {
  chart.Scale1X()->SetLogarithmic(w.log_x);
  chart.Scale1Y()->SetLogarithmic(w.log_y);
  const double low = 1 + w.low * span;
  const double high = 1 + w.high * span;
  chart.Scale1X()->SetRange(w.reversed ? high : low, w.reversed ? low : high);
  chart.Scale1Y()->SetRange(1, 1000);
  chart.Paint();
}

// Draws the same points, as one indexed run and unordered, through every window, and expects
// the same pixels.
void ExpectSamePixels(std::size_t n, TPenStyle style, int width, qreal ratio, const std::vector<Window>& windows,
                      std::mt19937& random) {
  const Points p = Walk(n, random);
  TZephChart indexed;
  TZephChart reference;
  for (TZephChart* chart : {&indexed, &reference}) {
    chart->SetBounds(0, 0, 430, 320);
    chart->SetPaintSuspended(false);
    chart->SetRenderRatio(ratio);
    chart->SetDataColor(clBlue);
    chart->SetPenStyle(style);
    chart->SetLineWidth(width);
  }
  Append(indexed, p, false);
  Append(reference, p, true);
  // A run after it that goes on from its last point in another colour.
  for (TZephChart* chart : {&indexed, &reference}) {
    chart->SetDataColor(clRed);
    chart->DrawTo(p.x.back() + 5, 10);
    chart->DrawTo(p.x.back() + 9, 900);
  }
  ASSERT_EQ(indexed.Items().Runs().size(), 2u);
  ASSERT_NE(indexed.Items().OrderedIndex(0), nullptr);
  ASSERT_EQ(reference.Items().OrderedIndex(0), nullptr);
  const double span = static_cast<double>(n) / 10;
  for (const Window& w : windows) {
    Show(indexed, w, span);
    Show(reference, w, span);
    ASSERT_EQ(indexed.ChartAreaImage(), reference.ChartAreaImage())
        << n << " points, style " << int{style} << ", width " << width << ", ratio " << ratio << ", window " << w.low
        << ".." << w.high << (w.reversed ? " reversed" : "") << (w.log_x ? " log x" : "") << (w.log_y ? " log y" : "")
        << ": " << SaveArtefact(indexed.ChartAreaImage(), QStringLiteral("ordered_indexed.png")).toStdString() << " "
        << SaveArtefact(reference.ChartAreaImage(), QStringLiteral("ordered_reference.png")).toStdString();
  }
}

const std::vector<Window> kWindows = {
    {0, 1},                        // all of it
    {0.4, 0.41},                   // zoomed into the middle
    {0.123, 0.4567},               // cutting it anywhere
    {-0.5, 0.002},                 // its start
    {0.998, 1.5},                  // its end
    {-2, -1},                      // beside it on the left
    {2, 3},                        // beside it on the right
    {0.3, 0.31, true},             // reversed
    {0.001, 0.9, false, true},     // logarithmic x
    {0.2, 0.25, false, false, true},  // logarithmic y
    {0.3333, 0.3334},              // the points on one x
};

TEST(OrderedRunTest, SolidCurvesOnTheImageDrawTheSamePixelsFromTheIndex) {
  std::mt19937 random(11);
  // Longer than two chunks.
  ExpectSamePixels(2 * TZephItemList::kChunkPoints + 777, psSolid, 1, 1, kWindows, random);
  ExpectSamePixels(5000, psInsideFrame, 0, 1, kWindows, random);
}

TEST(OrderedRunTest, DashedAndWideCurvesKeepTheirDashPhaseAndEnds) {
  std::mt19937 random(12);
  for (const TPenStyle style : {psDash, psDot, psDashDot, psDashDotDot, psClear}) {
    ExpectSamePixels(30000, style, 1, 1, kWindows, random);
  }
  ExpectSamePixels(20000, psSolid, 3, 1, kWindows, random);
  ExpectSamePixels(20000, psDash, 2, 1, kWindows, random);
  // Polylines that start in one chunk and end in the next.
  ExpectSamePixels(TZephItemList::kChunkPoints + 4321, psDashDot, 1, 1,
                   {kWindows[0], kWindows[2], kWindows[4], Window{0.9, 0.95}}, random);
}

TEST(OrderedRunTest, HighDensityImagesDrawTheSamePixelsAsThePointByPointRoute) {
  std::mt19937 random(13);
  const std::vector<Window> windows = {kWindows[1], kWindows[2], kWindows[4], kWindows[5], kWindows[7], kWindows[8]};
  for (const qreal ratio : {1.5, 2.0}) {
    for (const TPenStyle style : {psSolid, psDash, psDashDotDot}) {
      for (int width : {1, 2}) ExpectSamePixels(8000, style, width, ratio, windows, random);
    }
  }
}

// A run that stops being ordered loses its index and draws every point again; one that is
// ordered again after ClearGraf gets a new one.
TEST(OrderedRunTest, ARunThatStopsBeingOrderedKeepsDrawingCorrectly) {
  std::mt19937 random(14);
  Points p = Walk(20000, random);
  p.x[15000] = 3;
  TZephChart indexed;
  TZephChart reference;
  for (TZephChart* chart : {&indexed, &reference}) {
    chart->SetBounds(0, 0, 430, 320);
    chart->SetPaintSuspended(false);
  }
  Append(indexed, p, false);
  Append(reference, p, true);
  for (const Window& w : {kWindows[1], kWindows[0], Window{0, 0.01}}) {
    Show(indexed, w, 2000);
    Show(reference, w, 2000);
    ASSERT_EQ(indexed.ChartAreaImage(), reference.ChartAreaImage()) << w.low;
  }
  EXPECT_EQ(indexed.Items().OrderedIndex(0), nullptr);
  EXPECT_EQ(reference.Items().OrderedIndex(0), nullptr);
}

// A live curve object: a fixed history, new points each frame, the newest part shown.
TEST(OrderedRunTest, ALiveCurveWithAFixedHistoryDrawsAsItsPointsAsItems) {
  std::mt19937 random(15);
  TZephChart live;
  live.SetBounds(0, 0, 430, 320);
  live.SetPaintSuspended(false);
  live.SetDataColor(clBlue);
  TZephCurve curve = live.AddCurve();
  curve.SetHistoryLimit(TZephItemList::kChunkPoints + 1000);
  std::vector<double> x;
  std::vector<double> y;
  double t = 0;
  for (int frame = 0; frame < 8; ++frame) {
    x.clear();
    y.clear();
    for (std::size_t i = 0; i < 40000; ++i) {
      t += 0.01;
      x.push_back(t);
      y.push_back(random() % 5003 == 0 ? kNaN : std::sin(t) * 400 + 500 + static_cast<double>(random() % 50));
    }
    curve.Append(x, y);
    live.Scale1X()->SetRange(t - 30, t + 1);
    live.Scale1Y()->SetRange(0, 1000);
    live.ShowGraf();
    if (frame % 3 != 2) continue;
    TZephChart reference;
    reference.SetBounds(0, 0, 430, 320);
    reference.SetPaintSuspended(false);
    reference.Scale1X()->SetRange(t - 30, t + 1);
    reference.Scale1Y()->SetRange(0, 1000);
    reference.SetDataColor(clBlue);
    Unorder(reference);
    for (std::size_t i = 0; i < curve.Count(); ++i) {
      const TZephItemPoint point = curve.Point(i);
      if (i == 0) {
        reference.MoveTo(point.X, point.Y);
      } else {
        reference.DrawTo(point.X, point.Y);
      }
    }
    reference.ShowGraf();
    ASSERT_EQ(live.ChartAreaImage(), reference.ChartAreaImage()) << "frame " << frame;
  }
  EXPECT_EQ(curve.Count(), TZephItemList::kChunkPoints + 1000);
  EXPECT_TRUE(curve.Ordered());
}

}  // namespace

namespace {

// The index of an ordered run costs well under a byte a point, and plain draw-to points keep no
// kind byte: eight full chunks of points take little more than their 16 bytes each once drawn.
TEST(OrderedRunTest, TheIndexAndTheKindsCostLessThanAByteAPoint) {
  TZephChart chart;
  chart.SetBounds(0, 0, 430, 320);
  chart.SetPaintSuspended(false);
  const std::size_t n = 8 * TZephItemList::kChunkPoints;
  chart.Scale1X()->SetRange(0, static_cast<double>(n));
  chart.MoveTo(0, 0);
  for (std::size_t i = 1; i < n; ++i) chart.DrawTo(static_cast<double>(i), static_cast<double>(i % 977));
  chart.ShowGraf();
  ASSERT_NE(chart.Items().OrderedIndex(0), nullptr);
  // The move-to's chunk keeps kinds, the seven others none.
  EXPECT_LE(chart.Items().AllocatedBytes(), n * 16 + TZephItemList::kChunkPoints + n / 2);
  EXPECT_GE(chart.Items().AllocatedBytes(), n * 16);
}

}  // namespace
