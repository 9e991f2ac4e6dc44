// Layer ranges under the joining rules: the store step, SetLayerRange, and the joined ranges that
// every change of scale settings re-applies.
#include <cmath>

#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

void TCustomZephChartPrivate::StoreLayerRanges(int layer, double x_low, double y_low, double x_high, double y_high) {
  TScalePropsHoriz* sx = q->ScaleX(layer);
  TScalePropsVert* sy = q->ScaleY(layer);
  sx->StoreRange(x_low, x_high);
  sy->StoreRange(y_low, y_high);
  q->ApplyScaleProps(scales_x_[LayerIndex(layer)], sx);
  q->ApplyScaleProps(scales_y_[LayerIndex(layer)], sy);
  q->CalcScaling();
  Invalidate();
}

void TCustomZephChartPrivate::StoreJoinedRanges(int layer) {
  const TScaleProps* sx = q->ScaleX(joint_layers_->XControl(layer));
  const TScaleProps* sy = q->ScaleY(joint_layers_->YControl(layer));
  StoreLayerRanges(layer, sx->RangeLow(), sy->RangeLow(), sx->RangeHigh(), sy->RangeHigh());
}

void TCustomZephChartPrivate::CopyJoinedRanges() {
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const int x_control = joint_layers_->XControl(layer);
    const int y_control = joint_layers_->YControl(layer);
    if (x_control != layer) q->ScaleX(layer)->StoreRange(q->ScaleX(x_control)->RangeLow(), q->ScaleX(x_control)->RangeHigh());
    if (y_control != layer) q->ScaleY(layer)->StoreRange(q->ScaleY(y_control)->RangeLow(), q->ScaleY(y_control)->RangeHigh());
  }
}

void TCustomZephChart::SetLayerRange(int layer, long double x_low, long double y_low, long double x_high,
                                     long double y_high) {
  if (layer < 1 || layer > kLayerCount) return;
  const bool suspended = d_->paint_suspended_;
  d_->paint_suspended_ = true;
  const TScaleProps* sx = ScaleX(layer);
  const TScaleProps* sy = ScaleY(layer);
  // A joined axis ignores requests; so does an axis asked for a range that is no number.
  const auto usable = [](long double low, long double high) {
    return std::isfinite(static_cast<double>(low)) && std::isfinite(static_cast<double>(high));
  };
  if (d_->joint_layers_->XControl(layer) != layer || !usable(x_low, x_high)) {
    x_low = sx->RangeLow();
    x_high = sx->RangeHigh();
  }
  if (d_->joint_layers_->YControl(layer) != layer || !usable(y_low, y_high)) {
    y_low = sy->RangeLow();
    y_high = sy->RangeHigh();
  }
  d_->StoreLayerRanges(layer, static_cast<double>(x_low), static_cast<double>(y_low), static_cast<double>(x_high),
                   static_cast<double>(y_high));
  for (int i = 1; i <= kLayerCount; ++i) {
    if (i != layer && (d_->joint_layers_->XControl(i) == layer || d_->joint_layers_->YControl(i) == layer)) {
      d_->StoreJoinedRanges(i);
    }
  }
  d_->paint_suspended_ = suspended;
  if (!d_->paint_suspended_) Paint();
  d_->ReportRangeChanges();
}

void TCustomZephChart::SetJointLayers(TJointLayers* value) {
  if (!value || value == d_->joint_layers_) return;
  value->AssignTo(d_->joint_layers_);
  d_->JoinsChanged();
}

void TCustomZephChartPrivate::JoinsChanged() {
  // The joins take effect at once: every joined axis takes its controlling layer's range.
  CopyJoinedRanges();
  ApplyAllScaleProps();
  q->CalcScaling();
  Invalidate();
  RepaintIfAuto();
  ReportRangeChanges();
}

}  // namespace zeph
