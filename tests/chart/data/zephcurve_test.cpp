#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "zeph/chart/chartcurves.h"
#include "zeph/chart/data/curvedata_p.h"
#include "zeph/chart/itemlist.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephcurve.h"
#include "zeph/scales/zepherror.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void Configure(TZephChart& chart) {
  chart.SetBounds(0, 0, 420, 300);
  chart.Scale1X()->SetRange(0, 1000);
  chart.Scale1Y()->SetRange(-2, 2);
  chart.SetPaintSuspended(false);
}

std::vector<double> Xs(std::size_t n, double from = 0) {
  std::vector<double> x(n);
  for (std::size_t i = 0; i < n; ++i) x[i] = from + static_cast<double>(i);
  return x;
}

std::vector<double> Wave(std::size_t n) {
  std::vector<double> y(n);
  for (std::size_t i = 0; i < n; ++i) y[i] = std::sin(static_cast<double>(i) * 0.05) * 1.5;
  return y;
}

// The same points drawn as a move-to and draw-to items with the curve's style.
void AsItems(TZephChart& chart, const TZephCurve& curve) {
  chart.SetDataColor(curve.Color());
  chart.SetPenStyle(curve.PenStyle());
  chart.SetLineWidth(curve.LineWidth());
  chart.SetCurrentLayer(curve.Layer());
  for (std::size_t i = 0; i < curve.Count(); ++i) {
    const TZephItemPoint p = curve.Point(i);
    if (i == 0) {
      chart.MoveTo(p.X, p.Y);
    } else {
      chart.DrawTo(p.X, p.Y);
    }
  }
  if (curve.MarkType() != TZephCurve::kNoMark) {
    for (std::size_t i = 0; i < curve.Count(); ++i) chart.Mark(curve.Point(i).X, curve.Point(i).Y, curve.MarkType());
  }
  chart.ShowGraf();
}

TEST(CurveTest, ACurveTakesTheCurrentAttributesAndKeepsItsOwnStyle) {
  TZephChart chart;
  chart.SetDataColor(clRed);
  chart.SetPenStyle(psDash);
  chart.SetLineWidth(3);
  chart.SetCurrentLayer(2);
  TZephCurve first = chart.AddCurve(QStringLiteral("Voltage"));
  chart.SetDataColor(clBlue);
  TZephCurve second = chart.AddCurve();
  ASSERT_EQ(chart.CurveCount(), 2);
  EXPECT_EQ(chart.Curve(0), first);
  EXPECT_EQ(chart.Curve(1), second);
  EXPECT_FALSE(chart.Curve(2).IsValid());
  EXPECT_FALSE(chart.Curve(-1).IsValid());
  EXPECT_EQ(first.Name(), QStringLiteral("Voltage"));
  EXPECT_EQ(first.Color(), clRed);
  EXPECT_EQ(second.Color(), clBlue);
  EXPECT_EQ(first.PenStyle(), psDash);
  EXPECT_EQ(first.LineWidth(), 3);
  EXPECT_EQ(first.Layer(), 2);
  EXPECT_TRUE(first.Visible());
  EXPECT_EQ(first.MarkType(), TZephCurve::kNoMark);

  first.SetLayer(17);
  first.SetLayer(0);
  EXPECT_EQ(first.Layer(), 2);
  first.SetLineWidth(256);
  first.SetLineWidth(-1);
  EXPECT_EQ(first.LineWidth(), 3);
  first.SetMarkType(-2);
  first.SetMarkType(256);
  EXPECT_EQ(first.MarkType(), TZephCurve::kNoMark);
  first.SetMarkType(7);
  EXPECT_EQ(first.MarkType(), 7);
  first.SetName(QStringLiteral("Current"));
  EXPECT_EQ(chart.Curve(0).Name(), QStringLiteral("Current"));
  EXPECT_EQ(second.Color(), clBlue);

  // Items and their counters know nothing of curves; ClearGraf leaves them.
  first.Append(1, 1);
  EXPECT_EQ(chart.Items().Count(), 0);
  chart.ClearGraf();
  EXPECT_EQ(chart.CurveCount(), 2);
  EXPECT_EQ(first.Count(), 1u);
}

TEST(CurveTest, HandlesOfRemovedCurvesThrowAndTheOthersStay) {
  TZephChart chart;
  TZephCurve a = chart.AddCurve(QStringLiteral("a"));
  TZephCurve b = chart.AddCurve(QStringLiteral("b"));
  TZephCurve c = chart.AddCurve(QStringLiteral("c"));
  b.Append(1, 2);
  TZephCurve copy_of_a = a;
  a.Remove();
  EXPECT_FALSE(a.IsValid());
  EXPECT_FALSE(copy_of_a.IsValid());
  EXPECT_THROW(copy_of_a.Name(), EZephChartError);
  EXPECT_THROW(copy_of_a.SetColor(clRed), EZephChartError);
  EXPECT_THROW(copy_of_a.Append(1, 1), EZephChartError);
  EXPECT_THROW(copy_of_a.Remove(), EZephChartError);
  try {
    copy_of_a.Count();
    FAIL();
  } catch (const EZephChartError& e) {
    EXPECT_STREQ(e.what(), "The curve no longer exists");
  }
  ASSERT_EQ(chart.CurveCount(), 2);
  EXPECT_EQ(chart.Curve(0), b);
  EXPECT_EQ(chart.Curve(1), c);
  EXPECT_EQ(b.Count(), 1u);

  EXPECT_THROW(TZephCurve().Visible(), EZephChartError);
  EXPECT_FALSE(TZephCurve().IsValid());
  EXPECT_TRUE(TZephCurve() == TZephCurve());

  chart.RemoveCurves();
  EXPECT_EQ(chart.CurveCount(), 0);
  EXPECT_FALSE(b.IsValid());

  TZephCurve orphan;
  {
    TZephChart gone;
    orphan = gone.AddCurve();
  }
  EXPECT_FALSE(orphan.IsValid());
  EXPECT_THROW(orphan.Append(1, 1), EZephChartError);
}

TEST(CurveTest, BulkInputDroppingAndReadingBack) {
  TZephChart chart;
  TZephCurve curve = chart.AddCurve();
  const std::vector<double> x = Xs(5);
  const std::vector<double> y = {0, 1, 2, 3, 4};
  const std::vector<double> short_y = {0, 1};
  try {
    curve.Append(x, short_y);
    FAIL();
  } catch (const EZephChartError& e) {
    EXPECT_STREQ(e.what(), "Bulk input needs as many x values as y values, not 5 and 2");
  }
  EXPECT_EQ(curve.Count(), 0u);
  curve.Append(x, y);
  curve.Append(std::span<const double>(), std::span<const double>());
  ASSERT_EQ(curve.Count(), 5u);
  EXPECT_EQ(curve.Point(4).X, 4);
  EXPECT_EQ(curve.Point(4).Y, 4);
  EXPECT_THROW(curve.Point(5), EZephChartError);
  EXPECT_THROW(curve.DropOldest(6), EZephChartError);
  EXPECT_EQ(curve.Count(), 5u);
  curve.DropOldest(2);
  ASSERT_EQ(curve.Count(), 3u);
  EXPECT_EQ(curve.Point(0).X, 2);
  std::vector<double> rx(10), ry(10);
  EXPECT_EQ(curve.CopyPoints(1, rx, ry), 2u);
  EXPECT_EQ(rx[0], 3);
  EXPECT_EQ(ry[1], 4);
  EXPECT_EQ(curve.CopyPoints(3, rx, ry), 0u);
  EXPECT_THROW(curve.CopyPoints(4, rx, ry), EZephChartError);
  curve.DropOldest(3);
  EXPECT_EQ(curve.Count(), 0u);
  curve.Append(9, 9);
  EXPECT_EQ(curve.Point(0).X, 9);

  // Across chunks, dropped a chunk at a time and a point at a time, read back exactly.
  const std::size_t chunk = TZephItemList::kChunkPoints;
  const std::vector<double> big_x = Xs(3 * chunk + 17, 100);
  std::vector<double> big_y(big_x.size());
  for (std::size_t i = 0; i < big_y.size(); ++i) big_y[i] = static_cast<double>(i % 1000) / 7;
  curve.Clear();
  curve.Append(big_x, big_y);
  curve.DropOldest(chunk + 5);
  for (int i = 0; i < 1000; ++i) curve.DropOldest(1);
  const std::size_t dropped = chunk + 1005;
  ASSERT_EQ(curve.Count(), big_x.size() - dropped);
  std::vector<double> back_x(curve.Count()), back_y(curve.Count());
  ASSERT_EQ(curve.CopyPoints(0, back_x, back_y), curve.Count());
  EXPECT_TRUE(std::equal(back_x.begin(), back_x.end(), big_x.begin() + static_cast<std::ptrdiff_t>(dropped)));
  EXPECT_TRUE(std::equal(back_y.begin(), back_y.end(), big_y.begin() + static_cast<std::ptrdiff_t>(dropped)));
  EXPECT_TRUE(curve.Ordered());

  // A fixed history keeps the newest points, through bulk and single input alike.
  curve.SetHistoryLimit(1000);
  EXPECT_EQ(curve.Count(), 1000u);
  EXPECT_EQ(curve.Point(999).X, big_x.back());
  curve.Append(big_x, big_y);
  EXPECT_EQ(curve.Count(), 1000u);
  EXPECT_EQ(curve.Point(0).X, big_x[big_x.size() - 1000]);
  curve.Append(1e9, 1);
  EXPECT_EQ(curve.Count(), 1000u);
  EXPECT_EQ(curve.Point(999).X, 1e9);
  EXPECT_EQ(curve.HistoryLimit(), 1000u);

  // An x below the last makes the curve unordered; points that are no number do not.
  TZephCurve other = chart.AddCurve();
  const std::vector<double> nan_x = {1, kNaN, 2, 2, 3};
  other.Append(nan_x, nan_x);
  EXPECT_TRUE(other.Ordered());
  other.Append(2.5, 0);
  EXPECT_FALSE(other.Ordered());
  other.Clear();
  EXPECT_TRUE(other.Ordered());
}

// A bulk append takes its points' storage at once and brings the index up to them while they are
// at hand: appending in pieces must neither grow a chunk step by step (each step would leave a
// buffer resident) nor leave the next paint a pass over every point.
TEST(CurveTest, ABulkAppendTakesItsStorageAtOnceAndIndexesItsPoints) {
  TZephChart chart;
  TZephCurve curve = chart.AddCurve();
  const std::size_t n = 100000;  // less than a chunk, more than a piece
  curve.Append(Xs(n), Wave(n));
  const TZephCurveData& data = *chart.Items().Curves().front();
  EXPECT_EQ(data.points.AllocatedBytes(), n * sizeof(TZephItemPoint));
  EXPECT_EQ(data.index.Built(), n);
  EXPECT_TRUE(data.index.Ordered());
  // Beyond the first chunk: whole chunks, every point indexed.
  curve.Append(Xs(2 * n, static_cast<double>(n)), Wave(2 * n));
  EXPECT_EQ(data.points.AllocatedBytes(), 3 * TZephItemList::kChunkPoints * sizeof(TZephItemPoint));
  EXPECT_EQ(data.index.Built(), 3 * n);
}

// A curve object draws exactly what the same points as move-to and draw-to items draw.
TEST(CurveTest, ACurveDrawsTheSamePixelsAsItsPointsAsItems) {
  std::mt19937 random(5);
  const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDotDot, psClear};
  for (const qreal ratio : {1.0, 1.5, 2.0}) {
    for (const TPenStyle style : styles) {
      for (int width : {1, 3}) {
        TZephChart with_curve;
        TZephChart with_items;
        Configure(with_curve);
        Configure(with_items);
        with_curve.SetRenderRatio(ratio);
        with_items.SetRenderRatio(ratio);
        // Items before the curve, to show that the curve starts a line of its own.
        for (TZephChart* chart : {&with_curve, &with_items}) {
          chart->SetDataColor(clGreen);
          chart->MoveTo(0, 0);
          chart->DrawTo(500, 1);
        }
        with_curve.SetDataColor(clBlue);
        with_curve.SetPenStyle(style);
        with_curve.SetLineWidth(width);
        TZephCurve curve = with_curve.AddCurve();
        const std::size_t n = 5000 + random() % 3000;
        std::vector<double> x = Xs(n, -2000);
        std::vector<double> y = Wave(n);
        for (double& v : x) v *= 0.7;
        y[n / 3] = kNaN;
        x[n / 2] = kNaN;
        curve.Append(x, y);
        curve.DropOldest(1234);
        if (style == psClear) curve.SetMarkType(8);
        with_curve.ShowGraf();
        AsItems(with_items, curve);
        ASSERT_EQ(with_curve.ChartAreaImage(), with_items.ChartAreaImage())
            << "ratio " << ratio << ", style " << int{style} << ", width " << width << ": "
            << SaveArtefact(with_curve.ChartAreaImage(), QStringLiteral("curve_drawn.png")).toStdString();
      }
    }
  }
}

TEST(CurveTest, ACurveColourTakesATColorAQColorAndAQtColourName) {
  TZephChart chart;
  Configure(chart);
  TZephCurve curve = chart.AddCurve();
  curve.Append(Xs(1000), Wave(1000));
  const std::pair<TColorArg, TColor> forms[] = {{clBlue, clBlue}, {QColor(0, 128, 0), clGreen}, {Qt::red, clRed}};
  for (const auto& [color, drawn] : forms) {
    curve.SetColor(color);
    chart.ShowGraf();
    const QImage& image = chart.ChartAreaImage();
    EXPECT_GT(CountPixels(image, drawn, 0, 0, image.width(), image.height()), 300) << drawn;
  }
}

// A chart whose first content is a short curve: its first segment starts the pen, as a move-to does.
TEST(CurveTest, AShortFirstCurveDrawsEverySegment) {
  for (const qreal ratio : {1.0, 2.0}) {
    for (int width : {1, 2}) {
      for (const std::vector<double>& x : {std::vector<double>{0, 1000}, std::vector<double>{100, 400, 900}}) {
        TZephChart with_curve;
        TZephChart with_items;
        Configure(with_curve);
        Configure(with_items);
        with_curve.SetRenderRatio(ratio);
        with_items.SetRenderRatio(ratio);
        with_curve.SetDataColor(clBlue);
        with_curve.SetLineWidth(width);
        TZephCurve curve = with_curve.AddCurve();
        const std::vector<double> y(x.size() == 2 ? std::vector<double>{-1.8, 1.6} : std::vector<double>{-1, 1.5, -0.5});
        curve.Append(x, y);
        with_curve.ShowGraf();
        AsItems(with_items, curve);
        const QImage drawn = with_curve.ChartAreaImage();
        EXPECT_GT(CountPixels(drawn, clBlue, 0, 0, drawn.width(), drawn.height()), 100) << "ratio " << ratio;
        EXPECT_EQ(drawn, with_items.ChartAreaImage())
            << "ratio " << ratio << ", width " << width << ", " << x.size() << " points: "
            << SaveArtefact(drawn, QStringLiteral("short_curve_drawn.png")).toStdString();
      }
    }
  }
}

TEST(CurveTest, RestylingRepaintsUnderAutoRedrawAndSharingChartsDrawTheCurve) {
  TZephChart chart;
  Configure(chart);
  TZephChart user;
  Configure(user);
  user.SetUseDataOf(&chart);
  chart.SetDataColor(clRed);
  TZephCurve curve = chart.AddCurve();
  curve.Append(Xs(1000), Wave(1000));
  chart.ShowGraf();
  const QImage shown = chart.ChartAreaImage().copy();
  EXPECT_GT(CountPixels(shown, clRed, 0, 0, shown.width(), shown.height()), 300);
  EXPECT_GT(CountPixels(user.ChartAreaImage(), clRed, 0, 0, shown.width(), shown.height()), 300);

  curve.SetVisible(false);
  EXPECT_EQ(CountPixels(chart.ChartAreaImage(), clRed, 0, 0, shown.width(), shown.height()), 0);
  EXPECT_EQ(CountPixels(user.ChartAreaImage(), clRed, 0, 0, shown.width(), shown.height()), 0);
  curve.SetVisible(true);
  curve.SetColor(clBlue);
  EXPECT_EQ(CountPixels(chart.ChartAreaImage(), clRed, 0, 0, shown.width(), shown.height()), 0);
  EXPECT_GT(CountPixels(chart.ChartAreaImage(), clBlue, 0, 0, shown.width(), shown.height()), 300);

  // Without AutoRedraw the change waits for the next paint.
  chart.SetAutoRedraw(false);
  curve.SetColor(clRed);
  EXPECT_EQ(CountPixels(chart.ChartAreaImage(), clRed, 0, 0, shown.width(), shown.height()), 0);
  chart.Paint();
  EXPECT_EQ(chart.ChartAreaImage(), shown);
  chart.SetAutoRedraw(true);

  // A hidden layer hides its curves; a removed curve is gone from every chart of the group.
  chart.SetLayerVisible(1, false);
  chart.Paint();
  EXPECT_EQ(CountPixels(chart.ChartAreaImage(), clRed, 0, 0, shown.width(), shown.height()), 0);
  chart.SetLayerVisible(1, true);
  curve.Remove();
  EXPECT_EQ(user.CurveCount(), 0);
  EXPECT_EQ(CountPixels(user.ChartAreaImage(), clRed, 0, 0, shown.width(), shown.height()), 0);
}

// Charts that leave a data group keep the curves they showed, as curves of their own.
TEST(CurveTest, ChartsLeavingADataGroupKeepTheCurvesAsTheirOwn) {
  auto owner = std::make_unique<TZephChart>();
  Configure(*owner);
  TZephChart first;
  TZephChart second;
  Configure(first);
  Configure(second);
  first.SetUseDataOf(owner.get());
  second.SetUseDataOf(owner.get());
  owner->SetDataColor(clRed);
  owner->AddCurve().Append(Xs(1000), Wave(1000));
  owner->ShowGraf();
  second.SetUseDataOf(nullptr);
  owner.reset();
  for (TZephChart* chart : {&first, &second}) {
    ASSERT_EQ(chart->CurveCount(), 1);
    TZephCurve curve = chart->Curve(0);
    ASSERT_TRUE(curve.IsValid());
    EXPECT_EQ(curve.Count(), 1000u);
    // The setter repaints the chart that holds the curve now.
    curve.SetColor(clBlue);
    const QImage& image = chart->ChartAreaImage();
    EXPECT_EQ(CountPixels(image, clRed, 0, 0, image.width(), image.height()), 0);
    EXPECT_GT(CountPixels(image, clBlue, 0, 0, image.width(), image.height()), 300);
  }
  // Each holds a copy of its own.
  EXPECT_FALSE(first.Curve(0) == second.Curve(0));
}

// What screen readers and listeners read: curve objects after the items, their finite points.
TEST(CurveTest, ReadersMeetCurveObjectsAfterTheItems) {
  TZephChart chart;
  chart.MoveTo(0, 0);
  chart.DrawTo(1, 1);
  TZephCurve curve = chart.AddCurve();
  const std::vector<double> x = {2, 3, 4};
  const std::vector<double> y = {5, kNaN, 6};
  curve.Append(x, y);
  std::vector<TChartCurve> curves = ChartCurves(chart);
  ASSERT_EQ(curves.size(), 2u);
  ASSERT_EQ(curves[1].Points.size(), 2u);
  EXPECT_EQ(curves[1].Points[1], QPointF(4, 6));
  curve.SetVisible(false);
  EXPECT_EQ(ChartCurves(chart).size(), 1u);
  curve.SetVisible(true);
  curve.SetLayer(2);
  EXPECT_EQ(ChartCurves(chart).size(), 1u);
}

}  // namespace
