#include "zeph/toolkit/tfont.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zeph {

int TFont::PixelHeight() const {
  // MulDiv(Size, 96, 72): rounds half away from zero.
  const int scaled = std::abs(Size) * 96;
  return (scaled + 36) / 72;
}

QFont TFont::ToQFont() const {
  QFont font(Name);
  font.setPixelSize(PixelHeight() > 0 ? PixelHeight() : 1);
  font.setBold(Style.Contains(fsBold));
  font.setItalic(Style.Contains(fsItalic));
  font.setUnderline(Style.Contains(fsUnderline));
  font.setStrikeOut(Style.Contains(fsStrikeOut));
  // Grey-scale edges and glyphs hinted only vertically: letters stay crisp on their lines and
  // stand at their true advances, so words keep even spacing at every size.
  font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  font.setHintingPreference(QFont::PreferVerticalHinting);
  return font;
}

TFont TFont::FromQFont(const QFont& font, TColor color) {
  TFont result;
  result.Name = font.family();
  const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
  result.Size = std::max(1, static_cast<int>(std::lround(points)));
  if (font.weight() >= QFont::DemiBold) result.Style.Include(fsBold);
  if (font.italic()) result.Style.Include(fsItalic);
  if (font.underline()) result.Style.Include(fsUnderline);
  if (font.strikeOut()) result.Style.Include(fsStrikeOut);
  result.Color = color;
  return result;
}

}  // namespace zeph
