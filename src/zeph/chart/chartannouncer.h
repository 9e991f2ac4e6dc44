#pragma once

#include <QString>
#include <functional>

#include "zeph/chart/chart_export.h"

class QAccessibleInterface;

namespace zeph {

/// How a chart tells assistive technology what just happened ("last point", "copied 100 rows"):
/// called with the object that has the focus in the chart (the explored point, a cell of the data
/// table, or the chart) and the words, which a point or a cell keeps as its description.
///
/// Unset, the chart sends the object's description-changed event. An application whose platform
/// bridge does not carry the new description with that event sets its own way.
using TChartAnnouncer = std::function<void(QAccessibleInterface* focused, const QString& words)>;

/// Sets the announcer of every chart; an empty one goes back to the description-changed event.
ZEPH_CHART_EXPORT void SetChartAnnouncer(TChartAnnouncer announcer);

}  // namespace zeph
