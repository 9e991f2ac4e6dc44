#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

#include "zeph/chart/chart_export.h"

namespace zeph {

// The pixels of the chart area that the last data rendering may have drawn on, kept as one range
// of rows per column. A data refresh then restores only those pixels from the empty chart area
// instead of copying all of it: a curve touches a few pixels per column, the area has hundreds.
class ZEPH_CHART_EXPORT DirtyColumns {
 public:
  // Starts a new record for an area of the size, with nothing drawn yet.
  void Reset(int width, int height);
  // Everything may have been drawn on: the next restore copies the whole area.
  void MarkAll() { all_ = true; }
  bool All() const { return all_; }
  // A one-pixel line from a to b (end pixel included, to be safe), clipped to the area.
  void MarkSegment(QPoint a, QPoint b);
  // Copies the recorded pixels from the empty area into the target, both of the recorded size.
  // Returns false, having copied nothing, when the record cannot say what was drawn.
  bool Restore(const QImage& empty, const QImage& target) const;

 private:
  int width_ = 0;
  int height_ = 0;
  bool all_ = true;
  std::vector<int> top_;
  std::vector<int> bottom_;  // exclusive; a column with top_ >= bottom_ is clean
};

}  // namespace zeph
