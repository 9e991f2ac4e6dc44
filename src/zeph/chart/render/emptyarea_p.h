#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>
#include <vector>

namespace zeph {

// The empty chart area (background and grid) a data rendering is drawn over, kept to take back
// what the rendering drew on.
//
// Rows that are alike (all rows of a plain area, all but the grid lines of a gridded one) are kept
// once, so the area costs a few rows instead of an image.
class TEmptyArea {
 public:
  // Keeps the pixels of the image (32 bits a pixel), replacing what was kept; a null image or
  // one of another depth keeps nothing.
  void Take(const QImage& image);
  // Whether pixels of an image of that size (in device pixels) are kept.
  bool Holds(QSize size) const { return !row_of_.empty() && size == size_; }
  // The pixels of row y (0 <= y < the kept height), as many as the kept width.
  const std::uint32_t* Row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(row_of_[static_cast<std::size_t>(y)]) * width_;
  }
  // Writes the whole area into the target, an image of the kept size, in place (without
  // detaching its data); does nothing for an image of another size.
  void CopyTo(const QImage& target) const;

 private:
  QSize size_;
  std::size_t width_ = 0;
  // For each row, the number of its pixels among the distinct rows.
  std::vector<int> row_of_;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace zeph
