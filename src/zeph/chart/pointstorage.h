#pragma once

#include <cstddef>
#include <memory>

#include "zeph/chart/chartitem.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

/// Frees point storage the way NewPointStorage() made it: a building block of TZephItemList, not
/// needed by applications.
struct ZEPH_CHART_EXPORT PointStorageRelease {
  /// Bytes mapped straight from the system; 0 for storage from the heap.
  std::size_t mapped_bytes = 0;
  /// Gives the storage back: to the system when it was mapped, else to the heap.
  void operator()(TZephItemPoint* points) const;
};

/// The points of one item-list chunk, freed by PointStorageRelease.
using PointStorage = std::unique_ptr<TZephItemPoint[], PointStorageRelease>;

/// Storage for the points of one item-list chunk: a building block of TZephItemList.
///
/// A whole chunk (TZephItemList::kChunkPoints points) is mapped from the system on its own,
/// aligned so that the kernel may back it with one huge page: a curve of a million points then
/// costs a few page faults instead of thousands each time it is built again after
/// TZephItemStore::ClearGraf() gave its memory back. Smaller storage comes from the heap. Throws
/// std::bad_alloc when the system has no memory to give.
ZEPH_CHART_EXPORT PointStorage NewPointStorage(std::size_t points);

/// Bytes of point storage mapped from the system at present, in all lists together; heap
/// measurements do not see them.
ZEPH_CHART_EXPORT std::size_t MappedPointStorageBytes();

}  // namespace zeph
