#include <gtest/gtest.h>

#include "zeph/chart/zephchart.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

// Each item kind drawn once on a chart of 343 x 346 pixels with the ranges 0..10 and 0..1.
class ChartItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_.SetBounds(0, 0, 343, 346);
    chart_.Scale1X()->SetRange(0, 10);
    chart_.Scale1Y()->SetRange(0, 1);
    chart_.SetDataColor(clRed);
    chart_.SetFillColor(clYellow);
  }
  QPoint P(double x, double y) const { return chart_.WorldToPixel(1, x, y); }
  TColor At(QPoint p) const { return PixelAt(chart_.ControlImage(), p.x(), p.y()); }
  int Count(TColor color) const { return CountPixels(chart_.ControlImage(), color, 0, 0, 343, 346); }

  TZephChart chart_;
};

TEST_F(ChartItemsTest, LineAndSinglePixelLine) {
  chart_.Line(1, 0.25, 9, 0.25);
  chart_.Line(5, 0.75, 5, 0.75);
  chart_.ShowGraf();
  EXPECT_EQ(At(P(1, 0.25)), clRed);
  EXPECT_EQ(At(P(5, 0.25)), clRed);
  EXPECT_EQ(At(P(9, 0.25)), clWhite);  // the end pixel is left out
  EXPECT_EQ(At(P(5, 0.75)), clRed);
  EXPECT_EQ(Count(clRed), P(9, 0).x() - P(1, 0).x() + 1);
}

TEST_F(ChartItemsTest, RectanglesIncludeTheirFarEdges) {
  chart_.Rectangle(2, 0.2, 4, 0.6);
  chart_.Rectangle(6, 0.2, 8, 0.6, true);
  chart_.ShowGraf();
  const QPoint a = P(2, 0.6);  // top-left
  const QPoint b = P(4, 0.2);  // bottom-right
  EXPECT_EQ(At(a), clRed);
  EXPECT_EQ(At(b), clRed);
  EXPECT_EQ(At((a + b) / 2), clYellow);
  EXPECT_EQ(At(b + QPoint(1, 0)), clWhite);
  const QPoint c = P(6, 0.6);
  const QPoint d = P(8, 0.2);
  EXPECT_EQ(At(d), clRed);
  EXPECT_EQ(At((c + d) / 2), clWhite);  // transparent: outline only
}

TEST_F(ChartItemsTest, FramedRectangleEdges) {
  chart_.FramedRect(2, 0.2, 4, 0.6, fsLowered, clLime, clBlue);
  chart_.FramedRect(6, 0.2, 8, 0.6, fsRaised, clLime, clBlue);
  chart_.ShowGraf();
  const QPoint a = P(2, 0.6);
  const QPoint b = P(4, 0.2);
  EXPECT_EQ(At(QPoint(a.x(), (a.y() + b.y()) / 2)), clLime);  // left edge
  EXPECT_EQ(At(QPoint((a.x() + b.x()) / 2, a.y())), clLime);  // top edge
  EXPECT_EQ(At(QPoint(b.x(), (a.y() + b.y()) / 2)), clBlue);  // right edge
  EXPECT_EQ(At(QPoint((a.x() + b.x()) / 2, b.y())), clBlue);  // bottom edge
  EXPECT_EQ(At((a + b) / 2), clYellow);
  const QPoint c = P(6, 0.6);
  EXPECT_EQ(At(QPoint(c.x(), (c.y() + b.y()) / 2)), clBlue);  // raised: the other way round
}

TEST_F(ChartItemsTest, Bar3DShowsFrontTopAndSide) {
  chart_.Bar3D(3, 0, 5, 0.5, 12, 45);
  chart_.ShowGraf();
  const QPoint top_left = P(3, 0.5);
  const QPoint bottom_right = P(5, 0);
  EXPECT_EQ(At((top_left + bottom_right) / 2), clYellow);
  // The top face recedes up and to the right of the front's top edge, the side face to its right.
  const int mid_x = (top_left.x() + bottom_right.x()) / 2;
  EXPECT_EQ(At(QPoint(mid_x + 4, top_left.y() - 4)), clYellow);
  EXPECT_EQ(At(QPoint(bottom_right.x() + 4, (top_left.y() + bottom_right.y()) / 2)), clYellow);
  EXPECT_EQ(At(QPoint(mid_x, top_left.y() - 12)), clWhite);
}

TEST_F(ChartItemsTest, TextItemsAreCentredVerticallyOnTheirPoint) {
  chart_.SetTextBkStyle(tbSolid);
  chart_.SetTextBkColor(clAqua);
  chart_.Text(5, 0.5, QStringLiteral("Cj(U) in pF and more than 17 characters"), 12);
  EXPECT_EQ(QString::fromUcs4(chart_.Items()[0].Text), QStringLiteral("Cj(U) in pF and m"));
  chart_.ShowGraf();
  const QPoint p = P(5, 0.5);
  EXPECT_GT(CountPixels(chart_.ControlImage(), clRed, p.x() - 80, p.y() - 12, p.x() + 80, p.y() + 12), 20);
  EXPECT_GT(CountPixels(chart_.ControlImage(), clAqua, p.x() - 80, p.y() - 12, p.x() + 80, p.y() + 12), 100);
  EXPECT_EQ(CountPixels(chart_.ControlImage(), clAqua, 0, p.y() + 14, 343, 346), 0);
}

TEST_F(ChartItemsTest, Ellipse) {
  chart_.Ellipse(5, 0.5, 2, 0.25);
  chart_.ShowGraf();
  EXPECT_EQ(At(P(5, 0.5)), clYellow);
  EXPECT_EQ(At(P(7, 0.5)), clRed);  // the far edge belongs to the ellipse
  EXPECT_EQ(At(P(5, 0.5) + QPoint(0, -(P(0, 0.5).y() - P(0, 0.75).y()))), clRed);
  EXPECT_EQ(At(P(7, 0.5) + QPoint(2, 0)), clWhite);
}

TEST_F(ChartItemsTest, RelativeMovesAndDraws) {
  chart_.MoveTo(5, 0.5);
  chart_.MoveRel(10, 0);
  chart_.DrawRel(20.4, 0);  // rounded to 20
  chart_.DrawTo(5, 0.9);    // draw-tos go on from where the relative draw ended
  chart_.ShowGraf();
  const QPoint c = P(5, 0.5);
  EXPECT_EQ(At(c + QPoint(9, 0)), clWhite);
  EXPECT_EQ(At(c + QPoint(10, 0)), clRed);
  EXPECT_EQ(At(c + QPoint(30, 0)), clRed);  // the end pixel is set
  EXPECT_EQ(At(c + QPoint(31, 0)), clWhite);
  // The draw-to goes on from the end of the relative draw.
  const QPoint mid = (c + QPoint(30, 0) + P(5, 0.9)) / 2;
  EXPECT_GT(CountPixels(chart_.ControlImage(), clRed, mid.x() - 1, mid.y() - 1, mid.x() + 2, mid.y() + 2), 0);
}

TEST_F(ChartItemsTest, ArrowsWithFilledAndOpenHeads) {
  chart_.Arrow(2, 0.3, 8, 0.3, 12);
  chart_.Arrow(2, 0.7, 8, 0.7, 12, true);
  chart_.ShowGraf();
  const QPoint head = P(8, 0.3);
  EXPECT_EQ(At(head + QPoint(-20, 0)), clRed);  // the shaft
  // The filled head: yellow inside the triangle behind the tip.
  EXPECT_EQ(At(head + QPoint(-9, 1)), clYellow);
  const QPoint open = P(8, 0.7);
  EXPECT_EQ(At(open + QPoint(-9, 1)), clWhite);
  EXPECT_EQ(At(open + QPoint(-9, 3)), clRed);  // the lower side at about 20 degrees
}

TEST_F(ChartItemsTest, MarksAndVisibility) {
  chart_.Mark(5, 0.5, 9);  // a filled 7 x 7 square
  chart_.SetClassDefault(3);
  chart_.SetDataColor(clBlue);
  chart_.Mark(2, 0.5, 9);
  chart_.SetClassVisible(3, false);
  chart_.ShowGraf();
  const QPoint p = P(5, 0.5);
  EXPECT_EQ(CountPixels(chart_.ControlImage(), clRed, p.x() - 3, p.y() - 3, p.x() + 4, p.y() + 4), 49);
  EXPECT_EQ(Count(clBlue), 0);
  chart_.SetClassVisible(3, true);
  chart_.ShowGraf();
  EXPECT_EQ(Count(clBlue), 49);
}

TEST_F(ChartItemsTest, LineWidthAndStylesChangeTheRun) {
  chart_.MoveTo(1, 0.5);
  chart_.DrawTo(4, 0.5);
  chart_.SetLineWidth(3);
  chart_.DrawTo(7, 0.5);
  chart_.SetLineWidth(1);
  chart_.SetDataColor(clBlue);
  chart_.DrawTo(9, 0.5);
  chart_.ShowGraf();
  const QPoint thin = P(2.5, 0.5);
  const QPoint wide = P(5.5, 0.5);
  EXPECT_EQ(At(thin + QPoint(0, 1)), clWhite);
  EXPECT_EQ(At(wide + QPoint(0, 1)), clRed);
  EXPECT_EQ(At(wide + QPoint(0, -1)), clRed);
  EXPECT_EQ(At(P(8, 0.5)), clBlue);
}

}  // namespace
