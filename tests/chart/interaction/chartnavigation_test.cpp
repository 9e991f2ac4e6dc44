#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>
#include <type_traits>
#include <vector>

#include "zeph/chart/zephchart.h"

// The flags combine into the switch's type also where namespace zeph is not open.
static_assert(std::is_same_v<decltype(zeph::nvWheelZoom | zeph::nvDragPan | zeph::nvKeys), zeph::TNavigation>);

using namespace zeph;

namespace {

// A chart of 400 x 300 pixels: chart area x 50..380 (CW 330), y 20..260 (CH 240), ranges 0..10
// and 0..1 set by the application. Events go to the chart directly.
class ChartNavigationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_.SetBounds(0, 0, 400, 300);
    chart_.SetLayerRange(1, 0, 0, 10, 1);
    chart_.OnZoomPan = [this](QObject*) { ++zoom_pans_; };
  }

  void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons,
             Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const QPointF local(x, y);
    QMouseEvent event(type, local, chart_.mapToGlobal(local), button, buttons, keys);
    QApplication::sendEvent(&chart_, &event);
  }
  // Press, moves with the button held, release: the moves in between are the ones given.
  void DragPath(Qt::MouseButton button, QPoint from, std::initializer_list<QPoint> path,
                Qt::KeyboardModifiers keys = Qt::NoModifier) {
    Mouse(QEvent::MouseButtonPress, from.x(), from.y(), button, button, keys);
    QPoint last = from;
    for (QPoint p : path) {
      Mouse(QEvent::MouseMove, p.x(), p.y(), Qt::NoButton, button, keys);
      last = p;
    }
    Mouse(QEvent::MouseButtonRelease, last.x(), last.y(), button, Qt::NoButton, keys);
  }
  void Wheel(int x, int y, int notches) {
    const QPointF local(x, y);
    QWheelEvent event(local, chart_.mapToGlobal(local), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart_, &event);
  }
  void Key(int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&chart_, &event);
  }
  QPointF World(int x, int y, int layer = 1) const {
    double wx = 0;
    double wy = 0;
    chart_.PixelToWorld(layer, x, y, wx, wy);
    return {wx, wy};
  }
  void ExpectRanges(int layer, double x_low, double x_high, double y_low, double y_high) {
    EXPECT_NEAR(chart_.ScaleX(layer)->RangeLow(), x_low, 1e-9 * (1 + std::abs(x_low)));
    EXPECT_NEAR(chart_.ScaleX(layer)->RangeHigh(), x_high, 1e-9 * (1 + std::abs(x_high)));
    EXPECT_NEAR(chart_.ScaleY(layer)->RangeLow(), y_low, 1e-9 * (1 + std::abs(y_low)));
    EXPECT_NEAR(chart_.ScaleY(layer)->RangeHigh(), y_high, 1e-9 * (1 + std::abs(y_high)));
  }

  TZephChart chart_;
  int zoom_pans_ = 0;
};

TEST_F(ChartNavigationTest, OffByDefaultTheWheelAndTheOtherButtonsChangeNothing) {
  EXPECT_EQ(chart_.Navigation(), nvNone);
  Wheel(215, 140, 1);
  DragPath(Qt::MiddleButton, {100, 100}, {{150, 150}});
  DragPath(Qt::RightButton, {100, 100}, {{150, 150}});
  DragPath(Qt::LeftButton, {100, 100}, {{150, 150}});
  ExpectRanges(1, 0, 10, 0, 1);
  EXPECT_EQ(zoom_pans_, 0);
}

TEST_F(ChartNavigationTest, WheelZoomsAboutTheMouseOnLinearLogarithmicAndReversedAxes) {
  chart_.SetNavigation(nvWheelZoom);
  // At x = 1 (pixel 83), y = 0.5 (pixel 140): one notch zooms in by 0.8, the point stays put.
  Wheel(83, 140, 1);
  ExpectRanges(1, 0.2, 8.2, 0.1, 0.9);
  EXPECT_NEAR(World(83, 140).x(), 1, 1e-9);
  EXPECT_EQ(zoom_pans_, 1);
  Wheel(83, 140, -1);
  ExpectRanges(1, 0, 10, 0, 1);

  // x only; outside the chart area the wheel does nothing.
  chart_.SetNavigation(nvWheelZoomX);
  Wheel(215, 140, 2);
  ExpectRanges(1, 5 - 5 * 0.64, 5 + 5 * 0.64, 0, 1);
  Wheel(20, 140, 1);
  ExpectRanges(1, 5 - 5 * 0.64, 5 + 5 * 0.64, 0, 1);

  // Logarithmic: a decade keeps its share; the middle of 1..1000 is its geometric middle.
  chart_.SetLayerRange(1, 1, 0, 1000, 1);
  chart_.Scale1X()->SetLogarithmic(true);
  Wheel(215, 140, 1);
  ExpectRanges(1, std::pow(1000.0, 0.1), std::pow(1000.0, 0.9), 0, 1);

  // Reversed: 10 at the left; x = 9 lies at pixel 83 and stays there.
  chart_.Scale1X()->SetLogarithmic(false);
  chart_.SetLayerRange(1, 10, 0, 0, 1);
  Wheel(83, 140, 1);
  ExpectRanges(1, 9.8, 1.8, 0, 1);
  EXPECT_NEAR(World(83, 140).x(), 9, 1e-9);
}

TEST_F(ChartNavigationTest, DragPansFromThePressWithTheLeftOrMiddleButton) {
  chart_.SetNavigation(nvDragPan);
  // The first move already counts: a tenth of the chart area to the right and down.
  DragPath(Qt::LeftButton, {100, 100}, {{133, 100}});
  ExpectRanges(1, -1, 9, 0, 1);
  DragPath(Qt::MiddleButton, {100, 100}, {{100, 124}});
  ExpectRanges(1, -1, 9, 0.1, 1.1);
  EXPECT_EQ(zoom_pans_, 2);

  // With a mouse mode of its own the left button keeps it, exactly as before (the first move
  // captures); the middle button pans from the press.
  chart_.SetLayerRange(1, 0, 0, 10, 1);
  chart_.SetMouseAction(maPanHoriz);
  DragPath(Qt::LeftButton, {100, 100}, {{133, 100}});
  ExpectRanges(1, 0, 10, 0, 1);
  // In the mouse modes the first move without the button ends the drag, not the release.
  Mouse(QEvent::MouseMove, 133, 100, Qt::NoButton, Qt::NoButton);
  DragPath(Qt::LeftButton, {100, 100}, {{100, 100}, {133, 100}});
  ExpectRanges(1, -1, 9, 0, 1);
  DragPath(Qt::MiddleButton, {100, 100}, {{133, 124}});
  ExpectRanges(1, -2, 8, 0.1, 1.1);
}

TEST_F(ChartNavigationTest, PannedContentStaysUnderTheMouseOnLogarithmicAndReversedAxes) {
  chart_.SetNavigation(nvDragPan);
  chart_.SetLayerRange(1, 1, 1, 1000, 100);
  chart_.Scale1X()->SetLogarithmic(true);
  chart_.Scale1Y()->SetLogarithmic(true);
  // A third of the width right: both x ends divided by 10; 24 pixels down: y ends times 100^0.1.
  const QPointF grabbed = World(120, 80);
  DragPath(Qt::LeftButton, {120, 80}, {{230, 104}});
  ExpectRanges(1, 0.1, 100, std::pow(100.0, 0.1), std::pow(100.0, 1.1));
  EXPECT_NEAR(World(230, 104).x(), grabbed.x(), 1e-9 * grabbed.x());
  EXPECT_NEAR(World(230, 104).y(), grabbed.y(), 1e-9 * grabbed.y());

  chart_.Scale1X()->SetLogarithmic(false);
  chart_.Scale1Y()->SetLogarithmic(false);
  chart_.SetLayerRange(1, 10, 1, 0, 0);
  const QPointF reversed = World(120, 80);
  DragPath(Qt::LeftButton, {120, 80}, {{153, 104}});
  ExpectRanges(1, 11, 1, 0.9, -0.1);
  EXPECT_NEAR(World(153, 104).x(), reversed.x(), 1e-9);
  EXPECT_NEAR(World(153, 104).y(), reversed.y(), 1e-9);
}

TEST_F(ChartNavigationTest, JoinedLayersFollowAndAJoinedAxisMovesItsControllingLayer) {
  chart_.SetNavigation(nvDragPan | nvWheelZoom);
  chart_.JointLayers()->SetL03xControlledBy(1);
  DragPath(Qt::LeftButton, {100, 100}, {{133, 100}});
  ExpectRanges(1, -1, 9, 0, 1);
  EXPECT_DOUBLE_EQ(chart_.ScaleX(3)->RangeLow(), -1);
  EXPECT_DOUBLE_EQ(chart_.ScaleX(3)->RangeHigh(), 9);

  // Layer 1 follows layer 2 on x: the pan moves layer 2, and layer 1 with it.
  chart_.JointLayers()->SetL03xControlledBy(3);
  chart_.SetLayerRange(2, 0, 0, 10, 1);
  chart_.JointLayers()->SetL01xControlledBy(2);
  Wheel(215, 140, 1);
  EXPECT_DOUBLE_EQ(chart_.ScaleX(2)->RangeLow(), 1);
  EXPECT_DOUBLE_EQ(chart_.ScaleX(2)->RangeHigh(), 9);
  ExpectRanges(1, 1, 9, 0.1, 0.9);
}

TEST_F(ChartNavigationTest, ZoomWindowKeepsEachAxisDirection) {
  chart_.SetNavigation(nvZoomWindow);
  // From x 1, y 0.9 to x 4, y 0.5, drawn top-left to bottom-right with the right button.
  DragPath(Qt::RightButton, {83, 44}, {{150, 100}, {182, 140}});
  ExpectRanges(1, 1, 4, 0.5, 0.9);
  EXPECT_FALSE(chart_.ZoomWindowActive());
  // Ctrl and the free left button, drawn the other way round; a window without height zooms
  // nothing.
  chart_.SetLayerRange(1, 0, 0, 10, 1);
  DragPath(Qt::LeftButton, {182, 140}, {{83, 44}}, Qt::ControlModifier);
  ExpectRanges(1, 1, 4, 0.5, 0.9);
  DragPath(Qt::RightButton, {83, 44}, {{182, 44}});
  ExpectRanges(1, 1, 4, 0.5, 0.9);
  // The window is drawn inverted on the control image and gone after the release.
  const QImage before = chart_.ControlImage().copy();
  Mouse(QEvent::MouseButtonPress, 83, 44, Qt::RightButton, Qt::RightButton);
  Mouse(QEvent::MouseMove, 182, 140, Qt::NoButton, Qt::RightButton);
  EXPECT_NE(chart_.ControlImage(), before);
  Key(Qt::Key_Escape);
  EXPECT_EQ(chart_.ControlImage(), before);
  Mouse(QEvent::MouseButtonRelease, 182, 140, Qt::RightButton, Qt::NoButton);
  ExpectRanges(1, 1, 4, 0.5, 0.9);
}

TEST_F(ChartNavigationTest, HomeViewIsTheApplicationsLastRanges) {
  chart_.SetNavigation(nvAll);
  Wheel(83, 140, 3);
  DragPath(Qt::MiddleButton, {100, 100}, {{150, 130}});
  Mouse(QEvent::MouseButtonDblClick, 215, 140, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, 215, 140, Qt::LeftButton, Qt::NoButton);
  ExpectRanges(1, 0, 10, 0, 1);

  // The application's own change becomes the home view; the Home key brings it back.
  chart_.Scale1X()->SetRange(2, 4);
  Key(Qt::Key_Minus);
  Key(Qt::Key_Left);
  Key(Qt::Key_Home);
  ExpectRanges(1, 2, 4, 0, 1);
  // Home again: already there, no step.
  const int steps = zoom_pans_;
  Key(Qt::Key_Home);
  EXPECT_EQ(zoom_pans_, steps);

  // Without nvHomeView the double-click is a press as ever.
  chart_.SetNavigation(nvWheelZoom);
  Wheel(83, 140, 1);
  Mouse(QEvent::MouseButtonDblClick, 215, 140, Qt::LeftButton, Qt::LeftButton);
  EXPECT_NE(chart_.Scale1X()->RangeLow(), 2);
}

TEST_F(ChartNavigationTest, KeysZoomAboutTheMiddleAndMoveByATenth) {
  // OnKeyDown comes first: it sees the steps of the keys before its own.
  std::vector<int> steps_seen;
  chart_.OnKeyDown = [&](QObject*, int, Qt::KeyboardModifiers) { steps_seen.push_back(zoom_pans_); };
  Key(Qt::Key_Plus);
  ExpectRanges(1, 0, 10, 0, 1);
  chart_.SetNavigation(nvKeys);
  Key(Qt::Key_Plus);
  ExpectRanges(1, 1, 9, 0.1, 0.9);
  Key(Qt::Key_Minus);
  ExpectRanges(1, 0, 10, 0, 1);
  Key(Qt::Key_Left);
  ExpectRanges(1, -1, 9, 0, 1);
  Key(Qt::Key_Up);
  ExpectRanges(1, -1, 9, 0.1, 1.1);
  Key(Qt::Key_Right);
  Key(Qt::Key_Down);
  ExpectRanges(1, 0, 10, 0, 1);
  EXPECT_EQ(zoom_pans_, 6);
  EXPECT_EQ(steps_seen, (std::vector<int>{0, 0, 1, 2, 3, 4, 5}));
}

}  // namespace
