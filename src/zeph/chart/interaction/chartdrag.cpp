// The steps of a drag: panning, zooming by dragging, and moving a cross-hair or a text label,
// with the selection of the nearest one when the drag is captured.
#include <cmath>

#include "zeph/chart/interaction/chartinteraction_p.h"

namespace zeph {

void TChartInteraction::PanStep(int x, int y) {
  const QPoint start = mouse_.drag_start;
  const long double cw = geometry_.ChartWidth();
  const long double ch = geometry_.ChartHeight();
  const bool pan_x = mouse_.action != maPanVert;
  const bool pan_y = mouse_.action != maPanHoriz;
  const RangeBatch batch = BeginRangeBatch();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (!MouseZoomLayer(layer)) continue;
    const TScaleProps* sx = layers_.X(layer);
    const TScaleProps* sy = layers_.Y(layer);
    const TLayerRanges& s = mouse_.layer_start[TLayerSettings::Slot(layer)];
    long double x_low = sx->RangeLow();
    long double x_high = sx->RangeHigh();
    long double y_low = sy->RangeLow();
    long double y_high = sy->RangeHigh();
    // The content follows the mouse: dragging right lowers the x range, dragging down raises y.
    if (pan_x && cw > 0) {
      if (sx->Logarithmic()) {
        const long double f = std::exp(std::log(x_high / x_low) * (start.x() - x) / cw);
        x_low = s.x_low * f;
        x_high = s.x_high * f;
      } else {
        const long double d = (x_high - x_low) * (x - start.x()) / cw;
        x_low = s.x_low - d;
        x_high = s.x_high - d;
      }
    }
    if (pan_y && ch > 0) {
      if (sy->Logarithmic()) {
        const long double f = std::exp(std::log(y_high / y_low) * (y - start.y()) / ch);
        y_low = s.y_low * f;
        y_high = s.y_high * f;
      } else {
        const long double d = (y_high - y_low) * (y - start.y()) / ch;
        y_low = s.y_low + d;
        y_high = s.y_high + d;
      }
    }
    host_.SetLayerRange(layer, x_low, y_low, x_high, y_high);
  }
  EndRangeBatch(batch);
}

void TChartInteraction::ZoomDragStep(int x, int y) {
  // Right narrows x, left widens it; up narrows y, down widens it; linear on every axis.
  const QPoint start = mouse_.drag_start;
  const long double qx = 1 - static_cast<long double>(x - start.x()) / geometry_.Width();
  const long double qy = host_.Isometric() ? qx : 1 + static_cast<long double>(y - start.y()) / geometry_.Height();
  const RangeBatch batch = BeginRangeBatch();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (!MouseZoomLayer(layer)) continue;
    const TLayerRanges& s = mouse_.layer_start[TLayerSettings::Slot(layer)];
    const long double cx = (static_cast<long double>(s.x_high) + s.x_low) / 2;
    const long double cy = (static_cast<long double>(s.y_high) + s.y_low) / 2;
    const long double hx = (static_cast<long double>(s.x_high) - s.x_low) * qx / 2;
    const long double hy = (static_cast<long double>(s.y_high) - s.y_low) * qy / 2;
    host_.SetLayerRange(layer, cx - hx, cy - hy, cx + hx, cy + hy);
  }
  EndRangeBatch(batch);
}

int TChartInteraction::NearestCrossHair(int x, int y) const {
  // Squares of whole pixel distances (exact in extended precision), strict comparisons: the lower number wins a tie;
  // switched-off cross-hairs are never chosen, and with none on the first stays selected.
  int index = 1;
  long double best = 1.7e308L;
  for (int i = 1; i <= kCrossHairCount; ++i) {
    const TCrossHair* cross = host_.CrossHair(i);
    const QPoint p = geometry_.WorldToPixel(cross->Layer(), cross->PosX(), cross->PosY());
    const long double dx = static_cast<long double>(p.x()) - x;
    const long double dy = static_cast<long double>(p.y()) - y;
    if ((cross->Mode() == chVert || cross->Mode() == chBoth) && dx * dx < best) {
      best = dx * dx;
      index = i;
    }
    if ((cross->Mode() == chHoriz || cross->Mode() == chBoth) && dy * dy < best) {
      best = dy * dy;
      index = i;
    }
  }
  return index;
}

QPoint TChartInteraction::TextLabelPixel(const TTextLabel* label) const {
  if (label->AttachToData()) return geometry_.WorldToPixel(label->Layer(), label->PosX(), label->PosY());
  const auto round = [](double v) { return static_cast<int>(std::nearbyint(std::clamp(v, -1e9, 1e9))); };
  return {round(label->PosX()), round(label->PosY())};
}

int TChartInteraction::NearestTextLabel(int x, int y) const {
  int index = 1;
  long double best = 1.7e308L;
  for (int i = 1; i <= kTextLabelCount; ++i) {
    const TTextLabel* label = host_.TextLabel(i);
    if (label->Mode() == tlOff) continue;
    const QPoint p = TextLabelPixel(label);
    const long double dx = static_cast<long double>(p.x()) - x;
    const long double dy = static_cast<long double>(p.y()) - y;
    if (dx * dx + dy * dy < best) {
      best = dx * dx + dy * dy;
      index = i;
    }
  }
  return index;
}

void TChartInteraction::CrossHairStep(int x, int y) {
  TCrossHair* cross = host_.CrossHair(mouse_.selected_cross_hair);
  double wx = 0;
  double wy = 0;
  geometry_.PixelToWorld(cross->Layer(), x, y, wx, wy);
  // Through the setters, as any change of a cross-hair; one paint for both.
  const bool suspended = host_.SuspendPaint(true);
  // One move, one notification signal.
  moving_cross_hair_ = true;
  cross->SetPosX(wx);
  cross->SetPosY(wy);
  moving_cross_hair_ = false;
  host_.SuspendPaint(suspended);
  host_.Paint();
  if (!host_.Loading()) Q_EMIT cross->PropertiesChanged();
  host_.CrossHairMoved(cross);
}

void TChartInteraction::TextLabelStep(int x, int y) {
  TTextLabel* label = host_.TextLabel(mouse_.selected_text_label);
  double wx = 0;
  double wy = 0;
  geometry_.PixelToWorld(label->Layer(), x, y, wx, wy);
  if (label->AttachToData()) {
    label->MoveSilently(wx, wy);
  } else {
    label->MoveSilently(x, y);
  }
  host_.Paint();
  if (!host_.Loading()) Q_EMIT label->PropertiesChanged();
  host_.TextLabelMoved(label);
}

}  // namespace zeph
