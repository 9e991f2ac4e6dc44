#pragma once

#include <array>
#include <cstdint>
#include <cstddef>
#include <memory>
#include <vector>

#include "zeph/chart/chartitem.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

/// How a display list frees the storage of its point chunks: mapped storage goes back to the
/// system, other storage to the heap. Not needed by applications.
struct ZEPH_CHART_EXPORT TPointStorageRelease {
  /// Bytes mapped straight from the system; 0 for storage from the heap.
  std::size_t mapped_bytes = 0;
  /// Gives the storage back: to the system when it was mapped, else to the heap.
  void operator()(TZephItemPoint* points) const;
};

/// The points of one item-list chunk, freed by TPointStorageRelease.
using TPointStorage = std::unique_ptr<TZephItemPoint[], TPointStorageRelease>;

class TRunIndex;
struct TZephCurveData;

/// A chart's display list: a building block of TZephItemStore, installed because the store keeps
/// it; applications need at most Count() and operator[]() to read items back through
/// TZephItemStore::Items().
///
/// It holds the item records in order, with a count, a per-kind counter and the index of the last
/// item shown. Charts that display one another's data share one list.
///
/// Curves are long runs of move-to and draw-to items that differ only in their point, so the list
/// keeps such items (and the other kinds made of one point and the shared attributes) compactly:
/// a run of them stores its attributes once and each item as its point and kind. Every other item
/// is kept as its full record. Reading an item back gives the record exactly as it was appended.
/// A run of plain draw-to points keeps no kind per point.
///
/// The list also holds the chart's curve objects (TZephCurve), which are not items: ClearGraf()
/// leaves them, and the counters do not count their points.
class ZEPH_CHART_EXPORT TZephItemList {
 public:
  /// A stretch of consecutive items: point items sharing one set of attributes, or full records.
  struct Run {
    int first;    ///< Index of its first item in the list.
    int count;    ///< Number of items.
    bool points;  ///< True for point items, false for full records.
    TZephPointAttributes attributes;  ///< The attributes of point items.
    std::size_t start;  ///< Index of its first point (see Points()), or of its first record (see Record()).
  };

  /// Point items are kept in chunks of this many, so a growing list never copies its points; a
  /// whole chunk's points fill one huge page where the system has them.
  static constexpr std::size_t kChunkPoints = std::size_t{1} << 17;

  /// Constructs an empty list; it counts one item of kind 0, as a new chart's list does.
  TZephItemList() = default;
  /// Constructs a copy of the items, counters and last-shown index, with a generation of its own.
  TZephItemList(const TZephItemList& other);
  /// Replaces the contents with a copy of another list's; the generation changes.
  TZephItemList& operator=(const TZephItemList& other);
  ~TZephItemList();

  /// A number that differs for every list and changes at every Clear(): while it stays, the points
  /// appended so far stay where and as they are.
  std::uint64_t Generation() const { return generation_; }
  /// The number of items in the list.
  int Count() const { return count_; }
  /// The number of items the list holds before it grows by the growth step again.
  int Capacity() const { return capacity_; }
  /// The record of the item at the index (0 <= index < Count()), exactly as it was appended.
  ///
  /// The index is not checked.
  TZephChartItem operator[](int index) const;

  /// Appends a record, growing the capacity by grow_by items when it is full.
  void Append(const TZephChartItem& item, int grow_by);
  /// Appends a point item of the kind with the attributes: the same as appending its record.
  void AppendPoint(TZephItemKind kind, double x, double y, const TZephPointAttributes& attributes, int grow_by) {
    // The common case, a curve going on, without a call: room in the last chunk, same attributes.
    if (room_ != 0 && runs_.back().points && runs_.back().attributes == attributes) {
      StorePoint(kind, x, y);
      ++runs_.back().count;
      Grow(kind, grow_by);
      return;
    }
    AppendPointToNewRunOrChunk(kind, x, y, attributes, grow_by);
  }
  /// Empties the list and returns its storage.
  ///
  /// Count, capacity, last-shown index and every per-kind counter become 0, and the generation
  /// changes.
  void Clear();

  /// The runs of the list in item order.
  const std::vector<Run>& Runs() const { return runs_; }
  /// The points from the point index on that lie together in memory (at least one for a valid
  /// index); count receives how many.
  const TZephItemPoint* Points(std::size_t index, std::size_t& count) const;
  /// The kinds (TZephItemKind codes) of the points from the point index on, parallel to Points().
  const std::uint8_t* PointKinds(std::size_t index) const;
  /// Draw-to kinds for as many points as a chunk holds: the kinds of a run of draw-to points alone.
  static const std::uint8_t* DrawToKinds();
  /// The point at the point index (see Run::start).
  const TZephItemPoint& PointAt(std::size_t index) const {
    return chunks_[index / kChunkPoints].points[index % kChunkPoints];
  }
  /// The kind of the point at the point index.
  std::uint8_t PointKindAt(std::size_t index) const {
    const Chunk& chunk = chunks_[index / kChunkPoints];
    return chunk.kinds ? chunk.kinds[index % kChunkPoints] : static_cast<std::uint8_t>(ikDrawTo);
  }
  /// The index of the run with that number, brought up to its points: null while the run is
  /// short, holds other kinds than move-to and draw-to, or an x below the one before.
  ///
  /// For the renderer; the index costs half a byte a point.
  const TRunIndex* OrderedIndex(std::size_t run) const;

  /// The curve objects in the order they were added.
  const std::vector<std::shared_ptr<TZephCurveData>>& Curves() const { return curves_; }
  /// The curve objects, to add, reorder or remove.
  std::vector<std::shared_ptr<TZephCurveData>>& Curves() { return curves_; }
  /// The full record at the record index (see Run::start).
  const TZephChartItem& Record(std::size_t index) const { return records_[index]; }

  /// Bytes of storage the list holds for its items.
  std::size_t AllocatedBytes() const;

  /// How many items of the kind code (0 to 14) were appended since the last Clear(); 0 for any
  /// other code.
  int KindCount(int kind) const { return kind >= 0 && kind < kItemKindCount ? kind_counts_[kind] : 0; }
  /// The fifteen per-kind counters, indexed by kind code.
  const std::array<int, kItemKindCount>& KindCounts() const { return kind_counts_; }

  /// The index of the last item shown: Count() − 1 after TZephItemStore::ShowGraf(), 0 after
  /// Clear().
  int LastShown() const { return last_shown_; }
  /// Sets LastShown().
  void SetLastShown(int index) { last_shown_ = index; }

 private:
  struct Chunk {
    TPointStorage points;
    std::unique_ptr<std::uint8_t[]> kinds;
    std::size_t size = 0;
    std::size_t capacity = 0;
  };

  // Counts an appended item, growing the capacity by the growth step when it is full.
  // Stores a point in the last chunk, which has room for it.
  void StorePoint(TZephItemKind kind, double x, double y) {
    Chunk& chunk = chunks_.back();
    chunk.points[chunk.size] = {x, y};
    if (chunk.kinds) {
      chunk.kinds[chunk.size] = kind;
    } else if (kind != ikDrawTo) {
      StoreKind(chunk, kind);
    }
    ++chunk.size;
    --room_;
    ++point_count_;
  }
  void Grow(TZephItemKind kind, int grow_by) {
    if (count_ >= capacity_) capacity_ += grow_by;
    if (kind < kItemKindCount) ++kind_counts_[kind];
    ++count_;
  }
  void AppendPointToNewRunOrChunk(TZephItemKind kind, double x, double y, const TZephPointAttributes& attributes,
                                  int grow_by);
  // Makes room for one more point in the last chunk.
  void ReservePoint(int grow_by);
  // Gives a chunk of draw-to points its kinds and stores the kind of its next point.
  static void StoreKind(Chunk& chunk, TZephItemKind kind);

  std::vector<Run> runs_;
  std::vector<Chunk> chunks_;
  std::size_t point_count_ = 0;
  // Free places in the last chunk.
  std::size_t room_ = 0;
  std::vector<TZephChartItem> records_;
  // Indexes of runs, by run number, made when first asked for.
  mutable std::vector<std::unique_ptr<TRunIndex>> indexes_;
  std::vector<std::shared_ptr<TZephCurveData>> curves_;
  static std::uint64_t NewGeneration();

  std::uint64_t generation_ = NewGeneration();
  int count_ = 0;
  int capacity_ = 0;
  int last_shown_ = 0;
  // A list that was never cleared counts one item of kind 0, as the chart's constructor leaves it.
  std::array<int, kItemKindCount> kind_counts_{1};
};

}  // namespace zeph
