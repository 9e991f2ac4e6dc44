#pragma once

#include <cstddef>
#include <memory>

#include "zeph/chart/itemlist.h"

namespace zeph {

// Storage for the points of one item-list chunk: a building block of TZephItemList.
//
// A whole chunk (TZephItemList::kChunkPoints points) is mapped from the system on its own,
// aligned so that the kernel may back it with one huge page: a curve of a million points then
// costs a few page faults instead of thousands each time it is built again after
// TZephItemStore::ClearGraf() gave its memory back. Smaller storage comes from the heap. Throws
// std::bad_alloc when the system has no memory to give.
TPointStorage NewPointStorage(std::size_t points);

// Bytes of point storage mapped from the system at present, in all lists together; heap
// measurements do not see them.
std::size_t MappedPointStorageBytes();

}  // namespace zeph
