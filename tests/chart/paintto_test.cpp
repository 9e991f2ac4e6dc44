#include <gtest/gtest.h>

#include "chart/zephchart.h"
#include "common/image_probe.h"

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

}  // namespace
