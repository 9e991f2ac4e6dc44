// Navigation: wheel zoom about the mouse, panning and zoom windows from the press on, the home
// view, and the keys. Every step changes the layers that follow the mouse, through their
// controlling layers, on axis values (logarithms on a logarithmic axis), so that logarithmic and
// reversed axes move as they look.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "zeph/chart/interaction/chartinteraction_p.h"

namespace zeph {

namespace {

using Ranges = TLayerRanges;

// One wheel notch or key press zooms in by this factor.
constexpr double kZoomStep = 0.8;
// The arrow keys move the ranges by this part of the chart area.
constexpr double kKeyPanPart = 0.1;

// An axis value: the value on a linear axis, its logarithm on a logarithmic one.
long double AxisValue(double v, bool logarithmic) { return logarithmic ? std::log(static_cast<long double>(v)) : v; }
double FromAxisValue(long double u, bool logarithmic) { return static_cast<double>(logarithmic ? std::exp(u) : u); }

}  // namespace

void TChartInteraction::CancelNavigationDrag() {
  if (navigation_.drag == TChartNavigationState::Drag::kWindow)
    host_.InvertRectangle(navigation_.start, navigation_.corner);
  navigation_.drag = TChartNavigationState::Drag::kNone;
}

bool TChartInteraction::SetNavigation(TNavigation value) {
  CancelNavigationDrag();
  const bool changed = navigation_.flags != value;
  navigation_.flags = value;
  return changed;
}

bool TChartInteraction::LeftButtonFree() const {
  switch (mouse_.action) {
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maZoomWind:
    case maZoomWindPos:
    case maZoomDrag:
    case maDragCrossH:
    case maDragLabel:
      return false;
    default:
      return true;
  }
}

void TChartInteraction::CaptureNavigation(QPoint at) {
  navigation_.start = at;
  navigation_.corner = at;
  for (int layer = 1; layer <= kLayerCount; ++layer)
    navigation_.start_ranges[TLayerSettings::Slot(layer)] = axes_.CurrentRanges(layer);
}

bool TChartInteraction::NavigationPress(QMouseEvent* event) {
  using Drag = TChartNavigationState::Drag;
  // A second button during a navigation drag changes nothing.
  if (navigation_.drag != Drag::kNone) return true;
  const QPoint p = event->position().toPoint();
  if (navigation_.flags == nvNone || !geometry_.InChartArea(p.x(), p.y())) return false;
  const Qt::MouseButton button = event->button();
  const bool left_free = button == Qt::LeftButton && LeftButtonFree();
  const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
  if (navigation_.flags.testFlag(nvZoomWindow) && !mouse_.zoom_window &&
      (button == Qt::RightButton || (left_free && ctrl))) {
    navigation_.drag = Drag::kWindow;
  } else if (navigation_.flags.testFlag(nvDragPan) && (button == Qt::MiddleButton || left_free)) {
    navigation_.drag = Drag::kPan;
  } else {
    return false;
  }
  navigation_.button = button;
  CaptureNavigation(p);
  return true;
}

void TChartInteraction::NavigationMove(QMouseEvent* event) {
  using Drag = TChartNavigationState::Drag;
  if (navigation_.drag == Drag::kNone) return;
  if (!event->buttons().testFlag(navigation_.button)) {
    // The release went elsewhere (another window took the mouse): the drag is over.
    CancelNavigationDrag();
    return;
  }
  const QPoint p = event->position().toPoint();
  if (navigation_.drag == Drag::kPan) {
    NavigationPan(p - navigation_.start);
    return;
  }
  const QPoint corner(std::clamp(p.x(), geometry_.LRim(), std::max(geometry_.LRim(), geometry_.AreaRight())),
                      std::clamp(p.y(), geometry_.TRim(), std::max(geometry_.TRim(), geometry_.AreaBottom())));
  host_.InvertRectangle(navigation_.start, navigation_.corner);
  navigation_.corner = corner;
  host_.InvertRectangle(navigation_.start, navigation_.corner);
}

bool TChartInteraction::NavigationRelease(QMouseEvent* event) {
  using Drag = TChartNavigationState::Drag;
  if (navigation_.drag == Drag::kNone) return false;
  if (event->button() != navigation_.button) return true;
  const Drag drag = navigation_.drag;
  navigation_.drag = Drag::kNone;
  if (drag == Drag::kWindow) {
    const QPoint a = navigation_.start;
    const QPoint c = navigation_.corner;
    host_.InvertRectangle(a, c);
    if (a.x() != c.x() && a.y() != c.y()) NavigationZoomToWindow(a, c);
  }
  return true;
}

bool TChartInteraction::Wheel(QWheelEvent* event) {
  const TNavigation zoom = navigation_.flags & nvWheelZoom;
  const QPointF p = event->position();
  if (zoom == nvNone || !geometry_.InChartArea(p.toPoint().x(), p.toPoint().y())) return false;
  event->accept();
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0) return true;
  const double factor = std::pow(kZoomStep, notches);
  NavigationZoom(p, zoom.testFlag(nvWheelZoomX) ? factor : 1, zoom.testFlag(nvWheelZoomY) ? factor : 1);
  return true;
}

void TChartInteraction::DoubleClick(QMouseEvent* event) {
  // The second press of a double-click is a press like any other, as QWidget hands it on.
  Press(event);
  const QPoint p = event->position().toPoint();
  if (navigation_.flags.testFlag(nvHomeView) && event->button() == Qt::LeftButton && geometry_.InChartArea(p.x(), p.y())) {
    CancelNavigationDrag();
    host_.RestoreHomeView();
  }
}

bool TChartInteraction::Key(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Escape && navigation_.drag == TChartNavigationState::Drag::kWindow) {
    CancelNavigationDrag();
    return true;
  }
  if (key == Qt::Key_Home && navigation_.flags.testFlag(nvHomeView)) {
    host_.RestoreHomeView();
    return true;
  }
  if (!navigation_.flags.testFlag(nvKeys) || navigation_.drag != TChartNavigationState::Drag::kNone) return false;
  const QPointF centre(geometry_.LRim() + geometry_.ChartWidth() / 2.0, geometry_.TRim() + geometry_.ChartHeight() / 2.0);
  const double dx = geometry_.ChartWidth() * kKeyPanPart;
  const double dy = geometry_.ChartHeight() * kKeyPanPart;
  // An arrow shows more of its side: the content moves the other way, as if dragged.
  QPointF pan;
  switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      NavigationZoom(centre, kZoomStep, kZoomStep);
      return true;
    case Qt::Key_Minus:
      NavigationZoom(centre, 1 / kZoomStep, 1 / kZoomStep);
      return true;
    case Qt::Key_Left: pan = QPointF(dx, 0); break;
    case Qt::Key_Right: pan = QPointF(-dx, 0); break;
    case Qt::Key_Up: pan = QPointF(0, dy); break;
    case Qt::Key_Down: pan = QPointF(0, -dy); break;
    default: return false;
  }
  CaptureNavigation(centre.toPoint());
  NavigationPan(pan);
  return true;
}

void TChartInteraction::NavigationPan(QPointF delta) {
  std::array<Ranges, kLayerCount> wanted{};
  const long double cw = geometry_.ChartWidth();
  const long double ch = geometry_.ChartHeight();
  if (cw <= 0 || ch <= 0) return;
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (!MouseZoomLayer(layer)) continue;
    const Ranges& s = navigation_.start_ranges[TLayerSettings::Slot(layer)];
    const bool log_x = layers_.X(layer)->Logarithmic();
    const bool log_y = layers_.Y(layer)->Logarithmic();
    // The content follows the mouse: right lowers the x values shown, down raises the y values.
    const long double ux = (AxisValue(s.x_high, log_x) - AxisValue(s.x_low, log_x)) * delta.x() / cw;
    const long double uy = (AxisValue(s.y_high, log_y) - AxisValue(s.y_low, log_y)) * delta.y() / ch;
    wanted[TLayerSettings::Slot(layer)] = {FromAxisValue(AxisValue(s.x_low, log_x) - ux, log_x),
                                 FromAxisValue(AxisValue(s.x_high, log_x) - ux, log_x),
                                 FromAxisValue(AxisValue(s.y_low, log_y) + uy, log_y),
                                 FromAxisValue(AxisValue(s.y_high, log_y) + uy, log_y)};
  }
  ApplyNavigation(wanted);
}

void TChartInteraction::NavigationZoom(QPointF about, double fx, double fy) {
  std::array<Ranges, kLayerCount> wanted{};
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (!MouseZoomLayer(layer)) continue;
    const TLayerScaling& scaling = geometry_.Scaling(layer);
    Ranges r = axes_.CurrentRanges(layer);
    // The axis value under the point stays under it.
    const auto zoom = [](double& low, double& high, bool log, long double k, long double d, long double pixel,
                         double factor) {
      if (k == 0 || factor == 1) return;
      const long double centre = (pixel - d) / k;
      low = FromAxisValue(centre + (AxisValue(low, log) - centre) * factor, log);
      high = FromAxisValue(centre + (AxisValue(high, log) - centre) * factor, log);
    };
    zoom(r.x_low, r.x_high, layers_.X(layer)->Logarithmic(), scaling.KX, scaling.DX, about.x(), fx);
    zoom(r.y_low, r.y_high, layers_.Y(layer)->Logarithmic(), scaling.KY, scaling.DY, about.y(), fy);
    wanted[TLayerSettings::Slot(layer)] = r;
  }
  ApplyNavigation(wanted);
}

void TChartInteraction::NavigationZoomToWindow(QPoint a, QPoint c) {
  std::array<Ranges, kLayerCount> wanted{};
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (!MouseZoomLayer(layer)) continue;
    Ranges r{};
    geometry_.PixelToWorld(layer, a.x(), a.y(), r.x_low, r.y_low);
    geometry_.PixelToWorld(layer, c.x(), c.y(), r.x_high, r.y_high);
    // Each axis keeps its direction, whichever way the window was drawn.
    const Ranges now = axes_.CurrentRanges(layer);
    if ((r.x_high < r.x_low) != (now.x_high < now.x_low)) std::swap(r.x_low, r.x_high);
    if ((r.y_high < r.y_low) != (now.y_high < now.y_low)) std::swap(r.y_low, r.y_high);
    wanted[TLayerSettings::Slot(layer)] = r;
  }
  ApplyNavigation(wanted);
}

void TChartInteraction::ApplyNavigation(const std::array<Ranges, kLayerCount>& wanted) {
  // A joined axis moves its controlling layer, which takes the layers joined to it along.
  std::array<Ranges, kLayerCount> target{};
  std::array<bool, kLayerCount> moved{};
  for (int layer = 1; layer <= kLayerCount; ++layer) target[TLayerSettings::Slot(layer)] = axes_.CurrentRanges(layer);
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (!MouseZoomLayer(layer)) continue;
    const Ranges& w = wanted[TLayerSettings::Slot(layer)];
    const std::size_t x_control = TLayerSettings::Slot(axes_.Joins()->XControl(layer));
    const std::size_t y_control = TLayerSettings::Slot(axes_.Joins()->YControl(layer));
    target[x_control].x_low = w.x_low;
    target[x_control].x_high = w.x_high;
    target[y_control].y_low = w.y_low;
    target[y_control].y_high = w.y_high;
    moved[x_control] = moved[y_control] = true;
  }
  const RangeBatch batch = BeginRangeBatch();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (!moved[TLayerSettings::Slot(layer)]) continue;
    const Ranges& t = target[TLayerSettings::Slot(layer)];
    host_.SetLayerRange(layer, t.x_low, t.y_low, t.x_high, t.y_high);
  }
  EndRangeBatch(batch);
}

}  // namespace zeph
