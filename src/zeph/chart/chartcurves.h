#pragma once

#include <QPointF>
#include <QString>
#include <vector>

#include "zeph/chart/chart_export.h"

namespace zeph {

class TZephItemStore;

/// One curve of a chart as a reader meets it: the points of a polyline that starts at a move-to
/// item, in world coordinates of its layer.
struct ZEPH_CHART_EXPORT TChartCurve {
  int Layer = 1;                ///< The layer whose scales map the points.
  std::vector<QPointF> Points;  ///< The move-to point and the draw-to points after it, in order.
};

/// The curves of a chart's current layer (\c CurrentLayer): its visible move-to and draw-to items,
/// split at each move-to; items with a coordinate that is no finite number are left out.
///
/// Draw-to items before the first move-to form a curve of their own. Curves without a point are
/// not returned.
ZEPH_CHART_EXPORT std::vector<TChartCurve> ChartCurves(const TZephItemStore& chart);

/// An axis caption read as a quantity and its unit: "U [V]" is the quantity "U" in the unit "V";
/// a caption without a unit in brackets is the quantity alone.
struct ZEPH_CHART_EXPORT TAxisQuantity {
  QString Name;  ///< What is measured, "U".
  QString Unit;  ///< Its unit, "V"; empty when the caption names none.
  /// Reads a caption.
  static TAxisQuantity FromCaption(const QString& caption);
};

}  // namespace zeph
