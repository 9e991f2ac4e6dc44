#include "zeph/chart/pixelmap.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zeph {

TPixelMap::TPixelMap(long double kx, long double dx, long double ky, long double dy, bool linear, int clamp,
                     int offset_x, int offset_y) {
#if defined(__SSE2__)
  const double k[2] = {static_cast<double>(kx), static_cast<double>(ky)};
  const double d[2] = {static_cast<double>(dx), static_cast<double>(dy)};
  usable_ = linear && std::isfinite(k[0]) && std::isfinite(k[1]) && std::isfinite(d[0]) && std::isfinite(d[1]);
  k_ = _mm_set_pd(k[1], k[0]);
  d_ = _mm_set_pd(d[1], d[0]);
  abs_d_plus_one_ = _mm_set_pd(std::fabs(d[1]) + 1, std::fabs(d[0]) + 1);
  // The double result differs from the extended one by the rounding of the coefficients, of the
  // product and of the sum, each at most 2^-53 of its magnitude; 2^-48 leaves a wide margin.
  epsilon_ = _mm_set1_pd(std::ldexp(1.0, -48));
  low_ = _mm_set1_pd(-clamp);
  high_ = _mm_set1_pd(clamp);
  offset_ = _mm_set_epi32(0, 0, offset_y, offset_x);
  kx_ = k[0];
  inverse_kx_ = 1 / k[0];
  dx_ = d[0];
  clamp_ = clamp;
  offset_x_ = offset_x;
  // Values this close to a half pixel go the exact way: far more than the error of the double
  // result anywhere inside the clamp, and of the division that finds the interval.
  margin_ = std::max(1e-3, std::ldexp(std::fabs(d[0]) + clamp + 2, -44));
#else
  (void)kx, (void)dx, (void)ky, (void)dy, (void)linear, (void)clamp, (void)offset_x, (void)offset_y;
#endif
}

void TPixelMap::ColumnInterval(int column, double& lo, double& hi) const {
  lo = std::numeric_limits<double>::infinity();
  hi = -lo;
#if defined(__SSE2__)
  const int c = column + offset_x_;
  if (!usable_ || kx_ == 0 || margin_ > 0.25 || c <= -clamp_ || c >= clamp_) return;
  // With the reciprocal: its rounding is far inside the margin, and a curve crosses many columns.
  const double a = (c - 0.5 + margin_ - dx_) * inverse_kx_;
  const double b = (c + 0.5 - margin_ - dx_) * inverse_kx_;
  lo = std::min(a, b);
  hi = std::max(a, b);
#else
  (void)column;
#endif
}

}  // namespace zeph
