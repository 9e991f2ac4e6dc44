#pragma once

#include <QPoint>
#include <algorithm>
#include <cmath>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "zeph/chart/itemlist.h"
#include "zeph/scales/scalemap.h"

namespace zeph {

// The world-to-pixel mapping of one layer's linear axes in double precision: a building block of
// the chart's rendering, taken by TSolidPolyline.
//
// It computes px = kx * x + dx rounded to the nearest pixel, in double precision instead of the
// chart's extended precision, for both coordinates of a point in one step. It answers only where
// the double result provably rounds to the same pixel as the extended one (the result is farther
// from a half than both can differ), which is all but a few points in billions; the caller maps
// the others the exact way. Without SSE2 it always declines.
class TPixelMap {
 public:
  // Constructs an unusable map: Map() always declines.
  TPixelMap() = default;
  // Constructs the map px = kx * x + dx, py = ky * y + dy, with ln x in place of x on a
  // logarithmic x axis (log_x) and ln y in place of y on a logarithmic y axis (log_y).
  //
  // Unusable (Map() always declines) unless the coefficients are finite. The pixel is clamped to
  // -clamp..clamp and then shifted by (-offset_x, -offset_y).
  TPixelMap(long double kx, long double dx, long double ky, long double dy, bool log_x, bool log_y, int clamp,
            int offset_x, int offset_y);

  // The world x values strictly between lo and hi all map to the shifted pixel column, in both
  // precisions: a curve's points can be sorted into columns by two comparisons each.
  //
  // The interval is empty (lo >= hi) where the map cannot tell, and always on a logarithmic axis
  // (either one: the extremes of a column's y values need not give its extreme pixels there).
  // Always inline: a dense curve asks once a pixel column.
  Q_ALWAYS_INLINE void ColumnInterval(int column, double& lo, double& hi) const {
    lo = HUGE_VAL;
    hi = -HUGE_VAL;
#if defined(__SSE2__)
    const int c = column + offset_x_;
    if (!usable_ || log_x_ || log_y_ || kx_ == 0 || margin_ > 0.25 || c <= -clamp_ || c >= clamp_) return;
    // With the reciprocal: its rounding is far inside the margin, and a curve crosses many columns.
    const double a = (c - 0.5 + margin_ - dx_) * inverse_kx_;
    const double b = (c + 0.5 - margin_ - dx_) * inverse_kx_;
    lo = std::min(a, b);
    hi = std::max(a, b);
#else
    (void)column;
#endif
  }

  // Sides of an image, as SidesBeside() reports them.
  enum TSide { kLeft = 1, kAbove = 2, kRight = 4, kBelow = 8 };

  // The sides of a width x height image (shifted pixels 0..width-1, 0..height-1) that all the
  // points provably lie beyond, in both precisions: a mask of TSide values, 0 when there is none,
  // when a point is no finite number, when an axis is logarithmic and when the map is unusable. Every line between two
  // points beyond a common side lies beside the image, so a stretch of a curve there draws nothing.
  int SidesBeside(const TZephItemPoint* points, std::size_t count, int width, int height) const;
  // The sides of a width x height image a shifted pixel lies beyond, as SidesBeside() counts them.
  static int PixelSidesBeside(QPoint pixel, int width, int height) {
    return (pixel.x() < 0 ? kLeft : 0) | (pixel.y() < 0 ? kAbove : 0) | (pixel.x() >= width ? kRight : 0) |
           (pixel.y() >= height ? kBelow : 0);
  }

  // Maps a world point to its shifted pixel; returns false, leaving pixel as it was, where the
  // double result might round differently from the extended one, for points that are no finite
  // numbers, and when the map is unusable.
  Q_ALWAYS_INLINE bool Map(const TZephItemPoint& point, QPoint& pixel) const {
#if defined(__SSE2__)
    if (!usable_) return false;
    if (log_x_ || log_y_) return MapLogarithmic(point, pixel);
    return MapValues(_mm_loadu_pd(&point.X), pixel);
#else
    (void)point;
    (void)pixel;
    return false;
#endif
  }

 private:
#if defined(__SSE2__)
  // Maps x and y (or their logarithms) to the shifted pixel; false where either might round
  // differently in extended precision or is no finite number.
  Q_ALWAYS_INLINE bool MapValues(__m128d values, QPoint& pixel) const {
    const __m128d abs_mask = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
    const __m128d product = _mm_mul_pd(values, k_);
    const __m128d value = _mm_add_pd(product, d_);
    // Non-finite points (and overflowing products) fail here: x - x is 0 only for finite x.
    const __m128d finite = _mm_cmpeq_pd(_mm_sub_pd(value, value), _mm_setzero_pd());
    // Beyond the clamp both precisions give the clamped pixel.
    const __m128d clamped = _mm_min_pd(_mm_max_pd(value, low_), high_);
    const __m128i rounded = _mm_cvtpd_epi32(clamped);
    const __m128d distance = _mm_and_pd(_mm_sub_pd(clamped, _mm_cvtepi32_pd(rounded)), abs_mask);
    const __m128d error = _mm_mul_pd(_mm_add_pd(_mm_and_pd(product, abs_mask), abs_d_plus_one_), epsilon_);
    const __m128d safe = _mm_and_pd(finite, _mm_cmplt_pd(distance, _mm_sub_pd(_mm_set1_pd(0.5), error)));
    if (_mm_movemask_pd(safe) != 3) return false;
    const __m128i shifted = _mm_sub_epi32(rounded, offset_);
    // x and y in one store: read back whole, two stores of half its size would stall the load.
    static_assert(sizeof(QPoint) == 2 * sizeof(int));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(&pixel), shifted);
    return true;
  }
  // Map() on a logarithmic axis: apart, so that the linear one stays small enough to inline.
  bool MapLogarithmic(const TZephItemPoint& point, QPoint& pixel) const;

  bool usable_ = false;
  bool log_x_ = false;
  bool log_y_ = false;
  double kx_ = 0;
  double inverse_kx_ = 0;
  double dx_ = 0;
  double margin_ = 0;
  int clamp_ = 0;
  int offset_x_ = 0;
  int offset_y_ = 0;
  __m128d k_{};
  __m128d d_{};
  __m128d abs_d_plus_one_{};
  __m128d epsilon_{};
  __m128d low_{};
  __m128d high_{};
  __m128i offset_{};
#endif
};

}  // namespace zeph
