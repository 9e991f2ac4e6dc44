#include <gtest/gtest.h>

#include <limits>

#include "zeph/chart/zephchart.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

void Configure(TZephChart& chart) {
  chart.SetBounds(0, 0, 343, 346);
  chart.Scale1X()->SetRange(0, 10);
  chart.Scale1Y()->SetRange(0, 1);
  chart.SetDataColor(clRed);
  chart.SetFillColor(clYellow);
}

TEST(NonFiniteItemsTest, APolylineBreaksAtAPointThatIsNoFiniteNumber) {
  for (const TPenStyle style : {psSolid, psDot}) {
    TZephChart chart;
    Configure(chart);
    chart.SetPenStyle(style);
    chart.MoveTo(1, 0.5);
    chart.DrawTo(3, 0.5);
    chart.DrawTo(4, kNaN);
    chart.DrawTo(6, 0.25);
    chart.DrawTo(9, 0.25);
    chart.DrawTo(kInf, 0.75);
    chart.DrawTo(9, 0.75);
    chart.DrawTo(2, 0.75);
    chart.MoveTo(-kInf, 0.1);
    chart.DrawTo(5, 0.1);
    chart.DrawTo(8, 0.1);
    chart.ShowGraf();

    // The same picture drawn with move-to items where the breaks are.
    TZephChart expected;
    Configure(expected);
    expected.SetPenStyle(style);
    expected.MoveTo(1, 0.5);
    expected.DrawTo(3, 0.5);
    expected.MoveTo(6, 0.25);
    expected.DrawTo(9, 0.25);
    expected.MoveTo(9, 0.75);
    expected.DrawTo(2, 0.75);
    expected.MoveTo(5, 0.1);
    expected.DrawTo(8, 0.1);
    expected.ShowGraf();

    ASSERT_EQ(chart.ControlImage(), expected.ControlImage())
        << SaveArtefact(chart.ControlImage(), QStringLiteral("nonfinite_polyline.png")).toStdString();
    // No spike towards the chart area's edges.
    const QPoint top = chart.WorldToPixel(1, 4, 1);
    EXPECT_EQ(CountPixels(chart.ControlImage(), clRed, 0, 0, 343, top.y() + 1), 0);
  }
}

TEST(NonFiniteItemsTest, OtherItemsWithACoordinateThatIsNoFiniteNumberAreLeftOut) {
  TZephChart chart;
  Configure(chart);
  chart.Line(2, kNaN, 5, 0.5);
  chart.Line(2, 0.5, 5, -kInf);
  chart.Rectangle(kInf, 0.2, 4, 0.6);
  chart.Ellipse(5, 0.5, kNaN, 0.1);
  chart.FramedRect(1, 0.1, 2, kNaN, fsLowered, clLime, clBlue);
  chart.Bar3D(1, 0.1, kInf, 0.3, 5, 45);
  chart.Arrow(1, 1, kNaN, 0.5, 8);
  chart.Text(kNaN, 0.5, QStringLiteral("x"), 10);
  chart.Mark(5, kInf, 1);
  chart.MoveRel(kNaN, 3);
  chart.DrawRel(4, kInf);
  chart.ShowGraf();

  TZephChart empty;
  Configure(empty);
  empty.ShowGraf();
  EXPECT_EQ(chart.ControlImage(), empty.ControlImage())
      << SaveArtefact(chart.ControlImage(), QStringLiteral("nonfinite_items.png")).toStdString();
  // The items stay in the list as they were appended.
  EXPECT_EQ(chart.Items().Count(), 11);
  EXPECT_TRUE(std::isnan(chart.Items()[0].Y1));
}

}  // namespace
