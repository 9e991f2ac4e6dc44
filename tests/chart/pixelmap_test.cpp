#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "zeph/chart/pixelmap.h"

using namespace zeph;

namespace {

// The chart's own mapping: extended precision, nearest pixel with ties to even, then clamped.
int ExactPixel(long double k, long double d, double value) {
  const long double v = std::clamp(k * value + d, -2147483647.0L, 2147483647.0L);
  return std::clamp(static_cast<int>(std::lrint(v)), -30000, 30000);
}

TEST(PixelMapTest, AnswersOnlyWithTheExactPixelEvenRightAtTheHalves) {
  std::mt19937_64 random(99);
  std::uniform_real_distribution<double> unit(-1, 1);
  int anywhere = 0;
  int answered_anywhere = 0;
  for (int layer = 0; layer < 200; ++layer) {
    // Coefficients as a chart computes them for ranges of all magnitudes, both directions.
    const long double kx = static_cast<long double>(unit(random)) * std::pow(10.0L, static_cast<int>(random() % 16) - 8);
    const long double dx = 50 + static_cast<long double>(unit(random)) * 1000;
    const long double ky = -static_cast<long double>(unit(random)) * std::pow(10.0L, static_cast<int>(random() % 16) - 8);
    const long double dy = 400 + static_cast<long double>(unit(random)) * 1000;
    const TPixelMap map(kx, dx, ky, dy, true, 30000, 50, 16);
    for (int i = 0; i < 500; ++i) {
      // Points whose exact value lies on a half pixel, just beside it, anywhere, or far off.
      const long double target = std::floor(static_cast<long double>(unit(random)) * 40000) + 0.5L;
      double x = static_cast<double>((target - dx) / kx);
      double y = static_cast<double>((target - dy) / ky);
      switch (i % 4) {
        case 1:
          x = std::nextafter(x, 1e300);
          y = std::nextafter(y, -1e300);
          break;
        case 2:
          x = unit(random) * 1e4 / static_cast<double>(kx);
          y = unit(random) * 1e4 / static_cast<double>(ky);
          break;
        case 3:
          x *= 1e12;
          break;
        default: break;
      }
      QPoint p;
      anywhere += i % 4 == 2;
      if (!map.Map({x, y}, p)) continue;
      answered_anywhere += i % 4 == 2;
      ASSERT_EQ(p.x(), ExactPixel(kx, dx, x) - 50) << x;
      ASSERT_EQ(p.y(), ExactPixel(ky, dy, y) - 16) << y;
    }
  }
  // Points away from the halves are all answered; only the ones on the halves may be declined.
  EXPECT_EQ(answered_anywhere, anywhere);
}

TEST(PixelMapTest, DeclinesPointsThatAreNoNumbersAndLogarithmicAxes) {
  const TPixelMap map(2, 10, -3, 500, true, 30000, 0, 0);
  QPoint p;
  EXPECT_TRUE(map.Map({1, 1}, p));
  EXPECT_EQ(p, QPoint(12, 497));
  EXPECT_FALSE(map.Map({std::nan(""), 1}, p));
  EXPECT_FALSE(map.Map({1, HUGE_VAL}, p));
  EXPECT_FALSE(map.Map({-HUGE_VAL, 1}, p));
  EXPECT_TRUE(map.Map({1e6, -1e6}, p));
  EXPECT_EQ(p, QPoint(30000, 30000));
  const TPixelMap logarithmic(2, 10, -3, 500, false, 30000, 0, 0);
  EXPECT_FALSE(logarithmic.Map({1, 1}, p));
}

}  // namespace
