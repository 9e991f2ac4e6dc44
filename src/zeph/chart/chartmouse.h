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

}  // namespace zeph
