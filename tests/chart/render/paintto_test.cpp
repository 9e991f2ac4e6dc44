#include <gtest/gtest.h>

#include <cmath>

#include "zeph/chart/zephchart.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

// Drawing onto someone else's canvas puts the same chart at the requested place, clipped to its
// chart area, and leaves the chart's own images as they were.
TEST(PaintToTest, DrawsTheWholeChartAtAnOffset) {
  TZephChart chart;
  chart.SetBounds(0, 0, 300, 250);
  chart.SetCaption(QStringLiteral("Title"));
  chart.SetChartFrameColor(clRed);
  chart.Scale1X()->SetRange(0, 10);
  chart.Scale1Y()->SetRange(0, 1);
  chart.SetDataColor(clBlue);
  chart.MoveTo(0, 0.5);
  chart.DrawTo(10, 0.5);
  chart.DrawTo(20, 5);  // far outside: clipped at the frame
  chart.ShowGraf();
  const QImage own = chart.ControlImage().copy();

  TBitmap target(400, 300);
  TCanvas& canvas = target.Canvas();
  canvas.SetBrushColor(clYellow);
  canvas.FillRect(0, 0, 400, 300);
  chart.PaintTo(canvas, 30, 20);
  const QImage& image = target.Image();
  EXPECT_EQ(PixelAt(image, 29, 100), clYellow);
  EXPECT_EQ(PixelAt(image, 30, 100), ColorToRGB(clBtnFace));
  const int left = 30 + chart.LRim();
  const int top = 20 + chart.TRim();
  const int right = left + chart.ChartWidth();
  const int bottom = top + chart.ChartHeight();
  EXPECT_EQ(PixelAt(image, left + 10, top), clRed);
  EXPECT_EQ(PixelAt(image, left + 10, bottom), clRed);
  EXPECT_EQ(PixelAt(image, left, top + 10), clRed);
  EXPECT_EQ(PixelAt(image, right, top + 10), clRed);
  const QPoint mid = chart.WorldToPixel(1, 5, 0.5);
  EXPECT_EQ(PixelAt(image, mid.x() + 30, mid.y() + 20), clBlue);
  // Nothing of the far-away segment lands outside the chart area.
  EXPECT_EQ(CountPixels(image, clBlue, 0, 0, 400, top), 0);
  EXPECT_EQ(CountPixels(image, clBlue, right + 1, 0, 400, 300), 0);
  // Scale labels and the caption are there: dark text pixels in the rims.
  EXPECT_GT(CountPixels(image, clBlack, 30, bottom + 2, right + 5, 20 + 250), 20);
  EXPECT_EQ(chart.ControlImage(), own);
}

// On an image, PaintTo at an offset gives exactly the control's own pixels: curves, dotted grids,
// cross-hairs and shadow included, whatever stood on the image before.
TEST(PaintToTest, OnAnImageGivesTheControlsOwnPixels) {
  TZephChart chart;
  chart.SetBounds(0, 0, 320, 240);
  chart.SetCaption(QStringLiteral("Curves"));
  chart.SetShadowWidth(5);
  chart.SetGridStyle(gsDotLines);
  chart.Scale1X()->SetRange(0, 7);
  chart.Scale1Y()->SetRange(-1.2, 1.2);
  chart.SetDataColor(clBlue);
  chart.MoveTo(0, 0);
  for (int i = 1; i <= 300; ++i) chart.DrawTo(i * 0.0233, std::sin(i * 0.0233 * 1.7) * std::cos(i * 0.011));
  chart.SetDataColor(clRed);
  chart.MoveTo(0, 1);
  for (int i = 1; i <= 40; ++i) chart.DrawTo(i * 0.17, 1 - i * 0.051);
  chart.CrossHair1()->SetMode(chBoth);
  chart.CrossHair1()->SetLineType(psDot);
  chart.CrossHair1()->SetPosX(2.3);
  chart.CrossHair1()->SetPosY(0.35);
  chart.ShowGraf();
  const QImage own = chart.ControlImage().copy();

  TBitmap target(400, 320);
  target.Canvas().SetBrushColor(clYellow);
  target.Canvas().FillRect(0, 0, 400, 320);
  chart.PaintTo(target.Canvas(), 37, 23);
  EXPECT_EQ(target.Image().copy(37, 23, 320, 240), own);
  EXPECT_EQ(PixelAt(target.Image(), 36, 100), clYellow);
  EXPECT_EQ(PixelAt(target.Image(), 357, 100), clYellow);
  EXPECT_EQ(chart.ControlImage(), own);

  // Partly off the image: what lands on it is the same.
  chart.PaintTo(target.Canvas(), -50, -40);
  EXPECT_EQ(target.Image().copy(0, 0, 270, 200), own.copy(50, 40, 270, 200));
}

}  // namespace
