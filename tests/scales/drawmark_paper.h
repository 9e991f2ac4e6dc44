#pragma once

#include <QImage>

#include "zeph/toolkit/tcolor.h"

// What the marker tests draw on: a mark at (kX, kY) with a blue pen and a red brush, on white
// paper 40 pixels square unless a test needs another size.
namespace drawmark_paper {

constexpr int kX = 20;
constexpr int kY = 20;
constexpr zeph::TColor kPen = zeph::clBlue;
constexpr zeph::TColor kBrush = zeph::clRed;

inline QImage Paper(int width = 40, int height = 40) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

}  // namespace drawmark_paper
