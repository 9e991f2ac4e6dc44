#pragma once

#include <cstdint>
#include <initializer_list>

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
class ZEPH_TOOLKIT_EXPORT TFontStyles {
 public:
  /// Constructs an empty set.
  constexpr TFontStyles() = default;
  /// Constructs the set of the listed \a styles, for example `{fsBold, fsItalic}`.
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles) bits_ |= Bit(s);
  }
  /// Returns whether style \a s is in the set.
  constexpr bool Contains(TFontStyle s) const { return (bits_ & Bit(s)) != 0; }
  /// Adds style \a s to the set.
  constexpr void Include(TFontStyle s) { bits_ |= Bit(s); }
  /// Removes style \a s from the set.
  constexpr void Exclude(TFontStyle s) { bits_ &= static_cast<std::uint8_t>(~Bit(s)); }
  /// Returns whether the set holds no style.
  constexpr bool Empty() const { return bits_ == 0; }
  /// Returns the set as bits: bit \c n stands for the TFontStyle of value \c n.
  constexpr std::uint8_t Bits() const { return bits_; }
  /// Returns the set whose bits are \a bits (see Bits()); bits above the four styles are ignored.
  static constexpr TFontStyles FromBits(std::uint8_t bits) {
    TFontStyles s;
    s.bits_ = bits & 0x0F;
    return s;
  }
  /// Two sets are equal when they hold the same styles.
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

 private:
  static constexpr std::uint8_t Bit(TFontStyle s) { return static_cast<std::uint8_t>(1u << s); }
  std::uint8_t bits_ = 0;
};

}  // namespace zeph
