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

// A chart of 400 x 300 (chart area x 50..380, y 20..260) with a blue curve and a dashed red one
// carrying marks, both named.
class ChartLegendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_.SetBounds(0, 0, 400, 300);
    chart_.SetLayerRange(1, 0, 0, 10, 1);
    chart_.ClearGraf();
    chart_.SetDataColor(Qt::blue);
    chart_.MoveTo(0, 0.1);
    chart_.DrawTo(10, 0.9);
    chart_.SetDataColor(Qt::red);
    chart_.SetPenStyle(psDash);
    chart_.MoveTo(0, 0.9);
    chart_.DrawTo(10, 0.1);
    chart_.Mark(5, 0.5, 3);
    chart_.ShowGraf();
    plain_ = chart_.ControlImage().copy();
    chart_.Legend()->SetCurveName(clBlue, QStringLiteral("|H(f)|"));
    chart_.Legend()->SetCurveName(Qt::red, QStringLiteral("φ(f) in °"));
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
  // Names alone change no pixel.
  EXPECT_EQ(chart_.ControlImage(), plain_);
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
  // Blue line sample above the red one, the red one dashed with its mark; the names in dark text.
  const QPoint blue = Find(clBlue, inside);
  const QPoint red = Find(clRed, inside);
  ASSERT_NE(blue.x(), -1);
  ASSERT_NE(red.x(), -1);
  EXPECT_LT(blue.y(), red.y());
  EXPECT_EQ(CountPixels(image, clBlue, box_left + 4, blue.y(), box_left + 29, blue.y() + 1), 24);
  EXPECT_LT(CountPixels(image, clRed, box_left + 4, red.y(), box_left + 29, red.y() + 1), 24);
  EXPECT_GT(CountDark(image, box_left + 34, 27, 374, box_bottom), 30);
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

  // A new curve run that has a name joins the legend at the next showing.
  chart_.SetDataColor(clGreen);
  chart_.SetPenStyle(psSolid);
  chart_.MoveTo(0, 0.5);
  chart_.DrawTo(10, 0.5);
  chart_.Legend()->SetCurveName(clGreen, QStringLiteral("0 dB"));
  chart_.ShowGraf();
  EXPECT_NE(Find(clGreen, QRect(box_left, 27, 374 - box_left, box_bottom - 10)).x(), -1);
}

TEST_F(ChartLegendTest, AClickOnALineHidesItsCurveAndASecondShowsIt) {
  chart_.Legend()->SetVisible(true);
  QSignalSpy hidden(chart_.Legend(), &TChartLegend::CurveHiddenChanged);
  const QRect legend(200, 27, 174, 60);
  const QPoint red = Find(clRed, legend);
  ASSERT_NE(red.x(), -1);
  // The red curve crosses the area's left part (x 60..150): there before, gone after the click.
  EXPECT_GT(CountPixels(chart_.ControlImage(), clRed, 60, 21, 150, 259), 20);
  Click(red + QPoint(40, 0));
  ASSERT_EQ(hidden.count(), 1);
  EXPECT_EQ(hidden.at(0).at(0).value<TColor>(), clRed);
  EXPECT_TRUE(hidden.at(0).at(1).toBool());
  EXPECT_TRUE(chart_.Legend()->CurveHidden(clRed));
  EXPECT_EQ(CountPixels(chart_.ControlImage(), clRed, 51, 21, 379, 259), 0);
  // The blue curve stays; the press started nothing else.
  EXPECT_GT(CountPixels(chart_.ControlImage(), clBlue, 60, 21, 150, 259), 20);
  Click(red + QPoint(40, 0));
  EXPECT_FALSE(chart_.Legend()->CurveHidden(clRed));
  EXPECT_GT(CountPixels(chart_.ControlImage(), clRed, 60, 21, 150, 259), 20);
  // A click beside the legend is an ordinary press.
  Click(QPoint(100, 200));
  EXPECT_EQ(hidden.count(), 2);
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
  // It follows new data shown with ShowGraf.
  chart_.Legend()->SetCurveHidden(clBlue, true);
  chart_.ShowGraf();
  EXPECT_EQ(Find(clBlue, QRect(0, 0, 400, 300)).x(), -1);
}

}  // namespace
