#include "zeph/chart/dirtycolumns.h"

#include <algorithm>
#include <cstring>

namespace zeph {

void DirtyColumns::Reset(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  all_ = false;
  top_.assign(static_cast<std::size_t>(width_), height_);
  bottom_.assign(static_cast<std::size_t>(width_), 0);
}

void DirtyColumns::MarkSegment(QPoint a, QPoint b) {
  if (all_) return;
  const int x1 = std::max(std::min(a.x(), b.x()) - (brush_ - 1), 0);
  const int x2 = std::min(std::max(a.x(), b.x()), width_ - 1);
  if (x1 > x2) return;
  const int y1 = std::max(std::min(a.y(), b.y()) - (brush_ - 1), 0);
  const int y2 = std::min(std::max(a.y(), b.y()) + 1, height_);
  if (y1 >= y2) return;
  // Every column the segment crosses gets the segment's whole row range: generous for shallow
  // segments, exact enough for the short ones a curve is made of.
  for (int x = x1; x <= x2; ++x) {
    auto i = static_cast<std::size_t>(x);
    top_[i] = std::min(top_[i], y1);
    bottom_[i] = std::max(bottom_[i], y2);
  }
}

qint64 DirtyColumns::Count() const {
  qint64 count = 0;
  for (std::size_t i = 0; i < top_.size(); ++i) count += std::max(bottom_[i] - top_[i], 0);
  return count;
}

bool DirtyColumns::Restore(const QImage& empty, const QImage& target) const {
  if (empty.size() != QSize(width_, height_) || empty.format() != target.format()) return false;
  return RestoreRows([&empty](int y) { return reinterpret_cast<const std::uint32_t*>(empty.constScanLine(y)); },
                     target);
}

}  // namespace zeph
