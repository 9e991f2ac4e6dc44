#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "zeph/chart/render/pixelmap_p.h"

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
    const TPixelMap map(kx, dx, ky, dy, false, false, 30000, 50, 16);
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

// Logarithmic axes: the logarithm in double precision differs from the extended one by far less
// than the margin, so the answers are still the chart's own pixels.
TEST(PixelMapTest, LogarithmicAxesAnswerOnlyWithTheExactPixel) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(-1, 1);
  int anywhere = 0;
  int answered_anywhere = 0;
  for (int layer = 0; layer < 200; ++layer) {
    const long double k = static_cast<long double>(unit(random)) * std::pow(10.0L, static_cast<int>(random() % 4));
    const long double d = 300 + static_cast<long double>(unit(random)) * 1000;
    const bool log_x = layer % 3 != 0;
    const bool log_y = layer % 3 != 1;
    const TPixelMap map(k, d, -k, d, log_x, log_y, 30000, 50, 16);
    const auto exact = [&](long double factor, bool logarithmic, double value) {
      const long double v = logarithmic ? std::log(static_cast<long double>(value)) : value;
      const long double p = std::clamp(factor * v + d, -2147483647.0L, 2147483647.0L);
      return std::clamp(static_cast<int>(std::lrint(p)), -30000, 30000);
    };
    const auto world = [&](long double factor, bool logarithmic, long double pixel) {
      const long double v = (pixel - d) / factor;
      return static_cast<double>(logarithmic ? std::exp(v) : v);
    };
    for (int i = 0; i < 500; ++i) {
      // Points on a half pixel, just beside it, or anywhere within two hundred e-folds.
      const long double target = std::floor(k * unit(random) * 200 + d) + 0.5L;
      double x = world(k, log_x, target);
      double y = world(-k, log_y, target);
      if (i % 3 == 1) {
        x = std::nextafter(x, 1e300);
        y = std::nextafter(y, 1e300);
      } else if (i % 3 == 2) {
        x = log_x ? std::exp(unit(random) * 200) : unit(random) * 1e4;
        y = log_y ? std::exp(unit(random) * 200) : unit(random) * 1e4;
      }
      QPoint p;
      anywhere += i % 3 == 2;
      if (!map.Map({x, y}, p)) continue;
      answered_anywhere += i % 3 == 2;
      ASSERT_EQ(p.x(), exact(k, log_x, x) - 50) << x;
      ASSERT_EQ(p.y(), exact(-k, log_y, y) - 16) << y;
    }
  }
  EXPECT_GT(answered_anywhere, anywhere * 99 / 100);
}

TEST(PixelMapTest, DeclinesPointsThatAreNoNumbersAndValuesWithoutALogarithm) {
  const TPixelMap map(2, 10, -3, 500, false, false, 30000, 0, 0);
  QPoint p;
  EXPECT_TRUE(map.Map({1, 1}, p));
  EXPECT_EQ(p, QPoint(12, 497));
  EXPECT_FALSE(map.Map({std::nan(""), 1}, p));
  EXPECT_FALSE(map.Map({1, HUGE_VAL}, p));
  EXPECT_FALSE(map.Map({-HUGE_VAL, 1}, p));
  EXPECT_TRUE(map.Map({1e6, -1e6}, p));
  EXPECT_EQ(p, QPoint(30000, 30000));
  // Logarithmic axes map the logarithm; values without one go the exact way.
  const TPixelMap logarithmic(2, 10, -3, 500, true, true, 30000, 0, 0);
  EXPECT_TRUE(logarithmic.Map({std::exp(1.0), std::exp(2.0)}, p));
  EXPECT_EQ(p, QPoint(12, 494));
  EXPECT_FALSE(logarithmic.Map({0, 1}, p));
  EXPECT_FALSE(logarithmic.Map({1, -1}, p));
  EXPECT_FALSE(logarithmic.Map({1e-100, 1}, p));
  EXPECT_TRUE(logarithmic.Map({1e-99, 1}, p));
}

TEST(PixelMapTest, TellsWhichSidesOfTheImageAllPointsLieBeyond) {
  // x to 2x + 10, y to -3y + 500, rounded, then shifted by (-10, -20): the pixels of a 100 x 50
  // image are world x -0.25..49.75 and world y 143.5..160.17.
  const TPixelMap map(2, 10, -3, 500, false, false, 30000, 10, 20);
  const auto sides = [&](std::vector<TZephItemPoint> points) {
    return map.SidesBeside(points.data(), points.size(), 100, 50);
  };
  EXPECT_EQ(sides({{-5, 150}, {-1, 140}, {-0.6, 155}}), TPixelMap::kLeft);
  EXPECT_EQ(sides({{60, 150}, {1e9, 150}}), TPixelMap::kRight);
  EXPECT_EQ(sides({{20, 170}, {80, 1e12}}), TPixelMap::kAbove);
  EXPECT_EQ(sides({{20, 100}, {-80, 120}}), TPixelMap::kBelow);
  EXPECT_EQ(sides({{-5, 200}, {-1, 161}}), TPixelMap::kLeft | TPixelMap::kAbove);
  // One point inside, or on the first pixel row, or a point that is no number: none.
  EXPECT_EQ(sides({{-5, 150}, {20, 150}, {-5, 150}}), 0);
  EXPECT_EQ(sides({{20, 160}, {20, 170}}), 0);
  EXPECT_EQ(sides({{-5, 150}, {std::nan(""), 150}}), 0);
  EXPECT_EQ(sides({{-5, 150}, {-HUGE_VAL, 150}}), 0);
  EXPECT_EQ(sides({}), 0);
  // Values less than a pixel clear of the image are left to the exact way: x -0.4 and y 143.5 lie
  // on pixels beyond it (-1 and row 50) but are not reported.
  EXPECT_EQ(sides({{-0.4, 150}}), 0);
  EXPECT_EQ(sides({{20, 143.5}}), 0);
  EXPECT_EQ(sides({{20, 143.3}}), TPixelMap::kBelow);
  // The pixel's own sides, for the pen a stretch starts from.
  EXPECT_EQ(TPixelMap::PixelSidesBeside(QPoint(-1, 60), 100, 50), TPixelMap::kLeft | TPixelMap::kBelow);
  EXPECT_EQ(TPixelMap::PixelSidesBeside(QPoint(99, 0), 100, 50), 0);
  // A map that cannot answer says none.
  const TPixelMap logarithmic(2, 10, -3, 500, false, true, 30000, 10, 20);
  const TZephItemPoint left{-5, 150};
  EXPECT_EQ(logarithmic.SidesBeside(&left, 1, 100, 50), 0);
}

}  // namespace
