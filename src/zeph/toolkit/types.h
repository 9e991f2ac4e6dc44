#pragma once

#include <cstdint>
#include <initializer_list>

#include "zeph/toolkit/enumset.h"
#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// Toolkit value types that the chart, the scales and the forms share under their classic names.

/// The line pattern of a pen.
///
/// The dash patterns are those of the classic one-pixel cosmetic pens, measured in pixels; pens
/// wider than one pixel always draw solid lines on an image.
enum TPenStyle : std::uint8_t {
  psSolid,       ///< A continuous line.
  psDash,        ///< Dashes: 18 pixels on, 6 off.
  psDot,         ///< Dots: 3 pixels on, 3 off.
  psDashDot,     ///< Dash and dot: 9 on, 6 off, 3 on, 6 off.
  psDashDotDot,  ///< Dash and two dots: 9 on, 3 off, 3 on, 3 off, 3 on, 3 off.
  psClear,       ///< No line at all: outlines and lines are left out.
  psInsideFrame  ///< A continuous line (kept for stored forms; drawn as \ref psSolid).
};

/// How a pen, a fill or a copied image combines with the pixels already there.
enum TPenMode : std::uint8_t {
  pmCopy,  ///< The new colour replaces the old one.
  pmXor    ///< The new colour is combined with the old one by exclusive or; drawing twice restores it.
};

/// Whether shapes are filled.
enum TBrushStyle : std::uint8_t {
  bsSolid,  ///< Shapes and text backgrounds are filled with the brush colour.
  bsClear   ///< Nothing is filled; only outlines and text are drawn.
};

/// Horizontal alignment of a text at its reference point.
enum TAlignment : std::uint8_t {
  taLeftJustify,   ///< The text starts at the point.
  taRightJustify,  ///< The text ends at the point.
  taCenter         ///< The text is centred on the point.
};

/// One style of a font; fonts combine them in a TFontStyles set.
enum TFontStyle : std::uint8_t {
  fsBold,      ///< Bold weight.
  fsItalic,    ///< Italic.
  fsUnderline,  ///< Underlined.
  fsStrikeOut  ///< Struck out.
};

/// A set of TFontStyle values, one bit per style.
///
/// A default-constructed set is empty (a regular upright font).
class ZEPH_TOOLKIT_EXPORT TFontStyles : public TEnumSet<TFontStyles, TFontStyle, 4, 0> {
 public:
  /// Constructs an empty set.
  constexpr TFontStyles() = default;
  /// Constructs the set of the listed \a styles, for example `{fsBold, fsItalic}`.
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) : TEnumSet(styles) {}
};

}  // namespace zeph
