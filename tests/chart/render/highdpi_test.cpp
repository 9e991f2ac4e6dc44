#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <cmath>

#include "app/varactormodel.h"
#include "zeph/chart/zephchart.h"
#include "common/image_probe.h"
#include "chart/main_window_charts.h"

using namespace zeph;

namespace {

// The device pixel where a control pixel begins at a ratio.
int Device(int logical, qreal ratio) { return static_cast<int>(std::floor(logical * ratio + 1e-9)); }

// Of the aligned 2 x 2 blocks in the region that hold a pixel of the colour (or dark ones, for
// text), how many are not one colour throughout: a picture magnified from half the pixels has none.
struct Blocks {
  int touched = 0;
  int mixed = 0;
};

Blocks CountBlocks(const QImage& image, QRect region, const std::function<bool(QRgb)>& ink) {
  Blocks blocks;
  for (int y = region.top() & ~1; y + 1 <= region.bottom(); y += 2) {
    for (int x = region.left() & ~1; x + 1 <= region.right(); x += 2) {
      const QRgb a = image.pixel(x, y);
      const QRgb b = image.pixel(x + 1, y);
      const QRgb c = image.pixel(x, y + 1);
      const QRgb d = image.pixel(x + 1, y + 1);
      if (!ink(a) && !ink(b) && !ink(c) && !ink(d)) continue;
      ++blocks.touched;
      if (a != b || a != c || a != d) ++blocks.mixed;
    }
  }
  return blocks;
}

bool IsCurve(QRgb rgb) { return qBlue(rgb) > 128 && qRed(rgb) < 128 && qGreen(rgb) < 128; }
bool IsDark(QRgb rgb) { return qGray(rgb) < 160; }

class HighDpiTest : public ::testing::TestWithParam<qreal> {
 protected:
  void SetUp() override {
    chart_test::ConfigureLikeCapacitanceChart(chart_);
    chart_.SetPaintSuspended(false);
  }
  void Plot(int position) {
    chart_.ClearGraf();
    chart_.SetDataColor(varactor::kCurveColor);
    const std::vector<varactor::CurvePoint> curve = varactor::CapacitanceCurve(position);
    chart_.MoveTo(curve.front().x, curve.front().y);
    for (const varactor::CurvePoint& p : curve) chart_.DrawTo(p.x, p.y);
    chart_.ShowGraf();
  }
  TZephChart chart_;
};

TEST_P(HighDpiTest, GeometryGrowsByTheRatioAndStaysSharp) {
  const qreal r = GetParam();
  chart_.SetRenderRatio(r);
  Plot(0);
  const QImage& image = chart_.ControlImage();
  SaveArtefact(image, QStringLiteral("chart_ratio_%1.png").arg(r));
  ASSERT_EQ(image.devicePixelRatio(), r);
  ASSERT_EQ(image.size(), QSize(DeviceExtent(chart_test::kChartWidth, r), DeviceExtent(chart_test::kChartHeight, r)));

  // The frame on the chart area's edges, the window colour outside, each line as
  // thick as one pixel at the ratio, everywhere alike.
  const int left = chart_.LRim();
  const int right = left + chart_.ChartWidth();
  const int top = chart_.TRim();
  const int bottom = top + chart_.ChartHeight();
  const int thickness = static_cast<int>(std::round(r));
  for (int y : {(top + bottom) / 2, (top + bottom) / 2 + 1}) {
    const int dy = Device(y, r) + 1;
    EXPECT_NE(PixelAt(image, Device(right, r) - 1, dy), clBlack);
    EXPECT_EQ(CountPixels(image, clBlack, Device(right, r), dy, Device(right, r) + thickness, dy + 1), thickness);
    EXPECT_EQ(PixelAt(image, Device(right, r) + thickness, dy), ColorToRGB(clBtnFace));
  }
  for (int x : {(left + right) / 2, (left + right) / 2 + 1}) {
    const int dx = Device(x, r) + 1;
    EXPECT_EQ(CountPixels(image, clBlack, dx, Device(top, r), dx + 1, Device(top, r) + thickness), thickness);
    EXPECT_NE(PixelAt(image, dx, Device(top, r) + thickness), clBlack);
  }

  // The long tick under x = 2 reaches 7 pixels, scaled, below the axis.
  const int tick_x = Device(chart_.WorldToPixel(1, 2, 1).x(), r);
  int tick = 0;
  for (int y = Device(bottom, r) + 1; y < image.height() && PixelAt(image, tick_x, y) == clBlack; ++y) ++tick;
  EXPECT_NEAR(tick, 7 * r - 1, 1.0);

  // The curve where its points map, scaled.
  for (const varactor::CurvePoint& p : {varactor::CapacitanceCurve(0)[20], varactor::CapacitanceCurve(0)[70]}) {
    const QPoint at = chart_.WorldToPixel(1, p.x, p.y);
    int blue = 0;
    for (int y = Device(at.y(), r) - 2; y <= Device(at.y(), r) + 2 + static_cast<int>(r); ++y)
      for (int x = Device(at.x(), r) - 2; x <= Device(at.x(), r) + 2 + static_cast<int>(r); ++x)
        blue += IsCurve(image.pixel(x, y)) ? 1 : 0;
    EXPECT_GT(blue, 0) << p.x;
  }

  // Curve and labels are drawn at the device's resolution, not magnified.
  const Blocks curve = CountBlocks(image, QRect(Device(left, r) + 4, Device(top, r) + 4, Device(right - left, r) - 8,
                                               Device(bottom - top, r) - 8),
                                   IsCurve);
  ASSERT_GT(curve.touched, 50);
  EXPECT_GT(curve.mixed * 4, curve.touched) << curve.mixed << " of " << curve.touched;
  const int below = Device(bottom, r) + 2;
  const Blocks labels = CountBlocks(image, QRect(0, below, image.width(), image.height() - below), IsDark);
  ASSERT_GT(labels.touched, 20);
  EXPECT_GT(labels.mixed * 2, labels.touched) << labels.mixed << " of " << labels.touched;
}

INSTANTIATE_TEST_SUITE_P(Ratios, HighDpiTest, ::testing::Values(1.5, 2.0));

TEST(HighDpiRatioTest, ChangingTheRatioRedrawsAndRatioOneIsAsBefore) {
  TZephChart chart;
  chart_test::ConfigureLikeProfileChart(chart);
  chart.SetPaintSuspended(false);
  chart.Paint();
  const QImage before = chart.ControlImage().copy();
  ASSERT_EQ(before.devicePixelRatio(), 1);
  chart.SetRenderRatio(2);
  EXPECT_EQ(chart.ControlImage().size(), before.size() * 2);
  chart.SetRenderRatio(1);
  EXPECT_EQ(chart.ControlImage(), before);
  // Following the screen again: the offscreen screen has ratio 1.
  chart.SetRenderRatio(2);
  chart.SetRenderRatio(0);
  EXPECT_EQ(chart.RenderRatio(), chart.devicePixelRatioF());
  EXPECT_EQ(chart.ControlImage(), before);
}

TEST(HighDpiRatioTest, TheMouseMovesWhatItPointsAtOnTheFinerImage) {
  TZephChart chart;
  chart.SetBounds(0, 0, 400, 300);
  chart.Scale1X()->SetRange(0, 10);
  chart.Scale1Y()->SetRange(0, 1);
  chart.SetPaintSuspended(false);
  chart.SetRenderRatio(2);
  chart.CrossHair1()->SetMode(chVert);
  chart.CrossHair1()->SetPosX(5);  // x pixel 215
  chart.SetMouseAction(maDragCrossH);
  const auto send = [&](QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons) {
    const QPointF local(x, y);
    QMouseEvent event(type, local, chart.mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&chart, &event);
  };
  send(QEvent::MouseButtonPress, 217, 150, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, 217, 150, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseMove, 116, 150, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, 116, 150, Qt::LeftButton, Qt::NoButton);
  // The mouse at control pixel 116 put the cross-hair there: x = 2, drawn at device pixel 232.
  EXPECT_NEAR(chart.CrossHair1()->PosX(), 2, 1e-9);
  const QImage& image = chart.ControlImage();
  EXPECT_EQ(PixelAt(image, 232, 300), clBlack);
  EXPECT_NE(PixelAt(image, 116, 300), clBlack);
}

}  // namespace
