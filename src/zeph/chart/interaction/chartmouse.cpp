// Mouse interaction: the Qt entry points, the drag and zoom-window state machines, and the
// cursor that shows the mode.
#include <QMouseEvent>
#include <algorithm>

#include "zeph/chart/interaction/chartcursors_p.h"
#include "zeph/chart/interaction/chartinteraction_p.h"

namespace zeph {

namespace {

TShiftState ShiftOf(const QMouseEvent* event) { return {event->modifiers(), event->buttons()}; }

bool IsDragMode(TMouseActMode mode) {
  switch (mode) {
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maZoomDrag:
    case maDragCrossH:
    case maDragLabel:
      return true;
    default:
      return false;
  }
}

}  // namespace

// ---- Properties ----

bool TChartInteraction::SetMouseAction(TMouseActMode value) {
  // A new mode starts afresh: a drag ends, a zoom window in progress disappears.
  if (mouse_.zoom_window) {
    DrawZoomWindow(mouse_.corner);
    mouse_.zoom_window = false;
  }
  mouse_.drag_active = false;
  const bool changed = mouse_.action != value;
  mouse_.action = value;
  return changed;
}

bool TChartInteraction::SetMouseCursorFixed(bool value) {
  const bool changed = mouse_.cursor_fixed != value;
  mouse_.cursor_fixed = value;
  return changed;
}

bool TChartInteraction::MouseZoomLayer(int layer) const {
  return layer >= 1 && layer <= kLayerCount && mouse_.mouse_zoom[TLayerSettings::Slot(layer)];
}

void TChartInteraction::SetMouseZoomLayer(int layer, bool value) {
  if (layer >= 1 && layer <= kLayerCount) mouse_.mouse_zoom[TLayerSettings::Slot(layer)] = value;
}

// ---- Qt entry points ----

void TChartInteraction::Press(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftOf(event);
  host_.MousePressed(event->button(), shift, p.x(), p.y());
  press_at_ = p;
  if (host_.LegendClick(p, event->button())) return event->accept();
  // A press that navigation takes is not also the mode's.
  if (!NavigationPress(event)) MouseDown(event->button(), p.x(), p.y());
  event->accept();
}

void TChartInteraction::Move(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftOf(event);
  host_.MouseMoved(shift, p.x(), p.y());
  MouseMove(shift, p.x(), p.y());
  NavigationMove(event);
  double x = 0;
  double y = 0;
  geometry_.PixelToWorld(host_.CurrentLayer(), p.x(), p.y(), x, y);
  const bool in_chart = geometry_.InChartArea(p.x(), p.y());
  host_.PointerMoved(in_chart, shift, x, y);
  event->accept();
}

void TChartInteraction::Release(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  host_.MouseReleased(event->button(), ShiftOf(event), p.x(), p.y());
  if (!NavigationRelease(event)) MouseUp(event->button());
  if ((p - press_at_).manhattanLength() <= 3) {
    double x = 0;
    double y = 0;
    geometry_.PixelToWorld(host_.CurrentLayer(), p.x(), p.y(), x, y);
    host_.Clicked(event->button(), x, y, geometry_.InChartArea(p.x(), p.y()));
  }
  event->accept();
}

// ---- The chart's handling ----

void TChartInteraction::MouseDown(Qt::MouseButton button, int x, int y) {
  if ((mouse_.action == maZoomWind || mouse_.action == maZoomWindPos) && !mouse_.zoom_window &&
      button == Qt::LeftButton && geometry_.InChartArea(x, y)) {
    mouse_.zoom_window = true;
    mouse_.anchor = QPoint(x, y);
    mouse_.corner = mouse_.anchor;
  }
}

void TChartInteraction::MouseMove(TShiftState shift, int x, int y) {
  if (IsDragMode(mouse_.action)) DragMove(shift, x, y);
  if (mouse_.zoom_window) ZoomWindowMove(x, y);
  ApplyCursorRule(x, y);
}

void TChartInteraction::MouseUp(Qt::MouseButton button) {
  if (!mouse_.zoom_window) return;
  if (button == Qt::RightButton) {
    DrawZoomWindow(mouse_.corner);
    mouse_.zoom_window = false;
  } else if (button == Qt::LeftButton) {
    // The rectangle goes first, so that nothing of it stays should the zoom not repaint.
    DrawZoomWindow(mouse_.corner);
    mouse_.zoom_window = false;
    if (mouse_.anchor.x() != mouse_.corner.x() && mouse_.anchor.y() != mouse_.corner.y()) ZoomToWindow();
  }
}

void TChartInteraction::DragMove(TShiftState shift, int x, int y) {
  if (!shift.Held(Qt::LeftButton)) {
    mouse_.drag_active = false;
    return;
  }
  if (!mouse_.drag_active) {
    CaptureDrag(x, y);
    mouse_.drag_active = true;
    return;
  }
  switch (mouse_.action) {
    case maPan:
    case maPanHoriz:
    case maPanVert:
      if (geometry_.InChartArea(x, y)) PanStep(x, y);
      break;
    case maZoomDrag:
      if (geometry_.InChartArea(x, y)) ZoomDragStep(x, y);
      break;
    case maDragCrossH:
      CrossHairStep(x, y);
      break;
    case maDragLabel:
      TextLabelStep(x, y);
      break;
    default:
      break;
  }
}

void TChartInteraction::CaptureDrag(int x, int y) {
  mouse_.drag_start = QPoint(x, y);
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    TLayerRanges& start = mouse_.layer_start[TLayerSettings::Slot(layer)];
    start.x_low = layers_.X(layer)->RangeLow();
    start.x_high = layers_.X(layer)->RangeHigh();
    start.y_low = layers_.Y(layer)->RangeLow();
    start.y_high = layers_.Y(layer)->RangeHigh();
  }
  if (mouse_.action == maDragCrossH) mouse_.selected_cross_hair = NearestCrossHair(x, y);
  if (mouse_.action == maDragLabel) mouse_.selected_text_label = NearestTextLabel(x, y);
}

void TChartInteraction::ApplyCursorRule(int x, int y) {
  if (!geometry_.InChartArea(x, y) || mouse_.cursor_fixed) {
    TScreenCursor::Set(crDefault, host_.Widget());
    return;
  }
  switch (mouse_.action) {
    case maNone: TScreenCursor::Set(crCross, host_.Widget()); break;
    case maPan:
    case maPanHoriz:
    case maPanVert: TScreenCursor::Set(crZephHand, host_.Widget()); break;
    case maZoomWind: TScreenCursor::Set(crZephZoomWind, host_.Widget()); break;
    case maZoomWindPos: TScreenCursor::Set(crZephZoomWindPos, host_.Widget()); break;
    case maZoomDrag: TScreenCursor::Set(crZephZoomDrag, host_.Widget()); break;
    case maDragCrossH:
    case maDragLabel: TScreenCursor::Set(crDefault, host_.Widget()); break;
    default: break;  // the other modes have no cursor of their own
  }
}

// ---- Zoom window ----

void TChartInteraction::ZoomWindowMove(int x, int y) {
  x = std::clamp(x, geometry_.LRim(), std::max(geometry_.LRim(), geometry_.AreaRight()));
  if (host_.Isometric()) {
    // A square window: the corner moves along a diagonal through the anchor.
    const QPoint a = mouse_.anchor;
    const long long product = (static_cast<long long>(y) - a.y()) * (static_cast<long long>(x) - a.x());
    y = product < 1 ? a.y() + a.x() - x : a.y() + x - a.x();
  }
  y = std::clamp(y, geometry_.TRim(), std::max(geometry_.TRim(), geometry_.AreaBottom()));
  DrawZoomWindow(mouse_.corner);
  mouse_.corner = QPoint(x, y);
  DrawZoomWindow(mouse_.corner);
}

void TChartInteraction::DrawZoomWindow(QPoint corner) { host_.InvertRectangle(mouse_.anchor, corner); }

void TChartInteraction::ZoomToWindow() {
  const bool keep_orientation = mouse_.action == maZoomWindPos;
  const QPoint a = mouse_.anchor;
  const QPoint c = mouse_.corner;
  const RangeBatch batch = BeginRangeBatch();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (!MouseZoomLayer(layer)) continue;
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;
    geometry_.PixelToWorld(layer, a.x(), a.y(), x0, y0);
    geometry_.PixelToWorld(layer, c.x(), c.y(), x1, y1);
    if (keep_orientation) {
      const TScaleProps* sx = layers_.X(layer);
      const TScaleProps* sy = layers_.Y(layer);
      if ((x1 < x0 && sx->RangeLow() < sx->RangeHigh()) || (x1 > x0 && sx->RangeLow() > sx->RangeHigh())) {
        std::swap(x0, x1);
      }
      if ((y1 < y0 && sy->RangeLow() < sy->RangeHigh()) || (y1 > y0 && sy->RangeLow() > sy->RangeHigh())) {
        std::swap(y0, y1);
      }
    }
    host_.SetLayerRange(layer, x0, y0, x1, y1);
  }
  EndRangeBatch(batch);
}

// ---- Batches of range changes ----

TChartInteraction::RangeBatch TChartInteraction::BeginRangeBatch() {
  const RangeBatch batch{host_.SuspendPaint(true), axes_.ByUser()};
  axes_.SetByUser(true);
  return batch;
}

void TChartInteraction::EndRangeBatch(RangeBatch batch) {
  host_.SuspendPaint(batch.suspended);
  axes_.SetByUser(batch.by_user);
  if (!batch.suspended) host_.Paint();
  host_.ZoomPanned();
}

}  // namespace zeph
