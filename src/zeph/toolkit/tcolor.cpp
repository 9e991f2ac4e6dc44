#include "zeph/toolkit/tcolor.h"

#include "zeph/toolkit/exception.h"

#include <QGuiApplication>
#include <QPalette>

namespace zeph {

namespace {

QColor SystemColor(TColor color) {
  const QPalette palette = QGuiApplication::palette();
  switch (color & 0xFF) {
    case 5: return palette.color(QPalette::Active, QPalette::Base);
    case 8: return palette.color(QPalette::Active, QPalette::WindowText);
    case 13: return palette.color(QPalette::Active, QPalette::Highlight);
    case 14: return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Active, QPalette::Button);
    case 16: return palette.color(QPalette::Active, QPalette::Dark);
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: return palette.color(QPalette::Active, QPalette::ButtonText);
    case 20: return palette.color(QPalette::Active, QPalette::Light);
    default: return palette.color(QPalette::Active, QPalette::Window);
  }
}

}  // namespace

TColor ColorToRGB(TColor color) {
  if ((color & clSystemColor) == 0) return color & 0xFFFFFF;
  return QColorToColor(SystemColor(color));
}

QColor ColorToQColor(TColor color) {
  if (color & clSystemColor) return SystemColor(color);
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor QColorToColor(const QColor& color) {
  return RGBColor(color.red(), color.green(), color.blue());
}

TColorArg::TColorArg(const QColor& color) : color_(QColorToColor(color)) {
  if (!color.isValid()) throw Exception(std::string("An invalid QColor is not a colour"));
  // A TColor has no alpha: its top byte marks system colours, and every colour is drawn opaque.
  if (color.alpha() != 255) {
    throw Exception(QStringLiteral("The translucent colour %1 (alpha %2) cannot be set: colours are opaque")
                        .arg(color.name(QColor::HexArgb))
                        .arg(color.alpha()));
  }
}

}  // namespace zeph
