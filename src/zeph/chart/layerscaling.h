#pragma once

#include "zeph/chart/chart_export.h"

namespace zeph {

/// The world-to-pixel mapping of one layer: px = KX * x + DX (ln x on a logarithmic axis), and
/// likewise for y. Kept in extended precision.
///
/// TCustomZephChart::CalcScaling() computes it so that an axis's low end maps to the left (bottom)
/// edge of the chart area and its high end to the right (top) edge; px and py are control pixels.
/// A chart area without room, or a range that cannot be mapped (empty, or not above zero on a
/// logarithmic axis), gives a factor of 0 and an offset in the middle of the control.
struct ZEPH_CHART_EXPORT TLayerScaling {
  long double KX = 0;  ///< Pixels per world unit of x (per unit of ln x on a logarithmic axis).
  long double DX = 0;  ///< Control pixel column of x = 0 (of ln x = 0 on a logarithmic axis).
  long double KY = 0;  ///< Pixels per world unit of y (negative for an upward axis: rows grow downwards).
  long double DY = 0;  ///< Control pixel row of y = 0 (of ln y = 0 on a logarithmic axis).
};

}  // namespace zeph
