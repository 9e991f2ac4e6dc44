#pragma once

#include <cstddef>
#include <deque>

#include "zeph/chart/chartitem.h"
#include "zeph/chart/itemlist.h"
#include "zeph/chart/data/pointstorage_p.h"

namespace zeph {

// The points of one curve, in chunks of TZephItemList::kChunkPoints, that can lose their oldest
// points: a chunk is given back as soon as none of its points is left.
//
// Points are addressed by position: the number of points appended before them since the last
// Clear(). Dropping points moves Begin() on and leaves every other position as it was.
class TPointSeries {
 public:
  static constexpr std::size_t kChunkPoints = TZephItemList::kChunkPoints;

  std::size_t Begin() const { return begin_; }
  std::size_t End() const { return end_; }
  std::size_t Count() const { return end_ - begin_; }

  // The point at a position in [Begin(), End()).
  Q_ALWAYS_INLINE const TZephItemPoint& At(std::size_t position) const {
    return chunks_[position / kChunkPoints - dropped_chunks_][position % kChunkPoints];
  }
  // The points from the position on that lie together in memory, up to End(); count receives how
  // many.
  const TZephItemPoint* Contiguous(std::size_t position, std::size_t& count) const;

  void Append(double x, double y) {
    if (room_ == 0) Reserve(1);
    chunks_.back()[end_ % kChunkPoints] = {x, y};
    ++end_;
    --room_;
  }
  // Appends count points from the two arrays.
  void Append(const double* x, const double* y, std::size_t count);
  // Makes room at once for count more points, as far as the last chunk can take them: points then
  // appended in pieces take the storage one append of them all would.
  void Expect(std::size_t count) {
    if (count > room_ && (chunks_.empty() || last_capacity_ < kChunkPoints)) Reserve(count);
  }
  // Drops the count oldest points (at most Count()).
  void DropFront(std::size_t count);
  // Replaces the points with a copy of another series' points, at the same positions.
  void CopyFrom(const TPointSeries& other);
  // Drops every point and gives back all storage; positions start at 0 again.
  void Clear();

  std::size_t AllocatedBytes() const;

 private:
  // Makes room for at least one more point in the last chunk, for up to wanted points in all.
  void Reserve(std::size_t wanted);

  std::deque<TPointStorage> chunks_;
  std::size_t dropped_chunks_ = 0;
  std::size_t last_capacity_ = 0;
  std::size_t room_ = 0;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
};

}  // namespace zeph
