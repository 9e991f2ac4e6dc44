#pragma once

#include <QFont>
#include <QString>

#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"
#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// A font as the forms describe it: face name, size in points, styles and colour. Sizes are turned
// into pixels at 96 dots per inch, as the screens the forms were designed on measured them.
struct ZEPH_TOOLKIT_EXPORT TFont {
  QString Name = QStringLiteral("MS Sans Serif");
  int Size = 8;
  TFontStyles Style;
  TColor Color = clWindowText;

  // The pixel height of a font of Size points at 96 dots per inch, rounded like the designers' GDI.
  int PixelHeight() const;
  QFont ToQFont() const;

  friend bool operator==(const TFont&, const TFont&) = default;
};

}  // namespace zeph
