#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "common/image_probe.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

// The Bode plot as the documentation's page on two y axes builds it.
std::complex<double> LowPass(double f) { return 1.0 / std::complex<double>(1, f / 1000); }

void ShowBodePlot(TZephChart& chart, bool joined_axis_logarithmic) {
  chart.SetStandardLayout(zcl_X1Bottom_Y2Both);
  chart.Scale1X()->SetCaption("f / Hz");
  chart.Scale1X()->SetRange(10, 100000);
  chart.Scale1X()->SetLogarithmic(true);
  chart.Scale1Y()->SetCaption("|H| / dB");
  chart.Scale1Y()->SetRange(-45, 5);
  chart.JointLayers()->SetL02xControlledBy(1);
  if (joined_axis_logarithmic) chart.Scale2X()->SetLogarithmic(true);
  chart.Scale2Y()->SetCaption("phase / deg");
  chart.Scale2Y()->SetRange(-90, 0);
  chart.SetCurrentLayer(1);
  chart.SetDataColor(clBlue);
  for (int i = 0; i <= 300; ++i) {
    const double f = 10 * std::pow(10.0, i / 75.0);
    const double db = 20 * std::log10(std::abs(LowPass(f)));
    if (i == 0) chart.MoveTo(f, db); else chart.DrawTo(f, db);
  }
  chart.SetCurrentLayer(2);
  chart.SetDataColor(clRed);
  for (int i = 0; i <= 300; ++i) {
    const double f = 10 * std::pow(10.0, i / 75.0);
    const double degrees = std::arg(LowPass(f)) * 180 / std::numbers::pi;
    if (i == 0) chart.MoveTo(f, degrees); else chart.DrawTo(f, degrees);
  }
  chart.ShowGraf();
}

// The first column from the left in which the row holds the colour, or -1.
int FirstColumn(const QImage& image, int row, TColor color) {
  for (int x = 0; x < image.width(); ++x)
    if (PixelAt(image, x, row) == color) return x;
  return -1;
}

TEST(TwoYAxesTest, TheJoinedAxisTakesTheRangeAndTheLogarithmicSettingIsGivenToo) {
  TZephChart chart;
  chart.SetBounds(0, 0, 500, 320);
  ShowBodePlot(chart, true);
  chart.Paint();
  SaveArtefact(chart.ControlImage(), "bode_plot.png");
  EXPECT_EQ(chart.Scale2X()->RangeLow(), 10);
  EXPECT_EQ(chart.Scale2X()->RangeHigh(), 100000);
  EXPECT_TRUE(chart.Scale2Y()->Visible());
  EXPECT_FALSE(chart.Scale2X()->Visible());
  // 1 kHz, the corner: the middle of the four decades on both layers; the phase is -45 degrees
  // there, the middle of its axis, where the red curve passes through the middle column.
  const QPoint magnitude = chart.WorldToPixel(1, 1000, 0);
  const QPoint phase = chart.WorldToPixel(2, 1000, -45);
  EXPECT_EQ(phase.x(), magnitude.x());
  EXPECT_NEAR(phase.x(), chart.LRim() + chart.ChartWidth() / 2, 1);
  EXPECT_NEAR(FirstColumn(chart.ControlImage(), phase.y(), clRed), phase.x(), 2);

  // A zoom of layer 1 moves the phase with it, still logarithmic.
  chart.SetLayerRange(1, 100, -45, 10000, 5);
  EXPECT_EQ(chart.Scale2X()->RangeLow(), 100);
  EXPECT_EQ(chart.WorldToPixel(2, 1000, -45).x(), chart.WorldToPixel(1, 1000, 0).x());
}

TEST(TwoYAxesTest, AJoinedAxisLeftLinearMapsThePhaseElsewhere) {
  TZephChart chart;
  chart.SetBounds(0, 0, 500, 320);
  ShowBodePlot(chart, false);
  EXPECT_FALSE(chart.Scale2X()->Logarithmic());
  // 1 kHz lands near the left end: 1 % of the way from 10 Hz to 100 kHz.
  const int x = chart.WorldToPixel(2, 1000, -45).x();
  EXPECT_NEAR(x - chart.LRim(), 0.0099 * chart.ChartWidth(), 1);
  EXPECT_NE(x, chart.WorldToPixel(1, 1000, 0).x());
}

}  // namespace
