#include "zeph/chart/render/emptyarea_p.h"

#include <cstring>
#include <unordered_map>

namespace zeph {

namespace {

std::uint64_t RowHash(const std::uint32_t* row, std::size_t width) {
  std::uint64_t hash = 1469598103934665603ull;
  for (std::size_t i = 0; i < width; ++i) hash = (hash ^ row[i]) * 1099511628211ull;
  return hash;
}

}  // namespace

void TEmptyArea::Take(const QImage& image) {
  size_ = image.size();
  width_ = static_cast<std::size_t>(image.width());
  row_of_.assign(static_cast<std::size_t>(image.height()), 0);
  pixels_.clear();
  if (image.isNull() || image.depth() != 32) {
    row_of_.clear();
    return;
  }
  const std::size_t bytes = width_ * sizeof(std::uint32_t);
  std::unordered_multimap<std::uint64_t, int> distinct;
  int previous = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    const auto same = [&](int kept) { return std::memcmp(pixels_.data() + kept * width_, row, bytes) == 0; };
    // Most rows are the one above again: compared first, without hashing.
    int found = previous >= 0 && same(previous) ? previous : -1;
    if (found < 0) {
      const std::uint64_t hash = RowHash(row, width_);
      const auto [first, last] = distinct.equal_range(hash);
      for (auto it = first; it != last && found < 0; ++it)
        if (same(it->second)) found = it->second;
      if (found < 0) {
        found = static_cast<int>(pixels_.size() / std::max<std::size_t>(width_, 1));
        pixels_.insert(pixels_.end(), row, row + width_);
        distinct.emplace(hash, found);
      }
    }
    row_of_[static_cast<std::size_t>(y)] = found;
    previous = found;
  }
  pixels_.shrink_to_fit();
}

void TEmptyArea::CopyTo(const QImage& target) const {
  if (target.size() != size_ || target.depth() != 32) return;
  const std::size_t bytes = width_ * sizeof(std::uint32_t);
  // Written through the const view, as the painter working on the same image does: no detach.
  auto* bits = const_cast<uchar*>(target.constBits());
  for (int y = 0; y < size_.height(); ++y) std::memcpy(bits + y * target.bytesPerLine(), Row(y), bytes);
}

}  // namespace zeph
