#include "zeph/scales/scalemap.h"

#include <cmath>

#include "zeph/scales/scalemath_p.h"

namespace zeph {

void CalcScaleFactor(const ScaleGeometry& g, ScaleMap& map) {
  if (g.range_high == g.range_low) return;
  const bool horizontal = g.Horizontal();
  const long double n = horizontal ? static_cast<long double>(g.width) - g.margin_left - g.margin_right - 1
                                   : static_cast<long double>(g.height) - g.margin_top - g.margin_bottom - 1;
  if (n <= 0) {
    map.factor = 0;
    map.offset = horizontal ? g.width / 2.0 : g.height / 2.0;
    return;
  }
  long double low = g.range_low;
  long double high = g.range_high;
  if (g.logarithmic) {
    if (low <= 0 || high <= 0) return;
    low = std::log(low);
    high = std::log(high);
  }
  long double factor = 0;
  long double offset = 0;
  if (horizontal) {
    factor = n / (high - low);
    offset = g.margin_left - factor * low;
  } else {
    factor = n / (low - high);
    offset = g.margin_top - factor * high;
  }
  map.factor = static_cast<double>(factor);
  map.offset = static_cast<double>(offset);
}

int ValueToPixel(const ScaleGeometry& g, const ScaleMap& map, double value) {
  long double p = 0;
  if (g.logarithmic) {
    if (value > kMinLogValue) {
      p = std::log(static_cast<long double>(value)) * map.factor + map.offset;
    } else {
      // No logarithm: the edge at the axis start, which is the bottom of a vertical axis (as the
      // chart maps such points), or the opposite edge when the axis is reversed.
      const bool reversed = g.range_high < g.range_low;
      if (g.Horizontal()) {
        p = reversed ? g.width : 0;
      } else {
        p = reversed ? 0 : g.height;
      }
    }
  } else {
    p = static_cast<long double>(map.factor) * value + map.offset;
  }
  return RoundToInt(p);
}

}  // namespace zeph
