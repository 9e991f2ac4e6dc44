#include <gtest/gtest.h>

#include "common/published_values.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;
using zeph::testing::ExpectPublished;

namespace {

// A loaded chart: logarithmic requests are checked against the range from now on.
class ScalePropsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_.BeginLoading();
    chart_.EndLoading();
  }
  TZephChart chart_;
  TScalePropsHoriz& x_ = *chart_.Scale1X();
};

TEST_F(ScalePropsTest, CreationValues) {
  const TScalePropsVert& y3 = *chart_.ScaleY(3);
  ExpectPublished(y3, {{"RangeLow", 0.0},
                       {"RangeHigh", 1.0},
                       {"MinRange", 1e-10},
                       {"DecPlaces", -2},
                       {"MinTicks", 3},
                       {"ShortTicks", true},
                       {"LabelType", ftNum},
                       {"ColorScale", clGreen}});
  EXPECT_EQ(y3.DateFormat()->DateSeparator(), '-');
  EXPECT_EQ(y3.DateFormat()->DateForTime(), dtOnePerDay);
  // Layers 5 and up keep their creation offsets and scale types.
  EXPECT_EQ(chart_.ScaleX(7)->ScalePos(), 90);
  EXPECT_EQ(chart_.ScaleY(7)->ScalePos(), 150);
  EXPECT_EQ(chart_.ScaleX(6)->ScaleType(), sctXB);
  EXPECT_EQ(chart_.ScaleY(6)->ScaleType(), sctYL);
  EXPECT_EQ(chart_.ScaleX(5)->ScaleType(), sctXT);
  // An index outside 1..16 gives layer 1.
  EXPECT_EQ(chart_.ScaleX(0), chart_.Scale1X());
  EXPECT_EQ(chart_.ScaleY(17), chart_.Scale1Y());
}

TEST_F(ScalePropsTest, RangeEndsKeepTheMinimumWidth) {
  x_.SetRangeHigh(5);
  x_.SetRangeLow(5);
  EXPECT_EQ(x_.RangeLow(), 5);
  EXPECT_EQ(x_.RangeHigh(), 5 + 1e-10);

  x_.SetRange(1, 20);
  x_.SetMinRange(10);
  x_.SetRangeHigh(3);
  EXPECT_EQ(x_.RangeLow(), -7);
  EXPECT_EQ(x_.RangeHigh(), 3);
  // The scale control follows.
  EXPECT_EQ(chart_.ScaleControlX(1)->RangeLow(), -7);
  EXPECT_EQ(chart_.ScaleControlX(1)->RangeHigh(), 3);

  // A low end above the high end is a reversed axis.
  x_.SetRange(30, 0);
  EXPECT_EQ(x_.RangeLow(), 30);
  EXPECT_EQ(x_.RangeHigh(), 0);
}

TEST_F(ScalePropsTest, MinRangeWidensANarrowRangeAroundItsMiddle) {
  int changes = 0;
  x_.OnChange = [&](QObject*) { ++changes; };
  x_.SetMinRange(4);
  EXPECT_EQ(x_.RangeLow(), -1.5);
  EXPECT_EQ(x_.RangeHigh(), 2.5);
  EXPECT_EQ(changes, 1);
  x_.SetMinRange(2);  // wide enough already: no change
  EXPECT_EQ(x_.MinRange(), 2);
  EXPECT_EQ(changes, 1);
  x_.SetMinRange(1e-100);  // ignored
  x_.SetMinRange(-1);
  EXPECT_EQ(x_.MinRange(), 2);
  EXPECT_EQ(changes, 1);
  // A reversed axis stays reversed when it is widened.
  x_.SetMinRange(0.5);
  x_.SetRange(1, 0);
  x_.SetMinRange(3);
  EXPECT_EQ(x_.RangeLow(), 2);
  EXPECT_EQ(x_.RangeHigh(), -1);
}

TEST_F(ScalePropsTest, LogarithmicNeedsAPositiveRange) {
  TScalePropsVert& y = *chart_.Scale1Y();
  ASSERT_EQ(y.RangeLow(), 0);
  y.SetLogarithmic(true);
  EXPECT_FALSE(y.Logarithmic());
  y.SetRange(1, 100);
  y.SetLogarithmic(true);
  EXPECT_TRUE(y.Logarithmic());
  EXPECT_TRUE(chart_.ScaleControlY(1)->Logarithmic());
  // Range ends below 1e-100 are ignored on a logarithmic axis.
  y.SetRangeLow(0);
  EXPECT_EQ(y.RangeLow(), 1);
  y.SetRangeHigh(-3);
  EXPECT_EQ(y.RangeHigh(), 100);
  y.SetRangeLow(1e-100);
  EXPECT_EQ(y.RangeLow(), 1e-100);
  y.SetLogarithmic(false);
  EXPECT_FALSE(y.Logarithmic());
  y.SetLabelType(ftDateTime);
  y.SetLogarithmic(true);
  EXPECT_FALSE(y.Logarithmic());
}

TEST_F(ScalePropsTest, LogarithmicIsStoredUncheckedWhileCreating) {
  TZephChart fresh;
  fresh.Scale1Y()->SetLogarithmic(true);
  EXPECT_TRUE(fresh.Scale1Y()->Logarithmic());
}

TEST_F(ScalePropsTest, LabelTypeAndDecPlaces) {
  TScalePropsVert& y = *chart_.Scale1Y();
  y.SetRange(1, 10);
  y.SetLogarithmic(true);
  y.SetLabelType(ftTime);
  EXPECT_EQ(y.DecPlaces(), 4);
  EXPECT_TRUE(y.Logarithmic());
  y.SetLabelType(ftDateTime);
  EXPECT_FALSE(y.Logarithmic());
  y.SetDecPlaces(20);
  EXPECT_EQ(y.DecPlaces(), 12);
  y.SetDecPlaces(-5);
  EXPECT_EQ(y.DecPlaces(), -3);
  EXPECT_EQ(chart_.ScaleControlY(1)->DecPlaces(), -3);
}

TEST_F(ScalePropsTest, EveryChangeReachesTheScaleControlAndRepaints) {
  chart_.SetAutoRedraw(false);  // settings changes repaint all the same
  chart_.Paint();
  x_.SetColorScale(clRed);
  EXPECT_EQ(chart_.ScaleControlX(1)->ColorScale(), clRed);
  EXPECT_EQ(chart_.ScaleControlX(1)->Font().Color, clRed);
  TFont font;
  font.Size = 14;
  x_.SetFont(font);
  EXPECT_EQ(chart_.ScaleControlX(1)->Font().Size, 14);
  EXPECT_EQ(chart_.ScaleControlX(1)->Font().Color, clRed);
  x_.SetCaption(QStringLiteral("depth"));
  x_.SetMinTicks(5);
  x_.SetShortTicks(false);
  x_.SetUserTickText(QStringLiteral("a;b"));
  x_.SetScaleInscript(QStringLiteral("unit"));
  const TScale* scale = chart_.ScaleControlX(1);
  EXPECT_EQ(scale->Caption(), QStringLiteral("depth"));
  EXPECT_EQ(scale->MinTicks(), 5);
  EXPECT_FALSE(scale->ShortTicks());
  EXPECT_EQ(scale->UserTickText(), QStringLiteral("a;b"));
  EXPECT_EQ(scale->ScaleInscript(), QStringLiteral("unit"));
  x_.DateFormat()->SetDateOrder(doYYMMDD);
  EXPECT_EQ(scale->DateFormat()->DateOrder(), doYYMMDD);
  // The caption shows on the control image at once, without AutoRedraw.
  EXPECT_FALSE(chart_.ControlImage().isNull());
}

}  // namespace
