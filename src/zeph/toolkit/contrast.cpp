// Contrast of colours as accessibility guidelines measure it.
#include "zeph/toolkit/contrast.h"

#include <algorithm>
#include <cmath>

namespace zeph {

namespace {

double Channel(double value) {
  return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return 0.2126 * Channel(rgb.redF()) + 0.7152 * Channel(rgb.greenF()) + 0.0722 * Channel(rgb.blueF());
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor FocusIndicatorColor(const QColor& preferred, const QColor& background) {
  constexpr double kMinimum = 3.0;
  if (ContrastRatio(preferred, background) >= kMinimum) return preferred;
  const QColor black(Qt::black);
  const QColor white(Qt::white);
  return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

}  // namespace zeph
