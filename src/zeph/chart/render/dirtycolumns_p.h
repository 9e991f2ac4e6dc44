#pragma once

#include <QImage>
#include <QPoint>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zeph {

// The pixels of the chart area that the last data rendering may have drawn on: a building block
// of the chart's rendering.
//
// It keeps one range of rows per column. A data refresh then restores only those pixels from the
// empty chart area instead of copying all of it: a curve touches a few pixels per column, the area
// has hundreds.
class TDirtyColumns {
 public:
  // Starts a new record for an area of the size, with nothing drawn yet (negative sizes count as
  // 0).
  void Reset(int width, int height);
  // Everything may have been drawn on: the next restore copies the whole area.
  void MarkAll() { all_ = true; }
  // Whether MarkAll() was called since the last Reset() (also true before the first Reset()).
  bool All() const { return all_; }
  // Records a one-pixel line from a to b (end pixel included, to be safe), clipped to the area.
  //
  // Every column the line crosses gets the line's whole row range. Ignored after MarkAll().
  // Always inline: a dense curve records two segments a pixel column.
  Q_ALWAYS_INLINE void MarkSegment(QPoint a, QPoint b) {
    if (all_) return;
    const int x1 = std::max(std::min(a.x(), b.x()) - (brush_ - 1), 0);
    const int x2 = std::min(std::max(a.x(), b.x()), width_ - 1);
    if (x1 > x2) return;
    const int y1 = std::max(std::min(a.y(), b.y()) - (brush_ - 1), 0);
    const int y2 = std::min(std::max(a.y(), b.y()) + 1, height_);
    if (y1 >= y2) return;
    // Every column the segment crosses gets the segment's whole row range: generous for shallow
    // segments, exact enough for the short ones a curve is made of.
    for (int x = x1; x <= x2; ++x) {
      auto i = static_cast<std::size_t>(x);
      top_[i] = std::min(top_[i], y1);
      bottom_[i] = std::max(bottom_[i], y2);
    }
  }
  // Lines recorded from now on are drawn with squares of brush pixels a side, reaching up and
  // left from each pixel of the line (LineRasterizer's brush); 1, the default, for plain lines.
  void SetBrush(int brush) { brush_ = std::max(brush, 1); }
  // Copies the recorded pixels from the empty area into the target, both of the recorded size.
  //
  // Returns false, having copied nothing, when the record cannot say what was drawn (after
  // MarkAll()), when it holds more than an eighth of the area (a copy of the whole, row by row,
  // is cheaper than one of that many pixels column by column), or when the images differ from the
  // recorded size, from each other in format, or are not 32 bits per pixel. The target is written
  // in place, without detaching its data.
  bool Restore(const QImage& empty, const QImage& target) const;
  // Copies the recorded pixels as Restore() does, the empty area's row y starting at empty_row(y)
  // (a const std::uint32_t pointer): for an empty area kept in another form than an image.
  template <typename EmptyRow>
  bool RestoreRows(const EmptyRow& empty_row, const QImage& target) const {
    if (all_ || target.size() != QSize(width_, height_) || target.depth() != 32 ||
        Count() * 8 > static_cast<qint64>(width_) * height_)
      return false;
    const qsizetype stride = target.bytesPerLine();
    // Written through the const view, as the painter working on the same image does: no detach.
    auto* bits = const_cast<uchar*>(target.constBits());
    for (int x = 0; x < width_; ++x) {
      const auto i = static_cast<std::size_t>(x);
      for (int y = top_[i]; y < bottom_[i]; ++y) {
        std::memcpy(bits + y * stride + x * 4, empty_row(y) + x, 4);
      }
    }
    return true;
  }

 private:
  // The pixels recorded.
  qint64 Count() const;

  int width_ = 0;
  int height_ = 0;
  bool all_ = true;
  int brush_ = 1;
  std::vector<int> top_;
  std::vector<int> bottom_;  // exclusive; a column with top_ >= bottom_ is clean
};

}  // namespace zeph
