#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStringList>
#include <cmath>

#include "zeph/chart/interaction/chartcursors_p.h"
#include "zeph/chart/zephchart.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

// A chart of 400 x 300 pixels: chart area x 50..380 (CW 330), y 20..260 (CH 240), ranges 0..10
// and 0..1. Mouse events are sent to it directly, with the buttons they hold.
class ChartMouseTest : public ::testing::Test {
 protected:
  static constexpr int kLeft = 50;
  static constexpr int kRight = 380;
  static constexpr int kTop = 20;
  static constexpr int kBottom = 260;

  void SetUp() override {
    chart_.SetBounds(0, 0, 400, 300);
    chart_.Scale1X()->SetRange(0, 10);
    chart_.Scale1Y()->SetRange(0, 1);
    chart_.OnZoomPan = [this](QObject* sender) {
      EXPECT_EQ(sender, &chart_);
      ++zoom_pans_;
    };
  }
  void TearDown() override {
    // No test leaves an override cursor behind.
    Leave();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  }

  void Send(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons) {
    const QPointF local(x, y);
    QMouseEvent event(type, local, chart_.mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&chart_, &event);
  }
  void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    Send(QEvent::MouseButtonPress, x, y, button, button);
  }
  void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    Send(QEvent::MouseButtonRelease, x, y, button, Qt::NoButton);
  }
  void Move(int x, int y, Qt::MouseButtons buttons = Qt::NoButton) {
    Send(QEvent::MouseMove, x, y, Qt::NoButton, buttons);
  }
  void Drag(int x, int y) { Move(x, y, Qt::LeftButton); }
  void Leave() {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&chart_, &event);
  }
  // A whole drag: press, the capturing move, the dragging move, release, and the move that ends it.
  void DragFromTo(int x0, int y0, int x1, int y1) {
    Press(x0, y0);
    Drag(x0, y0);
    Drag(x1, y1);
    Release(x1, y1);
    Move(x1, y1);
  }
  double XLow() const { return chart_.Scale1X()->RangeLow(); }
  double XHigh() const { return chart_.Scale1X()->RangeHigh(); }
  double YLow() const { return chart_.Scale1Y()->RangeLow(); }
  double YHigh() const { return chart_.Scale1Y()->RangeHigh(); }

  TZephChart chart_;
  int zoom_pans_ = 0;
};

TEST_F(ChartMouseTest, ChartAreaIncludesItsEdges) {
  ASSERT_EQ(chart_.ChartWidth(), 330);
  ASSERT_EQ(chart_.ChartHeight(), 240);
  EXPECT_TRUE(chart_.InChartArea(kLeft, kTop));
  EXPECT_TRUE(chart_.InChartArea(kRight, kBottom));
  EXPECT_FALSE(chart_.InChartArea(kRight + 1, kBottom));
  EXPECT_FALSE(chart_.InChartArea(kLeft - 1, kTop));
  EXPECT_FALSE(chart_.InChartArea(kLeft, kTop - 1));
  EXPECT_FALSE(chart_.InChartArea(kLeft, kBottom + 1));
  chart_.SetShadowWidth(5);
  EXPECT_TRUE(chart_.InChartArea(kRight - 5, kBottom - 5));
  EXPECT_FALSE(chart_.InChartArea(kRight - 4, kBottom - 5));
}

TEST_F(ChartMouseTest, EveryMoveReportsItsWorldPositionAfterTheControlsOwnEvent) {
  QStringList calls;
  bool in_chart = false;
  double wx = 0;
  double wy = 0;
  chart_.OnMouseMove = [&](QObject*, TShiftState, int x, int y) { calls << QStringLiteral("move %1,%2").arg(x).arg(y); };
  chart_.OnMouseMoveInChart = [&](QObject* sender, bool inside, TShiftState shift, double x, double y) {
    EXPECT_EQ(sender, &chart_);
    EXPECT_FALSE(shift.Held(Qt::LeftButton));
    calls << QStringLiteral("in chart");
    in_chart = inside;
    wx = x;
    wy = y;
  };
  Move(kRight, kBottom);
  EXPECT_EQ(calls, QStringList({QStringLiteral("move 380,260"), QStringLiteral("in chart")}));
  EXPECT_TRUE(in_chart);
  EXPECT_NEAR(wx, 10, 1e-9);
  EXPECT_NEAR(wy, 0, 1e-9);
  Move(kRight + 1, kBottom);
  EXPECT_FALSE(in_chart);
  // Outside the chart area the values are extrapolated.
  Move(kRight + 33, kTop - 24);
  EXPECT_FALSE(in_chart);
  EXPECT_NEAR(wx, 11, 1e-9);
  EXPECT_NEAR(wy, 1.1, 1e-9);
  // The mouse-down and mouse-up events reach the control's own handlers.
  int downs = 0;
  int ups = 0;
  chart_.OnMouseDown = [&](QObject*, Qt::MouseButton b, TShiftState, int x, int) { downs += b == Qt::RightButton && x == 7; };
  chart_.OnMouseUp = [&](QObject*, Qt::MouseButton b, TShiftState, int, int y) { ups += b == Qt::RightButton && y == 9; };
  Press(7, 9, Qt::RightButton);
  Release(7, 9, Qt::RightButton);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(ups, 1);
  EXPECT_TRUE(chart_.hasMouseTracking());
}

TEST_F(ChartMouseTest, PanFollowsTheMouseFromTheFirstDraggingMove) {
  chart_.SetMouseAction(maPan);
  Press(100, 100);
  // The press is not the reference point: the first move with the button held is.
  Drag(133, 124);
  EXPECT_EQ(zoom_pans_, 0);
  Drag(166, 148);  // 33 px right (a tenth of CW), 24 px down (a tenth of CH)
  EXPECT_NEAR(XLow(), -1, 1e-12);
  EXPECT_NEAR(XHigh(), 9, 1e-12);
  EXPECT_NEAR(YLow(), 0.1, 1e-12);
  EXPECT_NEAR(YHigh(), 1.1, 1e-12);
  EXPECT_EQ(zoom_pans_, 1);
  // Steps are measured from the capture, not from the previous move.
  Drag(133, 124);
  EXPECT_NEAR(XLow(), 0, 1e-12);
  EXPECT_NEAR(YLow(), 0, 1e-12);
  // Outside the chart area no step is taken.
  Drag(kRight + 10, 124);
  EXPECT_NEAR(XLow(), 0, 1e-12);
  EXPECT_EQ(zoom_pans_, 2);
  // Releasing alone does not end the drag; the next move without the button does.
  Release(166, 124);
  Drag(166, 124);
  EXPECT_NEAR(XLow(), -1, 1e-12);
  Move(166, 124);
  Drag(199, 124);  // captures afresh
  Drag(232, 124);
  EXPECT_NEAR(XLow(), -2, 1e-12);
}

TEST_F(ChartMouseTest, HorizontalAndVerticalPanMoveOneAxis) {
  chart_.SetMouseAction(maPanHoriz);
  DragFromTo(100, 100, 133, 124);
  EXPECT_NEAR(XLow(), -1, 1e-12);
  EXPECT_NEAR(YLow(), 0, 1e-12);
  chart_.SetMouseAction(maPanVert);
  DragFromTo(100, 100, 133, 124);
  EXPECT_NEAR(XLow(), -1, 1e-12);
  EXPECT_NEAR(YLow(), 0.1, 1e-12);
}

TEST_F(ChartMouseTest, PanOnALogarithmicAxisDividesByTheRangeRatio) {
  chart_.Scale1X()->SetRange(1, 100);
  chart_.Scale1X()->SetLogarithmic(true);
  chart_.Scale1Y()->SetRange(10, 1000);
  chart_.Scale1Y()->SetLogarithmic(true);
  chart_.SetMouseAction(maPan);
  // Right by the full chart-area width: both x ends divided by 100.
  DragFromTo(kLeft, 100, kRight, 100);
  EXPECT_NEAR(XLow(), 0.01, 1e-14);
  EXPECT_NEAR(XHigh(), 1, 1e-12);
  EXPECT_NEAR(YLow(), 10, 1e-12);
  // Down by the full chart-area height: both y ends multiplied by 100.
  DragFromTo(100, kTop, 100, kBottom);
  EXPECT_NEAR(YLow(), 1000, 1e-9);
  EXPECT_NEAR(YHigh(), 100000, 1e-7);
}

TEST_F(ChartMouseTest, LayersFollowAPanOnlyThroughJoining) {
  chart_.ScaleX(2)->SetRange(0, 10);
  chart_.ScaleX(3)->SetRange(0, 10);
  chart_.JointLayers()->SetL03xControlledBy(1);
  chart_.SetMouseAction(maPanHoriz);
  DragFromTo(100, 100, 133, 100);
  EXPECT_NEAR(chart_.ScaleX(3)->RangeLow(), -1, 1e-12);
  EXPECT_EQ(chart_.ScaleX(2)->RangeLow(), 0);
  // A layer switched on for the mouse follows by itself.
  chart_.SetMouseZoomLayer(2, true);
  DragFromTo(100, 100, 133, 100);
  EXPECT_NEAR(chart_.ScaleX(2)->RangeLow(), -1, 1e-12);
  EXPECT_NEAR(chart_.ScaleX(3)->RangeLow(), -2, 1e-12);
}

TEST_F(ChartMouseTest, ZoomDragHalvesAndDoubles) {
  chart_.SetMouseAction(maZoomDrag);
  // Half the control's width to the right halves the x range around its centre.
  DragFromTo(60, 100, 260, 100);
  EXPECT_NEAR(XLow(), 2.5, 1e-12);
  EXPECT_NEAR(XHigh(), 7.5, 1e-12);
  EXPECT_NEAR(YLow(), 0, 1e-12);
  EXPECT_NEAR(YHigh(), 1, 1e-12);
  EXPECT_EQ(zoom_pans_, 1);
  // The full control height downwards doubles the y range. The capture may lie outside the
  // chart area (the mouse is held by the control), the step must not.
  const int y0 = kBottom - 300;
  Press(100, 100);
  Drag(100, y0);
  Drag(100, kBottom);
  EXPECT_NEAR(YLow(), -0.5, 1e-12);
  EXPECT_NEAR(YHigh(), 1.5, 1e-12);
  EXPECT_NEAR(XLow(), 2.5, 1e-12);
  Release(100, kBottom);
  Move(100, kBottom);
}

TEST_F(ChartMouseTest, IsometricZoomDragZoomsBothAxesAlike) {
  chart_.SetIsometric(true);
  const double y_span = YHigh() - YLow();
  chart_.SetMouseAction(maZoomDrag);
  DragFromTo(60, 200, 260, 100);  // upwards too, which the isometric rule ignores
  EXPECT_NEAR(XHigh() - XLow(), 5, 1e-12);
  EXPECT_NEAR(YHigh() - YLow(), y_span / 2, 1e-12);
}

TEST_F(ChartMouseTest, ZoomWindowTakesTheOrientationOfTheDrag) {
  chart_.SetMouseAction(maZoomWind);
  Press(kLeft, kTop);
  EXPECT_TRUE(chart_.ZoomWindowActive());
  Move(kRight, kBottom, Qt::LeftButton);
  Release(kRight, kBottom);
  EXPECT_FALSE(chart_.ZoomWindowActive());
  // Top-left to bottom-right: x as before, y reversed.
  EXPECT_NEAR(XLow(), 0, 1e-12);
  EXPECT_NEAR(XHigh(), 10, 1e-12);
  EXPECT_NEAR(YLow(), 1, 1e-12);
  EXPECT_NEAR(YHigh(), 0, 1e-12);
  EXPECT_EQ(zoom_pans_, 1);

  // The window keeping each axis's orientation: the same drag on the reversed y axis keeps it
  // reversed; a window drawn right to left keeps x normal.
  chart_.SetMouseAction(maZoomWindPos);
  Press(215, kTop);
  Move(kLeft, 140, Qt::LeftButton);
  Release(kLeft, 140);
  EXPECT_NEAR(XLow(), 0, 1e-12);
  EXPECT_NEAR(XHigh(), 5, 1e-12);
  EXPECT_NEAR(YLow(), 0.5, 1e-12);
  EXPECT_NEAR(YHigh(), 0, 1e-12);
}

TEST_F(ChartMouseTest, ZoomWindowIsClampedToTheChartArea) {
  chart_.SetMouseAction(maZoomWindPos);
  Press(215, 140);
  Move(kRight + 50, kBottom + 50, Qt::LeftButton);
  Release(kRight + 50, kBottom + 50);
  EXPECT_NEAR(XLow(), 5, 1e-12);
  EXPECT_NEAR(XHigh(), 10, 1e-12);
  EXPECT_NEAR(YLow(), 0, 1e-12);
  EXPECT_NEAR(YHigh(), 0.5, 1e-12);
}

TEST_F(ChartMouseTest, RubberBandIsInvertedOnTheImageAndTakenAway) {
  chart_.SetMouseAction(maZoomWind);
  const QImage before = chart_.ControlImage().copy();
  Press(100, 100);
  Move(200, 150, Qt::LeftButton);
  const QImage& image = chart_.ControlImage();
  // The chart area is white: the band's outline is black, its inside stays white.
  EXPECT_EQ(PixelAt(image, 150, 100), clBlack);
  EXPECT_EQ(PixelAt(image, 100, 120), clBlack);
  EXPECT_EQ(PixelAt(image, 199, 120), clBlack);
  EXPECT_EQ(PixelAt(image, 150, 149), clBlack);
  EXPECT_EQ(PixelAt(image, 150, 125), clWhite);
  // A further move erases the old rectangle and draws the new one.
  Move(120, 130, Qt::LeftButton);
  EXPECT_EQ(PixelAt(chart_.ControlImage(), 150, 100), clWhite);
  EXPECT_EQ(PixelAt(chart_.ControlImage(), 110, 100), clBlack);
  // The middle button keeps the window; the right button cancels it and leaves no trace.
  Release(120, 130, Qt::MiddleButton);
  EXPECT_TRUE(chart_.ZoomWindowActive());
  Release(120, 130, Qt::RightButton);
  EXPECT_FALSE(chart_.ZoomWindowActive());
  EXPECT_EQ(chart_.ControlImage(), before);
  EXPECT_EQ(XHigh(), 10);
  EXPECT_EQ(zoom_pans_, 0);
}

TEST_F(ChartMouseTest, EmptyZoomWindowZoomsNothing) {
  chart_.SetMouseAction(maZoomWind);
  Press(100, 100);
  Move(200, 100, Qt::LeftButton);
  Release(200, 100);
  EXPECT_FALSE(chart_.ZoomWindowActive());
  Press(100, 100);
  Release(100, 100);
  EXPECT_EQ(XLow(), 0);
  EXPECT_EQ(XHigh(), 10);
  EXPECT_EQ(YHigh(), 1);
  EXPECT_EQ(zoom_pans_, 0);
  // A press outside the chart area starts no window; nor does one in another mode.
  Press(kLeft - 1, 100);
  EXPECT_FALSE(chart_.ZoomWindowActive());
  chart_.SetMouseAction(maPan);
  Press(100, 100);
  EXPECT_FALSE(chart_.ZoomWindowActive());
}

TEST_F(ChartMouseTest, IsometricZoomWindowIsSquare) {
  chart_.SetIsometric(true);
  chart_.SetMouseAction(maZoomWindPos);
  const double x_per_pixel = (XHigh() - XLow()) / 330;
  const double y_per_pixel = (YHigh() - YLow()) / 240;
  Press(100, 100);
  Move(160, 110, Qt::LeftButton);  // the corner slides to (160, 160)
  Release(160, 110);
  EXPECT_NEAR((XHigh() - XLow()) / x_per_pixel, 60, 1e-6);
  EXPECT_NEAR((YHigh() - YLow()) / y_per_pixel, 60, 1e-6);
}

TEST_F(ChartMouseTest, DragsTheNearestCrossHair) {
  chart_.ScaleX(2)->SetRange(0, 100);
  chart_.CrossHair2()->SetMode(chVert);
  chart_.CrossHair2()->SetPosX(50);  // layer 2: x pixel 215
  chart_.CrossHair3()->SetLayer(1);
  chart_.CrossHair3()->SetMode(chHoriz);
  chart_.CrossHair3()->SetPosY(0.5);  // y pixel 140
  TCrossHair* moved = nullptr;
  chart_.OnCrossHairMove = [&](QObject* sender, TCrossHair* which) {
    EXPECT_EQ(sender, &chart_);
    moved = which;
  };
  chart_.SetMouseAction(maDragCrossH);
  // 10 px from cross-hair 2's line, 15 px from cross-hair 3's.
  Press(225, 155);
  Drag(225, 155);
  EXPECT_EQ(chart_.SelectedCrossHair(), 2);
  Drag(248, 100);
  EXPECT_EQ(moved, chart_.CrossHair2());
  EXPECT_NEAR(chart_.CrossHair2()->PosX(), 60, 1e-9);
  EXPECT_NEAR(chart_.CrossHair2()->PosY(), 2.0 / 3.0, 1e-9);
  // The image shows the cross-hair at its new place.
  EXPECT_EQ(PixelAt(chart_.ControlImage(), 248, 200), clBlack);
  Release(248, 100);
  Move(248, 100);
  // Nearer the horizontal line now.
  Press(100, 139);
  Drag(100, 139);
  EXPECT_EQ(chart_.SelectedCrossHair(), 3);
  Release(100, 139);
  Move(100, 139);
  // A tie goes to the lower number.
  chart_.CrossHair4()->SetLayer(1);
  chart_.CrossHair4()->SetMode(chBoth);
  chart_.CrossHair4()->SetPosY(0.5);
  Press(100, 145);
  Drag(100, 145);
  EXPECT_EQ(chart_.SelectedCrossHair(), 3);
}

TEST_F(ChartMouseTest, WithAllCrossHairsOffTheFirstIsDragged) {
  chart_.SetMouseAction(maDragCrossH);
  Press(100, 100);
  Drag(100, 100);
  Drag(kRight + 33, kTop);  // no area test for cross-hairs
  EXPECT_EQ(chart_.SelectedCrossHair(), 1);
  EXPECT_NEAR(chart_.CrossHair1()->PosX(), 11, 1e-9);
  EXPECT_NEAR(chart_.CrossHair1()->PosY(), 1, 1e-9);
}

TEST_F(ChartMouseTest, DragsTheNearestTextLabel) {
  TTextLabel* attached = chart_.TextLabel(4);
  attached->SetMode(tlBox);
  attached->SetCaption(QStringLiteral("attached"));
  attached->SetPosX(5);
  attached->SetPosY(0.5);  // pixel (215, 140)
  TTextLabel* fixed = chart_.TextLabel(7);
  fixed->SetMode(tlsimple);
  fixed->SetCaption(QStringLiteral("fixed"));
  fixed->SetAttachToData(false);
  fixed->SetPosX(300);
  fixed->SetPosY(60);
  chart_.TextLabel(9)->SetPosX(8);  // off: never chosen, however near
  chart_.TextLabel(9)->SetPosY(0.2);
  TTextLabel* moved = nullptr;
  chart_.OnTextLabelMove = [&](QObject*, TTextLabel* which) { moved = which; };
  chart_.SetMouseAction(maDragLabel);

  DragFromTo(290, 70, 250, 90);
  EXPECT_EQ(chart_.SelectedTextLabel(), 7);
  EXPECT_EQ(moved, fixed);
  EXPECT_EQ(fixed->PosX(), 250);  // pixels, as it is not attached to data
  EXPECT_EQ(fixed->PosY(), 90);

  DragFromTo(chart_.WorldToPixel(1, 8, 0.2).x(), chart_.WorldToPixel(1, 8, 0.2).y(), 248, 200);
  EXPECT_EQ(chart_.SelectedTextLabel(), 4);
  EXPECT_EQ(moved, attached);
  EXPECT_NEAR(attached->PosX(), 6, 1e-9);
  EXPECT_NEAR(attached->PosY(), 0.25, 1e-9);
}

TEST_F(ChartMouseTest, CursorShowsTheModeInsideTheChartArea) {
  // Fixed cursor (the default): always the default cursor.
  ASSERT_TRUE(chart_.MouseCursorFixed());
  chart_.SetMouseAction(maPan);
  Move(100, 100);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  chart_.SetMouseCursorFixed(false);
  chart_.SetMouseAction(maNone);
  Move(100, 100);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
  EXPECT_EQ(TScreenCursor::Current(), crCross);

  const struct {
    TMouseActMode mode;
    int cursor;
  } expected[] = {{maPan, crZephHand},          {maPanHoriz, crZephHand},   {maPanVert, crZephHand},
                  {maZoomWind, crZephZoomWind}, {maZoomWindPos, crZephZoomWindPos},
                  {maZoomDrag, crZephZoomDrag}};
  for (const auto& e : expected) {
    chart_.SetMouseAction(e.mode);
    Move(101, 100);
    EXPECT_EQ(TScreenCursor::Current(), e.cursor) << e.mode;
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BitmapCursor) << e.mode;
    EXPECT_EQ(QGuiApplication::overrideCursor()->pixmap().size(), QSize(32, 32)) << e.mode;
  }
  // Modes without a cursor of their own leave the cursor as it is.
  chart_.SetMouseAction(maRotate);
  Move(102, 100);
  EXPECT_EQ(TScreenCursor::Current(), crZephZoomDrag);
  // Outside the chart area, and in the dragging modes, the default cursor.
  chart_.SetMouseAction(maPan);
  Move(kRight + 1, 100);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  Move(100, 100);
  chart_.SetMouseAction(maDragCrossH);
  Move(100, 100);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  // Changing cursors replaces the override rather than stacking it; leaving removes it.
  chart_.SetMouseAction(maPan);
  for (int i = 0; i < 5; ++i) {
    Move(100 + i, 100);
    chart_.SetMouseAction(i % 2 ? maPan : maZoomWind);
  }
  Move(100, 100);
  Leave();
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  // An application cursor set by others is left alone.
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  Move(kRight + 1, 100);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QGuiApplication::restoreOverrideCursor();
}

TEST_F(ChartMouseTest, DestroyedChartTakesItsCursorAlong) {
  {
    TZephChart other;
    other.SetBounds(0, 0, 400, 300);
    other.SetMouseCursorFixed(false);
    other.SetMouseAction(maZoomDrag);
    QMouseEvent event(QEvent::MouseMove, QPointF(100, 100), QPointF(100, 100), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&other, &event);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ChartMouseTest, ChangingTheModeEndsAZoomWindow) {
  chart_.SetMouseAction(maZoomWind);
  const QImage before = chart_.ControlImage().copy();
  Press(100, 100);
  Move(200, 150, Qt::LeftButton);
  chart_.SetMouseAction(maPan);
  EXPECT_FALSE(chart_.ZoomWindowActive());
  EXPECT_EQ(chart_.ControlImage(), before);
  Release(200, 150);
  EXPECT_EQ(XHigh(), 10);
}

}  // namespace
