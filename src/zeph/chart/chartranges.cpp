// Layer ranges under the joining rules: the store step, SetLayerRange, and the joined ranges that
// every change of scale settings re-applies.
#include <cmath>

#include "zeph/chart/zephchart.h"

namespace zeph {

void TCustomZephChart::StoreLayerRanges(int layer, double x_low, double y_low, double x_high, double y_high) {
  TScalePropsHoriz* sx = ScaleX(layer);
  TScalePropsVert* sy = ScaleY(layer);
  sx->StoreRange(x_low, x_high);
  sy->StoreRange(y_low, y_high);
  ApplyScaleProps(scales_x_[LayerIndex(layer)], sx);
  ApplyScaleProps(scales_y_[LayerIndex(layer)], sy);
  CalcScaling();
  Invalidate();
}

void TCustomZephChart::StoreJoinedRanges(int layer) {
  const TScaleProps* sx = ScaleX(joint_layers_->XControl(layer));
  const TScaleProps* sy = ScaleY(joint_layers_->YControl(layer));
  StoreLayerRanges(layer, sx->RangeLow(), sy->RangeLow(), sx->RangeHigh(), sy->RangeHigh());
}

void TCustomZephChart::CopyJoinedRanges() {
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const int x_control = joint_layers_->XControl(layer);
    const int y_control = joint_layers_->YControl(layer);
    if (x_control != layer) ScaleX(layer)->StoreRange(ScaleX(x_control)->RangeLow(), ScaleX(x_control)->RangeHigh());
    if (y_control != layer) ScaleY(layer)->StoreRange(ScaleY(y_control)->RangeLow(), ScaleY(y_control)->RangeHigh());
  }
}

void TCustomZephChart::SetLayerRange(int layer, long double x_low, long double y_low, long double x_high,
                                     long double y_high) {
  if (layer < 1 || layer > kLayerCount) return;
  const bool suspended = paint_suspended_;
  paint_suspended_ = true;
  const TScaleProps* sx = ScaleX(layer);
  const TScaleProps* sy = ScaleY(layer);
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
  if (!paint_suspended_) Paint();
  ReportRangeChanges();
}

void TCustomZephChart::SetJointLayers(TJointLayers* value) {
  if (!value || value == joint_layers_) return;
  value->AssignTo(joint_layers_);
  // The copied joins take effect at once: every joined axis takes its controlling layer's range.
  CopyJoinedRanges();
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    ApplyScaleProps(scales_x_[i], scale_props_x_[i]);
    ApplyScaleProps(scales_y_[i], scale_props_y_[i]);
  }
  CalcScaling();
  Invalidate();
  RepaintIfAuto();
  ReportRangeChanges();
}

}  // namespace zeph
