#include "zeph/toolkit/linerasterizer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>

namespace zeph {

namespace {

// Products of pixel coordinates can exceed 64 bits for end points near the Integer limits.
__extension__ typedef __int128 Wide;

// A dash pattern as one on/off flag per pixel of its period.
struct DashTable {
  int period = 0;
  std::array<bool, 24> on{};
};

constexpr DashTable MakeDashTable(std::initializer_list<int> lengths) {
  DashTable table;
  bool on = true;
  for (const int length : lengths) {
    for (int k = 0; k < length; ++k) table.on[static_cast<std::size_t>(table.period++)] = on;
    on = !on;
  }
  return table;
}

// Dash patterns of the GDI's cosmetic pens, in pixels: on, off, on, off...
constexpr DashTable kDash = MakeDashTable({18, 6});
constexpr DashTable kDot = MakeDashTable({3, 3});
constexpr DashTable kDashDot = MakeDashTable({9, 6, 3, 6});
constexpr DashTable kDashDotDot = MakeDashTable({9, 3, 3, 3, 3, 3});

const DashTable* Pattern(TPenStyle style) {
  switch (style) {
    case psDash: return &kDash;
    case psDot: return &kDot;
    case psDashDot: return &kDashDot;
    case psDashDotDot: return &kDashDotDot;
    default: return nullptr;
  }
}

// Below this the products of the clipping arithmetic fit in 64 bits; beyond it (end points near
// the Integer limits) they are computed in 128.
constexpr long long kNarrow = 1LL << 30;

// Step i of a line whose major axis advances by major (> 0) while the minor one advances by
// minor_abs (0 ..= major) lies offset(i) = floor((2 i minor_abs + major) / (2 major)) pixels off
// the start on the minor axis: the nearest pixel, halves rounded away from the start. This is the
// first step whose offset reaches k (k >= 1), or major when none before it does.
template <typename Int>
long long FirstStepReaching(long long k, long long major, long long minor_abs) {
  const Int numerator = Int{2} * major * k - major;
  const Int denominator = Int{2} * minor_abs;
  return static_cast<long long>(std::min<Int>((numerator + denominator - 1) / denominator, major));
}

long long FirstStepReaching(long long k, long long major, long long minor_abs) {
  if (major < kNarrow && k < kNarrow) return FirstStepReaching<long long>(k, major, minor_abs);
  return FirstStepReaching<Wide>(k, major, minor_abs);
}

// The offset of step i as quotient and remainder of the division above.
template <typename Int>
void OffsetAt(long long i, long long major, long long minor_abs, long long& offset, long long& remainder) {
  const Int numerator = Int{2} * i * minor_abs + major;
  offset = static_cast<long long>(numerator / (Int{2} * major));
  remainder = static_cast<long long>(numerator % (Int{2} * major));
}

}  // namespace

LineRasterizer::LineRasterizer(QImage& image, std::uint32_t pixel, TPenStyle style, bool xor_mode, int brush)
    : bits_(const_cast<uchar*>(image.constBits())),
      stride_(image.bytesPerLine()),
      width_(image.width()),
      height_(image.height()),
      pixel_(pixel & 0xFFFFFF),
      xor_(xor_mode),
      brush_(xor_mode ? 1 : std::clamp(brush, 1, 64)) {
  width_ += brush_ - 1;
  height_ += brush_ - 1;
  if (const DashTable* table = Pattern(style)) {
    dash_on_ = table->on.data();
    dash_period_ = table->period;
  }
}

void LineRasterizer::Skip(long long steps) {
  if (dash_period_ == 0 || steps == 0) return;
  // Lines within the clamped coordinates take the cheaper 32-bit division.
  const auto total = static_cast<unsigned long long>(dash_pos_) + static_cast<unsigned long long>(steps);
  const auto period = static_cast<unsigned>(dash_period_);
  dash_pos_ = static_cast<int>(total <= 0xFFFFFFFFull ? static_cast<unsigned>(total) % period : total % period);
}

void LineRasterizer::Plot(int x, int y) {
  if (brush_ != 1) {
    PlotSquare(x, y);
    return;
  }
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  auto* line = reinterpret_cast<std::uint32_t*>(bits_ + y * stride_);
  line[x] = xor_ ? (line[x] ^ pixel_) | 0xFF000000u : pixel_ | 0xFF000000u;
}

void LineRasterizer::PlotSquare(int x, int y) {
  // The square's last pixel is (x, y); the image is brush - 1 pixels narrower than the plane.
  const int image_width = width_ - brush_ + 1;
  const int image_height = height_ - brush_ + 1;
  const int left = std::max(x - brush_ + 1, 0);
  const int right = std::min(x, image_width - 1);
  const int top = std::max(y - brush_ + 1, 0);
  const int bottom = std::min(y, image_height - 1);
  for (int row = top; row <= bottom; ++row) {
    auto* line = reinterpret_cast<std::uint32_t*>(bits_ + row * stride_);
    for (int column = left; column <= right; ++column) line[column] = pixel_ | 0xFF000000u;
  }
}

void LineRasterizer::Column(int x, int top, int bottom) { FillSquares(x, top, x, bottom); }

void LineRasterizer::FillSquares(int x1, int y1, int x2, int y2) {
  // The squares' last pixels run from (x1, y1) to (x2, y2); the image is brush - 1 pixels
  // narrower than the plane.
  const int left = std::max(x1 - brush_ + 1, 0);
  const int right = std::min(x2, width_ - brush_);
  const int top = std::max(y1 - brush_ + 1, 0);
  const int bottom = std::min(y2, height_ - brush_);
  if (left > right) return;
  const std::uint32_t pixel = pixel_ | 0xFF000000u;
  if (!xor_ && right - left < 2) {
    // A column of a curve, one or two pixels wide: two stores a row cover either.
    auto* line = reinterpret_cast<std::uint32_t*>(bits_ + top * stride_);
    for (int row = top; row <= bottom; ++row) {
      line[left] = pixel;
      line[right] = pixel;
      line = reinterpret_cast<std::uint32_t*>(reinterpret_cast<uchar*>(line) + stride_);
    }
    return;
  }
  for (int row = top; row <= bottom; ++row) {
    auto* line = reinterpret_cast<std::uint32_t*>(bits_ + row * stride_);
    if (xor_) {
      for (int column = left; column <= right; ++column) line[column] = (line[column] ^ pixel_) | 0xFF000000u;
    } else {
      std::fill(line + left, line + right + 1, pixel);
    }
  }
}

void LineRasterizer::Line(QPoint from, QPoint to) {
  const long long dx = static_cast<long long>(to.x()) - from.x();
  const long long dy = static_cast<long long>(to.y()) - from.y();
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const long long major = x_major ? std::llabs(dx) : std::llabs(dy);
  if (major == 0) return;
  // Wholly beside the image: only the dash pattern moves on.
  if ((from.x() < 0 && to.x() < 0) || (from.y() < 0 && to.y() < 0) || (from.x() >= width_ && to.x() >= width_) ||
      (from.y() >= height_ && to.y() >= height_)) {
    Skip(major);
    return;
  }
  const long long minor = x_major ? dy : dx;
  const long long minor_abs = std::llabs(minor);
  const int step = (x_major ? dx : dy) > 0 ? 1 : -1;
  const int minor_step = minor < 0 ? -1 : 1;
  const long long start_major = x_major ? from.x() : from.y();
  const long long start_minor = x_major ? from.y() : from.x();
  const long long major_limit = x_major ? width_ : height_;
  const long long minor_limit = x_major ? height_ : width_;

  // The steps whose pixel lies inside the image form one range: the major coordinate moves one
  // pixel a step and the minor offset never decreases. A line between two pixels of the image
  // lies inside it.
  long long first = 0;
  long long last = major - 1;
  const bool inside = from.x() >= 0 && from.y() >= 0 && from.x() < width_ && from.y() < height_ && to.x() >= 0 &&
                      to.y() >= 0 && to.x() < width_ && to.y() < height_;
  if (!inside) {
    first = std::max(first, step > 0 ? -start_major : start_major - (major_limit - 1));
    last = std::min(last, step > 0 ? major_limit - 1 - start_major : start_major);
    const long long low_offset = minor_step > 0 ? -start_minor : start_minor - (minor_limit - 1);
    const long long high_offset = minor_step > 0 ? minor_limit - 1 - start_minor : start_minor;
    if (high_offset < 0 || (minor_abs == 0 && low_offset > 0)) {
      last = first - 1;
    } else if (minor_abs > 0) {
      if (low_offset > 0) first = std::max(first, FirstStepReaching(low_offset, major, minor_abs));
      last = std::min(last, FirstStepReaching(high_offset + 1, major, minor_abs) - 1);
    }
  }
  if (first > last) {
    Skip(major);
    return;
  }
  Skip(first);

  // Solid: the steps at one minor offset form a straight run of pixels, filled as one box.
  const auto fill_run = [&](long long from_step, long long to_step, long long run_offset) {
    if (from_step > to_step) return;
    const auto low = static_cast<int>(start_major + step * (step > 0 ? from_step : to_step));
    const auto high = static_cast<int>(start_major + step * (step > 0 ? to_step : from_step));
    const auto b = static_cast<int>(start_minor + minor_step * run_offset);
    if (x_major) {
      FillSquares(low, b, high, b);
    } else {
      FillSquares(b, low, b, high);
    }
  };
  if (dash_period_ == 0 && minor_abs <= 1) {
    // Straight, or one pixel across (most segments of a dense curve): the offset turns 1 at the
    // first step reaching halfway, so there are at most two runs and nothing to walk.
    const long long split = minor_abs == 0 ? last + 1 : (major + 1) / 2;
    fill_run(first, std::min(last, split - 1), 0);
    fill_run(std::max(first, split), last, 1);
    return;
  }

  // The minor offset of the first step, then carried on step by step.
  // From the start pixel (a line inside the image, the common case) that is no division.
  long long offset = 0;
  long long remainder = major;
  if (first != 0 && major < kNarrow) {
    OffsetAt<long long>(first, major, minor_abs, offset, remainder);
  } else if (first != 0) {
    OffsetAt<Wide>(first, major, minor_abs, offset, remainder);
  }
  const long long increment = 2 * minor_abs;
  const long long wrap = 2 * major;
  if (dash_period_ == 0) {
    long long run_from = first;
    for (long long i = first; i <= last; ++i) {
      remainder += increment;
      const bool moves = remainder >= wrap;
      if (moves || i == last) {
        fill_run(run_from, i, offset);
        run_from = i + 1;
      }
      if (moves) {
        remainder -= wrap;
        ++offset;
      }
    }
    return;
  }
  long long a = start_major + step * first;
  for (long long i = first; i <= last; ++i) {
    const bool on = dash_on_[dash_pos_];
    if (++dash_pos_ == dash_period_) dash_pos_ = 0;
    if (on) {
      const long long b = start_minor + minor_step * offset;
      if (x_major) {
        Plot(static_cast<int>(a), static_cast<int>(b));
      } else {
        Plot(static_cast<int>(b), static_cast<int>(a));
      }
    }
    a += step;
    remainder += increment;
    if (remainder >= wrap) {
      remainder -= wrap;
      ++offset;
    }
  }
  Skip(major - 1 - last);
}

}  // namespace zeph
