#pragma once

#include "zeph/scales/zephenums.h"
#include "zeph/scales/scales_export.h"

namespace zeph {

// What the value-to-pixel mapping of a scale depends on.
struct ZEPH_SCALES_EXPORT ScaleGeometry {
  TScaleType type = sctXB;
  int width = 0;
  int height = 0;
  int margin_left = 0;
  int margin_right = 0;
  int margin_top = 0;
  int margin_bottom = 0;
  double range_low = 0;
  double range_high = 1;
  bool logarithmic = false;

  bool Horizontal() const { return type == sctXB || type == sctXT; }
};

// Pixels per value unit (per natural-log unit on a logarithmic axis) and the pixel of value 0
// (of ln 1).
struct ZEPH_SCALES_EXPORT ScaleMap {
  double factor = 1.0;
  double offset = 0;
};

// Recomputes the mapping so that RangeLow lands on the start and RangeHigh on the end of the axis
// extent. Leaves it alone for equal range ends and, on a logarithmic axis, for ends that are not
// positive; an axis with no room maps every value to the middle of the control.
ZEPH_SCALES_EXPORT void CalcScaleFactor(const ScaleGeometry& geometry, ScaleMap& map);

// The pixel along the axis (x for horizontal, y for vertical scales) of a value.
ZEPH_SCALES_EXPORT int ValueToPixel(const ScaleGeometry& geometry, const ScaleMap& map, double value);

}  // namespace zeph
