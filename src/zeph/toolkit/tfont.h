#pragma once

#include <QFont>
#include <QString>

#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"
#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// A font as the forms describe it: face name, size in points, styles and colour.
///
/// Sizes are turned into pixels at 96 dots per inch, as the screens the forms were designed on
/// measured them, whatever the resolution of the actual screen. The classic face names ("MS Sans
/// Serif", "Arial", "Courier New", ...) are mapped to metric-compatible free fonts once a
/// TApplication exists.
struct ZEPH_TOOLKIT_EXPORT TFont {
  QString Name = QStringLiteral("MS Sans Serif");  ///< Face name; default "MS Sans Serif".
  int Size = 8;                                    ///< Size in points; default 8. The sign is ignored.
  TFontStyles Style;                               ///< Bold, italic, underline, strike-out; default none.
  TColor Color = clWindowText;                     ///< Text colour; default \ref clWindowText.

  /// The pixel height of a font of Size points at 96 dots per inch, rounded like the designers' GDI.
  ///
  /// That is |Size| · 96 / 72, halves rounded up: 8 points give 11 pixels, 10 points 13.
  int PixelHeight() const;
  /// Returns the QFont to draw with: the face Name at PixelHeight() pixels (at least 1) with the
  /// styles of Style, anti-aliased in grey scale and hinted vertically only. Color is not part of it.
  QFont ToQFont() const;
  /// The QFont to draw with, as ToQFont() gives it, so that a TFont can be handed to Qt directly.
  operator QFont() const { return ToQFont(); }  // NOLINT(google-explicit-constructor)
  /// The TFont of a QFont, in colour \p color.
  ///
  /// Name is the font's family; Size its point size, rounded (a font sized in pixels counts them at
  /// 96 dots per inch, at least 1 point); Style bold from \c QFont::DemiBold up, italic, underline
  /// and strike-out as the font has them.
  static TFont FromQFont(const QFont& font, TColor color = clWindowText);

  /// Two fonts are equal when name, size, styles and colour are equal.
  friend bool operator==(const TFont&, const TFont&) = default;
};

}  // namespace zeph
