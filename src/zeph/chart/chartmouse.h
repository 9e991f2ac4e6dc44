#pragma once

#include <QObject>
#include <QPoint>
#include <Qt>
#include <array>
#include <functional>

#include "zeph/scales/zephenums.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

class TCrossHair;
class TTextLabel;

// The keys and mouse buttons held during a mouse event.
struct ZEPH_CHART_EXPORT TShiftState {
  Qt::KeyboardModifiers Keys;
  Qt::MouseButtons Buttons;
  bool Held(Qt::MouseButton button) const { return Buttons.testFlag(button); }
};

// The control's own mouse events, in its pixel coordinates; they run before the chart's handling.
using TChartMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, int X, int Y)>;
using TChartMouseMoveEvent = std::function<void(QObject* Sender, TShiftState Shift, int X, int Y)>;
// Every move over the control, with the position in world coordinates of the current layer
// (extrapolated outside the chart area, where InChart is false).
using TMouseMoveInChartEvent =
    std::function<void(QObject* Sender, bool InChart, TShiftState Shift, double rMousePosX, double rMousePosY)>;
// After every pan or zoom step.
using TZoomPanEvent = std::function<void(QObject* Sender)>;
using TCrossHairMoveEvent = std::function<void(QObject* Sender, TCrossHair* WhichCrossHair)>;
using TTextLabelMoveEvent = std::function<void(QObject* Sender, TTextLabel* WhichTextLabel)>;

// What a chart remembers between mouse events: the drag (pan, zoom by dragging, moving a
// cross-hair or a label), the zoom window, and which layers follow panning and zooming.
struct ZEPH_CHART_EXPORT TChartMouseState {
  static constexpr int kLayerCount = 16;

  // The ranges of a layer when the drag was captured.
  struct LayerStart {
    double x_low = 0;
    double x_high = 0;
    double y_low = 0;
    double y_high = 0;
  };

  TMouseActMode action = maNone;
  bool cursor_fixed = true;

  // The reference point of a drag is the first move with the left button held, not the press.
  bool drag_active = false;
  QPoint drag_start;
  std::array<LayerStart, kLayerCount> layer_start{};

  // The zoom window runs from the anchor (the press) to the corner (the latest move).
  bool zoom_window = false;
  QPoint anchor;
  QPoint corner;

  int selected_cross_hair = 1;
  int selected_text_label = 1;

  // Layer 1 follows panning and zooming; the others only through layer joining.
  std::array<bool, kLayerCount> mouse_zoom{true};
};

}  // namespace zeph
