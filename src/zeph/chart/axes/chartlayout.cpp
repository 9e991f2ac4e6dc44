// Geometry of the chart: rims, size, the world-to-pixel mapping of the layers, the isometric rule
// and the caption's anchor point.
#include <algorithm>
#include <cmath>
#include <limits>

#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

namespace {

constexpr long double kIntLimit = 2147483647.0L;

// Limits a pixel coordinate to the Integer range and rounds it, ties to even (the default
// rounding mode, which lrint uses without the cost of saving and restoring it).
int RoundPixel(long double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::lrint(std::clamp(value, -kIntLimit, kIntLimit)));
}

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

}  // namespace

void TCustomZephChart::CalcScaling() {
  if (IsLoading()) return;
  const int cw = ChartWidth();
  const int ch = ChartHeight();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    TLayerScaling& s = d_->scaling_[d_->LayerIndex(layer)];
    const TScaleProps* px = ScaleX(layer);
    const TScaleProps* py = ScaleY(layer);
    if (cw <= 0 || !Coefficients(px->RangeLow(), px->RangeHigh(), px->Logarithmic(), d_->l_rim_,
                                 static_cast<long double>(d_->l_rim_) + cw, s.KX, s.DX)) {
      s.KX = 0;
      s.DX = width() / 2.0L;
    }
    if (ch <= 0 || !Coefficients(py->RangeLow(), py->RangeHigh(), py->Logarithmic(),
                                 static_cast<long double>(d_->t_rim_) + ch, d_->t_rim_, s.KY, s.DY)) {
      s.KY = 0;
      s.DY = height() / 2.0L;
    }
  }
}

void TCustomZephChartPrivate::WorldToPixelExact(int layer, double x, double y, long double& px, long double& py) const {
  layer = std::clamp(layer, 1, kLayerCount);
  const TLayerScaling& s = scaling_[LayerIndex(layer)];
  const TScaleProps* sx = q->ScaleX(layer);
  const TScaleProps* sy = q->ScaleY(layer);
  constexpr double eps = TScaleProps::kLogEpsilon;
  if (!sx->Logarithmic()) {
    px = s.KX * x + s.DX;
  } else if (x > eps) {
    px = s.KX * std::log(static_cast<long double>(x)) + s.DX;
  } else {
    // Values a logarithmic axis cannot show lie beyond its low end.
    px = sx->RangeHigh() < sx->RangeLow() ? q->width() : 0;
  }
  if (!sy->Logarithmic()) {
    py = s.KY * y + s.DY;
  } else if (y > eps) {
    py = s.KY * std::log(static_cast<long double>(y)) + s.DY;
  } else {
    py = sy->RangeHigh() < sy->RangeLow() ? 0 : q->height();
  }
}

void TCustomZephChart::WorldToPixel(int layer, double x, double y, int& px, int& py) const {
  long double exact_x = 0;
  long double exact_y = 0;
  d_->WorldToPixelExact(layer, x, y, exact_x, exact_y);
  px = RoundPixel(exact_x);
  py = RoundPixel(exact_y);
}

QPointF TCustomZephChart::WorldToPixelF(int layer, double x, double y) const {
  long double exact_x = 0;
  long double exact_y = 0;
  d_->WorldToPixelExact(layer, x, y, exact_x, exact_y);
  const auto limited = [](long double v) {
    return std::isnan(v) ? 0.0 : static_cast<double>(std::clamp(v, -kIntLimit, kIntLimit));
  };
  return {limited(exact_x), limited(exact_y)};
}

QPoint TCustomZephChart::WorldToPixel(int layer, double x, double y) const {
  int px = 0;
  int py = 0;
  WorldToPixel(layer, x, y, px, py);
  return {px, py};
}

void TCustomZephChart::PixelToWorld(int layer, int px, int py, double& x, double& y) const {
  layer = std::clamp(layer, 1, kLayerCount);
  const TLayerScaling& s = d_->scaling_[d_->LayerIndex(layer)];
  const TScaleProps* sx = ScaleX(layer);
  const TScaleProps* sy = ScaleY(layer);
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

QPoint TCustomZephChart::CaptionAnchorPoint() const {
  int x = d_->caption_pos_x_;
  switch (d_->caption_anchor_horiz_) {
    case cahControlLeft: break;
    case cahChartLeft: x += d_->l_rim_; break;
    case cahChartCenter: x += d_->l_rim_ + ChartWidth() / 2; break;
    case cahChartRight: x += width() - d_->r_rim_ - d_->shadow_width_; break;
    case cahControlRight: x += width(); break;
  }
  int y = d_->caption_pos_y_;
  switch (d_->caption_anchor_vert_) {
    case cavControlTop: break;
    case cavChartTop: y += d_->t_rim_; break;
    case cavChartCenter: y += d_->t_rim_ + ChartHeight() / 2; break;
    case cavChartBottom: y += height() - d_->b_rim_; break;
    case cavControlBottom: y += height(); break;
  }
  return {x, y};
}

// ---- Size and rims ----

void TCustomZephChartPrivate::UpdateMinimumSize() { q->setMinimumSize(q->MinimumControlWidth(), q->MinimumControlHeight()); }

void TCustomZephChart::SetBounds(int left, int top, int width, int height) {
  // Sizing takes the rims in force now as the least room, for this and for later plain resizes.
  d_->UpdateMinimumSize();
  width = std::max(width, MinimumControlWidth());
  height = std::max(height, MinimumControlHeight());
  setGeometry(left, top, width, height);
  d_->AfterResize();
}

void TCustomZephChartPrivate::SyncSize() {
  if (q->size() != laid_out_size_) AfterResize();
}

void TCustomZephChartPrivate::AfterResize() {
  laid_out_size_ = q->size();
  if (isometric_) ApplyIsometric();
  LayoutScales();
  q->CalcScaling();
  Invalidate();
  RepaintIfAuto();
}

void TCustomZephChartPrivate::RimsChanged() {
  // The control keeps its size; a chart area left without room maps everything to its middle.
  laid_out_size_ = q->size();
  if (isometric_) ApplyIsometric();
  LayoutScales();
  q->CalcScaling();
  Invalidate();
  RepaintIfAuto();
  EmitUnlessLoading(&TCustomZephChart::LayoutChanged);
}

void TCustomZephChart::SetLRim(int value) {
  d_->l_rim_ = value;
  d_->RimsChanged();
}

void TCustomZephChart::SetRRim(int value) {
  d_->r_rim_ = value;
  d_->RimsChanged();
}

void TCustomZephChart::SetTRim(int value) {
  d_->t_rim_ = value;
  d_->RimsChanged();
}

void TCustomZephChart::SetBRim(int value) {
  d_->b_rim_ = value;
  d_->RimsChanged();
}

void TCustomZephChart::SetShadowWidth(int value) {
  d_->shadow_width_ = std::clamp(value, 0, 32);
  d_->RimsChanged();
}

// ---- Isometric rule ----

void TCustomZephChartPrivate::ApplyIsometric() {
  // One batch: the range changes re-apply the scales but paint only once, at the caller's end.
  if (q->ChartWidth() + 1 <= 0) return;
  const bool suspended = paint_suspended_;
  paint_suspended_ = true;
  const long double fit = static_cast<long double>(q->ChartHeight() + 1) / (q->ChartWidth() + 1) * aspect_y_ / aspect_x_;
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TScaleProps* sx = q->ScaleX(layer);
    TScaleProps* sy = q->ScaleY(layer);
    const long double high = sy->RangeLow() + (static_cast<long double>(sx->RangeHigh()) - sx->RangeLow()) * fit;
    sy->SetRangeHigh(static_cast<double>(high));
  }
  paint_suspended_ = suspended;
  ReportRangeChanges();
}

void TCustomZephChart::SetIsometric(bool value) {
  const bool changed = d_->isometric_ != value;
  d_->isometric_ = value;
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::IsometricChanged);
  if (!value) return;
  d_->ApplyIsometric();
  CalcScaling();
  d_->Invalidate();
  d_->RepaintIfAuto();
}

}  // namespace zeph
