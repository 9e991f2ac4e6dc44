#pragma once

#include <QFlags>
#include <QObject>
#include <QPoint>
#include <Qt>
#include <array>

#include "zeph/chart/chart_export.h"

namespace zeph {

/// The navigation switch of a chart: which of the ready-made ways of moving about the data are on.
///
/// The values combine as flags (\c nvDragPan | \c nvWheelZoom). Qt's meta-object system knows their
/// names, so the switch can be set by name in stored forms and tools. The enclosing namespace
/// \c zeph makes the values available unqualified.
namespace ChartNavigation {
Q_NAMESPACE_EXPORT(ZEPH_CHART_EXPORT)

/// One way of moving about the data; see TCustomZephChart::SetNavigation().
enum TNavigationFlag : unsigned {
  nvNone = 0x00,        ///< No navigation: the chart does only what \c MouseAction says (the default).
  nvWheelZoomX = 0x01,  ///< The mouse wheel zooms the x axes about the mouse position.
  nvWheelZoomY = 0x02,  ///< The mouse wheel zooms the y axes about the mouse position.
  nvWheelZoom = 0x03,   ///< The mouse wheel zooms both axes about the mouse position.
  /// Dragging with the middle button, or with the left button when \c MouseAction leaves it free,
  /// moves the ranges; the content follows the mouse from the press on.
  nvDragPan = 0x04,
  /// Dragging with the right button, or with Ctrl and the left button when \c MouseAction leaves
  /// it free, draws a window that the ranges zoom into on release.
  nvZoomWindow = 0x08,
  /// A double-click in the chart area, or the Home key, brings back the view the application set
  /// (TCustomZephChart::RestoreHomeView()).
  nvHomeView = 0x10,
  /// While the chart has the focus, + and - zoom about the middle of the chart area and the arrow
  /// keys move the ranges by a tenth of the chart area.
  nvKeys = 0x20,
  nvAll = 0x3F  ///< Every way above.
};
/// A combination of TNavigationFlag values: the chart's \c Navigation switch.
Q_DECLARE_FLAGS(TNavigation, TNavigationFlag)
Q_FLAG_NS(TNavigation)
// Beside the enumeration, where argument-dependent lookup finds them from any namespace.
Q_DECLARE_OPERATORS_FOR_FLAGS(TNavigation)

}  // namespace ChartNavigation

// Used by their prefixed value names, as everywhere in the chart library.
using namespace ChartNavigation;  // NOLINT(google-global-names-in-headers)

}  // namespace zeph
