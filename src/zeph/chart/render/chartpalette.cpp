// Colours taken from the widget's palette, for charts that follow the desktop's theme.
#include "zeph/chart/render/chartlook_p.h"
#include "zeph/chart/render/chartrenderer_p.h"

namespace zeph {

TColor TChartLook::ShownColor(TColor own, QPalette::ColorRole role, const QPalette& palette) const {
  if (!palette_colors) return own;
  if (role != QPalette::Mid) return QColorToColor(palette.color(role));
  // The grid: a third of the way from the area's background to its text, visible but quiet on
  // light and dark themes alike.
  const QColor base = palette.color(QPalette::Base);
  const QColor text = palette.color(QPalette::Text);
  const auto blend = [](int from, int to) { return from + (to - from) / 3; };
  return RGBColor(blend(base.red(), text.red()), blend(base.green(), text.green()), blend(base.blue(), text.blue()));
}

TColor TChartRenderer::ShownColor(TColor own, QPalette::ColorRole role) const {
  return look_.ShownColor(own, role, host_.Palette());
}

}  // namespace zeph
