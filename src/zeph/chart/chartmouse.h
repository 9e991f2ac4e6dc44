#pragma once

#include <QObject>
#include <QPoint>
#include <Qt>
#include <array>
#include <functional>

#include "zeph/scales/zephenums.h"
#include "zeph/chart/chart_export.h"
#include "zeph/chart/chartenums.h"

namespace zeph {

class TCrossHair;
class TTextLabel;

/// The keys and mouse buttons held during a mouse event.
struct ZEPH_CHART_EXPORT TShiftState {
  Qt::KeyboardModifiers Keys;  ///< The modifier keys held (Shift, Ctrl, Alt, Meta).
  /// The mouse buttons held; on a release, the button released is no longer among them.
  Qt::MouseButtons Buttons;
  /// Whether the button is held.
  bool Held(Qt::MouseButton button) const { return Buttons.testFlag(button); }
};

/// The type of a chart's \c OnMouseDown and \c OnMouseUp events: a mouse button was pressed or
/// released over the control.
///
/// Raised before the chart's own handling, with the chart as Sender, the button pressed or
/// released, the keys and buttons held, and the position in control pixels (X, Y).
using TChartMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, int X, int Y)>;
/// The type of a chart's \c OnMouseMove event: the mouse moved over the control.
///
/// Raised on every move, also without a button held, before the chart's own handling, with the
/// chart as Sender, the keys and buttons held, and the position in control pixels (X, Y).
using TChartMouseMoveEvent = std::function<void(QObject* Sender, TShiftState Shift, int X, int Y)>;
/// The type of a chart's \c OnMouseMoveInChart event: every move over the control, with the
/// position in world coordinates of the current layer.
///
/// Raised after the chart's own handling of the move (a pan or zoom step has already been made),
/// with the chart as Sender. InChart tells whether the mouse is in the chart area, its frame
/// included; outside it the world position (rMousePosX, rMousePosY) is extrapolated from the
/// scaling of the chart's current layer (TZephItemStore::CurrentLayer()).
using TMouseMoveInChartEvent =
    std::function<void(QObject* Sender, bool InChart, TShiftState Shift, double rMousePosX, double rMousePosY)>;
/// The type of a chart's \c OnZoomPan event: raised after every pan or zoom step.
///
/// A step is one mouse move of a pan or zoom drag, or the release that zooms into a zoom window;
/// the event follows the repaint that shows the new ranges, with the chart as Sender.
using TZoomPanEvent = std::function<void(QObject* Sender)>;
/// The type of a chart's \c OnCrossHairMove event: the user dragged a cross-hair (mouse mode
/// \c maDragCrossH).
///
/// Raised after every step of the drag, once the cross-hair's new position is shown, with the
/// chart as Sender and the cross-hair moved; the handler may read its position.
using TCrossHairMoveEvent = std::function<void(QObject* Sender, TCrossHair* WhichCrossHair)>;
/// The type of a chart's \c OnTextLabelMove event: the user dragged a text label (mouse mode
/// \c maDragLabel).
///
/// Raised after every step of the drag, once the label's new position is shown, with the chart as
/// Sender and the label moved; the handler may read its position.
using TTextLabelMoveEvent = std::function<void(QObject* Sender, TTextLabel* WhichTextLabel)>;

/// What a chart remembers between mouse events: the drag (pan, zoom by dragging, moving a
/// cross-hair or a label), the zoom window, and which layers follow panning and zooming.
///
/// A building block of TCustomZephChart, installed because the chart keeps it as a member; not
/// needed by applications, which use the chart's \c MouseAction, \c MouseCursorFixed and
/// \c MouseZoomLayer accessors instead.
struct ZEPH_CHART_EXPORT TChartMouseState {
  /// The number of layers, numbered 1 to 16.
  static constexpr int kLayerCount = kChartLayerCount;

  /// The ranges of a layer when the drag was captured.
  struct LayerStart {
    double x_low = 0;   ///< The x axis's \c RangeLow.
    double x_high = 0;  ///< The x axis's \c RangeHigh.
    double y_low = 0;   ///< The y axis's \c RangeLow.
    double y_high = 0;  ///< The y axis's \c RangeHigh.
  };

  TMouseActMode action = maNone;  ///< The interaction mode (the chart's \c MouseAction).
  bool cursor_fixed = true;  ///< The chart's \c MouseCursorFixed: no mode cursor while true.

  /// Whether a drag is under way. The reference point of a drag is the first move with the left
  /// button held, not the press.
  bool drag_active = false;
  QPoint drag_start;  ///< The reference point of the drag, in control pixels.
  std::array<LayerStart, kLayerCount> layer_start{};  ///< The ranges of each layer at the drag's start.

  /// Whether a zoom window is being drawn. The zoom window runs from the anchor (the press) to the
  /// corner (the latest move).
  bool zoom_window = false;
  QPoint anchor;  ///< Where the zoom window was started, in control pixels.
  QPoint corner;  ///< The zoom window's current corner, in control pixels.

  int selected_cross_hair = 1;  ///< The cross-hair being dragged, 1 to 4.
  int selected_text_label = 1;  ///< The text label being dragged, 1 to 20.

  /// Which layers follow panning and zooming: layer 1, the others only through layer joining,
  /// unless changed.
  std::array<bool, kLayerCount> mouse_zoom{true};
};

}  // namespace zeph
