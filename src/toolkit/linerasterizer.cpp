#include "toolkit/linerasterizer.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Dash patterns of the GDI's cosmetic pens, in pixels: on, off, on, off...
constexpr int kDash[] = {18, 6, 0};
constexpr int kDot[] = {3, 3, 0};
constexpr int kDashDot[] = {9, 6, 3, 6, 0};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3, 0};

const int* Pattern(TPenStyle style) {
  switch (style) {
    case psDash: return kDash;
    case psDot: return kDot;
    case psDashDot: return kDashDot;
    case psDashDotDot: return kDashDotDot;
    default: return nullptr;
  }
}

// The minor coordinate of step i of a line whose major axis advances by major (> 0) while the
// minor one advances by minor: the nearest pixel, halves rounded away from the start.
long long MinorAt(long long i, long long major, long long minor) {
  const long long num = 2 * i * std::llabs(minor) + major;
  const long long offset = num / (2 * major);
  return minor < 0 ? -offset : offset;
}

}  // namespace

LineRasterizer::LineRasterizer(QImage& image, std::uint32_t pixel, TPenStyle style, bool xor_mode)
    : bits_(const_cast<uchar*>(image.constBits())),
      stride_(image.bytesPerLine()),
      width_(image.width()),
      height_(image.height()),
      pixel_(pixel & 0xFFFFFF), xor_(xor_mode), dashes_(Pattern(style)) {
  if (dashes_) dash_left_ = dashes_[0];
}

bool LineRasterizer::DashOn() {
  if (!dashes_) return true;
  const bool on = (dash_index_ % 2) == 0;
  if (--dash_left_ == 0) {
    ++dash_index_;
    if (dashes_[dash_index_] == 0) dash_index_ = 0;
    dash_left_ = dashes_[dash_index_];
  }
  return on;
}

void LineRasterizer::Plot(int x, int y) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  auto* line = reinterpret_cast<std::uint32_t*>(bits_ + y * stride_);
  line[x] = xor_ ? (line[x] ^ pixel_) | 0xFF000000u : pixel_ | 0xFF000000u;
}

void LineRasterizer::Line(QPoint from, QPoint to) {
  const long long dx = static_cast<long long>(to.x()) - from.x();
  const long long dy = static_cast<long long>(to.y()) - from.y();
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const long long major = x_major ? std::llabs(dx) : std::llabs(dy);
  if (major == 0) return;
  const long long minor = x_major ? dy : dx;
  const int step = (x_major ? dx : dy) > 0 ? 1 : -1;
  const long long start_major = x_major ? from.x() : from.y();
  const long long start_minor = x_major ? from.y() : from.x();
  const long long limit = x_major ? width_ : height_;

  // Steps whose major coordinate lies inside the image; with a dash pattern every step counts.
  long long first = 0;
  long long last = major - 1;
  if (!dashes_) {
    const long long lo = step > 0 ? -start_major : start_major - (limit - 1);
    const long long hi = step > 0 ? limit - 1 - start_major : start_major;
    first = std::max(first, lo);
    last = std::min(last, hi);
  }
  for (long long i = first; i <= last; ++i) {
    const bool on = DashOn();
    if (!on) continue;
    const long long a = start_major + step * i;
    const long long b = start_minor + MinorAt(i, major, minor);
    if (x_major) {
      Plot(static_cast<int>(a), static_cast<int>(b));
    } else {
      Plot(static_cast<int>(b), static_cast<int>(a));
    }
  }
}
