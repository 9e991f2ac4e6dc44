#pragma once

#include <QImage>
#include <QPoint>
#include <cstdint>

#include "toolkit/types.h"

// Draws one-pixel lines straight into an RGB32 image the way the GDI does: from the start pixel
// up to but not including the end pixel, whichever way the line runs, with the dash pattern
// running on across the segments of one polyline. Lines are clipped to the image first, so far-away
// end points cost nothing.
class LineRasterizer {
 public:
  LineRasterizer(QImage& image, std::uint32_t pixel, TPenStyle style, bool xor_mode);

  void Line(QPoint from, QPoint to);

 private:
  bool DashOn();
  void Plot(int x, int y);

  // The image's rows, written through its const view, as the painter working on it does: no detach.
  uchar* bits_;
  qsizetype stride_;
  int width_;
  int height_;
  std::uint32_t pixel_;
  bool xor_;
  const int* dashes_ = nullptr;  // on and off lengths, zero-terminated; null for a solid line
  int dash_index_ = 0;
  int dash_left_ = 0;
};
