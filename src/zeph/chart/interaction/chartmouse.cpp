// Mouse interaction: the Qt entry points, the drag and zoom-window state machines, and the
// cursor that shows the mode.
#include <QMouseEvent>
#include <algorithm>

#include "zeph/chart/interaction/chartcursors_p.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

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

void TCustomZephChartPrivate::SetMouseAction(TMouseActMode value) {
  // A new mode starts afresh: a drag ends, a zoom window in progress disappears.
  if (mouse_.zoom_window) {
    DrawZoomWindow(mouse_.corner);
    mouse_.zoom_window = false;
  }
  mouse_.drag_active = false;
  const bool changed = mouse_.action != value;
  mouse_.action = value;
  if (changed) EmitUnlessLoading(&TCustomZephChart::MouseActionChanged);
}

void TCustomZephChartPrivate::SetMouseCursorFixed(bool value) {
  const bool changed = mouse_.cursor_fixed != value;
  mouse_.cursor_fixed = value;
  if (changed) EmitUnlessLoading(&TCustomZephChart::MouseCursorFixedChanged);
}

// ---- Qt entry points ----

void TCustomZephChartPrivate::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftOf(event);
  if (q->OnMouseDown) q->OnMouseDown(q, event->button(), shift, p.x(), p.y());
  press_at_ = p;
  if (LegendClick(p, event->button())) return event->accept();
  // A press that navigation takes is not also the mode's.
  if (!NavigationPress(event)) MouseDown(event->button(), p.x(), p.y());
  event->accept();
}

void TCustomZephChartPrivate::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftOf(event);
  if (q->OnMouseMove) q->OnMouseMove(q, shift, p.x(), p.y());
  MouseMove(shift, p.x(), p.y());
  NavigationMove(event);
  double x = 0;
  double y = 0;
  q->PixelToWorld(q->CurrentLayer(), p.x(), p.y(), x, y);
  const bool in_chart = q->InChartArea(p.x(), p.y());
  if (q->OnMouseMoveInChart) q->OnMouseMoveInChart(q, in_chart, shift, x, y);
  Q_EMIT q->MouseMovedInChart(in_chart, x, y);
  event->accept();
}

void TCustomZephChartPrivate::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (q->OnMouseUp) q->OnMouseUp(q, event->button(), ShiftOf(event), p.x(), p.y());
  if (!NavigationRelease(event)) MouseUp(event->button());
  if ((p - press_at_).manhattanLength() <= 3) {
    double x = 0;
    double y = 0;
    q->PixelToWorld(q->CurrentLayer(), p.x(), p.y(), x, y);
    Q_EMIT q->MouseClicked(event->button(), x, y, q->InChartArea(p.x(), p.y()));
  }
  event->accept();
}

// ---- The chart's handling ----

void TCustomZephChartPrivate::MouseDown(Qt::MouseButton button, int x, int y) {
  if ((mouse_.action == maZoomWind || mouse_.action == maZoomWindPos) && !mouse_.zoom_window &&
      button == Qt::LeftButton && q->InChartArea(x, y)) {
    mouse_.zoom_window = true;
    mouse_.anchor = QPoint(x, y);
    mouse_.corner = mouse_.anchor;
  }
}

void TCustomZephChartPrivate::MouseMove(TShiftState shift, int x, int y) {
  if (IsDragMode(mouse_.action)) DragMove(shift, x, y);
  if (mouse_.zoom_window) ZoomWindowMove(x, y);
  ApplyCursorRule(x, y);
}

void TCustomZephChartPrivate::MouseUp(Qt::MouseButton button) {
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

void TCustomZephChartPrivate::DragMove(TShiftState shift, int x, int y) {
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
      if (q->InChartArea(x, y)) PanStep(x, y);
      break;
    case maZoomDrag:
      if (q->InChartArea(x, y)) ZoomDragStep(x, y);
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

void TCustomZephChartPrivate::CaptureDrag(int x, int y) {
  mouse_.drag_start = QPoint(x, y);
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    TLayerRanges& start = mouse_.layer_start[TLayerSettings::Slot(layer)];
    start.x_low = q->ScaleX(layer)->RangeLow();
    start.x_high = q->ScaleX(layer)->RangeHigh();
    start.y_low = q->ScaleY(layer)->RangeLow();
    start.y_high = q->ScaleY(layer)->RangeHigh();
  }
  if (mouse_.action == maDragCrossH) mouse_.selected_cross_hair = NearestCrossHair(x, y);
  if (mouse_.action == maDragLabel) mouse_.selected_text_label = NearestTextLabel(x, y);
}

void TCustomZephChartPrivate::ApplyCursorRule(int x, int y) {
  if (!q->InChartArea(x, y) || mouse_.cursor_fixed) {
    TScreenCursor::Set(crDefault, q);
    return;
  }
  switch (mouse_.action) {
    case maNone: TScreenCursor::Set(crCross, q); break;
    case maPan:
    case maPanHoriz:
    case maPanVert: TScreenCursor::Set(crZephHand, q); break;
    case maZoomWind: TScreenCursor::Set(crZephZoomWind, q); break;
    case maZoomWindPos: TScreenCursor::Set(crZephZoomWindPos, q); break;
    case maZoomDrag: TScreenCursor::Set(crZephZoomDrag, q); break;
    case maDragCrossH:
    case maDragLabel: TScreenCursor::Set(crDefault, q); break;
    default: break;  // the other modes have no cursor of their own
  }
}

// ---- Zoom window ----

void TCustomZephChartPrivate::ZoomWindowMove(int x, int y) {
  x = std::clamp(x, geometry_.LRim(), std::max(geometry_.LRim(), geometry_.AreaRight()));
  if (isometric_) {
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

void TCustomZephChartPrivate::DrawZoomWindow(QPoint corner) { DrawZoomWindow(mouse_.anchor, corner); }

void TCustomZephChartPrivate::DrawZoomWindow(QPoint a, QPoint corner) {
  // Inverted pixels on the control image: drawing the same rectangle again takes it away.
  if (a.x() == corner.x() || a.y() == corner.y()) return;
  // The image must hold everything shown before the rectangle goes over it.
  q->ControlImage();
  // Over a chart area drawn into the control image it lands in the area too.
  if (area_bmp_.Shared()) dirty_columns_.MarkAll();
  TCanvas& canvas = control_bmp_.Canvas();
  canvas.SetPenMode(pmXor);
  canvas.SetPenColor(clWhite);
  canvas.SetPenStyle(psSolid);
  canvas.SetPenWidth(1);
  canvas.SetBrushStyle(bsClear);
  canvas.Rectangle(a.x(), a.y(), corner.x(), corner.y());
  canvas.SetPenMode(pmCopy);
  canvas.SetBrushStyle(bsSolid);
  ShowOnScreen(QRect(a, corner).normalized().adjusted(-1, -1, 1, 1));
}

void TCustomZephChartPrivate::ZoomToWindow() {
  const bool keep_orientation = mouse_.action == maZoomWindPos;
  const QPoint a = mouse_.anchor;
  const QPoint c = mouse_.corner;
  const RangeBatch batch = BeginRangeBatch();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (!q->MouseZoomLayer(layer)) continue;
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;
    q->PixelToWorld(layer, a.x(), a.y(), x0, y0);
    q->PixelToWorld(layer, c.x(), c.y(), x1, y1);
    if (keep_orientation) {
      const TScaleProps* sx = q->ScaleX(layer);
      const TScaleProps* sy = q->ScaleY(layer);
      if ((x1 < x0 && sx->RangeLow() < sx->RangeHigh()) || (x1 > x0 && sx->RangeLow() > sx->RangeHigh())) {
        std::swap(x0, x1);
      }
      if ((y1 < y0 && sy->RangeLow() < sy->RangeHigh()) || (y1 > y0 && sy->RangeLow() > sy->RangeHigh())) {
        std::swap(y0, y1);
      }
    }
    q->SetLayerRange(layer, x0, y0, x1, y1);
  }
  EndRangeBatch(batch);
}

// ---- Batches of range changes ----

TCustomZephChartPrivate::RangeBatch TCustomZephChartPrivate::BeginRangeBatch() {
  const RangeBatch batch{paint_suspended_, navigation_.by_user};
  paint_suspended_ = true;
  navigation_.by_user = true;
  return batch;
}

void TCustomZephChartPrivate::EndRangeBatch(RangeBatch batch) {
  paint_suspended_ = batch.suspended;
  navigation_.by_user = batch.by_user;
  if (!paint_suspended_) q->Paint();
  if (q->OnZoomPan) q->OnZoomPan(q);
  Q_EMIT q->ZoomPanned();
}

}  // namespace zeph
