#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "zeph/scales/scalemap.h"
#include "zeph/scales/scalemath_p.h"

using namespace zeph;

namespace {

TEST(CalcTickStepTest, PicksOneTwoOrFiveTimesAPowerOfTen) {
  TickStep t = CalcTickStep(3, 0, 3);
  EXPECT_DOUBLE_EQ(static_cast<double>(t.Step), 1.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(t.First), 0.0);
  EXPECT_EQ(t.SubTicks, 5);

  t = CalcTickStep(3, 0, 10);
  EXPECT_DOUBLE_EQ(static_cast<double>(t.Step), 2.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(t.First), 0.0);
  EXPECT_EQ(t.SubTicks, 4);

  t = CalcTickStep(3, 1, 100);
  EXPECT_DOUBLE_EQ(static_cast<double>(t.Step), 20.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(t.First), 20.0);  // 0 lies before the range

  t = CalcTickStep(2, 0, 1200);
  EXPECT_NEAR(static_cast<double>(t.Step), 500.0, 1e-12);
  EXPECT_EQ(t.SubTicks, 5);
}

TEST(CalcTickStepTest, AnIntervalOfExactlyTwoOrFiveStaysWithTheSmallerMantissa) {
  // The mantissa bounds are widened by 1e-10, so exact boundaries round down.
  TickStep t = CalcTickStep(2, 0, 1000);
  EXPECT_NEAR(static_cast<double>(t.Step), 200.0, 1e-12);
  EXPECT_EQ(t.SubTicks, 4);
  t = CalcTickStep(3, 0, 6);
  EXPECT_NEAR(static_cast<double>(t.Step), 1.0, 1e-15);
  EXPECT_EQ(t.SubTicks, 5);
}

TEST(CalcTickStepTest, HandlesFractionsReversedAndEmptyRanges) {
  TickStep t = CalcTickStep(4, 0, 1);  // 0.25 per interval: step 0.2
  EXPECT_NEAR(static_cast<double>(t.Step), 0.2, 1e-15);
  EXPECT_EQ(t.SubTicks, 4);

  t = CalcTickStep(3, 0, 0.003);  // exactly a decade below one: step 0.001
  EXPECT_NEAR(static_cast<double>(t.Step), 0.001, 1e-17);
  EXPECT_EQ(t.SubTicks, 5);

  t = CalcTickStep(3, 10, 0);
  EXPECT_DOUBLE_EQ(static_cast<double>(t.Step), -2.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(t.First), 10.0);

  t = CalcTickStep(3, -0.7, 0.5);  // first tick within a thousandth of a step of the start
  EXPECT_NEAR(static_cast<double>(t.First), -0.6, 1e-15);

  t = CalcTickStep(3, 5, 5);
  EXPECT_EQ(t.Step, 0);
  EXPECT_EQ(t.First, 5);
  EXPECT_EQ(t.SubTicks, 1);
}

TEST(AutoDecPlacesTest, LinearChoosesFromTheRangeWidth) {
  EXPECT_EQ(AutoDecPlaces(-2, 3, 0), 2);
  EXPECT_EQ(AutoDecPlaces(-2, 10, 0), 1);
  EXPECT_EQ(AutoDecPlaces(-2, 99, 0), 0);
  EXPECT_EQ(AutoDecPlaces(-3, 0.1, 0), 3);
  EXPECT_EQ(AutoDecPlaces(-2, 0, 250), 0);
  EXPECT_EQ(AutoDecPlaces(-2, 2e6, 0), -1);
  EXPECT_EQ(AutoDecPlaces(-2, 0.00005, 0), -1);
  EXPECT_EQ(AutoDecPlaces(5, 3, 0), 5);
  EXPECT_EQ(AutoDecPlaces(-1, 3, 0), -1);
}

TEST(AutoDecPlacesTest, LogarithmicFollowsTheLowEnd) {
  EXPECT_EQ(AutoDecPlacesLog(-2, 10, 0.01), 3);
  EXPECT_EQ(AutoDecPlacesLog(-2, 0.01, 10), 3);  // ends in either order
  EXPECT_EQ(AutoDecPlacesLog(-2, 100, 1), 0);
  EXPECT_EQ(AutoDecPlacesLog(-2, 1e7, 1), -1);
  EXPECT_EQ(AutoDecPlacesLog(-3, 10, 0.01), -3);
  EXPECT_EQ(AutoDecPlacesLog(2, 10, 0.01), 2);
}

TEST(FormatTickValueTest, FixedNotationUsesAPointAndNoPadding) {
  EXPECT_EQ(FormatTickValue(1, 2, 3), "3.00");
  EXPECT_EQ(FormatTickValue(1, 0, -5), "-5");
  EXPECT_EQ(FormatTickValue(1, 1, 1234567.24), "1234567.2");
  EXPECT_EQ(FormatTickValue(1, 3, -0.0125), "-0.013");
  EXPECT_EQ(FormatTickValue(6, 1, 2.5), "   2.5");
}

TEST(FormatTickValueTest, ExponentFormKeepsTwoExponentDigitsOrTurnsToAsterisks) {
  EXPECT_EQ(FormatTickValue(1, -1, 500000), " 5.0E+05");
  EXPECT_EQ(FormatTickValue(1, -1, 2500), " 2.5E+03");
  EXPECT_EQ(FormatTickValue(1, -1, -0.00025), "-2.5E-04");
  EXPECT_EQ(FormatTickValue(1, -1, 0), " 0.0E+00");
  EXPECT_EQ(FormatTickValue(1, -1, 9.96), " 1.0E+01");
  EXPECT_EQ(FormatTickValue(1, -1, 1e120), "********");
  EXPECT_EQ(FormatTickValue(1, -1, -1e-120), "********");
  EXPECT_EQ(FormatTickValue(1, 2, 1e40), " 1.0E+40");  // too large for fixed notation
}

TEST(UserTickFieldTest, WalksBarSeparatedFieldsAndRepeatsTheLast) {
  EXPECT_EQ(UserTickField("a|b|c", 1), "a");
  EXPECT_EQ(UserTickField("a|b|c", 2), "b");
  EXPECT_EQ(UserTickField("a|b|c", 3), "c");
  EXPECT_EQ(UserTickField("a|b|c", 7), "c");
  EXPECT_EQ(UserTickField("low|mid|", 2), "mid");
  EXPECT_EQ(UserTickField("low|mid|", 3), "");
  EXPECT_EQ(UserTickField("low|mid|", 4), "");
  EXPECT_EQ(UserTickField("||x", 2), "");
  EXPECT_EQ(UserTickField("||x", 3), "x");
  EXPECT_EQ(UserTickField("", 1), "");
  EXPECT_EQ(UserTickField("single", 1), "single");
  EXPECT_EQ(UserTickField("single", 0), "");
}

TEST(ApplyScaleInscriptTest, PutsTheNumberAtTheFirstAmpersandOrAfterAPrefix) {
  EXPECT_EQ(ApplyScaleInscript("5", "U=& V"), "U=5 V");
  EXPECT_EQ(ApplyScaleInscript("5", "x "), "x 5");
  EXPECT_EQ(ApplyScaleInscript("5", "a&b&c"), "a5b&c");
  EXPECT_EQ(ApplyScaleInscript("5", ""), "5");
  EXPECT_EQ(ApplyScaleInscript("", "U=& V"), "");
}

TEST(RoundingTest, NearestGoesToTheEvenNeighbourAndClampsToInt) {
  EXPECT_EQ(RoundToInt(2.5L), 2);
  EXPECT_EQ(RoundToInt(3.5L), 4);
  EXPECT_EQ(RoundToInt(-2.5L), -2);
  EXPECT_EQ(RoundToInt(1e300L), 2147483647);
  EXPECT_EQ(RoundToInt(-1e300L), -2147483647);
  EXPECT_EQ(Int(-1.7L), -1);
  EXPECT_EQ(Floor(-1.2L), -2);
}

TEST(Log10Test, PowersOfTenGiveWholeExponents) {
  for (int n = -300; n <= 300; ++n) {
    const double power = std::strtod(("1e" + std::to_string(n)).c_str(), nullptr);
    EXPECT_EQ(Log10(power), n) << "10^" << n;
    // The ratio of neighbouring decades, as a range's ends give it, is exactly one decade.
    const double next = std::strtod(("1e" + std::to_string(n + 1)).c_str(), nullptr);
    EXPECT_EQ(Log10(static_cast<long double>(next) / power), 1) << "10^" << n;
  }
  EXPECT_NEAR(static_cast<double>(Log10(2)), 0.30102999566398120, 1e-16);
  EXPECT_LT(Log10(9.999999), 1);
  EXPECT_GT(Log10(10.00001), 1);
  EXPECT_EQ(Log10(0), -HUGE_VALL);
}

ScaleGeometry Geometry(TScaleType type, double low, double high, bool log = false) {
  ScaleGeometry g;
  g.type = type;
  g.width = 400;
  g.height = 300;
  g.margin_left = g.margin_right = g.margin_top = g.margin_bottom = 20;
  g.range_low = low;
  g.range_high = high;
  g.logarithmic = log;
  return g;
}

TEST(ScaleMapTest, LinearEndsLandOnTheMargins) {
  ScaleGeometry g = Geometry(sctXB, 0, 100);
  ScaleMap map;
  CalcScaleFactor(g, map);
  EXPECT_EQ(ValueToPixel(g, map, 0), 20);
  EXPECT_EQ(ValueToPixel(g, map, 100), 379);

  g = Geometry(sctYL, 0, 100);
  CalcScaleFactor(g, map);
  EXPECT_EQ(ValueToPixel(g, map, 0), 279);   // RangeLow at the bottom
  EXPECT_EQ(ValueToPixel(g, map, 100), 20);  // RangeHigh at the top margin

  g = Geometry(sctXT, 10, 0);  // reversed
  CalcScaleFactor(g, map);
  EXPECT_EQ(ValueToPixel(g, map, 10), 20);
  EXPECT_EQ(ValueToPixel(g, map, 0), 379);
}

TEST(ScaleMapTest, LogarithmicMapsDecadesEvenly) {
  ScaleGeometry g = Geometry(sctXB, 1, 1000, true);
  ScaleMap map;
  CalcScaleFactor(g, map);
  EXPECT_EQ(ValueToPixel(g, map, 1), 20);
  EXPECT_EQ(ValueToPixel(g, map, 1000), 379);
  EXPECT_NEAR(ValueToPixel(g, map, 10), 20 + 359 / 3.0, 1);
  EXPECT_EQ(ValueToPixel(g, map, 0), 0);  // no logarithm: the start
  g.range_low = 1000;
  g.range_high = 1;
  CalcScaleFactor(g, map);
  EXPECT_EQ(ValueToPixel(g, map, -1), 400);  // reversed: Width

  // A vertical axis starts at the bottom: such values go below it, as the chart maps them.
  g = Geometry(sctYL, 1, 1000, true);
  CalcScaleFactor(g, map);
  EXPECT_EQ(ValueToPixel(g, map, 1), 279);
  EXPECT_EQ(ValueToPixel(g, map, 0), 300);
  g = Geometry(sctYR, 1000, 1, true);
  CalcScaleFactor(g, map);
  EXPECT_EQ(ValueToPixel(g, map, 1), 20);
  EXPECT_EQ(ValueToPixel(g, map, 1e-200), 0);
}

TEST(ScaleMapTest, NoRoomMapsToTheMiddleAndBadRangesKeepTheMapping) {
  ScaleGeometry g = Geometry(sctXB, 0, 100);
  g.width = 41;  // 41 - 20 - 20 - 1 = 0 pixels of axis
  ScaleMap map;
  CalcScaleFactor(g, map);
  EXPECT_EQ(map.factor, 0);
  EXPECT_EQ(ValueToPixel(g, map, 77), 20);  // 20.5, ties to even

  ScaleMap kept{2.0, 3.0};
  g = Geometry(sctXB, -1, 100, true);
  CalcScaleFactor(g, kept);
  EXPECT_EQ(kept.factor, 2.0);
  EXPECT_EQ(kept.offset, 3.0);
  g = Geometry(sctXB, 5, 5);
  CalcScaleFactor(g, kept);
  EXPECT_EQ(kept.factor, 2.0);
}

}  // namespace
