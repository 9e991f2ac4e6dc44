// Layer ranges under the joining rules: the store step, a requested change, and the joined ranges
// that every change of scale settings re-applies.
#include <cmath>

#include "zeph/chart/axes/chartaxes_p.h"

namespace zeph {

TLayerRanges TChartAxes::CurrentRanges(int layer) const {
  const TScaleProps* sx = layers_.X(layer);
  const TScaleProps* sy = layers_.Y(layer);
  return {sx->RangeLow(), sx->RangeHigh(), sy->RangeLow(), sy->RangeHigh()};
}

void TChartAxes::StoreLayerRanges(int layer, double x_low, double y_low, double x_high, double y_high) {
  TScalePropsHoriz* sx = layers_.X(layer);
  TScalePropsVert* sy = layers_.Y(layer);
  sx->StoreRange(x_low, x_high);
  sy->StoreRange(y_low, y_high);
  ApplyScaleProps(ControlX(layer), sx);
  ApplyScaleProps(ControlY(layer), sy);
  host_.CalcScaling();
  host_.AxesChanged();
}

void TChartAxes::StoreJoinedRanges(int layer) {
  const TScaleProps* sx = layers_.X(joins_->XControl(layer));
  const TScaleProps* sy = layers_.Y(joins_->YControl(layer));
  StoreLayerRanges(layer, sx->RangeLow(), sy->RangeLow(), sx->RangeHigh(), sy->RangeHigh());
}

void TChartAxes::RequestLayerRanges(int layer, long double x_low, long double y_low, long double x_high,
                                    long double y_high) {
  const TScaleProps* sx = layers_.X(layer);
  const TScaleProps* sy = layers_.Y(layer);
  // A joined axis ignores requests; so does an axis asked for a range that is no number.
  const auto usable = [](long double low, long double high) {
    return std::isfinite(static_cast<double>(low)) && std::isfinite(static_cast<double>(high));
  };
  if (joins_->XControl(layer) != layer || !usable(x_low, x_high)) {
    x_low = sx->RangeLow();
    x_high = sx->RangeHigh();
  }
  if (joins_->YControl(layer) != layer || !usable(y_low, y_high)) {
    y_low = sy->RangeLow();
    y_high = sy->RangeHigh();
  }
  StoreLayerRanges(layer, static_cast<double>(x_low), static_cast<double>(y_low), static_cast<double>(x_high),
                   static_cast<double>(y_high));
  for (int i = 1; i <= kLayerCount; ++i) {
    if (i != layer && (joins_->XControl(i) == layer || joins_->YControl(i) == layer)) StoreJoinedRanges(i);
  }
}

void TChartAxes::CopyJoinedRanges() {
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const int x_control = joins_->XControl(layer);
    const int y_control = joins_->YControl(layer);
    if (x_control != layer)
      layers_.X(layer)->StoreRange(layers_.X(x_control)->RangeLow(), layers_.X(x_control)->RangeHigh());
    if (y_control != layer)
      layers_.Y(layer)->StoreRange(layers_.Y(y_control)->RangeLow(), layers_.Y(y_control)->RangeHigh());
  }
}

}  // namespace zeph
