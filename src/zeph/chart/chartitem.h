#pragma once

#include <cstdint>

#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

/// The kinds of the items in a chart's display list.
///
/// The codes are stored values (TZephChartItem::Kind); the renderer dispatches on them. Codes 0, 10
/// and 11 draw nothing. Every kind carries an item class, a layer and a line width besides the
/// fields named below.
enum TZephItemKind : std::uint8_t {
  ikNone = 0,        ///< Draws nothing.
  ikMark = 1,        ///< A mark symbol (\c MarkType) at (X1, Y1) in \c Color and \c PenStyle.
  ikLine = 2,        ///< A line from (X1, Y1) to (X2, Y2); one pixel when both map to the same pixel.
  ikDrawTo = 3,      ///< A line from the current pen position to (X1, Y1); TZephItemStore::DrawTo().
  ikRectangle = 4,   ///< A rectangle between the corners (X1, Y1) and (X2, Y2), filled unless
                     ///< \c Transparent.
  ikFramedRect = 5,  ///< A rectangle in \c FillColor with edges by \c FrameStyle in \c Color2 and
                     ///< \c Color3.
  ikBar3D = 6,       ///< A bar with a visible top and side, \c Depth pixels deep at \c Size degrees.
  ikText = 7,        ///< \c Text of font size \c Size, centred vertically on (X1, Y1).
  ikMoveTo = 8,      ///< Moves the pen to (X1, Y1) and starts a new polyline; TZephItemStore::MoveTo().
  ikEllipse = 9,     ///< An ellipse around the centre (X1, Y1) with the radii X2 and Y2.
  ikRelMove = 12,    ///< Moves the pen by the pixel offset (X1, Y1).
  ikRelDraw = 13,    ///< Draws a line by the pixel offset (X1, Y1) from the pen position.
  ikArrow = 14       ///< An arrow from the tail (X1, Y1) to the head (X2, Y2); a head of \c Size
                     ///< pixels, open when \c Transparent, else filled.
};

/// The number of item kind codes counted per kind (0 to 14).
inline constexpr int kItemKindCount = 15;
/// The longest text a text item holds, in characters (Unicode code points).
inline constexpr int kItemTextLength = 17;

/// One drawing item of a chart's display list, in world coordinates (pixel offsets for the
/// relative kinds).
///
/// A new record is zero-filled and each operation writes only the fields its kind uses (see
/// TZephItemKind). Points are mapped to pixels through the scales of the item's layer whenever the
/// chart paints, so a change of range or size never needs the data again.
struct ZEPH_CHART_EXPORT TZephChartItem {
  double X1;  ///< World x of the (first) point; pixel offset x of the relative kinds.
  double Y1;  ///< World y of the (first) point; pixel offset y of the relative kinds.
  double X2;  ///< World x of the second point; x radius of an ellipse.
  double Y2;  ///< World y of the second point; y radius of an ellipse.
  TColor Color;  ///< Line, outline or text colour.
  TColor FillColor;  ///< Fill colour of the area kinds.
  TColor Color2;  ///< First edge colour of a framed rectangle.
  TColor Color3;  ///< Second edge colour of a framed rectangle.
  std::uint8_t PenStyle;  ///< Line style, a TPenStyle value.
  std::int32_t LineWidth;  ///< Pen width in pixels.
  std::uint8_t ItemClass;  ///< Class (visibility group) 0 to 255; see TZephItemStore::SetClassVisible().
  std::uint8_t Kind;  ///< The item kind, a TZephItemKind value.
  std::int32_t Layer;  ///< The layer, 1 to 16, whose scales map the item.
  bool Transparent;  ///< Area kinds: outline only (clear brush); arrow: open head.
  std::uint8_t FrameStyle;  ///< Edge style of a framed rectangle, a TFrameStyle value.
  /// Text of a text item: at most 17 characters (Unicode code points), zero-terminated.
  char32_t Text[kItemTextLength + 1];
  /// Font size in points (text), angle in degrees (3-D bar) or head length in pixels (arrow).
  std::int32_t Size;
  std::int32_t Depth;  ///< Depth of a 3-D bar in pixels.
  std::uint8_t MarkType;  ///< Mark symbol number of a mark item.
};

/// The fields that items made of one point share along a curve: everything but the point and the
/// kind.
///
/// The display list stores runs of such items with their attributes once (TZephItemList), and the
/// item store keeps its current drawing attributes in this form.
struct ZEPH_CHART_EXPORT TZephPointAttributes {
  TColor Color;  ///< Line colour.
  std::int32_t LineWidth;  ///< Pen width in pixels.
  std::int32_t Layer;  ///< The layer, 1 to 16.
  std::uint8_t PenStyle;  ///< Line style, a TPenStyle value.
  std::uint8_t ItemClass;  ///< Class (visibility group) 0 to 255.
  std::uint8_t MarkType;  ///< Mark symbol number (mark items only).
  /// Whether all fields are equal.
  bool operator==(const TZephPointAttributes&) const = default;
};

/// The world point of an item made of one point, as the display list stores it.
struct ZEPH_CHART_EXPORT TZephItemPoint {
  double X;  ///< World x (pixel offset x for the relative kinds).
  double Y;  ///< World y (pixel offset y for the relative kinds).
};

}  // namespace zeph
