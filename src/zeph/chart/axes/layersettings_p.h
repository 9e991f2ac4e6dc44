#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

#include "zeph/chart/scaleprops.h"

namespace zeph {

// The ranges of one layer's two axes, as they were at some moment (a drag's start, the home view,
// the last report).
struct TLayerRanges {
  double x_low = 0;
  double x_high = 0;
  double y_low = 0;
  double y_high = 0;
  bool operator==(const TLayerRanges&) const = default;
};

// The x and y scale settings of a chart's layers, owned by the chart as QObject children; the
// geometry, the axes and the interaction read them through this one table.
class TLayerSettings {
 public:
  static constexpr int kLayerCount = kChartLayerCount;

  // The slot of a layer number; a number outside 1..16 reads layer 1, as the chart's accessors do.
  static std::size_t Slot(int layer) {
    return static_cast<std::size_t>(layer >= 1 && layer <= kLayerCount ? layer - 1 : 0);
  }

  // The slot of the nearest layer: 0 below layer 1, 15 above layer 16.
  static std::size_t ClampedSlot(int layer) { return Slot(std::clamp(layer, 1, kLayerCount)); }

  TScalePropsHoriz* X(int layer) const { return x_[Slot(layer)]; }
  TScalePropsVert* Y(int layer) const { return y_[Slot(layer)]; }
  void Set(int layer, TScalePropsHoriz* x, TScalePropsVert* y) {
    x_[Slot(layer)] = x;
    y_[Slot(layer)] = y;
  }

 private:
  std::array<TScalePropsHoriz*, kLayerCount> x_{};
  std::array<TScalePropsVert*, kLayerCount> y_{};
};

}  // namespace zeph
