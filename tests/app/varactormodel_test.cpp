#include <gtest/gtest.h>

#include <cmath>

#include "app/varactormodel.h"
#include "zeph/chart/itemstore.h"

using namespace zeph;

namespace {

using varactor::CapacitanceCurve;
using varactor::ProfileCurve;

// The capacitance in pF at the sample nearest the voltage u.
double CapacitanceAt(int position, double u) {
  for (const auto& p : CapacitanceCurve(position))
    if (std::abs(p.x - u) < 0.05) return p.y;
  ADD_FAILURE() << "no sample at " << u;
  return 0;
}

double ProfileAt(int position, double d) {
  for (const auto& p : ProfileCurve(position))
    if (std::abs(p.x - d) < 0.005) return p.y;
  ADD_FAILURE() << "no sample at " << d;
  return 0;
}

// Compares to four significant digits.
void ExpectFourDigits(double actual, double expected) {
  EXPECT_NEAR(actual, expected, std::abs(expected) * 5e-4) << "expected about " << expected;
}

TEST(VaractorModelTest, CapacitancesAtTheWorkedPositions) {
  ExpectFourDigits(CapacitanceAt(0, 0.1), 8.096);
  ExpectFourDigits(CapacitanceAt(0, 1), 5.554);
  ExpectFourDigits(CapacitanceAt(0, 10), 2.214);
  ExpectFourDigits(CapacitanceAt(-1000, 0.1), 50.07);
  ExpectFourDigits(CapacitanceAt(-1000, 1), 23.56);
  ExpectFourDigits(CapacitanceAt(-1000, 10), 3.743);
  ExpectFourDigits(CapacitanceAt(1000, 0.1), 4.854);
  ExpectFourDigits(CapacitanceAt(1000, 1), 3.776);
  ExpectFourDigits(CapacitanceAt(1000, 10), 2.045);
  ExpectFourDigits(CapacitanceAt(500, 0.1), 5.908);
  ExpectFourDigits(CapacitanceAt(-500, 0.1), 14.29);
  // The hyperabrupt capacitance falls as 1/(U + 0.7).
  EXPECT_NEAR(CapacitanceAt(-1000, 0.1) / CapacitanceAt(-1000, 1.3), 2.0 / 0.8, 1e-9);
}

TEST(VaractorModelTest, ProfilesAtTheWorkedPositions) {
  for (const auto& p : ProfileCurve(0)) EXPECT_DOUBLE_EQ(p.y, 1.0);
  ExpectFourDigits(ProfileAt(-1000, 0.01), 100);
  ExpectFourDigits(ProfileAt(-1000, 1), 1);
  ExpectFourDigits(ProfileAt(-1000, 3), 0.3333);
  ExpectFourDigits(ProfileAt(1000, 0.01), 0.01);
  ExpectFourDigits(ProfileAt(1000, 3), 3);
}

TEST(VaractorModelTest, SampleCountsAndEndPointsComeFromAccumulatedSteps) {
  const auto cap = CapacitanceCurve(250);
  const auto nd = ProfileCurve(250);
  ASSERT_EQ(cap.size(), 100u);
  ASSERT_EQ(nd.size(), 300u);
  EXPECT_EQ(cap.front().x, 0.1);
  EXPECT_EQ(nd.front().x, 0.01);
  // The last values lie a rounding residue below the end values and are still drawn.
  EXPECT_LT(cap.back().x, 10.0);
  EXPECT_NEAR(cap.back().x, 9.99999999999998, 1e-13);
  EXPECT_LT(nd.back().x, 3.0);
  EXPECT_NEAR(nd.back().x, 2.99999999999998, 1e-13);
}

TEST(VaractorModelTest, PlotLeavesOneCurveOfMoveToAndDrawToItemsInEachChart) {
  TZephItemStore cap;
  TZephItemStore nd;
  varactor::PlotCurves(-1000, cap, nd);
  varactor::PlotCurves(-1000, cap, nd);  // a second call replaces, never accumulates

  ASSERT_EQ(cap.Items().Count(), 100);
  ASSERT_EQ(nd.Items().Count(), 300);
  EXPECT_EQ(cap.Items().KindCount(ikMoveTo), 1);
  EXPECT_EQ(cap.Items().KindCount(ikDrawTo), 99);
  EXPECT_EQ(nd.Items().KindCount(ikMoveTo), 1);
  EXPECT_EQ(nd.Items().KindCount(ikDrawTo), 299);
  EXPECT_EQ(cap.Items()[0].Kind, ikMoveTo);
  EXPECT_EQ(nd.Items()[299].Kind, ikDrawTo);
  EXPECT_EQ(cap.Items().LastShown(), 99);
  EXPECT_EQ(nd.Items().LastShown(), 299);
  for (const auto* store : {&cap, &nd}) {
    for (int i = 0; i < store->Items().Count(); ++i) {
      EXPECT_EQ(store->Items()[i].Color, varactor::kCurveColor);
      EXPECT_EQ(store->Items()[i].Layer, 1);
    }
  }
  const auto curve = CapacitanceCurve(-1000);
  EXPECT_EQ(cap.Items()[42].X1, curve[42].x);
  EXPECT_EQ(cap.Items()[42].Y1, curve[42].y);
  EXPECT_EQ(nd.Items()[0].Y1, ProfileCurve(-1000)[0].y);
}

}  // namespace
