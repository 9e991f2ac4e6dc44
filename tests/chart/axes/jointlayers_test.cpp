#include <gtest/gtest.h>

#include <QMetaProperty>
#include <limits>
#include <string>

#include "zeph/chart/zephchart.h"
#include "zeph/scales/zepherror.h"

using namespace zeph;

namespace {

// A chart with distinct ranges on layers 1 to 5 and a counter of its paints.
class JointLayersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int layer = 1; layer <= 5; ++layer) {
      chart_.ScaleX(layer)->SetRange(layer, 10 * layer);
      chart_.ScaleY(layer)->SetRange(-layer, layer);
    }
    chart_.OnDataRendered = [this](QObject*, TCanvas&, int, int) { ++paints_; };
    paints_ = 0;
  }
  TJointLayers& Joints() { return *chart_.JointLayers(); }

  // The message of the EZephChartError a call raises, or "no error".
  template <typename F>
  static std::string ErrorOf(F&& call) {
    try {
      call();
    } catch (const EZephChartError& e) {
      return e.Message();
    }
    return "no error";
  }

  TZephChart chart_;
  int paints_ = 0;
};

TEST_F(JointLayersTest, PublishesThirtyTwoPropertiesStartingUnjoined) {
  const QMetaObject* meta = Joints().metaObject();
  for (int layer = 1; layer <= 16; ++layer) {
    for (const char axis : {'x', 'y'}) {
      const QByteArray name = QStringLiteral("L%1%2ControlledBy").arg(layer, 2, 10, QLatin1Char('0')).arg(axis).toLatin1();
      const int index = meta->indexOfProperty(name.constData());
      ASSERT_GE(index, 0) << name.constData();
      EXPECT_EQ(meta->property(index).read(&Joints()).toInt(), layer) << name.constData();
    }
  }
  EXPECT_EQ(chart_.property("JointLayers").value<TJointLayers*>(), chart_.JointLayers());
  EXPECT_EQ(chart_.JointLayers()->parent(), &chart_);
  // Through the property system as a stored form sets it.
  EXPECT_TRUE(Joints().setProperty("L04yControlledBy", 2));
  EXPECT_EQ(Joints().L04yControlledBy(), 2);
  EXPECT_EQ(chart_.ScaleY(4)->RangeLow(), -2);
}

TEST_F(JointLayersTest, JoiningCopiesTheControllingRangeAndRepaints) {
  Joints().SetL03xControlledBy(1);
  EXPECT_EQ(Joints().L03xControlledBy(), 1);
  EXPECT_EQ(chart_.ScaleX(3)->RangeLow(), 1);
  EXPECT_EQ(chart_.ScaleX(3)->RangeHigh(), 10);
  EXPECT_EQ(chart_.ScaleY(3)->RangeLow(), -3);  // its own y range
  EXPECT_EQ(paints_, 1);
  // The mapping follows at once: x = 10 is the right edge of the chart area on layer 3 too.
  EXPECT_EQ(chart_.WorldToPixel(3, 10, 0).x(), chart_.WorldToPixel(1, 10, 0).x());

  Joints().SetL02yControlledBy(5);
  EXPECT_EQ(chart_.ScaleY(2)->RangeLow(), -5);
  EXPECT_EQ(chart_.ScaleY(2)->RangeHigh(), 5);
  EXPECT_EQ(chart_.ScaleX(2)->RangeHigh(), 20);

  // Without AutoRedraw the join is stored and the mapping updated, but nothing is painted.
  chart_.SetAutoRedraw(false);
  Joints().SetL04xControlledBy(1);
  EXPECT_EQ(chart_.ScaleX(4)->RangeHigh(), 10);
  EXPECT_EQ(paints_, 2);
}

TEST_F(JointLayersTest, UnjoiningKeepsTheRangeAndDoesNotRepaint) {
  Joints().SetL03xControlledBy(1);
  paints_ = 0;
  Joints().SetL03xControlledBy(3);
  EXPECT_EQ(Joints().L03xControlledBy(), 3);
  EXPECT_EQ(chart_.ScaleX(3)->RangeLow(), 1);
  EXPECT_EQ(chart_.ScaleX(3)->RangeHigh(), 10);
  EXPECT_EQ(paints_, 0);
  // Free again: layer 1 no longer takes it along.
  chart_.SetLayerRange(1, 0, 0, 5, 1);
  EXPECT_EQ(chart_.ScaleX(3)->RangeHigh(), 10);
}

TEST_F(JointLayersTest, RefusesBrokenJoinsWithTheirMessagesAndChangesNothing) {
  Joints().SetL03xControlledBy(1);
  EXPECT_EQ(ErrorOf([&] { Joints().SetL05xControlledBy(3); }), "Destination layer 3 is already joined");
  EXPECT_EQ(ErrorOf([&] { Joints().SetL01xControlledBy(2); }), "Layer 1 is joined by other layers (3)");
  EXPECT_EQ(Joints().L05xControlledBy(), 5);
  EXPECT_EQ(Joints().L01xControlledBy(), 1);
  EXPECT_EQ(chart_.ScaleX(5)->RangeLow(), 5);

  Joints().SetL03yControlledBy(2);
  Joints().SetL05yControlledBy(2);
  EXPECT_EQ(ErrorOf([&] { Joints().SetL02yControlledBy(1); }), "Layer 2 is joined by other layers (3, 5)");
  EXPECT_EQ(ErrorOf([&] { Joints().SetL02yControlledBy(0); }), "Destination layer 0 is out of range");
  EXPECT_EQ(ErrorOf([&] { Joints().SetL02yControlledBy(17); }), "Destination layer 17 is out of range");
  EXPECT_EQ(ErrorOf([&] { Joints().SetL02yControlledBy(-4); }), "Destination layer -4 is out of range");
  EXPECT_EQ(Joints().L02yControlledBy(), 2);
  EXPECT_EQ(chart_.ScaleY(2)->RangeLow(), -2);
  // The axes are independent: layer 2's x axis may follow layer 1 while others follow its y.
  EXPECT_EQ(ErrorOf([&] { Joints().SetL02xControlledBy(1); }), "no error");
  // An unjoin never fails, even for a followed layer.
  EXPECT_EQ(ErrorOf([&] { Joints().SetL02yControlledBy(2); }), "no error");
}

TEST_F(JointLayersTest, ControllingLayerTakesItsFollowersAlong) {
  Joints().SetL03xControlledBy(1);
  Joints().SetL04yControlledBy(1);
  paints_ = 0;
  chart_.SetLayerRange(1, 2, -7, 12, 7);
  EXPECT_EQ(paints_, 1);  // one paint for the whole change
  EXPECT_EQ(chart_.ScaleX(1)->RangeLow(), 2);
  EXPECT_EQ(chart_.ScaleY(1)->RangeHigh(), 7);
  EXPECT_EQ(chart_.ScaleX(3)->RangeLow(), 2);
  EXPECT_EQ(chart_.ScaleX(3)->RangeHigh(), 12);
  EXPECT_EQ(chart_.ScaleY(3)->RangeLow(), -3);
  EXPECT_EQ(chart_.ScaleX(4)->RangeLow(), 4);
  EXPECT_EQ(chart_.ScaleY(4)->RangeLow(), -7);
  EXPECT_EQ(chart_.ScaleY(4)->RangeHigh(), 7);
  EXPECT_EQ(chart_.ScaleX(2)->RangeLow(), 2);  // untouched: layer 2 is not joined
  EXPECT_EQ(chart_.ScaleX(2)->RangeHigh(), 20);
  // The scale controls draw the new ranges.
  EXPECT_EQ(chart_.ScaleControlX(3)->RangeHigh(), 12);
}

TEST_F(JointLayersTest, JoinedAxisIgnoresRequests) {
  Joints().SetL03xControlledBy(1);
  chart_.SetLayerRange(3, 100, 5, 200, 6);
  EXPECT_EQ(chart_.ScaleX(3)->RangeLow(), 1);
  EXPECT_EQ(chart_.ScaleX(3)->RangeHigh(), 10);
  EXPECT_EQ(chart_.ScaleY(3)->RangeLow(), 5);
  EXPECT_EQ(chart_.ScaleY(3)->RangeHigh(), 6);
  // A change of its settings is taken back by the joining rules as well.
  chart_.Scale3X()->SetRange(50, 60);
  EXPECT_EQ(chart_.Scale3X()->RangeLow(), 1);
  EXPECT_EQ(chart_.Scale3X()->RangeHigh(), 10);
  // And a change of the controlling layer's settings reaches it.
  chart_.Scale1X()->SetRangeHigh(30);
  EXPECT_EQ(chart_.Scale3X()->RangeHigh(), 30);
}

TEST_F(JointLayersTest, SetLayerRangeIgnoresWhatItCannotUse) {
  paints_ = 0;
  chart_.SetLayerRange(0, 1, 1, 2, 2);
  chart_.SetLayerRange(17, 1, 1, 2, 2);
  EXPECT_EQ(paints_, 0);
  chart_.SetLayerRange(2, std::numeric_limits<long double>::infinity(), 3, 4, 8);
  EXPECT_EQ(chart_.ScaleX(2)->RangeLow(), 2);  // x kept
  EXPECT_EQ(chart_.ScaleY(2)->RangeLow(), 3);
  EXPECT_EQ(chart_.ScaleY(2)->RangeHigh(), 8);
  // A logarithmic axis keeps an end it cannot show.
  chart_.Scale2Y()->SetLogarithmic(true);
  ASSERT_TRUE(chart_.Scale2Y()->Logarithmic());
  chart_.SetLayerRange(2, 2, -1, 20, 50);
  EXPECT_EQ(chart_.ScaleY(2)->RangeLow(), 3);
  EXPECT_EQ(chart_.ScaleY(2)->RangeHigh(), 50);
}

TEST_F(JointLayersTest, AssigningCopiesTheJoins) {
  TJointLayers settings;
  settings.SetL02xControlledBy(1);
  settings.SetL06yControlledBy(4);
  int notified = 0;
  settings.OnChange = [&](QObject* sender) {
    EXPECT_EQ(sender, &settings);
    ++notified;
  };
  paints_ = 0;
  chart_.SetJointLayers(&settings);
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(Joints().L02xControlledBy(), 1);
  EXPECT_EQ(Joints().L06yControlledBy(), 4);
  EXPECT_EQ(chart_.ScaleX(2)->RangeHigh(), 10);  // takes layer 1's x range at once
  EXPECT_EQ(chart_.ScaleY(6)->RangeLow(), -4);
  EXPECT_EQ(paints_, 1);
  EXPECT_NE(chart_.JointLayers(), &settings);  // the chart keeps its own object

  QObject other;
  try {
    settings.AssignTo(&other);
    FAIL() << "assigned to a QObject";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TJointLayers to a QObject");
  }
}

}  // namespace
