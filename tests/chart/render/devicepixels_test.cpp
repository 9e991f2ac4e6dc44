#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <random>
#include <vector>

#include "common/image_probe.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephcurve.h"
#include "zeph/toolkit/linerasterizer.h"

using namespace zeph;

namespace {

constexpr std::uint32_t kBlue = 0x0000FF;

struct Curve {
  std::vector<double> x;
  std::vector<double> y;
};

// An ordered random walk over x 10..990 within y -1.5..1.5, clear of the area's frame.
Curve Walk(std::size_t n, std::mt19937& random) {
  Curve c;
  std::normal_distribution<double> step(0, 0.08);
  double y = 0;
  for (std::size_t i = 0; i < n; ++i) {
    y = std::clamp(y + step(random), -1.5, 1.5);
    c.x.push_back(10 + 980.0 * static_cast<double>(i) / static_cast<double>(n - 1));
    c.y.push_back(y);
  }
  return c;
}

void Configure(TZephChart& chart, qreal ratio) {
  chart.SetBounds(0, 0, 430, 320);
  chart.Scale1X()->SetRange(0, 1000);
  chart.Scale1Y()->SetRange(-2, 2);
  chart.SetPaintSuspended(false);
  chart.SetRenderRatio(ratio);
}

// The area as the geometry says it must look: the empty area, and over it each segment's one-pixel
// line between the device pixels of its ends, every pixel of it a square as wide as the pen.
QImage Expected(TZephChart& chart, TZephCurve& curve, const Curve& c, qreal ratio) {
  curve.SetVisible(false);
  chart.ShowGraf();
  QImage expected = chart.ChartAreaImage().copy();
  curve.SetVisible(true);
  chart.ShowGraf();
  const int brush = static_cast<int>(std::lround(ratio));
  LineRasterizer lines(expected, kBlue, psSolid, false, brush);
  const auto device = [&](double x, double y) {
    const QPointF p = chart.WorldToPixelF(1, x, y);
    const auto axis = [&](double v, int rim) {
      return static_cast<int>(std::lrint(ratio * (v - rim + 0.5) + brush / 2.0 - 1));
    };
    return QPoint(axis(p.x(), chart.LRim()), axis(p.y(), chart.TRim()));
  };
  for (std::size_t i = 1; i < c.x.size(); ++i) lines.Line(device(c.x[i - 1], c.y[i - 1]), device(c.x[i], c.y[i]));
  return expected;
}

class DeviceLinesTest : public ::testing::TestWithParam<qreal> {};

// Sparse curves take a line a segment, dense ones a column of squares per device column from their
// lowest to their highest point: both give the pixels of the segments drawn one by one, whether
// the curve is a curve object or items, in one run or split across two colours' worth of runs.
TEST_P(DeviceLinesTest, SolidCurvesAreTheSquaresOfTheirOnePixelLinesInDevicePixels) {
  const qreal ratio = GetParam();
  std::mt19937 random(7);
  for (const std::size_t n : {40u, 3000u, 200000u}) {
    const Curve c = Walk(n, random);
    TZephChart chart;
    Configure(chart, ratio);
    TZephCurve curve = chart.AddCurve(QStringLiteral("walk"));
    curve.SetColor(clBlue);
    curve.Append(c.x, c.y);
    const QImage expected = Expected(chart, curve, c, ratio);
    ASSERT_EQ(chart.ChartAreaImage().devicePixelRatio(), ratio);
    ASSERT_EQ(chart.ChartAreaImage(), expected)
        << n << " points at ratio " << ratio << ": "
        << SaveArtefact(chart.ChartAreaImage(), QStringLiteral("device_lines_curve.png")).toStdString();

    // The same points as items, the second half continuing the polyline in another run.
    TZephChart items;
    Configure(items, ratio);
    items.SetDataColor(clBlue);
    items.MoveTo(c.x[0], c.y[0]);
    for (std::size_t i = 1; i < n; ++i) {
      if (i == n / 2) items.SetPenStyle(psInsideFrame);
      items.DrawTo(c.x[i], c.y[i]);
    }
    items.ShowGraf();
    ASSERT_EQ(items.ChartAreaImage(), expected)
        << n << " points as items at ratio " << ratio << ": "
        << SaveArtefact(items.ChartAreaImage(), QStringLiteral("device_lines_items.png")).toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, DeviceLinesTest, ::testing::Values(1.5, 2.0, 3.0));

// Dashed and wide pens and the ratio 1 keep their own routes; a dashed curve at ratio 2 is not
// the solid one's squares, and ratio 1 is unchanged by the ratios in between.
TEST(DeviceLinesRouteTest, OnlySolidOnePixelPensOnFinerImagesTakeTheRoute) {
  std::mt19937 random(11);
  const Curve c = Walk(500, random);
  TZephChart chart;
  Configure(chart, 1);
  TZephCurve curve = chart.AddCurve(QStringLiteral("walk"));
  curve.SetColor(clBlue);
  curve.Append(c.x, c.y);
  chart.ShowGraf();
  const QImage at_one = chart.ChartAreaImage().copy();
  chart.SetRenderRatio(2);
  const QImage solid = Expected(chart, curve, c, 2);
  EXPECT_EQ(chart.ChartAreaImage(), solid);
  curve.SetPenStyle(psDash);
  chart.ShowGraf();
  EXPECT_NE(chart.ChartAreaImage(), solid);
  EXPECT_GT(CountPixels(chart.ChartAreaImage(), clBlue, 0, 0, chart.ChartAreaImage().width(),
                        chart.ChartAreaImage().height()),
            0);
  curve.SetPenStyle(psSolid);
  chart.SetRenderRatio(1);
  EXPECT_EQ(chart.ChartAreaImage(), at_one);
}

// A picture saved at a scale is drawn as the screen of that ratio shows the chart, curves included.
TEST(DeviceLinesRouteTest, APictureAtAScaleHasTheScreensPixels) {
  std::mt19937 random(5);
  const Curve c = Walk(20000, random);
  TZephChart chart;
  Configure(chart, 1.5);
  chart.SetGridStyle(gsLines);
  TZephCurve curve = chart.AddCurve(QStringLiteral("walk"));
  curve.SetColor(clBlue);
  curve.Append(c.x, c.y);
  chart.ShowGraf();
  const QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString file = folder.filePath(QStringLiteral("scaled.png"));
  chart.SaveAs(file, QSize(), 1.5);
  const QImage saved = QImage(file).convertToFormat(QImage::Format_RGB32);
  QImage shown = chart.ControlImage().copy();
  shown.setDevicePixelRatio(1);
  ASSERT_EQ(saved.size(), shown.size());
  EXPECT_EQ(saved, shown) << SaveArtefact(shown, QStringLiteral("device_lines_shown.png")).toStdString();
}

}  // namespace
