#include "common/reference_lines.h"

#include <cstdlib>

using namespace zeph;

namespace {

// The dash patterns on, off, on, off... as the GDI's cosmetic pens draw them.
std::vector<int> Dashes(TPenStyle style) {
  switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

}  // namespace

ReferenceLines::ReferenceLines(QImage& image, std::uint32_t pixel, TPenStyle style) : image_(image), pixel_(pixel) {
  bool on = true;
  for (const int length : Dashes(style)) {
    for (int k = 0; k < length; ++k) pattern_.push_back(on);
    on = !on;
  }
}

void ReferenceLines::Line(QPoint from, QPoint to) {
  const long long dx = static_cast<long long>(to.x()) - from.x();
  const long long dy = static_cast<long long>(to.y()) - from.y();
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const long long major = x_major ? std::llabs(dx) : std::llabs(dy);
  const long long minor = x_major ? dy : dx;
  const int step = (x_major ? dx : dy) > 0 ? 1 : -1;
  for (long long i = 0; i < major; ++i) {
    const bool on = pattern_.empty() || pattern_[static_cast<std::size_t>(position_)];
    if (!pattern_.empty()) position_ = (position_ + 1) % static_cast<long long>(pattern_.size());
    if (!on) continue;
    // The nearest pixel on the minor axis, halves rounded away from the start.
    const long long offset = (2 * i * std::llabs(minor) + major) / (2 * major);
    const long long a = (x_major ? from.x() : from.y()) + step * i;
    const long long b = (x_major ? from.y() : from.x()) + (minor < 0 ? -offset : offset);
    const long long x = x_major ? a : b;
    const long long y = x_major ? b : a;
    if (x >= 0 && y >= 0 && x < image_.width() && y < image_.height())
      image_.setPixel(static_cast<int>(x), static_cast<int>(y), 0xFF000000u | pixel_);
  }
}
