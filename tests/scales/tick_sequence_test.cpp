#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "scale_fixture.h"
#include "zeph/scales/scalemath_p.h"

using namespace zeph;

namespace {

using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::Pointwise;

MATCHER(NearlyEq, "") { return std::abs(std::get<0>(arg) - std::get<1>(arg)) < 1e-9; }

std::vector<double> Steps(double from, double step, int count) {
  std::vector<double> v;
  for (int i = 0; i < count; ++i) v.push_back(from + i * step);
  return v;
}

TEST(LinearTicksTest, ZeroToThreeHasUnitStepsAndTwoDecimals) {
  ScaleProbe p(sctXB);
  p.scale->SetRangeHigh(3);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"0.00", "1.00", "2.00", "3.00"}));
  EXPECT_THAT(LongTicks(BuildScaleLayout(p.scale->LayoutSettings())), Pointwise(NearlyEq(), Steps(0, 1, 4)));

  // A horizontal scale records its short ticks (which cover the long positions) only.
  const std::vector<double> ticks = p.Render();
  EXPECT_THAT(ticks, Pointwise(NearlyEq(), Steps(0, 0.2, 16)));
  // Every short tick is reported, then every long one after its label.
  ASSERT_EQ(p.events.size(), 20u);
  const std::vector<double> reported = p.EventValues();
  EXPECT_THAT(std::vector<double>(reported.begin() + 16, reported.end()), Pointwise(NearlyEq(), Steps(0, 1, 4)));
}

TEST(LinearTicksTest, VerticalScalesRecordLongTicksAfterTheShortOnes) {
  ScaleProbe p(sctYL);
  p.scale->SetRangeHigh(3);
  const std::vector<double> ticks = p.Render();
  ASSERT_EQ(ticks.size(), 20u);
  EXPECT_THAT(std::vector<double>(ticks.begin() + 16, ticks.end()), Pointwise(NearlyEq(), Steps(0, 1, 4)));
  EXPECT_EQ(p.events.size(), 20u);

  p.scale->SetShortTicks(false);
  EXPECT_THAT(p.Render(), Pointwise(NearlyEq(), Steps(0, 1, 4)));
}

TEST(LinearTicksTest, WithoutShortTicksHorizontalScalesRecordTheLongOnes) {
  ScaleProbe p(sctXT);
  p.scale->SetShortTicks(false);
  p.scale->SetRangeHigh(10);
  EXPECT_THAT(p.Render(), Pointwise(NearlyEq(), Steps(0, 2, 6)));
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"0.0", "2.0", "4.0", "6.0", "8.0", "10.0"}));
}

TEST(LinearTicksTest, OneToHundredStartsAtTwenty) {
  ScaleProbe p(sctYR);
  p.scale->SetRangeLow(1);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"20", "40", "60", "80", "100"}));
  // Short ticks every 5 from the first one not before RangeLow.
  const std::vector<double> ticks = p.Render();
  ASSERT_FALSE(ticks.empty());
  EXPECT_NEAR(ticks.front(), 5, 1e-9);
}

TEST(LinearTicksTest, ReversedRangeRunsDownward) {
  ScaleProbe p(sctYL);
  p.scale->SetShortTicks(false);
  p.scale->SetRangeLow(10);
  p.scale->SetRangeHigh(0);
  EXPECT_THAT(p.Render(), Pointwise(NearlyEq(), std::vector<double>{10, 8, 6, 4, 2, 0}));
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"10.0", "8.0", "6.0", "4.0", "2.0", "0.0"}));
  // The ticks land from the bottom (RangeLow) to the top.
  EXPECT_EQ(p.events.front().y, 379);
  EXPECT_EQ(p.events.back().y, 20);
}

TEST(LinearTicksTest, NoiseAroundZeroReadsAsExactZero) {
  ScaleLayoutSettings s;
  s.geometry.range_low = -1;
  s.geometry.range_high = 2;
  EXPECT_EQ(NumericLabelText(s, 1e-17, 2, false), "0.00");
  EXPECT_EQ(NumericLabelText(s, -1e-17, 2, false), "0.00");
  s.geometry.range_low = -1e6;
  s.geometry.range_high = 1e6;
  EXPECT_EQ(NumericLabelText(s, 3e-12, -1, false), "0.0");
  EXPECT_EQ(NumericLabelText(s, -3e-12, 0, false), "0");

  // A horizontal scale reports the zeroed value; the tick list keeps the computed one.
  ScaleProbe p(sctXB);
  p.scale->SetShortTicks(false);
  p.scale->SetRangeLow(-0.7);
  p.scale->SetRangeHigh(0.5);
  const std::vector<double> ticks = p.Render();
  ASSERT_EQ(ticks.size(), 6u);
  EXPECT_EQ(p.events[3].value, 0.0);
  EXPECT_NEAR(ticks[3], 0.0, 1e-15);
  EXPECT_EQ(LabelsOf(*p.scale)[3], "0.00");
}

TEST(LinearTicksTest, WideRangesUseExponentForm) {
  ScaleProbe p(sctXB);
  p.scale->SetRangeHigh(2e6);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"0.0", " 5.0E+05", " 1.0E+06", " 1.5E+06", " 2.0E+06"}));
  p.scale->SetRangeLow(0);
  p.scale->SetRangeHigh(3e120);
  p.scale->SetDecPlaces(-1);
  const QStringList labels = LabelsOf(*p.scale);
  ASSERT_GE(labels.size(), 2);
  EXPECT_EQ(labels[1], "********");
}

TEST(LinearTicksTest, UserTextsAndInscripts) {
  ScaleProbe p(sctXB);
  p.scale->SetRangeHigh(4);  // five long ticks
  p.scale->SetUserTickText("low|mid|high");
  p.scale->SetLabelType(ftUserText);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"low", "mid", "high", "high", "high"}));

  p.scale->SetLabelType(ftNum);
  p.scale->SetDecPlaces(0);
  p.scale->SetScaleInscript("U=& V");
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"U=0 V", "U=1 V", "U=2 V", "U=3 V", "U=4 V"}));
  p.scale->SetScaleInscript("x ");
  EXPECT_EQ(LabelsOf(*p.scale).at(4), "x 4");

  p.scale->SetLabelType(ftNoFigs);
  EXPECT_TRUE(LabelsOf(*p.scale).isEmpty());
  EXPECT_EQ(LongTicks(BuildScaleLayout(p.scale->LayoutSettings())).size(), 5u);
}

TEST(LogTicksTest, OneToHundredLabelsOneTwoFive) {
  ScaleProbe p(sctXB);
  p.scale->SetRangeLow(1);
  p.scale->SetLogarithmic(true);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"1", "2", "5", "10", "20", "50", "100"}));
  std::vector<double> expected;
  for (double decade : {1.0, 10.0})
    for (int m = 1; m <= 9; ++m) expected.push_back(m * decade);
  expected.push_back(100);
  EXPECT_THAT(p.Render(), Pointwise(NearlyEq(), expected));
  EXPECT_EQ(p.events.size(), expected.size());

  // Without short ticks a horizontal scale still reports its minor positions.
  p.scale->SetShortTicks(false);
  EXPECT_EQ(p.Render().size(), 7u);
  EXPECT_EQ(p.events.size(), expected.size());
}

TEST(LogTicksTest, VerticalScalesSkipMinorTicksWithoutShortTicks) {
  ScaleProbe p(sctYL);
  p.scale->SetRangeLow(1);
  p.scale->SetLogarithmic(true);
  const ScaleLayout layout = BuildScaleLayout(p.scale->LayoutSettings());
  int minors = 0;
  for (const TickMark& t : layout.ticks) minors += t.kind == TickKind::kLogMinor;
  EXPECT_EQ(minors, 12);
  p.scale->SetShortTicks(false);
  EXPECT_EQ(p.Render().size(), 7u);
  EXPECT_EQ(p.events.size(), 7u);
}

TEST(LogTicksTest, DecadeExponentsAndAutomaticDecimals) {
  ScaleProbe p(sctYR);
  p.scale->SetRangeLow(0.01);
  p.scale->SetRangeHigh(10);
  p.scale->SetLogarithmic(true);
  p.scale->SetDecPlaces(-3);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"-2", "-1", "0", "1"}));
  p.scale->SetDecPlaces(-2);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"0.01", "0.1", "1", "10"}));
  p.scale->SetDecPlaces(2);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"0.01", "0.10", "1.00", "10.00"}));

  // Dense decades with decade exponents: only multiplier 1 carries a text.
  p.scale->SetRangeLow(1);
  p.scale->SetRangeHigh(100);
  p.scale->SetDecPlaces(-3);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"0", "", "", "1", "", "", "2"}));
}

TEST(LogTicksTest, LessThanADecadeIsLaidOutLinearly) {
  ScaleProbe p(sctXB);
  p.scale->SetRangeLow(2);
  p.scale->SetRangeHigh(15);
  p.scale->SetLogarithmic(true);
  ASSERT_TRUE(p.scale->Logarithmic());
  // Linear steps; the labels still lose their trailing zeros as logarithmic ones do.
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"2", "4", "6", "8", "10", "12", "14"}));
  p.scale->SetDecPlaces(1);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"2.0", "4.0", "6.0", "8.0", "10.0", "12.0", "14.0"}));
}

TEST(LogTicksTest, EveryWholeDecadeIsLaidOutLogarithmically) {
  for (int n = -12; n < 12; ++n) {
    const double lo = std::strtod(("1e" + std::to_string(n)).c_str(), nullptr);
    const double hi = std::strtod(("1e" + std::to_string(n + 1)).c_str(), nullptr);
    for (int min_ticks : {2, 3, 5, 10}) {
      for (bool reversed : {false, true}) {
        ScaleProbe p(sctXB);
        p.scale->SetRangeLow(reversed ? hi : lo);
        p.scale->SetRangeHigh(reversed ? lo : hi);
        p.scale->SetLogarithmic(true);
        p.scale->SetMinTicks(min_ticks);
        const std::vector<double> ticks = LongTicks(BuildScaleLayout(p.scale->LayoutSettings()));
        ASSERT_EQ(ticks.size(), 4u) << "1e" << n << " MinTicks " << min_ticks << (reversed ? " reversed" : "");
        const double expected[] = {lo, 2 * lo, 5 * lo, hi};
        for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(ticks[i] / expected[i], 1, 1e-12);
      }
    }
  }
}

TEST(LogTicksTest, RangeReachingZeroKeepsTheMappingAndFallsBackToLinearSteps) {
  ScaleProbe p(sctXB);
  p.scale->SetRangeLow(1);
  p.scale->SetRangeHigh(1000);
  p.scale->SetLogarithmic(true);
  const int at10 = p.scale->ValueToPixel(10);
  const int at100 = p.scale->ValueToPixel(100);
  ASSERT_EQ(at10, 140);  // 20 + 359 / 3

  p.scale->SetRangeLow(-1);
  EXPECT_TRUE(p.scale->Logarithmic());
  EXPECT_EQ(p.scale->ValueToPixel(10), at10);
  EXPECT_EQ(p.scale->ValueToPixel(100), at100);
  EXPECT_EQ(p.scale->ValueToPixel(0), 0);
  p.scale->SetRangeLow(0);
  EXPECT_EQ(p.scale->ValueToPixel(100), at100);
  EXPECT_THAT(LongTicks(BuildScaleLayout(p.scale->LayoutSettings())), Pointwise(NearlyEq(), Steps(0, 200, 6)));

  // A valid range again maps afresh.
  p.scale->SetRangeLow(10);
  EXPECT_EQ(p.scale->ValueToPixel(10), 20);
}

TEST(TickListTest, KeepsFiftyValuesAndAnswersZeroOutside) {
  ScaleProbe p(sctYL);
  p.scale->SetRangeHigh(10);
  p.scale->SetMinTicks(10);  // step 1: 51 short ticks and 11 long ones
  p.Render();
  EXPECT_EQ(p.scale->NumTicks(), TScale::kMaxRecordedTicks);
  EXPECT_EQ(p.events.size(), 62u);
  EXPECT_EQ(p.scale->TickPos(0), 0);
  EXPECT_EQ(p.scale->TickPos(51), 0);
  EXPECT_NEAR(p.scale->TickPos(50), 9.8, 1e-12);
}

}  // namespace

namespace {

TEST(ExtremeRangeTest, HugeAndTinyRangesFinishWithFewTicks) {
  ScaleProbe p(sctXB);
  p.scale->SetRangeLow(-1e308);
  p.scale->SetRangeHigh(1e308);
  const QStringList huge = LabelsOf(*p.scale);
  ASSERT_FALSE(huge.isEmpty());
  EXPECT_LE(huge.size(), 11);
  EXPECT_TRUE(huge.contains("********"));
  EXPECT_LE(p.Render().size(), 60u);

  p.scale->SetRangeLow(0);
  p.scale->SetRangeHigh(1e-310);
  const QStringList tiny = LabelsOf(*p.scale);
  ASSERT_FALSE(tiny.isEmpty());
  EXPECT_EQ(tiny.last(), "********");
  p.Render();
  for (const TickEvent& e : p.events) EXPECT_GE(e.x, -2147483647);

  p.scale->SetRangeLow(1e-300);
  p.scale->SetRangeHigh(1e300);
  p.scale->SetLogarithmic(true);
  const QStringList decades = LabelsOf(*p.scale);
  EXPECT_EQ(decades.size(), 601);
  EXPECT_EQ(p.Render().size(), 50u);
}

}  // namespace
