#include "zeph/chart/render/dirtycolumns_p.h"

#include <algorithm>
#include <cstring>

namespace zeph {

void TDirtyColumns::Reset(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  all_ = false;
  top_.assign(static_cast<std::size_t>(width_), height_);
  bottom_.assign(static_cast<std::size_t>(width_), 0);
}

qint64 TDirtyColumns::Count() const {
  qint64 count = 0;
  for (std::size_t i = 0; i < top_.size(); ++i) count += std::max(bottom_[i] - top_[i], 0);
  return count;
}

bool TDirtyColumns::Restore(const QImage& empty, const QImage& target) const {
  if (empty.size() != QSize(width_, height_) || empty.format() != target.format()) return false;
  return RestoreRows([&empty](int y) { return reinterpret_cast<const std::uint32_t*>(empty.constScanLine(y)); },
                     target);
}

}  // namespace zeph
