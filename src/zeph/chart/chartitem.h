#pragma once

#include <cstdint>

#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

// The item kinds of a chart's display list; the codes are stored values. 0, 10 and 11 draw nothing.
enum TZephItemKind : std::uint8_t {
  ikNone = 0,
  ikMark = 1,
  ikLine = 2,
  ikDrawTo = 3,
  ikRectangle = 4,
  ikFramedRect = 5,
  ikBar3D = 6,
  ikText = 7,
  ikMoveTo = 8,
  ikEllipse = 9,
  ikRelMove = 12,
  ikRelDraw = 13,
  ikArrow = 14
};

inline constexpr int kItemKindCount = 15;
inline constexpr int kItemTextLength = 17;

// One drawing item in world coordinates (pixel offsets for the relative kinds). A new record is
// zero-filled and each operation writes only the fields its kind uses.
struct ZEPH_CHART_EXPORT TZephChartItem {
  double X1;
  double Y1;
  double X2;  // x radius of an ellipse
  double Y2;  // y radius of an ellipse
  TColor Color;
  TColor FillColor;
  TColor Color2;  // edges of a framed rectangle
  TColor Color3;
  std::uint8_t PenStyle;  // a TPenStyle
  std::int32_t LineWidth;
  std::uint8_t ItemClass;
  std::uint8_t Kind;  // a TZephItemKind
  std::int32_t Layer;
  bool Transparent;
  std::uint8_t FrameStyle;  // a TFrameStyle
  char Text[kItemTextLength + 1];  // at most 17 characters, zero-terminated
  std::int32_t Size;   // font size, bar angle or arrow-head length
  std::int32_t Depth;  // depth of a 3-D bar
  std::uint8_t MarkType;
};

// The fields that items made of one point share along a curve: everything but the point and the
// kind.
struct ZEPH_CHART_EXPORT TZephPointAttributes {
  TColor Color;
  std::int32_t LineWidth;
  std::int32_t Layer;
  std::uint8_t PenStyle;
  std::uint8_t ItemClass;
  std::uint8_t MarkType;
  bool operator==(const TZephPointAttributes&) const = default;
};

struct ZEPH_CHART_EXPORT TZephItemPoint {
  double X;
  double Y;
};

}  // namespace zeph
