#include "zeph/chart/render/pixelmap_p.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace zeph {

TPixelMap::TPixelMap(long double kx, long double dx, long double ky, long double dy, bool log_x, bool log_y,
                     int clamp, int offset_x, int offset_y) {
#if defined(__SSE2__)
  const double k[2] = {static_cast<double>(kx), static_cast<double>(ky)};
  const double d[2] = {static_cast<double>(dx), static_cast<double>(dy)};
  log_x_ = log_x;
  log_y_ = log_y;
  usable_ = std::isfinite(k[0]) && std::isfinite(k[1]) && std::isfinite(d[0]) && std::isfinite(d[1]);
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
  offset_y_ = offset_y;
  // Values this close to a half pixel go the exact way: far more than the error of the double
  // result anywhere inside the clamp, and of the division that finds the interval.
  margin_ = std::max(1e-3, std::ldexp(std::fabs(d[0]) + clamp + 2, -44));
#else
  (void)kx, (void)dx, (void)ky, (void)dy, (void)log_x, (void)log_y, (void)clamp, (void)offset_x, (void)offset_y;
#endif
}

#if defined(__SSE2__)
bool TPixelMap::MapLogarithmic(const TZephItemPoint& point, QPoint& pixel) const {
  double x = point.X;
  double y = point.Y;
  // Values without a logarithm (and no numbers) go the exact way, to the edge they belong to.
  if (log_x_ && !(x > kMinLogValue)) return false;
  if (log_y_ && !(y > kMinLogValue)) return false;
  if (log_x_) x = std::log(x);
  if (log_y_) y = std::log(y);
  return MapValues(_mm_set_pd(y, x), pixel);
}
#endif

int TPixelMap::SidesBeside(const TZephItemPoint* points, std::size_t count, int width, int height) const {
#if defined(__SSE2__)
  // A value a pixel clear of the image rounds beyond it in either precision, and the clamp keeps
  // it there as long as the clamped range reaches past the image.
  const long long reach = static_cast<long long>(std::max(std::abs(offset_x_), std::abs(offset_y_))) +
                          std::max(width, height) + 2;
  if (!usable_ || log_x_ || log_y_ || count == 0 || reach >= clamp_) return 0;
  // The lowest and highest coordinates, two points at a time into two pairs of registers so that
  // the loop waits on no result; x - x is 0 for finite x only, and its bits gather in bad.
  const __m128d zero = _mm_setzero_pd();
  __m128d bad = zero;
  __m128d low_even = _mm_set1_pd(HUGE_VAL);
  __m128d low_odd = low_even;
  __m128d high_even = _mm_set1_pd(-HUGE_VAL);
  __m128d high_odd = high_even;
  std::size_t i = 0;
  for (; i + 1 < count; i += 2) {
    const __m128d even = _mm_loadu_pd(&points[i].X);
    const __m128d odd = _mm_loadu_pd(&points[i + 1].X);
    bad = _mm_or_pd(bad, _mm_or_pd(_mm_sub_pd(even, even), _mm_sub_pd(odd, odd)));
    low_even = _mm_min_pd(low_even, even);
    high_even = _mm_max_pd(high_even, even);
    low_odd = _mm_min_pd(low_odd, odd);
    high_odd = _mm_max_pd(high_odd, odd);
  }
  if (i < count) {
    const __m128d last = _mm_loadu_pd(&points[i].X);
    bad = _mm_or_pd(bad, _mm_sub_pd(last, last));
    low_even = _mm_min_pd(low_even, last);
    high_even = _mm_max_pd(high_even, last);
  }
  if (_mm_movemask_pd(_mm_cmpneq_pd(bad, zero)) != 0) return 0;
  // The mapping is monotonic in double precision too: the extreme points give the extreme pixels,
  // the lowest point the highest pixel where the factor is negative.
  const __m128d a = _mm_add_pd(_mm_mul_pd(_mm_min_pd(low_even, low_odd), k_), d_);
  const __m128d b = _mm_add_pd(_mm_mul_pd(_mm_max_pd(high_even, high_odd), k_), d_);
  const __m128d all_before = _mm_cmplt_pd(_mm_max_pd(a, b), _mm_set_pd(offset_y_ - 1.0, offset_x_ - 1.0));
  const __m128d all_after = _mm_cmpgt_pd(
      _mm_min_pd(a, b), _mm_set_pd(static_cast<double>(offset_y_) + height, static_cast<double>(offset_x_) + width));
  return _mm_movemask_pd(all_before) | (_mm_movemask_pd(all_after) << 2);
#else
  (void)points, (void)count, (void)width, (void)height;
  return 0;
#endif
}

}  // namespace zeph
