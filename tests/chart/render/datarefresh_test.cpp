#include <gtest/gtest.h>

#include <cmath>

#include "zeph/chart/render/dirtycolumns_p.h"
#include "zeph/chart/zephchart.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

void Configure(TZephChart& chart) {
  chart.SetBounds(0, 0, 343, 346);
  chart.SetGridStyle(gsLines);
  chart.SetGridColor(15198183);
  chart.Scale1X()->SetRange(0, 10);
  chart.Scale1Y()->SetRange(1, 100);
  chart.Scale1Y()->SetLogarithmic(true);
}

void Curve(TZephChart& chart, double scale, double offset, int width = 1) {
  chart.ClearGraf();
  chart.SetDataColor(clBlue);
  chart.SetLineWidth(width);
  for (int i = 0; i <= 100; ++i) {
    const double x = i / 10.0;
    const double y = std::exp(scale * std::sin(x + offset)) * 10;
    if (i == 0) {
      chart.MoveTo(x, y);
    } else {
      chart.DrawTo(x, y);
    }
  }
  chart.ShowGraf();
}

// A chart refreshed over and over must look exactly like a chart that drew the last curve at once.
TEST(DataRefreshTest, RefreshedCurvesLeaveNothingBehind) {
  TZephChart refreshed;
  Configure(refreshed);
  refreshed.Paint();
  Curve(refreshed, 2.0, 0.0);
  Curve(refreshed, 1.5, 1.0, 3);  // a wide pen
  Curve(refreshed, -2.0, 2.0);
  refreshed.SetClassDefault(0);
  Curve(refreshed, 1.0, 3.0);

  TZephChart fresh;
  Configure(fresh);
  Curve(fresh, 1.0, 3.0);
  fresh.Paint();
  EXPECT_EQ(refreshed.ControlImage(), fresh.ControlImage());
  EXPECT_GT(CountPixels(refreshed.ControlImage(), clBlue, 0, 0, 343, 346), 200);

  // Cross-hairs and other item kinds are drawn on the area too and must vanish as well.
  refreshed.CrossHair1()->SetMode(chBoth);
  refreshed.CrossHair1()->SetPosX(5);
  refreshed.CrossHair1()->SetPosY(10);
  Curve(refreshed, 1.0, 3.0);
  refreshed.CrossHair1()->SetMode(chOff);
  refreshed.Rectangle(2, 5, 4, 50);
  refreshed.ShowGraf();
  Curve(refreshed, 1.0, 3.0);
  EXPECT_EQ(refreshed.ControlImage(), fresh.ControlImage());
}

// A paint that changed the range (a live plot scrolling) leaves no record of its curve's pixels:
// the data refresh after it must still take the curve away, at every ratio.
TEST(DataRefreshTest, RefreshAfterAScrollLeavesNothingBehind) {
  for (const double ratio : {1.0, 1.5, 2.0}) {
    SCOPED_TRACE(ratio);
    TZephChart scrolled;
    Configure(scrolled);
    scrolled.SetRenderRatio(ratio);
    Curve(scrolled, 2.0, 0.0);
    scrolled.Scale1X()->SetRange(0.5, 10.5);
    scrolled.Paint();
    Curve(scrolled, -1.0, 3.0);

    TZephChart fresh;
    Configure(fresh);
    fresh.SetRenderRatio(ratio);
    fresh.Scale1X()->SetRange(0.5, 10.5);
    Curve(fresh, -1.0, 3.0);
    fresh.Paint();
    EXPECT_EQ(scrolled.ControlImage(), fresh.ControlImage());
  }
}

TEST(DirtyColumnsTest, RestoresTheMarkedColumnsOnly) {
  QImage empty(20, 16, QImage::Format_RGB32);
  empty.fill(Qt::white);
  QImage drawn(20, 16, QImage::Format_RGB32);
  drawn.fill(Qt::red);
  TDirtyColumns dirty;
  EXPECT_FALSE(dirty.Restore(empty, drawn));  // nothing recorded yet: it cannot tell
  dirty.Reset(20, 16);
  dirty.MarkSegment(QPoint(2, 1), QPoint(4, 3));
  dirty.MarkSegment(QPoint(-5, 15), QPoint(0, 40));  // clipped to the area
  ASSERT_TRUE(dirty.Restore(empty, drawn));
  EXPECT_EQ(CountPixels(drawn, clWhite, 0, 0, 20, 16), 3 * 3 + 1);
  EXPECT_EQ(PixelAt(drawn, 3, 2), clWhite);
  EXPECT_EQ(PixelAt(drawn, 0, 15), clWhite);
  EXPECT_EQ(PixelAt(drawn, 5, 2), clRed);
  // More than an eighth of the area is copied whole by the caller, row by row.
  drawn.fill(Qt::red);
  dirty.Reset(20, 16);
  dirty.MarkSegment(QPoint(0, 0), QPoint(19, 1));  // 2 rows of 20
  ASSERT_TRUE(dirty.Restore(empty, drawn));
  EXPECT_EQ(CountPixels(drawn, clWhite, 0, 0, 20, 16), 40);
  dirty.MarkSegment(QPoint(0, 2), QPoint(0, 3));
  EXPECT_FALSE(dirty.Restore(empty, drawn));
  dirty.MarkAll();
  EXPECT_FALSE(dirty.Restore(empty, drawn));
  dirty.Reset(5, 5);
  EXPECT_FALSE(dirty.Restore(empty, drawn));  // another size
}

}  // namespace
