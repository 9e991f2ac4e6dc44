#pragma once

#include <QImage>
#include <QPoint>
#include <cstdint>

#include "zeph/toolkit/types.h"
#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// Draws one-pixel lines straight into an RGB32 image the way the GDI does: from the start pixel
// up to but not including the end pixel, whichever way the line runs, with the dash pattern
// running on across the segments of one polyline. Lines are clipped to the image arithmetically
// first, so far-away end points cost nothing; the dash pattern advances over the pixels left out,
// as if they had been drawn.
class ZEPH_TOOLKIT_EXPORT LineRasterizer {
 public:
  LineRasterizer(QImage& image, std::uint32_t pixel, TPenStyle style, bool xor_mode);

  void Line(QPoint from, QPoint to);
  // Paints column x from row top to row bottom, both included, clipped to the image; the dash
  // pattern is not involved.
  void Column(int x, int top, int bottom);
  bool Dashed() const { return dash_period_ != 0; }
  // The next line starts at the beginning of the dash pattern, as a new polyline does.
  void RestartPattern() { dash_pos_ = 0; }
  // Moves the dash pattern on by the pixels of lines that are not drawn (lying beside the image).
  void Skip(long long steps);
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  void Plot(int x, int y);

  // The image's rows, written through its const view, as the painter working on it does: no detach.
  uchar* bits_;
  qsizetype stride_;
  int width_;
  int height_;
  std::uint32_t pixel_;
  bool xor_;
  // The dash pattern as one flag per pixel of its period; a period of 0 is a solid line.
  const bool* dash_on_ = nullptr;
  int dash_period_ = 0;
  int dash_pos_ = 0;
};

}  // namespace zeph
