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
  q->ApplyScaleProps(scales_x_[TLayerSettings::Slot(layer)], sx);
  q->ApplyScaleProps(scales_y_[TLayerSettings::Slot(layer)], sy);
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
    if (x_control != layer)
      q->ScaleX(layer)->StoreRange(q->ScaleX(x_control)->RangeLow(), q->ScaleX(x_control)->RangeHigh());
    if (y_control != layer)
      q->ScaleY(layer)->StoreRange(q->ScaleY(y_control)->RangeLow(), q->ScaleY(y_control)->RangeHigh());
  }
}

void TCustomZephChartPrivate::SetLayerRange(int layer, long double x_low, long double y_low, long double x_high,
                                     long double y_high) {
  if (layer < 1 || layer > kLayerCount) return;
  const bool suspended = paint_suspended_;
  paint_suspended_ = true;
  const TScaleProps* sx = q->ScaleX(layer);
  const TScaleProps* sy = q->ScaleY(layer);
  // A joined axis ignores requests; so does an axis asked for a range that is no number.
  const auto usable = [](long double low, long double high) {
    return std::isfinite(static_cast<double>(low)) && std::isfinite(static_cast<double>(high));
  };
  if (joint_layers_->XControl(layer) != layer || !usable(x_low, x_high)) {
    x_low = sx->RangeLow();
    x_high = sx->RangeHigh();
  }
  if (joint_layers_->YControl(layer) != layer || !usable(y_low, y_high)) {
    y_low = sy->RangeLow();
    y_high = sy->RangeHigh();
  }
  StoreLayerRanges(layer, static_cast<double>(x_low), static_cast<double>(y_low), static_cast<double>(x_high),
                   static_cast<double>(y_high));
  for (int i = 1; i <= kLayerCount; ++i) {
    if (i != layer && (joint_layers_->XControl(i) == layer || joint_layers_->YControl(i) == layer)) {
      StoreJoinedRanges(i);
    }
  }
  paint_suspended_ = suspended;
  if (!paint_suspended_) q->Paint();
  ReportRangeChanges();
}

void TCustomZephChartPrivate::SetJointLayers(TJointLayers* value) {
  if (!value || value == joint_layers_) return;
  value->AssignTo(joint_layers_);
  JoinsChanged();
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
