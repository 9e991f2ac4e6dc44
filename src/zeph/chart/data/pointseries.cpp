#include "zeph/chart/data/pointseries_p.h"

#include <algorithm>

namespace zeph {

const TZephItemPoint* TPointSeries::Contiguous(std::size_t position, std::size_t& count) const {
  const std::size_t in_chunk = position % kChunkPoints;
  count = std::min(kChunkPoints - in_chunk, end_ - position);
  return &At(position);
}

void TPointSeries::Reserve(std::size_t wanted) {
  const std::size_t in_chunk = end_ % kChunkPoints;
  if (chunks_.empty() || (in_chunk == 0 && last_capacity_ == kChunkPoints)) {
    // A first chunk grows from what is wanted, so small curves stay small; later ones take the
    // whole size at once.
    const std::size_t initial = chunks_.empty() && dropped_chunks_ == end_ / kChunkPoints
                                    ? std::clamp<std::size_t>(wanted, 1024, kChunkPoints)
                                    : kChunkPoints;
    chunks_.push_back(NewPointStorage(initial));
    last_capacity_ = initial;
  } else {
    const std::size_t larger = std::min(std::max(last_capacity_ * 2, in_chunk + wanted), kChunkPoints);
    TPointStorage points = NewPointStorage(larger);
    std::copy_n(chunks_.back().get(), in_chunk, points.get());
    chunks_.back() = std::move(points);
    last_capacity_ = larger;
  }
  room_ = last_capacity_ - in_chunk;
}

void TPointSeries::Append(const double* x, const double* y, std::size_t count) {
  while (count != 0) {
    if (room_ == 0) Reserve(count);
    const std::size_t n = std::min(room_, count);
    TZephItemPoint* out = chunks_.back().get() + end_ % kChunkPoints;
    for (std::size_t i = 0; i < n; ++i) out[i] = {x[i], y[i]};
    x += n;
    y += n;
    count -= n;
    end_ += n;
    room_ -= n;
  }
}

void TPointSeries::DropFront(std::size_t count) {
  begin_ += std::min(count, Count());
  if (begin_ == end_) {
    // Nothing left: positions go on from here, with no chunk held.
    chunks_.clear();
    dropped_chunks_ = end_ / kChunkPoints;
    room_ = 0;
    last_capacity_ = 0;
    if (end_ % kChunkPoints != 0) {
      // The next point still belongs in the chunk of end_, which must exist.
      chunks_.push_back(NewPointStorage(kChunkPoints));
      last_capacity_ = kChunkPoints;
      room_ = kChunkPoints - end_ % kChunkPoints;
    }
    return;
  }
  while (begin_ / kChunkPoints > dropped_chunks_) {
    chunks_.pop_front();
    ++dropped_chunks_;
  }
}

void TPointSeries::CopyFrom(const TPointSeries& other) {
  Clear();
  for (std::size_t i = 0; i < other.chunks_.size(); ++i) {
    const bool last = i + 1 == other.chunks_.size();
    const std::size_t capacity = last ? other.last_capacity_ : kChunkPoints;
    chunks_.push_back(NewPointStorage(capacity));
    // Only the points held: those before Begin() may never have been written.
    const std::size_t start = (other.dropped_chunks_ + i) * kChunkPoints;
    const std::size_t from = std::max(start, other.begin_) - start;
    const std::size_t to = std::min(start + kChunkPoints, other.end_) - start;
    if (to > from) std::copy(other.chunks_[i].get() + from, other.chunks_[i].get() + to, chunks_.back().get() + from);
  }
  dropped_chunks_ = other.dropped_chunks_;
  last_capacity_ = other.last_capacity_;
  room_ = other.room_;
  begin_ = other.begin_;
  end_ = other.end_;
}

void TPointSeries::Clear() {
  std::deque<TPointStorage>().swap(chunks_);
  dropped_chunks_ = 0;
  last_capacity_ = 0;
  room_ = 0;
  begin_ = 0;
  end_ = 0;
}

std::size_t TPointSeries::AllocatedBytes() const {
  if (chunks_.empty()) return 0;
  return ((chunks_.size() - 1) * kChunkPoints + last_capacity_) * sizeof(TZephItemPoint);
}

}  // namespace zeph
