// The curves a chart shows, read back from its display list for readers and listeners.
#include "zeph/chart/chartcurves.h"

#include <QRegularExpression>
#include <cmath>

#include "zeph/chart/data/curvedata_p.h"
#include "zeph/chart/itemstore.h"

namespace zeph {

std::vector<TChartCurve> ChartCurves(const TZephItemStore& chart) {
  const int layer = chart.CurrentLayer();
  std::vector<TChartCurve> curves;
  const TZephItemList& list = chart.Items();
  bool open = false;
  for (int i = 0; i < list.Count(); ++i) {
    const TZephChartItem item = list[i];
    if (item.Kind != ikMoveTo && item.Kind != ikDrawTo) continue;
    if (item.Layer != layer || !chart.ItemVisible(item)) {
      // A curve hidden in between ends the one before it.
      if (item.Kind == ikMoveTo) open = false;
      continue;
    }
    if (item.Kind == ikMoveTo || !open) {
      curves.push_back({layer, {}});
      open = true;
    }
    if (!std::isfinite(item.X1) || !std::isfinite(item.Y1)) continue;
    curves.back().Points.emplace_back(item.X1, item.Y1);
  }
  // Curve objects follow the items, as they are drawn.
  for (const auto& object : list.Curves()) {
    if (!object->visible || object->layer != layer || !chart.LayerVisible(layer)) continue;
    TChartCurve& curve = curves.emplace_back(TChartCurve{layer, {}});
    for (std::size_t i = object->points.Begin(); i < object->points.End(); ++i) {
      const TZephItemPoint& point = object->points.At(i);
      if (std::isfinite(point.X) && std::isfinite(point.Y)) curve.Points.emplace_back(point.X, point.Y);
    }
  }
  std::erase_if(curves, [](const TChartCurve& curve) { return curve.Points.empty(); });
  return curves;
}

TAxisQuantity TAxisQuantity::FromCaption(const QString& caption) {
  static const QRegularExpression with_unit(QStringLiteral("^(.*?)\\s*\\[(.*)\\]\\s*$"));
  const QRegularExpressionMatch m = with_unit.match(caption);
  if (m.hasMatch()) return {m.captured(1), m.captured(2)};
  return {caption.trimmed(), {}};
}

}  // namespace zeph
