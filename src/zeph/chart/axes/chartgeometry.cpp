// Geometry of the chart: rims, the chart area, the world-to-pixel mapping of the layers and the
// caption's anchor point.
#include "zeph/chart/axes/chartgeometry_p.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zeph {

namespace {

constexpr long double kIntLimit = 2147483647.0L;

// Coefficients k, d of pixel = k * value + d that map low to pixel a and high to pixel b; none
// when the range is empty or not representable.
bool Coefficients(double low, double high, bool logarithmic, long double a, long double b, long double& k,
                  long double& d) {
  long double l = low;
  long double h = high;
  if (logarithmic) {
    if (!(low > 0) || !(high > 0)) return false;
    l = std::log(static_cast<long double>(low));
    h = std::log(static_cast<long double>(high));
  }
  const long double span = h - l;
  if (span == 0 || !std::isfinite(span)) return false;
  k = (b - a) / span;
  d = (a * h - b * l) / span;
  return std::isfinite(k) && std::isfinite(d);
}

// Limits a pixel coordinate to the Integer range and rounds it, ties to even (the default
// rounding mode, which lrint uses without the cost of saving and restoring it).
int RoundPixel(long double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::lrint(std::clamp(value, -kIntLimit, kIntLimit)));
}

}  // namespace

TChartGeometry::TChartGeometry(const TLayerSettings& layers, std::function<QSize()> control_size)
    : layers_(layers), control_size_(std::move(control_size)) {}

void TChartGeometry::SetShadowWidth(int value) { shadow_width_ = std::clamp(value, 0, 32); }

void TChartGeometry::SetAspect(int x, int y) {
  aspect_x_ = std::max(x, 1);
  aspect_y_ = std::max(y, 1);
}

bool TChartGeometry::InChartArea(int x, int y) const {
  return l_rim_ <= x && x <= AreaRight() && t_rim_ <= y && y <= AreaBottom();
}

std::array<QRect, 4> TChartGeometry::RimRects() const {
  const int w = Width();
  const int h = Height();
  const int area_width = std::max(ChartWidth() + 1, 0);
  const int area_height = std::max(ChartHeight() + 1, 0);
  const int area_bottom = t_rim_ + area_height;
  return {QRect(0, 0, w, t_rim_), QRect(0, area_bottom, w, h - area_bottom), QRect(0, t_rim_, l_rim_, area_height),
          QRect(l_rim_ + area_width, t_rim_, w - l_rim_ - area_width, area_height)};
}

QPoint TChartGeometry::CaptionAnchor(int pos_x, int pos_y, TCaptionAnchorHoriz horiz, TCaptionAnchorVert vert) const {
  int x = pos_x;
  switch (horiz) {
    case cahControlLeft: break;
    case cahChartLeft: x += l_rim_; break;
    case cahChartCenter: x += l_rim_ + ChartWidth() / 2; break;
    case cahChartRight: x += AreaRight(); break;
    case cahControlRight: x += Width(); break;
  }
  int y = pos_y;
  switch (vert) {
    case cavControlTop: break;
    case cavChartTop: y += t_rim_; break;
    case cavChartCenter: y += t_rim_ + ChartHeight() / 2; break;
    case cavChartBottom: y += Height() - b_rim_; break;
    case cavControlBottom: y += Height(); break;
  }
  return {x, y};
}

void TChartGeometry::CalcScaling() {
  const int cw = ChartWidth();
  const int ch = ChartHeight();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    TLayerScaling& s = scaling_[TLayerSettings::Slot(layer)];
    const TScaleProps* px = layers_.X(layer);
    const TScaleProps* py = layers_.Y(layer);
    if (cw <= 0 || !Coefficients(px->RangeLow(), px->RangeHigh(), px->Logarithmic(), l_rim_,
                                 static_cast<long double>(l_rim_) + cw, s.KX, s.DX)) {
      s.KX = 0;
      s.DX = Width() / 2.0L;
    }
    if (ch <= 0 || !Coefficients(py->RangeLow(), py->RangeHigh(), py->Logarithmic(),
                                 static_cast<long double>(t_rim_) + ch, t_rim_, s.KY, s.DY)) {
      s.KY = 0;
      s.DY = Height() / 2.0L;
    }
  }
}

const TLayerScaling& TChartGeometry::Scaling(int layer) const { return scaling_[TLayerSettings::ClampedSlot(layer)]; }

void TChartGeometry::WorldToPixelExact(int layer, double x, double y, long double& px, long double& py) const {
  layer = std::clamp(layer, 1, kLayerCount);
  const TLayerScaling& s = scaling_[TLayerSettings::Slot(layer)];
  const TScaleProps* sx = layers_.X(layer);
  const TScaleProps* sy = layers_.Y(layer);
  constexpr double eps = TScaleProps::kLogEpsilon;
  if (!sx->Logarithmic()) {
    px = s.KX * x + s.DX;
  } else if (x > eps) {
    px = s.KX * std::log(static_cast<long double>(x)) + s.DX;
  } else {
    // Values a logarithmic axis cannot show lie beyond its low end.
    px = sx->RangeHigh() < sx->RangeLow() ? Width() : 0;
  }
  if (!sy->Logarithmic()) {
    py = s.KY * y + s.DY;
  } else if (y > eps) {
    py = s.KY * std::log(static_cast<long double>(y)) + s.DY;
  } else {
    py = sy->RangeHigh() < sy->RangeLow() ? 0 : Height();
  }
}

QPoint TChartGeometry::WorldToPixel(int layer, double x, double y) const {
  long double exact_x = 0;
  long double exact_y = 0;
  WorldToPixelExact(layer, x, y, exact_x, exact_y);
  return {RoundPixel(exact_x), RoundPixel(exact_y)};
}

QPointF TChartGeometry::WorldToPixelF(int layer, double x, double y) const {
  long double exact_x = 0;
  long double exact_y = 0;
  WorldToPixelExact(layer, x, y, exact_x, exact_y);
  const auto limited = [](long double v) {
    return std::isnan(v) ? 0.0 : static_cast<double>(std::clamp(v, -kIntLimit, kIntLimit));
  };
  return {limited(exact_x), limited(exact_y)};
}

void TChartGeometry::PixelToWorld(int layer, int px, int py, double& x, double& y) const {
  layer = std::clamp(layer, 1, kLayerCount);
  const TLayerScaling& s = scaling_[TLayerSettings::Slot(layer)];
  const TScaleProps* sx = layers_.X(layer);
  const TScaleProps* sy = layers_.Y(layer);
  // A chart area without room maps everything to its middle; the inverse is the range's middle.
  if (s.KX == 0) {
    x = (sx->RangeLow() + sx->RangeHigh()) / 2;
  } else {
    const long double v = (px - s.DX) / s.KX;
    x = static_cast<double>(sx->Logarithmic() ? std::exp(v) : v);
  }
  if (s.KY == 0) {
    y = (sy->RangeLow() + sy->RangeHigh()) / 2;
  } else {
    const long double v = (py - s.DY) / s.KY;
    y = static_cast<double>(sy->Logarithmic() ? std::exp(v) : v);
  }
}

long double TChartGeometry::IsometricFit() const {
  return static_cast<long double>(ChartHeight() + 1) / (ChartWidth() + 1) * aspect_y_ / aspect_x_;
}

}  // namespace zeph
