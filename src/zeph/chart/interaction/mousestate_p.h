#pragma once

#include <QPoint>
#include <array>

#include "zeph/chart/axes/layersettings_p.h"
#include "zeph/chart/chartmouse.h"

namespace zeph {

// What a chart remembers between mouse events: the drag (pan, zoom by dragging, moving a
// cross-hair or a label), the zoom window, and which layers follow panning and zooming.
// Applications see it through the chart's MouseAction, MouseCursorFixed and MouseZoomLayer.
struct TChartMouseState {
  // The number of layers, numbered 1 to 16.
  static constexpr int kLayerCount = kChartLayerCount;

  TMouseActMode action = maNone;  // The interaction mode (the chart's MouseAction).
  bool cursor_fixed = true;  // The chart's MouseCursorFixed: no mode cursor while true.

  // Whether a drag is under way. The reference point of a drag is the first move with the left
  // button held, not the press.
  bool drag_active = false;
  QPoint drag_start;  // The reference point of the drag, in control pixels.
  std::array<TLayerRanges, kLayerCount> layer_start{};  // The ranges of each layer at the drag's start.

  // Whether a zoom window is being drawn. The zoom window runs from the anchor (the press) to the
  // corner (the latest move).
  bool zoom_window = false;
  QPoint anchor;  // Where the zoom window was started, in control pixels.
  QPoint corner;  // The zoom window's current corner, in control pixels.

  int selected_cross_hair = 1;  // The cross-hair being dragged, 1 to 4.
  int selected_text_label = 1;  // The text label being dragged, 1 to 20.

  // Which layers follow panning and zooming: layer 1, the others only through layer joining,
  // unless changed.
  std::array<bool, kLayerCount> mouse_zoom{true};
};

}  // namespace zeph
