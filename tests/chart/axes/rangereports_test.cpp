#include <gtest/gtest.h>

#include <QApplication>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QSignalSpy>
#include <string>
#include <vector>

#include "zeph/chart/zephchart.h"
#include "zeph/toolkit/component.h"

using namespace zeph;

namespace {

// A chart of 400 x 300 pixels (chart area x 50..380, y 20..260), ranges 0..10 and 0..1; every
// event and signal of interest writes what it saw into one log, so that their order shows.
class ChartSignalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_.SetBounds(0, 0, 400, 300);
    chart_.SetLayerRange(1, 0, 0, 10, 1);
    QObject::connect(&chart_, &TCustomZephChart::LayerRangeChanged,
                     [this](int layer) { log_.push_back("range " + std::to_string(layer)); });
    QObject::connect(&chart_, &TCustomZephChart::ZoomPanned, [this] { log_.push_back("ZoomPanned"); });
    chart_.OnZoomPan = [this](QObject*) { log_.push_back("OnZoomPan"); };
  }

  void Send(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons) {
    const QPointF local(x, y);
    QMouseEvent event(type, local, chart_.mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&chart_, &event);
  }

  TZephChart chart_;
  std::vector<std::string> log_;
};

TEST_F(ChartSignalsTest, RangeChangesAreReportedOncePerLayerWhateverTheCause) {
  // From code: once; the same range again: not at all.
  chart_.SetLayerRange(1, 0, 0, 20, 1);
  chart_.SetLayerRange(1, 0, 0, 20, 1);
  EXPECT_EQ(log_, (std::vector<std::string>{"range 1"}));

  // Joining copies the range into the joined layer; later changes report both, in layer order.
  log_.clear();
  chart_.JointLayers()->SetL03xControlledBy(1);
  chart_.SetLayerRange(1, 5, 0, 25, 1);
  EXPECT_EQ(log_, (std::vector<std::string>{"range 3", "range 1", "range 3"}));
  EXPECT_DOUBLE_EQ(chart_.ScaleX(3)->RangeHigh(), 25);

  // Through the scale settings.
  log_.clear();
  chart_.ScaleX(1)->SetRangeHigh(30);
  EXPECT_EQ(log_, (std::vector<std::string>{"range 1", "range 3"}));

  // A mouse pan step: the ranges first, then the event, then its signal.
  log_.clear();
  chart_.SetMouseAction(maPan);
  Send(QEvent::MouseButtonPress, 100, 100, Qt::LeftButton, Qt::LeftButton);
  Send(QEvent::MouseMove, 100, 100, Qt::NoButton, Qt::LeftButton);
  Send(QEvent::MouseMove, 133, 100, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(log_, (std::vector<std::string>{"range 1", "range 3", "OnZoomPan", "ZoomPanned"}));
}

TEST_F(ChartSignalsTest, NothingIsReportedWhileLoading) {
  QSignalSpy caption(&chart_, &TCustomZephChart::CaptionChanged);
  QSignalSpy layout(&chart_, &TCustomZephChart::LayoutChanged);
  QSignalSpy settings(&chart_, &TCustomZephChart::ScaleSettingsChanged);
  BeginFormLoading(&chart_);
  chart_.SetCaption(QStringLiteral("Loaded"));
  chart_.SetLRim(60);
  chart_.Scale1X()->SetRange(2, 4);
  chart_.SetLayerRange(1, 1, 0, 3, 1);
  EndFormLoading(&chart_);
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(caption.count(), 0);
  EXPECT_EQ(layout.count(), 0);
  EXPECT_EQ(settings.count(), 0);

  // The loaded ranges are the home view and no change: the next change reports as usual.
  chart_.SetLayerRange(1, 1, 0, 3, 1);
  EXPECT_TRUE(log_.empty());
  chart_.SetLayerRange(1, 0, 0, 3, 1);
  EXPECT_EQ(log_, (std::vector<std::string>{"range 1"}));
}

TEST_F(ChartSignalsTest, PropertiesThatChangeAtRunTimeNotifyOncePerChange) {
  const QMetaObject* meta = chart_.metaObject();
  for (const char* name : {"Caption", "LRim", "ChartColor", "MouseAction", "UseDataOf", "StandardLayout", "Navigation",
                           "Antialiased", "PaletteColors", "AutoRedraw", "Font", "GridStyle"}) {
    const QMetaProperty property = meta->property(meta->indexOfProperty(name));
    EXPECT_TRUE(property.hasNotifySignal()) << name;
  }

  QSignalSpy caption(&chart_, &TCustomZephChart::CaptionChanged);
  chart_.setProperty("Caption", QStringLiteral("φ(ω) in °"));
  chart_.SetCaption(QStringLiteral("φ(ω) in °"));
  EXPECT_EQ(caption.count(), 1);

  // A standard layout moves rims and caption at once: one layout signal.
  QSignalSpy layout(&chart_, &TCustomZephChart::LayoutChanged);
  QSignalSpy standard(&chart_, &TCustomZephChart::StandardLayoutChanged);
  chart_.SetStandardLayout(zcl_X1Bottom_Y2Both);
  EXPECT_EQ(layout.count(), 1);
  EXPECT_EQ(standard.count(), 1);

  QSignalSpy colors(&chart_, &TCustomZephChart::ColorsChanged);
  chart_.SetChartColor(Qt::yellow);
  chart_.SetChartColor(QColor(255, 255, 0));
  EXPECT_EQ(colors.count(), 1);
  EXPECT_EQ(chart_.ChartColor(), clYellow);

  QSignalSpy action(&chart_, &TCustomZephChart::MouseActionChanged);
  chart_.setProperty("MouseAction", QVariant::fromValue(maZoomDrag));
  chart_.SetMouseAction(maZoomDrag);
  EXPECT_EQ(action.count(), 1);

  // Leaving a data group because the owner goes is a change as well.
  TZephChart user;
  QSignalSpy group(&user, &TCustomZephChart::UseDataOfChanged);
  {
    TZephChart owner;
    user.SetUseDataOf(&owner);
    user.SetUseDataOf(&owner);
    EXPECT_EQ(group.count(), 1);
  }
  EXPECT_EQ(user.UseDataOf(), nullptr);
  EXPECT_EQ(group.count(), 2);
}

TEST_F(ChartSignalsTest, MouseSignalsFollowTheirEventsWithWorldCoordinates) {
  chart_.OnMouseMoveInChart = [this](QObject*, bool in_chart, TShiftState, double x, double y) {
    log_.push_back("OnMouseMoveInChart " + std::to_string(in_chart) + " " + std::to_string(x) + " " +
                   std::to_string(y));
  };
  QObject::connect(&chart_, &TCustomZephChart::MouseMovedInChart, [this](bool in_chart, double x, double y) {
    log_.push_back("MouseMovedInChart " + std::to_string(in_chart) + " " + std::to_string(x) + " " +
                   std::to_string(y));
  });
  chart_.OnMouseUp = [this](QObject*, Qt::MouseButton, TShiftState, int, int) { log_.push_back("OnMouseUp"); };
  QObject::connect(&chart_, &TCustomZephChart::MouseClicked,
                   [this](Qt::MouseButton button, double x, double y, bool in_chart) {
                     EXPECT_EQ(button, Qt::RightButton);
                     EXPECT_DOUBLE_EQ(x, 5);
                     EXPECT_DOUBLE_EQ(y, 0.5);
                     EXPECT_TRUE(in_chart);
                     log_.push_back("MouseClicked");
                   });
  // x 215 is the middle of 50..380 (x = 5), y 140 the middle of 20..260 (y = 0.5).
  Send(QEvent::MouseMove, 215, 140, Qt::NoButton, Qt::NoButton);
  Send(QEvent::MouseButtonPress, 215, 140, Qt::RightButton, Qt::RightButton);
  Send(QEvent::MouseButtonRelease, 215, 140, Qt::RightButton, Qt::NoButton);
  // A drag is no click.
  Send(QEvent::MouseButtonPress, 215, 140, Qt::RightButton, Qt::RightButton);
  Send(QEvent::MouseButtonRelease, 260, 140, Qt::RightButton, Qt::NoButton);
  const std::string at = std::to_string(5.0) + " " + std::to_string(0.5);
  EXPECT_EQ(log_, (std::vector<std::string>{"OnMouseMoveInChart 1 " + at, "MouseMovedInChart 1 " + at, "OnMouseUp",
                                            "MouseClicked", "OnMouseUp"}));
}

TEST_F(ChartSignalsTest, CrossHairDataAndScaleSignals) {
  chart_.CrossHair(2)->SetLayer(1);
  chart_.CrossHair(2)->SetMode(chBoth);
  chart_.SetMouseAction(maDragCrossH);
  chart_.OnCrossHairMove = [this](QObject*, TCrossHair*) { log_.push_back("OnCrossHairMove"); };
  QObject::connect(&chart_, &TCustomZephChart::CrossHairMoved, [this](TCrossHair* cross) {
    EXPECT_EQ(cross, chart_.CrossHair(2));
    log_.push_back("CrossHairMoved");
  });
  QSignalSpy cross_notify(chart_.CrossHair(2), &TCrossHair::PropertiesChanged);
  Send(QEvent::MouseMove, 60, 30, Qt::NoButton, Qt::LeftButton);
  Send(QEvent::MouseMove, 215, 140, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(log_, (std::vector<std::string>{"OnCrossHairMove", "CrossHairMoved"}));
  // The drag step moved the cross-hair once; a property set by code notifies as well.
  EXPECT_EQ(cross_notify.count(), 1);
  chart_.CrossHair(2)->SetColor(Qt::red);
  EXPECT_EQ(cross_notify.count(), 2);
  EXPECT_DOUBLE_EQ(chart_.CrossHair(2)->PosX(), 5);

  // One DataRendered per rendering, after OnDataRendered.
  log_.clear();
  chart_.OnDataRendered = [this](QObject*, TCanvas&, int, int) { log_.push_back("OnDataRendered"); };
  QObject::connect(&chart_, &TCustomZephChart::DataRendered, [this] { log_.push_back("DataRendered"); });
  chart_.MoveTo(0, 0);
  chart_.DrawTo(10, 1);
  chart_.ShowGraf();
  EXPECT_EQ(log_, (std::vector<std::string>{"OnDataRendered", "DataRendered"}));

  // The settings' range properties notify once per change, whoever changed them.
  QSignalSpy x_notify(chart_.Scale1X(), &TScaleProps::PropertiesChanged);
  QSignalSpy y_notify(chart_.Scale1Y(), &TScaleProps::PropertiesChanged);
  chart_.SetLayerRange(1, 0, 0, 20, 1);
  chart_.Scale1X()->SetRangeHigh(30);
  chart_.Scale1X()->SetRangeHigh(30);
  EXPECT_EQ(x_notify.count(), 2);
  EXPECT_EQ(y_notify.count(), 0);

  // Scale settings report the settings changed, also for their date format.
  QSignalSpy settings(&chart_, &TCustomZephChart::ScaleSettingsChanged);
  chart_.Scale1Y()->SetCaption(QStringLiteral("U [V]"));
  chart_.Scale1Y()->DateFormat()->SetYearLength(ylYY);
  ASSERT_EQ(settings.count(), 2);
  EXPECT_EQ(settings.at(0).at(0).value<TScaleProps*>(), chart_.Scale1Y());
  EXPECT_EQ(settings.at(1).at(0).value<TScaleProps*>(), chart_.Scale1Y());
}

}  // namespace
