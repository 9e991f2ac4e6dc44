#pragma once

#include <QFont>
#include <QString>

#include "toolkit/tcolor.h"
#include "toolkit/types.h"

// A font as the forms describe it: face name, size in points, styles and colour. Sizes are turned
// into pixels at 96 dots per inch, as the screens the forms were designed on measured them.
struct TFont {
  QString Name = QStringLiteral("MS Sans Serif");
  int Size = 8;
  TFontStyles Style;
  TColor Color = clWindowText;

  // The pixel height of a font of Size points at 96 dots per inch, rounded like the designers' GDI.
  int PixelHeight() const;
  QFont ToQFont() const;

  friend bool operator==(const TFont&, const TFont&) = default;
};
