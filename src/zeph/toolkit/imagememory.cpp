#include "zeph/toolkit/imagememory_p.h"

#include <cstdlib>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#endif

namespace zeph {

namespace {

// The size of a huge page on the usual Linux machines; smaller images keep ordinary memory.
constexpr qsizetype kHugePage = qsizetype{2} << 20;

}  // namespace

QImage NewPixelImage(int width, int height) {
#if defined(Q_OS_LINUX)
  const qsizetype stride = qsizetype{width} * 4;
  const qsizetype bytes = stride * height;
  if (bytes >= kHugePage) {
    const qsizetype reserved = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    if (void* pixels = std::aligned_alloc(static_cast<std::size_t>(kHugePage), static_cast<std::size_t>(reserved))) {
      // Only advice: without huge pages at hand the memory is ordinary memory.
      madvise(pixels, static_cast<std::size_t>(reserved), MADV_HUGEPAGE);
      QImage image(static_cast<uchar*>(pixels), width, height, stride, QImage::Format_RGB32, std::free, pixels);
      image.fill(Qt::white);
      return image;
    }
  }
#endif
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

}  // namespace zeph
