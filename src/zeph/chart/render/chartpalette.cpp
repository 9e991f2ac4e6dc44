// Colours taken from the widget's palette, for charts that follow the desktop's theme.
#include <QPalette>

#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

TColor TCustomZephChartPrivate::ShownColor(TColor own, QPalette::ColorRole role) const {
  if (!palette_colors_) return own;
  const QPalette& colors = q->palette();
  if (role != QPalette::Mid) return QColorToColor(colors.color(role));
  // The grid: a third of the way from the area's background to its text, visible but quiet on
  // light and dark themes alike.
  const QColor base = colors.color(QPalette::Base);
  const QColor text = colors.color(QPalette::Text);
  const auto blend = [](int from, int to) { return from + (to - from) / 3; };
  return RGBColor(blend(base.red(), text.red()), blend(base.green(), text.green()), blend(base.blue(), text.blue()));
}

void TCustomZephChartPrivate::SetPaletteColors(bool value) {
  const bool changed = palette_colors_ != value;
  palette_colors_ = value;
  // The scales take their colours when their settings are applied.
  axes_.Layout();
  Invalidate();
  RepaintIfAuto();
  if (changed) EmitUnlessLoading(&TCustomZephChart::PaletteColorsChanged);
}

}  // namespace zeph
