#include "chart/itemlist.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsPointKind(std::uint8_t kind) {
  return kind == ikMoveTo || kind == ikDrawTo || kind == ikMark || kind == ikRelMove || kind == ikRelDraw;
}

bool PositiveZero(double value) { return value == 0 && !std::signbit(value); }

// Whether the record holds nothing beyond its point, its kind and the shared attributes, so that
// it can be rebuilt from those exactly.
bool StorableAsPoint(const TZephChartItem& item) {
  return IsPointKind(item.Kind) && PositiveZero(item.X2) && PositiveZero(item.Y2) && item.FillColor == 0 &&
         item.Color2 == 0 && item.Color3 == 0 && !item.Transparent && item.FrameStyle == 0 && item.Size == 0 &&
         item.Depth == 0 && std::all_of(std::begin(item.Text), std::end(item.Text), [](char c) { return c == 0; });
}

}  // namespace

TZephChartItem TZephItemList::operator[](int index) const {
  // The last run whose first item is at or before the index.
  const auto run = std::prev(std::upper_bound(runs_.begin(), runs_.end(), index,
                                              [](int i, const Run& r) { return i < r.first; }));
  const auto offset = static_cast<std::size_t>(index - run->first);
  if (!run->points) return records_[run->start + offset];
  const std::size_t at = run->start + offset;
  const Chunk& chunk = chunks_[at / kChunkPoints];
  const std::size_t in_chunk = at % kChunkPoints;
  TZephChartItem item{};
  item.Kind = chunk.kinds[in_chunk];
  item.X1 = chunk.points[in_chunk].X;
  item.Y1 = chunk.points[in_chunk].Y;
  item.Color = run->attributes.Color;
  item.PenStyle = run->attributes.PenStyle;
  item.LineWidth = run->attributes.LineWidth;
  item.ItemClass = run->attributes.ItemClass;
  item.Layer = run->attributes.Layer;
  item.MarkType = run->attributes.MarkType;
  return item;
}

void TZephItemList::Grow(TZephItemKind kind, int grow_by) {
  if (count_ >= capacity_) capacity_ += grow_by;
  if (kind < kItemKindCount) ++kind_counts_[kind];
  ++count_;
}

void TZephItemList::Append(const TZephChartItem& item, int grow_by) {
  if (StorableAsPoint(item)) {
    AppendPoint(static_cast<TZephItemKind>(item.Kind), item.X1, item.Y1,
                {item.Color, item.LineWidth, item.Layer, item.PenStyle, item.ItemClass, item.MarkType}, grow_by);
    return;
  }
  if (!runs_.empty() && !runs_.back().points) {
    ++runs_.back().count;
  } else {
    runs_.push_back({count_, 1, false, {}, records_.size()});
  }
  records_.push_back(item);
  Grow(static_cast<TZephItemKind>(item.Kind), grow_by);
}

void TZephItemList::AppendPoint(TZephItemKind kind, double x, double y, const TZephPointAttributes& attributes,
                                int grow_by) {
  if (!runs_.empty() && runs_.back().points && runs_.back().attributes == attributes) {
    ++runs_.back().count;
  } else {
    runs_.push_back({count_, 1, true, attributes, point_count_});
  }
  if (chunks_.empty() || chunks_.back().points.size() == kChunkPoints) {
    // A new chunk after a full one takes its whole size at once; the first grows from the growth
    // step, so small curves stay small.
    const std::size_t initial = chunks_.empty() ? std::clamp<std::size_t>(static_cast<std::size_t>(grow_by), 16,
                                                                          kChunkPoints)
                                                : kChunkPoints;
    chunks_.emplace_back();
    chunks_.back().points.reserve(initial);
    chunks_.back().kinds.reserve(initial);
  }
  Chunk& chunk = chunks_.back();
  if (chunk.points.size() == chunk.points.capacity()) {
    const std::size_t larger = std::min(chunk.points.capacity() * 2, kChunkPoints);
    chunk.points.reserve(larger);
    chunk.kinds.reserve(larger);
  }
  chunk.points.push_back({x, y});
  chunk.kinds.push_back(kind);
  ++point_count_;
  Grow(kind, grow_by);
}

void TZephItemList::Clear() {
  std::vector<Run>().swap(runs_);
  std::vector<Chunk>().swap(chunks_);
  std::vector<TZephChartItem>().swap(records_);
  point_count_ = 0;
  count_ = 0;
  capacity_ = 0;
  last_shown_ = 0;
  kind_counts_.fill(0);
}

const TZephItemPoint* TZephItemList::Points(std::size_t index, std::size_t& count) const {
  const Chunk& chunk = chunks_[index / kChunkPoints];
  const std::size_t in_chunk = index % kChunkPoints;
  count = chunk.points.size() - in_chunk;
  return chunk.points.data() + in_chunk;
}

const std::uint8_t* TZephItemList::PointKinds(std::size_t index) const {
  return chunks_[index / kChunkPoints].kinds.data() + index % kChunkPoints;
}

std::size_t TZephItemList::AllocatedBytes() const {
  std::size_t bytes = runs_.capacity() * sizeof(Run) + chunks_.capacity() * sizeof(Chunk) +
                      records_.capacity() * sizeof(TZephChartItem);
  for (const Chunk& chunk : chunks_)
    bytes += chunk.points.capacity() * sizeof(TZephItemPoint) + chunk.kinds.capacity();
  return bytes;
}
