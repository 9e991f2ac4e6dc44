#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "zeph/chart/axes/gridpositions_p.h"
#include "zeph/chart/zephchart.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

std::vector<double> Positions(double low, double high, bool log, double spacing, std::vector<double> ticks = {}) {
  TGridAxis axis;
  axis.low = low;
  axis.high = high;
  axis.logarithmic = log;
  axis.spacing = spacing;
  axis.ticks = std::move(ticks);
  return GridPositions(axis);
}

void ExpectPositions(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9 * std::fabs(expected[i]));
}

TEST(GridPositionsTest, LinearSpacing) {
  ExpectPositions(Positions(0.3, 2, false, 0.5), {0.5, 1, 1.5});
  // A negative spacing on a linear axis starts at the multiple at or below the low end.
  ExpectPositions(Positions(0.3, 2, false, -0.5), {0, 0.5, 1, 1.5});
  // The high end itself gets no line: the frame covers it.
  ExpectPositions(Positions(0, 10, false, 2.5), {0, 2.5, 5, 7.5});
}

TEST(GridPositionsTest, LogarithmicRules) {
  ExpectPositions(Positions(3, 2000, true, -1), {10, 100, 1000});
  ExpectPositions(Positions(1, 100, true, -2), {2, 5, 10, 20, 50});
  ExpectPositions(Positions(3, 30, true, -2), {5, 10, 20});
  ExpectPositions(Positions(1, 10, true, -3), {1, 2, 3, 4, 5, 6, 7, 8, 9});
  ExpectPositions(Positions(30, 100, true, -3), {30, 40, 50, 60, 70, 80, 90});
  // Other negative spacings step the rounded mantissa: 2.5 counts as 3.
  ExpectPositions(Positions(2.5, 5, true, -0.5), {2.5, 4});
  // A positive spacing on a logarithmic axis is linear.
  ExpectPositions(Positions(1, 100, true, 40), {40, 80});
}

TEST(GridPositionsTest, SpacingZeroFollowsTheScaleTicks) {
  ExpectPositions(Positions(0, 10, false, 0, {0, 2, 4, 6, 8, 10}), {0, 2, 4, 6, 8});
  // Without ticks only the low end.
  ExpectPositions(Positions(-1, 1, false, 0), {-1});
}

TEST(GridPositionsTest, AtMostAThousandLines) {
  EXPECT_EQ(Positions(0, 1e9, false, 1).size(), 1000u);
}

// Columns and rows of the chart area painted in the grid colour, at mid height and mid width.
std::vector<int> GridColumns(const TZephChart& chart, TColor color) {
  std::vector<int> xs;
  const int y = chart.TRim() + chart.ChartHeight() / 2 + 3;
  for (int x = chart.LRim(); x <= chart.LRim() + chart.ChartWidth(); ++x)
    if (PixelAt(chart.ControlImage(), x, y) == color) xs.push_back(x);
  return xs;
}

std::vector<int> GridRows(const TZephChart& chart, TColor color) {
  std::vector<int> ys;
  const int x = chart.LRim() + chart.ChartWidth() / 2 + 3;
  for (int y = chart.TRim(); y <= chart.TRim() + chart.ChartHeight(); ++y)
    if (PixelAt(chart.ControlImage(), x, y) == color) ys.push_back(y);
  return ys;
}

class ChartGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_.SetBounds(0, 0, 343, 346);
    chart_.Scale1X()->SetRange(0, 10);
    chart_.Scale1Y()->SetRange(0, 3);
    chart_.SetGridColor(clGreen);
  }
  TZephChart chart_;
};

TEST_F(ChartGridTest, LinesAtTheScaleTicksButNotAtTheHighEnd) {
  chart_.SetGridStyle(gsLines);
  const TScale* sx = chart_.ScaleControlX(1);
  ASSERT_GT(sx->NumTicks(), 2);
  std::vector<int> expected;
  for (int n = 1; n <= sx->NumTicks(); ++n) {
    const double v = sx->TickPos(n);
    if (v < 10) expected.push_back(chart_.WorldToPixel(1, v, 0).x());
  }
  // The line at the low end lies under the frame.
  expected.erase(expected.begin());
  EXPECT_EQ(GridColumns(chart_, clGreen), expected);
  EXPECT_EQ(PixelAt(chart_.ControlImage(), chart_.LRim() + chart_.ChartWidth(), 100), clBlack);

  const TScale* sy = chart_.ScaleControlY(1);
  std::vector<int> rows;
  for (int n = sy->NumTicks(); n >= 1; --n) {
    const double v = sy->TickPos(n);
    if (v > 0 && v < 3) rows.push_back(chart_.WorldToPixel(1, 0, v).y());
  }
  // The scale records a tick that is both long and short twice; its line is one line.
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  EXPECT_EQ(GridRows(chart_, clGreen), rows);
}

TEST_F(ChartGridTest, SpacingAndStyles) {
  chart_.SetGridDx(2.5);
  chart_.SetGridDy(1);
  chart_.SetGridStyle(gsVertLines);
  const std::vector<int> columns = {chart_.WorldToPixel(1, 2.5, 0).x(), chart_.WorldToPixel(1, 5, 0).x(),
                                    chart_.WorldToPixel(1, 7.5, 0).x()};
  EXPECT_EQ(GridColumns(chart_, clGreen), columns);
  EXPECT_TRUE(GridRows(chart_, clGreen).empty());

  chart_.SetGridStyle(gsHorizLines);
  const std::vector<int> rows = {chart_.WorldToPixel(1, 0, 2).y(), chart_.WorldToPixel(1, 0, 1).y()};
  EXPECT_EQ(GridRows(chart_, clGreen), rows);
  EXPECT_TRUE(GridColumns(chart_, clGreen).empty());

  // Dotted lines leave gaps; points sit only on the crossings.
  chart_.SetGridStyle(gsDotLines);
  const int x = columns[1];
  const int on = CountPixels(chart_.ControlImage(), clGreen, x, chart_.TRim() + 1, x + 1,
                             chart_.TRim() + chart_.ChartHeight());
  EXPECT_GT(on, chart_.ChartHeight() / 4);
  EXPECT_LT(on, chart_.ChartHeight() - 10);

  chart_.SetGridStyle(gsPoints);
  const QImage& image = chart_.ControlImage();
  EXPECT_EQ(CountPixels(image, clGreen, 0, 0, image.width(), image.height()), 3 * 2);
  EXPECT_EQ(PixelAt(image, columns[0], rows[0]), clGreen);
}

TEST_F(ChartGridTest, LogarithmicDecadeGrid) {
  chart_.Scale1Y()->SetRange(1, 1000);
  chart_.Scale1Y()->SetLogarithmic(true);
  chart_.SetGridDy(-1);
  chart_.SetGridStyle(gsHorizLines);
  const std::vector<int> rows = {chart_.WorldToPixel(1, 0, 100).y(), chart_.WorldToPixel(1, 0, 10).y()};
  EXPECT_EQ(GridRows(chart_, clGreen), rows);
}

}  // namespace
