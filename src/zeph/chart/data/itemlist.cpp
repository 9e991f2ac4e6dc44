#include "zeph/chart/itemlist.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "zeph/chart/data/curvedata_p.h"
#include "zeph/chart/data/runindex_p.h"

namespace zeph {

namespace {

bool IsPointKind(std::uint8_t kind) {
  return kind == ikMoveTo || kind == ikDrawTo || kind == ikMark || kind == ikRelMove || kind == ikRelDraw;
}

// A copy of a curve with points and index of its own; the store that holds the copied list adopts
// it (TZephItemStore::AdoptCurves).
std::shared_ptr<TZephCurveData> CopyCurve(const TZephCurveData& curve) {
  auto copy = std::make_shared<TZephCurveData>();
  copy->name = curve.name;
  copy->color = curve.color;
  copy->pen_style = curve.pen_style;
  copy->line_width = curve.line_width;
  copy->mark_type = curve.mark_type;
  copy->layer = curve.layer;
  copy->visible = curve.visible;
  copy->history_limit = curve.history_limit;
  copy->points.CopyFrom(curve.points);
  copy->index = curve.index;
  return copy;
}

bool PositiveZero(double value) { return value == 0 && !std::signbit(value); }

// Whether the record holds nothing beyond its point, its kind and the shared attributes, so that
// it can be rebuilt from those exactly.
bool StorableAsPoint(const TZephChartItem& item) {
  return IsPointKind(item.Kind) && PositiveZero(item.X2) && PositiveZero(item.Y2) && item.FillColor == 0 &&
         item.Color2 == 0 && item.Color3 == 0 && !item.Transparent && item.FrameStyle == 0 && item.Size == 0 &&
         item.Depth == 0 && std::all_of(std::begin(item.Text), std::end(item.Text), [](auto c) { return c == 0; });
}

}  // namespace

std::uint64_t TZephItemList::NewGeneration() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}

TZephItemList::TZephItemList(const TZephItemList& other)
    : runs_(other.runs_),
      point_count_(other.point_count_),
      records_(other.records_),
      count_(other.count_),
      capacity_(other.capacity_),
      last_shown_(other.last_shown_),
      kind_counts_(other.kind_counts_) {
  chunks_.reserve(other.chunks_.size());
  for (const Chunk& chunk : other.chunks_) {
    Chunk& copy = chunks_.emplace_back();
    copy.points = NewPointStorage(chunk.size);
    std::copy_n(chunk.points.get(), chunk.size, copy.points.get());
    if (chunk.kinds) {
      copy.kinds = std::make_unique_for_overwrite<std::uint8_t[]>(chunk.size);
      std::copy_n(chunk.kinds.get(), chunk.size, copy.kinds.get());
    }
    copy.size = copy.capacity = chunk.size;
  }
  // The copy's curves are its own: changing one list's curves leaves the other's.
  curves_.reserve(other.curves_.size());
  for (const auto& curve : other.curves_) {
    curves_.push_back(CopyCurve(*curve));
    curves_.back()->list = this;
  }
}

TZephItemList::~TZephItemList() = default;

TZephItemList& TZephItemList::operator=(const TZephItemList& other) {
  if (this != &other) {
    TZephItemList copy(other);
    std::swap(runs_, copy.runs_);
    std::swap(chunks_, copy.chunks_);
    std::swap(records_, copy.records_);
    std::swap(curves_, copy.curves_);
    for (const auto& curve : curves_) curve->list = this;
    indexes_.clear();
    point_count_ = copy.point_count_;
    room_ = copy.room_;
    generation_ = copy.generation_;
    count_ = copy.count_;
    capacity_ = copy.capacity_;
    last_shown_ = copy.last_shown_;
    kind_counts_ = copy.kind_counts_;
  }
  return *this;
}

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
  item.Kind = chunk.kinds ? chunk.kinds[in_chunk] : static_cast<std::uint8_t>(ikDrawTo);
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

void TZephItemList::AppendPointToNewRunOrChunk(TZephItemKind kind, double x, double y,
                                               const TZephPointAttributes& attributes, int grow_by) {
  if (!runs_.empty() && runs_.back().points && runs_.back().attributes == attributes) {
    ++runs_.back().count;
  } else {
    runs_.push_back({count_, 1, true, attributes, point_count_});
  }
  if (room_ == 0) ReservePoint(grow_by);
  StorePoint(kind, x, y);
  Grow(kind, grow_by);
}

void TZephItemList::ReservePoint(int grow_by) {
  if (chunks_.empty() || chunks_.back().size == kChunkPoints) {
    // A new chunk after a full one takes its whole size at once; the first grows from the growth
    // step, so small curves stay small.
    const std::size_t initial =
        chunks_.empty() ? std::clamp<std::size_t>(static_cast<std::size_t>(grow_by), 16, kChunkPoints) : kChunkPoints;
    Chunk& chunk = chunks_.emplace_back();
    chunk.points = NewPointStorage(initial);
    chunk.capacity = initial;
  } else {
    Chunk& chunk = chunks_.back();
    const std::size_t larger = std::min(chunk.capacity * 2, kChunkPoints);
    auto points = NewPointStorage(larger);
    std::copy_n(chunk.points.get(), chunk.size, points.get());
    chunk.points = std::move(points);
    if (chunk.kinds) {
      auto kinds = std::make_unique_for_overwrite<std::uint8_t[]>(larger);
      std::copy_n(chunk.kinds.get(), chunk.size, kinds.get());
      chunk.kinds = std::move(kinds);
    }
    chunk.capacity = larger;
  }
  room_ = chunks_.back().capacity - chunks_.back().size;
}

void TZephItemList::StoreKind(Chunk& chunk, TZephItemKind kind) {
  chunk.kinds = std::make_unique_for_overwrite<std::uint8_t[]>(chunk.capacity);
  std::fill_n(chunk.kinds.get(), chunk.size, static_cast<std::uint8_t>(ikDrawTo));
  chunk.kinds[chunk.size] = kind;
}

void TZephItemList::Clear() {
  generation_ = NewGeneration();
  std::vector<std::unique_ptr<TRunIndex>>().swap(indexes_);
  std::vector<Run>().swap(runs_);
  std::vector<Chunk>().swap(chunks_);
  std::vector<TZephChartItem>().swap(records_);
  point_count_ = 0;
  room_ = 0;
  count_ = 0;
  capacity_ = 0;
  last_shown_ = 0;
  kind_counts_.fill(0);
}

const TZephItemPoint* TZephItemList::Points(std::size_t index, std::size_t& count) const {
  const Chunk& chunk = chunks_[index / kChunkPoints];
  const std::size_t in_chunk = index % kChunkPoints;
  count = chunk.size - in_chunk;
  return chunk.points.get() + in_chunk;
}

const std::uint8_t* TZephItemList::DrawToKinds() {
  static const std::unique_ptr<std::uint8_t[]> draw_to = [] {
    auto kinds = std::make_unique_for_overwrite<std::uint8_t[]>(kChunkPoints);
    std::fill_n(kinds.get(), kChunkPoints, static_cast<std::uint8_t>(ikDrawTo));
    return kinds;
  }();
  return draw_to.get();
}

const std::uint8_t* TZephItemList::PointKinds(std::size_t index) const {
  // Chunks of draw-to points alone share one array of draw-to kinds.
  const Chunk& chunk = chunks_[index / kChunkPoints];
  return (chunk.kinds ? chunk.kinds.get() : DrawToKinds()) + index % kChunkPoints;
}

const TRunIndex* TZephItemList::OrderedIndex(std::size_t run) const {
  const Run& r = runs_[run];
  if (!r.points || r.count < static_cast<int>(TRunIndex::BlockSize(0))) return nullptr;
  if (indexes_.size() <= run) indexes_.resize(runs_.size());
  auto& index = indexes_[run];
  if (!index) index = std::make_unique<TRunIndex>(r.start);
  if (index->Ordered())
    index->CatchUp(
        r.start + static_cast<std::size_t>(r.count),
        [this](std::size_t i) -> const TZephItemPoint& { return PointAt(i); },
        [this](std::size_t i) { return PointKindAt(i); });
  return index->Ordered() ? index.get() : nullptr;
}

std::size_t TZephItemList::AllocatedBytes() const {
  std::size_t bytes = runs_.capacity() * sizeof(Run) + chunks_.capacity() * sizeof(Chunk) +
                      records_.capacity() * sizeof(TZephChartItem);
  for (const Chunk& chunk : chunks_) bytes += chunk.capacity * (sizeof(TZephItemPoint) + (chunk.kinds ? 1 : 0));
  for (const auto& index : indexes_)
    if (index) bytes += index->AllocatedBytes();
  return bytes;
}

}  // namespace zeph
