#include "toolkit/tfont.h"

#include <cstdlib>

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
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}
