#include "zeph/chart/data/pointstorage_p.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <new>

namespace zeph {

namespace {

// The huge-page size of x86-64 and most other 64-bit systems; elsewhere the mapping is merely
// aligned more than it needs to be.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::atomic<std::size_t> mapped_total{0};

TZephItemPoint* MapAligned(std::size_t bytes) {
  const std::size_t reserve = bytes + kHugePage;
  void* base = mmap(nullptr, reserve, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(base);
  const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
  // Give back what lies before and after the aligned block.
  if (aligned > start) munmap(base, aligned - start);
  const std::uintptr_t end = start + reserve;
  if (end > aligned + bytes) munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
#if defined(MADV_HUGEPAGE)
  madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
#endif
  mapped_total += bytes;
  return reinterpret_cast<TZephItemPoint*>(aligned);
}

}  // namespace

void TPointStorageRelease::operator()(TZephItemPoint* points) const {
  if (mapped_bytes == 0) {
    delete[] points;
    return;
  }
  munmap(points, mapped_bytes);
  mapped_total -= mapped_bytes;
}

TPointStorage NewPointStorage(std::size_t points) {
  const std::size_t bytes = points * sizeof(TZephItemPoint);
  if (bytes % kHugePage != 0) return TPointStorage(new TZephItemPoint[points], TPointStorageRelease{});
  return TPointStorage(MapAligned(bytes), TPointStorageRelease{bytes});
}

std::size_t MappedPointStorageBytes() { return mapped_total; }

}  // namespace zeph
