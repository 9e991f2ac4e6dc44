#pragma once

#include <cstdint>
#include <initializer_list>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// Toolkit value types that the chart, the scales and the forms share under their classic names.

enum TPenStyle : std::uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame
};

enum TPenMode : std::uint8_t { pmCopy, pmXor };

enum TBrushStyle : std::uint8_t { bsSolid, bsClear };

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle values, one bit per style.
class ZEPH_TOOLKIT_EXPORT TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles) bits_ |= Bit(s);
  }
  constexpr bool Contains(TFontStyle s) const { return (bits_ & Bit(s)) != 0; }
  constexpr void Include(TFontStyle s) { bits_ |= Bit(s); }
  constexpr void Exclude(TFontStyle s) { bits_ &= static_cast<std::uint8_t>(~Bit(s)); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint8_t Bits() const { return bits_; }
  static constexpr TFontStyles FromBits(std::uint8_t bits) {
    TFontStyles s;
    s.bits_ = bits & 0x0F;
    return s;
  }
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

 private:
  static constexpr std::uint8_t Bit(TFontStyle s) { return static_cast<std::uint8_t>(1u << s); }
  std::uint8_t bits_ = 0;
};

}  // namespace zeph
