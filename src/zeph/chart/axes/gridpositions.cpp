#include "zeph/chart/axes/gridpositions_p.h"

#include <cmath>

namespace zeph {

namespace {

// Decade k and rounded mantissa m of a positive value, v ~ m * 10^k; a logarithm within 1e-14 of
// an integer counts as that integer, so exact decades are not lost to rounding.
void Decade(double value, double& k, double& m) {
  double lg = std::log10(value);
  if (std::fabs(lg - std::round(lg)) < 1e-14) lg = std::round(lg);
  k = std::floor(lg);
  m = std::round(std::pow(10.0, lg - k));
}

}  // namespace

double FirstGridPos(const TGridAxis& axis) {
  const double d = axis.spacing;
  if (d > 0 || (d < 0 && !axis.logarithmic)) return std::ceil(axis.low / d) * d;
  if (d == 0) return axis.ticks.empty() ? axis.low : axis.ticks.front();
  if (d == -1) return std::pow(10.0, std::ceil(std::log10(axis.low)));
  double k = 0;
  double m = 0;
  Decade(axis.low, k, m);
  const double decade = std::pow(10.0, k);
  if (d == -2) return decade * (m <= 2 ? 2 : m <= 5 ? 5 : 10);
  if (d == -3) return decade * m;
  return axis.low;
}

double NextGridPos(const TGridAxis& axis, int n, double g) {
  const double d = axis.spacing;
  if ((d != 0 && !axis.logarithmic) || d > 0) return g + std::fabs(d);
  if (d == 0) return n >= 1 && n <= static_cast<int>(axis.ticks.size()) ? axis.ticks[static_cast<std::size_t>(n - 1)]
                                                                         : axis.high;
  if (d == -1) return g * 10;
  double k = 0;
  double m = 0;
  Decade(g, k, m);
  const double decade = std::pow(10.0, k);
  if (d == -2) return decade * (m < 2 ? 2 : m < 5 ? 5 : 10);
  return (m + 1) * decade;
}

std::vector<double> GridPositions(const TGridAxis& axis) {
  std::vector<double> positions;
  double g = FirstGridPos(axis);
  for (int n = 2; g < axis.high && static_cast<int>(positions.size()) < kMaxGridLines; ++n) {
    positions.push_back(g);
    g = NextGridPos(axis, n, g);
  }
  return positions;
}

}  // namespace zeph
