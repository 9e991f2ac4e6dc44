#pragma once

#include <QImage>
#include <QPoint>
#include <cstdint>
#include <vector>

#include "zeph/toolkit/types.h"

// The straightforward one-pixel line drawer the fast ones are checked against: every step of every
// segment is walked and tested against the image, and the dash pattern moves on one pixel a step.
// One object draws one polyline (its dash pattern runs on across the segments).
class ReferenceLines {
 public:
  // pixel is the image's 0xRRGGBB value.
  ReferenceLines(QImage& image, std::uint32_t pixel, zeph::TPenStyle style);
  void Line(QPoint from, QPoint to);

 private:
  QImage& image_;
  std::uint32_t pixel_;
  std::vector<bool> pattern_;
  long long position_ = 0;
};
