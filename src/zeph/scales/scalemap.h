#pragma once

#include "zeph/scales/zephenums.h"
#include "zeph/scales/scales_export.h"

namespace zeph {

/// The smallest value a logarithmic axis admits and maps by its logarithm, 1e-100; smaller values
/// lie beyond the axis start.
inline constexpr double kMinLogValue = 1e-100;

/// What the value-to-pixel mapping of a scale depends on.
///
/// A building block of TScale (TScale::LayoutSettings() carries one); applications use the scale's
/// own properties instead. The fields mirror the scale's properties of the same names.
struct ZEPH_SCALES_EXPORT ScaleGeometry {
  TScaleType type = sctXB;  ///< Orientation and side of the axis line (TScale::ScaleType()).
  int width = 0;            ///< Width of the control in pixels.
  int height = 0;           ///< Height of the control in pixels.
  int margin_left = 0;      ///< TScale::MarginLeft().
  int margin_right = 0;     ///< TScale::MarginRight().
  int margin_top = 0;       ///< TScale::MarginTop().
  int margin_bottom = 0;    ///< TScale::MarginBottom().
  double range_low = 0;     ///< Value at the start of the axis (TScale::RangeLow()).
  double range_high = 1;    ///< Value at the end of the axis (TScale::RangeHigh()).
  bool logarithmic = false; ///< TScale::Logarithmic().

  /// Returns whether the axis is horizontal (\ref ZephEnums::sctXB "sctXB" or
  /// \ref ZephEnums::sctXT "sctXT").
  bool Horizontal() const { return type == sctXB || type == sctXT; }
};

/// Pixels per value unit (per natural-log unit on a logarithmic axis) and the pixel of value 0
/// (of ln 1).
///
/// A building block of TScale (see TScale::ScaleFactor() and TScale::ScaleOffset()); not needed by
/// applications. A pixel is factor · value + offset, or factor · ln(value) + offset on a
/// logarithmic axis.
struct ZEPH_SCALES_EXPORT ScaleMap {
  double factor = 1.0;  ///< Pixels per value unit (per natural-log unit on a logarithmic axis).
  double offset = 0;    ///< The pixel of value 0 (of value 1 on a logarithmic axis).
};

/// Recomputes the mapping so that RangeLow lands on the start and RangeHigh on the end of the axis
/// extent.
///
/// Leaves it alone for equal range ends and, on a logarithmic axis, for ends that are not
/// positive; an axis with no room maps every value to the middle of the control (factor 0). The
/// extent runs from margin_left to width - margin_right - 1 on horizontal axes and from
/// height - margin_bottom - 1 up to margin_top on vertical ones.
ZEPH_SCALES_EXPORT void CalcScaleFactor(const ScaleGeometry& geometry, ScaleMap& map);

/// The pixel along the axis (x for horizontal, y for vertical scales) of a value.
///
/// On a logarithmic axis a value of 1e-100 or less maps to the edge of the control at the axis
/// start: 0 on a horizontal axis and \c height on a vertical one, or the opposite edge (\c width,
/// 0) when range_high is less than range_low. The result is rounded to the nearest pixel (ties to even) and kept within
/// +-2147483647.
ZEPH_SCALES_EXPORT int ValueToPixel(const ScaleGeometry& geometry, const ScaleMap& map, double value);

}  // namespace zeph
