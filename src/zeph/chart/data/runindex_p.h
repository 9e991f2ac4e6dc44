#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "zeph/chart/chartitem.h"

namespace zeph {

// What a block of consecutive points of a run comes to: the lowest and highest finite y, and the
// highest finite x of the run up to the block's end. A block whose points are not all draw-to
// points with finite coordinates has no lowest y (it is no number).
struct TBlockSummary {
  double min_y;
  double max_y;
  double max_x;
  // Whether every point of the block is a draw-to point with finite coordinates.
  bool Clean() const { return !std::isnan(min_y); }
};

// The index of a run of move-to and draw-to points whose x never decreases: block summaries in
// levels (128 points, 64 blocks, 64 of those), brought up to the points appended so far on demand.
//
// Points are addressed by a position that never changes while the run lives; blocks are aligned
// on multiples of their size in that space, so dropping the run's oldest points drops whole blocks
// and a block that is only partly in the run is never taken as a whole. Costs a fifth of a byte a
// point.
class TRunIndex {
 public:
  static constexpr int kLevels = 3;
  static constexpr std::size_t BlockSize(int level) { return std::size_t{128} << (6 * level); }

  explicit TRunIndex(std::size_t begin) : begin_(begin), built_(begin) {}

  // Whether every finite x so far is at least the finite x before it, and there is no other kind
  // than move-to and draw-to.
  bool Ordered() const { return ordered_; }
  std::size_t Begin() const { return begin_; }
  std::size_t Built() const { return built_; }

  // Takes in the points from Built() up to end; point(i) gives the point at position i, kind(i) its
  // kind. A point out of order or of another kind ends the index for good: it frees its blocks.
  template <typename PointAt, typename KindAt>
  void CatchUp(std::size_t end, const PointAt& point, const KindAt& kind) {
    constexpr std::size_t kBlock = BlockSize(0);
    Reserve(end);
    while (ordered_ && built_ < end) {
      const std::size_t block_end = std::min(end, (built_ / kBlock + 1) * kBlock);
      double low = HUGE_VAL;
      double high = -HUGE_VAL;
      bool clean = true;
      for (std::size_t i = built_; i < block_end; ++i) {
        const TZephItemPoint& p = point(i);
        const std::uint8_t k = kind(i);
        if (k != ikDrawTo && k != ikMoveTo) {
          Give();
          return;
        }
        const bool finite_x = std::isfinite(p.X);
        const bool finite_y = std::isfinite(p.Y);
        // Where a polyline starts anew: a move-to, or the first finite point after one that is not.
        if (finite_x && finite_y && (k == ikMoveTo || last_broken_)) AddStart(i);
        last_broken_ = !(finite_x && finite_y);
        if (finite_x) {
          if (p.X < last_x_) {
            Give();
            return;
          }
          last_x_ = p.X;
        }
        if (finite_y) {
          low = std::min(low, p.Y);
          high = std::max(high, p.Y);
        }
        clean = clean && finite_x && finite_y && k == ikDrawTo;
      }
      Merge(built_, low, high, clean);
      built_ = block_end;
    }
  }

  // Room for all the blocks up to the end at once, for points still to come: blocks given back to
  // the heap while growing would stay resident.
  void Reserve(std::size_t end) {
    for (int level = 0; ordered_ && built_ < end && level < kLevels; ++level) {
      Level& l = levels_[static_cast<std::size_t>(level)];
      const std::size_t first = l.blocks.size() == l.dropped ? built_ / BlockSize(level) : l.first;
      const std::size_t needed = l.dropped + (end - 1) / BlockSize(level) + 1 - first;
      if (needed > l.blocks.capacity())
        l.blocks.reserve(std::max(needed, l.blocks.capacity() + l.blocks.capacity() / 4));
    }
  }

  // The last position at or before the position where a polyline starts anew (a move-to, or the
  // first finite point after one that is not), or none when unknown or there is none since Begin().
  bool LastStart(std::size_t position, std::size_t& start) const {
    if (!starts_complete_) return false;
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), position);
    if (after == starts_.begin() || *(after - 1) < begin_) return false;
    start = *(after - 1);
    return true;
  }

  // The run now starts at position begin (not before the old start): blocks wholly before it go.
  void DropFront(std::size_t begin) {
    begin_ = std::max(begin_, begin);
    if (built_ < begin_) built_ = begin_;
    const auto kept = std::lower_bound(starts_.begin(), starts_.end(), begin_);
    if (kept - starts_.begin() > starts_.end() - kept) starts_.erase(starts_.begin(), kept);
    for (int level = 0; level < kLevels; ++level) {
      Level& l = levels_[static_cast<std::size_t>(level)];
      const std::size_t first_needed = begin_ / BlockSize(level);
      const std::size_t drop = std::min(first_needed, l.first + l.blocks.size()) - std::min(first_needed, l.first);
      if (drop == 0) continue;
      l.dropped += drop;
      l.first += drop;
      // Erased in bulk, once the dropped blocks are as many as the kept: amortised constant.
      if (l.dropped >= l.blocks.size() - l.dropped) {
        l.blocks.erase(l.blocks.begin(), l.blocks.begin() + static_cast<std::ptrdiff_t>(l.dropped));
        l.dropped = 0;
      }
    }
  }

  // The summary of block b of the level, when it lies wholly in [from, to) and is built; null
  // otherwise.
  const TBlockSummary* Block(int level, std::size_t b, std::size_t from, std::size_t to) const {
    const std::size_t size = BlockSize(level);
    const std::size_t start = b * size;
    if (start < from || start < begin_ || start + size > to || start + size > built_) return nullptr;
    const Level& l = levels_[static_cast<std::size_t>(level)];
    if (b < l.first) return nullptr;
    return &l.blocks[l.dropped + (b - l.first)];
  }

  // Whether the points from position up to end, which lie in one block of the first level and are
  // built, are all draw-to points with finite coordinates: the block's summary says so.
  bool Clean(std::size_t position, std::size_t end) const {
    const Level& l = levels_[0];
    const std::size_t b = position / BlockSize(0);
    if (position < begin_ || end > built_ || b < l.first || b - l.first >= l.blocks.size() - l.dropped) return false;
    return l.blocks[l.dropped + (b - l.first)].Clean();
  }

  // The first position in [from, to) whose finite x is at least value, or to; point(i) gives the
  // point at position i. Points that are no finite number count as below. Only while Ordered().
  template <typename PointAt>
  std::size_t FirstAtLeast(std::size_t from, std::size_t to, double value, const PointAt& point) const {
    const std::size_t size = BlockSize(0);
    std::size_t i = from;
    // Up to the first whole block, one by one.
    for (; i < to && i % size != 0; ++i)
      if (point(i).X >= value) return i;
    // The first whole block whose running highest x reaches the value.
    std::size_t lo = i / size;
    std::size_t hi = std::min(to, built_) / size;
    if (lo < hi && Block(0, lo, from, to) != nullptr) {
      while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (Block(0, mid, from, to)->max_x < value) {
          lo = mid + 1;
        } else {
          hi = mid;
        }
      }
      i = lo * size;
    }
    for (; i < to; ++i)
      if (point(i).X >= value) return i;
    return to;
  }

  // Bytes the index holds.
  std::size_t AllocatedBytes() const {
    std::size_t bytes = 0;
    for (const Level& l : levels_) bytes += l.blocks.capacity() * sizeof(TBlockSummary);
    return bytes + starts_.capacity() * sizeof(std::size_t);
  }

 private:
  struct Level {
    std::vector<TBlockSummary> blocks;
    std::size_t first = 0;    // number of the block blocks[dropped] summarises
    std::size_t dropped = 0;  // leading entries no longer needed
  };

  void Give() {
    ordered_ = false;
    for (Level& l : levels_) std::vector<TBlockSummary>().swap(l.blocks);
    std::vector<std::size_t>().swap(starts_);
  }

  // Keeps the start unless starts are too many to keep (more than one in a block on average).
  void AddStart(std::size_t position) {
    if (!starts_complete_) return;
    if (starts_.size() > (position - begin_) / BlockSize(0) + 64) {
      starts_complete_ = false;
      std::vector<std::size_t>().swap(starts_);
      return;
    }
    starts_.push_back(position);
  }

  // Adds what points from the position on came to, up to the end of its block, to the blocks of
  // every level that hold it.
  void Merge(std::size_t position, double low, double high, bool clean) {
    for (int level = 0; level < kLevels; ++level) {
      Level& l = levels_[static_cast<std::size_t>(level)];
      const std::size_t b = position / BlockSize(level);
      if (l.blocks.size() == l.dropped) l.first = b;
      if (b >= l.first + (l.blocks.size() - l.dropped)) {
        l.blocks.push_back({HUGE_VAL, -HUGE_VAL, last_x_});
      }
      TBlockSummary& s = l.blocks.back();
      s.min_y = clean ? std::min(s.min_y, low) : std::numeric_limits<double>::quiet_NaN();
      s.max_y = std::max(s.max_y, high);
      s.max_x = last_x_;
    }
  }

  std::size_t begin_;
  std::size_t built_;
  bool ordered_ = true;
  bool last_broken_ = false;
  double last_x_ = -HUGE_VAL;
  std::vector<std::size_t> starts_;
  bool starts_complete_ = true;
  Level levels_[kLevels];
};

}  // namespace zeph
