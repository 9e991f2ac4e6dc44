#pragma once

#include <QColor>
#include <cstdint>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// A colour as the stored forms and the item records keep it.
///
/// Red is in the low byte, then green, then blue (0x0000FF is pure red, 0xFF0000 pure blue); the
/// top byte is 0 for a plain colour. A value with the top bit set (\ref clSystemColor) names a
/// system colour by the index in its low bits; it is resolved through the application palette
/// when it is drawn (see ColorToQColor()). Use RGBColor() to build a plain colour from its parts.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;    ///< Black (0, 0, 0).
inline constexpr TColor clMaroon = 0x000080;   ///< Maroon (128, 0, 0).
inline constexpr TColor clGreen = 0x008000;    ///< Dark green (0, 128, 0).
inline constexpr TColor clOlive = 0x008080;    ///< Olive (128, 128, 0).
inline constexpr TColor clNavy = 0x800000;     ///< Navy blue (0, 0, 128).
inline constexpr TColor clPurple = 0x800080;   ///< Purple (128, 0, 128).
inline constexpr TColor clTeal = 0x808000;     ///< Teal (0, 128, 128).
inline constexpr TColor clGray = 0x808080;     ///< Gray (128, 128, 128).
inline constexpr TColor clSilver = 0xC0C0C0;   ///< Silver (192, 192, 192).
inline constexpr TColor clRed = 0x0000FF;      ///< Red (255, 0, 0).
inline constexpr TColor clLime = 0x00FF00;     ///< Lime green (0, 255, 0).
inline constexpr TColor clYellow = 0x00FFFF;   ///< Yellow (255, 255, 0).
inline constexpr TColor clBlue = 0xFF0000;     ///< Blue (0, 0, 255).
inline constexpr TColor clFuchsia = 0xFF00FF;  ///< Fuchsia (255, 0, 255).
inline constexpr TColor clAqua = 0xFFFF00;     ///< Aqua (0, 255, 255).
inline constexpr TColor clWhite = 0xFFFFFF;    ///< White (255, 255, 255).

/// The flag bit that marks a TColor as a system colour; the low byte holds the colour's index.
inline constexpr TColor clSystemColor = 0x80000000;
/// Background of text entry fields: the palette's \c QPalette::Base.
inline constexpr TColor clWindow = clSystemColor | 5;
/// Text in windows: the palette's \c QPalette::WindowText; the default colour of a TFont.
inline constexpr TColor clWindowText = clSystemColor | 8;
/// Background of selected items: the palette's \c QPalette::Highlight.
inline constexpr TColor clHighlight = clSystemColor | 13;
/// Text of selected items: the palette's \c QPalette::HighlightedText.
inline constexpr TColor clHighlightText = clSystemColor | 14;
/// Face of buttons and dialogs (value 2147483663): the palette's \c QPalette::Button.
inline constexpr TColor clBtnFace = clSystemColor | 15;       // 2147483663
/// Shadow edge of raised elements: the palette's \c QPalette::Dark.
inline constexpr TColor clBtnShadow = clSystemColor | 16;
/// Dimmed text (value 2147483665): the palette's \c QPalette::Text of the disabled colour group.
inline constexpr TColor clGrayText = clSystemColor | 17;      // 2147483665
/// Text on buttons: the palette's \c QPalette::ButtonText.
inline constexpr TColor clBtnText = clSystemColor | 18;
/// Lit edge of raised elements: the palette's \c QPalette::Light.
inline constexpr TColor clBtnHighlight = clSystemColor | 20;

/// Returns the plain TColor of red \a r, green \a g and blue \a b.
///
/// Each part is taken modulo 256 (only its low byte is used).
constexpr TColor RGBColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

/// Resolves a system colour through the application palette; plain colours are returned as they are.
///
/// The result is always a plain colour (top byte 0). A system colour index this toolkit does not
/// name resolves to the palette's \c QPalette::Window colour. Needs a \c QGuiApplication for
/// system colours.
ZEPH_TOOLKIT_EXPORT TColor ColorToRGB(TColor color);

/// Returns the QColor of a TColor, resolving system colours through the application palette.
///
/// See ColorToRGB() for how system colours resolve. The result is opaque.
ZEPH_TOOLKIT_EXPORT QColor ColorToQColor(TColor color);
/// Returns the plain TColor of a QColor; the alpha channel is dropped.
ZEPH_TOOLKIT_EXPORT TColor QColorToColor(const QColor& color);

/// A colour as every colour setter of the zeph libraries takes it: a TColor, a QColor or a Qt
/// colour name such as \c Qt::red, each turned into the TColor the setter stores.
///
/// A TColor is taken as it is (a system colour such as \ref clBtnFace stays one and is resolved
/// when drawn); a QColor and a Qt colour name by their red, green and blue, so \c Qt::red is red.
/// Colours are stored and drawn opaque: a translucent QColor (alpha below 255, \c Qt::transparent
/// among the names) or an invalid one is refused with an Exception, thrown before the setter runs,
/// so the colour it would have changed stays as it was.
class ZEPH_TOOLKIT_EXPORT TColorArg {
 public:
  /// Takes \a color as it is.
  constexpr TColorArg(TColor color) : color_(color) {}  // NOLINT(google-explicit-constructor)
  /// Takes the opaque \a color; throws Exception when it is translucent or invalid.
  TColorArg(const QColor& color);  // NOLINT(google-explicit-constructor)
  /// Takes the Qt colour \a color; throws Exception for \c Qt::transparent.
  TColorArg(Qt::GlobalColor color) : TColorArg(QColor(color)) {}  // NOLINT(google-explicit-constructor)
  /// Returns the TColor to store.
  constexpr operator TColor() const { return color_; }  // NOLINT(google-explicit-constructor)

 private:
  TColor color_;
};

/// Returns the 0x00RRGGBB value a QImage of Format_RGB32 stores for the colour.
///
/// \a rgb must be a plain colour (resolve system colours with ColorToRGB() first); its top byte
/// is ignored. The result carries no alpha byte: combine it with 0xFF000000 for an opaque \c QRgb.
inline std::uint32_t ColorToPixel(TColor rgb) {
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

}  // namespace zeph
