#pragma once

#include <QImage>

namespace zeph {

// A white Format_RGB32 image of width x height device pixels. Where its pixels take megabytes,
// they lie in huge pages on Linux: drawing that runs down a column (a grid line, a curve's pixel
// column) touches a new memory page with every row, and with small pages each of those needs an
// address translation of its own.
QImage NewPixelImage(int width, int height);

}  // namespace zeph
