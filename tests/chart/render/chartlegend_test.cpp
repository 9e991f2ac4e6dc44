#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSvgGenerator>

#include "common/image_probe.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

// A chart of 400 x 300 (chart area x 50..380, y 20..260) with two named curve objects, a blue
// line and a dashed red one carrying marks, and an unnamed green one.
class ChartLegendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_.SetBounds(0, 0, 400, 300);
    chart_.SetLayerRange(1, 0, 0, 10, 1);
    chart_.SetDataColor(Qt::blue);
    TZephCurve magnitude = chart_.AddCurve(QStringLiteral("|H(f)|"));
    for (int x = 0; x <= 10; ++x) magnitude.Append(x, 0.1 + 0.08 * x);
    chart_.SetDataColor(Qt::red);
    chart_.SetPenStyle(psDash);
    TZephCurve phase = chart_.AddCurve(QStringLiteral("φ(f) in °"));
    phase.SetMarkType(3);
    for (double x : {0.0, 5.0, 10.0}) phase.Append(x, 0.9 - 0.08 * x);
    chart_.SetPenStyle(psSolid);
    chart_.SetDataColor(clGreen);
    TZephCurve unnamed = chart_.AddCurve();
    unnamed.Append(0, 0.02);
    unnamed.Append(10, 0.02);
    chart_.ShowGraf();
    plain_ = chart_.ControlImage().copy();
  }
  // The first pixel of a colour in a part of the control image, scanning rows from the top.
  QPoint Find(TColor color, const QRect& part) const {
    const QImage& image = chart_.ControlImage();
    for (int y = part.top(); y <= part.bottom(); ++y)
      for (int x = part.left(); x <= part.right(); ++x)
        if (PixelAt(image, x, y) == color) return {x, y};
    return {-1, -1};
  }
  void Click(QPoint at) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, at, chart_.mapToGlobal(QPointF(at)), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(&chart_, &event);
    }
  }

  TZephChart chart_;
  QImage plain_;
};

TEST_F(ChartLegendTest, HiddenUntilShownThenABoxInTheCornerWithEachCurvesPenAndName) {
  EXPECT_FALSE(chart_.Legend()->Visible());
  chart_.Legend()->SetVisible(true);
  const QImage& image = chart_.ControlImage();
  SaveArtefact(image, QStringLiteral("legend.png"));
  // The box's right edge stands 6 pixels inside the frame, its top 6 pixels below it.
  EXPECT_EQ(PixelAt(image, 374, 26), clBlack);
  EXPECT_EQ(PixelAt(image, 375, 27), PixelAt(plain_, 375, 27));
  int box_left = 374;
  while (PixelAt(image, box_left - 1, 26) == clBlack) --box_left;
  int box_bottom = 26;
  while (PixelAt(image, 374, box_bottom + 1) == clBlack) ++box_bottom;
  ASSERT_LT(box_left, 330);
  ASSERT_GT(box_bottom, 40);
  const QRect inside(box_left + 1, 27, 374 - box_left - 1, box_bottom - 27);
  // Blue line sample above the red one, the red one dashed with its mark; the names in dark text;
  // the unnamed curve is not listed.
  const QPoint blue = Find(clBlue, inside);
  const QPoint red = Find(clRed, inside);
  ASSERT_NE(blue.x(), -1);
  ASSERT_NE(red.x(), -1);
  EXPECT_LT(blue.y(), red.y());
  // With a dashed curve listed, every sample is long enough to show a dash pattern.
  EXPECT_EQ(CountPixels(image, clBlue, box_left + 4, blue.y(), box_left + 58, blue.y() + 1), 53);
  EXPECT_LT(CountPixels(image, clRed, box_left + 4, red.y(), box_left + 58, red.y() + 1), 53);
  EXPECT_GT(CountDark(image, box_left + 34, 27, 374, box_bottom), 30);
  EXPECT_EQ(Find(clGreen, inside).x(), -1);
  // Outside the box the chart is as before.
  EXPECT_EQ(image.copy(0, 0, box_left - 1, 300), plain_.copy(0, 0, box_left - 1, 300));

  // Exports hold it too.
  QImage exported(400, 300, QImage::Format_RGB32);
  {
    TCanvas canvas(&exported);
    chart_.PaintTo(canvas, 0, 0);
  }
  EXPECT_EQ(exported, chart_.ControlImage());
  QBuffer svg_data;
  svg_data.open(QIODevice::WriteOnly);
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&svg_data);
    svg.setSize(QSize(400, 300));
    TCanvas canvas(&svg, true);
    chart_.PaintTo(canvas, 0, 0);
  }
  EXPECT_TRUE(QString::fromUtf8(svg_data.data()).contains(QStringLiteral("|H(f)|")));

  // A curve named later joins the legend.
  chart_.Curve(2).SetName(QStringLiteral("0 dB"));
  EXPECT_NE(Find(clGreen, QRect(box_left, 27, 374 - box_left, box_bottom - 10)).x(), -1);
}

TEST_F(ChartLegendTest, AClickOnALineHidesItsCurveAndASecondShowsIt) {
  chart_.Legend()->SetVisible(true);
  QSignalSpy toggled(chart_.Legend(), &TChartLegend::CurveToggled);
  const QRect legend(200, 27, 174, 60);
  const QPoint red = Find(clRed, legend);
  ASSERT_NE(red.x(), -1);
  // The red curve crosses the area's middle (x 150..240): there before, gone after the click.
  EXPECT_GT(CountPixels(chart_.ControlImage(), clRed, 150, 21, 240, 259), 20);
  Click(red + QPoint(40, 0));
  ASSERT_EQ(toggled.count(), 1);
  EXPECT_EQ(toggled.at(0).at(0).toInt(), 1);
  EXPECT_FALSE(toggled.at(0).at(1).toBool());
  EXPECT_FALSE(chart_.Curve(1).Visible());
  EXPECT_EQ(CountPixels(chart_.ControlImage(), clRed, 51, 21, 379, 259), 0);
  // The blue curve stays; the press started nothing else.
  EXPECT_GT(CountPixels(chart_.ControlImage(), clBlue, 150, 21, 240, 259), 20);
  Click(red + QPoint(40, 0));
  EXPECT_TRUE(chart_.Curve(1).Visible());
  EXPECT_GT(CountPixels(chart_.ControlImage(), clRed, 150, 21, 240, 259), 20);
  // A click beside the legend is an ordinary press.
  Click(QPoint(100, 200));
  EXPECT_EQ(toggled.count(), 2);
}

TEST_F(ChartLegendTest, StandsInEveryCornerOrRightOfTheChartArea) {
  chart_.Legend()->SetVisible(true);
  chart_.Legend()->SetPosition(TChartLegend::lpBottomLeft);
  const QImage& image = chart_.ControlImage();
  EXPECT_EQ(PixelAt(image, 56, 254), clBlack);
  EXPECT_NE(Find(clBlue, QRect(57, 200, 60, 53)).x(), -1);

  chart_.SetRRim(140);
  chart_.Legend()->SetPosition(TChartLegend::lpOutsideRight);
  // The chart area now ends at x 260; the box starts 8 pixels right of it, level with its top.
  ASSERT_EQ(chart_.ChartWidth(), 210);
  EXPECT_EQ(PixelAt(chart_.ControlImage(), 268, 20), clBlack);
  EXPECT_NE(Find(clBlue, QRect(269, 21, 120, 40)).x(), -1);
  // It follows the curves: a hidden one loses its sample there and its line in the chart.
  chart_.Curve(0).SetVisible(false);
  EXPECT_EQ(Find(clBlue, QRect(0, 0, 400, 300)).x(), -1);
}

// The dash patterns of one-pixel pens, in pixels on and off.
std::vector<int> Pattern(TPenStyle style) {
  switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

// Whether the pattern is on at pixel k of a line.
bool On(const std::vector<int>& pattern, int k) {
  int period = 0;
  for (int length : pattern) period += length;
  k %= period;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (k < pattern[i]) return i % 2 == 0;
    k -= pattern[i];
  }
  return false;
}

TEST(ChartLegendPenTest, ADashedCurvesSampleShowsItsPatternFromTheMarkOutward) {
  for (const TPenStyle style : {psDash, psDot, psDashDot, psDashDotDot}) {
    for (const int mark : {-1, 3}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(style)) + ", mark " + std::to_string(mark));
      TZephChart chart;
      chart.SetBounds(0, 0, 400, 300);
      chart.SetLayerRange(1, 0, 0, 10, 1);
      chart.SetDataColor(Qt::red);
      chart.SetPenStyle(style);
      // Its points lie outside the range: the legend's sample is the only red on the chart.
      TZephCurve curve = chart.AddCurve(QStringLiteral("dashed"));
      curve.SetMarkType(mark);
      curve.Append(20, 0.5);
      curve.Append(30, 0.5);
      chart.Legend()->SetVisible(true);
      const QImage& image = chart.ControlImage();
      int left = image.width();
      int right = -1;
      int row = -1;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
          if (PixelAt(image, x, y) == clRed) {
            if (row == -1 || mark < 0) row = y;
            left = std::min(left, x);
            right = std::max(right, x);
          }
      ASSERT_NE(row, -1);
      // 53 pixels at most, 26 each way from the middle: the pattern begins under the mark and
      // shows its gaps on both sides of it.
      const int centre = (left + right) / 2;
      if (mark < 0) {
        EXPECT_EQ(left + 26, centre);
      }
      if (mark >= 0) row += 3;  // below the plus's upper arm: its middle row
      std::string shown;
      std::string expected;
      for (int d = -26; d <= 26; ++d) {
        const bool under_mark = mark >= 0 && std::abs(d) <= 3;
        shown += PixelAt(image, centre + d, row) == clRed ? '#' : '.';
        expected += under_mark || On(Pattern(style), std::abs(d)) ? '#' : '.';
      }
      EXPECT_EQ(shown, expected);
      // At least a gap and another dash on either side of the middle one.
      int dashes = 0;
      for (std::size_t i = 0; i < shown.size(); ++i) dashes += shown[i] == '#' && (i == 0 || shown[i - 1] == '.');
      EXPECT_GE(dashes, 3) << shown;
      SaveArtefact(image.copy(QRect(left - 8, row - 10, 120, 20)).scaled(480, 80),
                   QStringLiteral("legend_pen_%1_%2.png").arg(static_cast<int>(style)).arg(mark));
    }
  }

  // A wider pen draws a solid line, in the chart as in its sample, which keeps the solid length.
  const auto legend_of = [](TPenStyle style) {
    TZephChart chart;
    chart.SetBounds(0, 0, 400, 300);
    chart.SetDataColor(Qt::red);
    chart.SetPenStyle(style);
    chart.SetLineWidth(3);
    chart.AddCurve(QStringLiteral("wide")).Append(20, 0.5);
    chart.Legend()->SetVisible(true);
    return chart.ControlImage().copy();
  };
  const QImage wide_dashed = legend_of(psDash);
  EXPECT_GT(CountPixels(wide_dashed, clRed, 0, 0, 400, 300), 3 * 24);
  EXPECT_EQ(wide_dashed, legend_of(psSolid));
}

}  // namespace
