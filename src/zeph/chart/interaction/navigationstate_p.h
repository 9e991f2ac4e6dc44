#pragma once

#include <QPoint>
#include <Qt>
#include <array>

#include "zeph/chart/axes/layersettings_p.h"
#include "zeph/chart/chartnavigation.h"

namespace zeph {

// What a chart remembers for its navigation: the switch and the drag under way.
// Applications see it through the chart's Navigation, StoreHomeView and RestoreHomeView.
struct TChartNavigationState {
  // The number of layers, numbered 1 to 16.
  static constexpr int kLayerCount = kChartLayerCount;

  // What a press started.
  enum class Drag {
    kNone,    // Nothing.
    kPan,     // Moving the ranges.
    kWindow,  // Drawing a zoom window.
  };

  TNavigation flags = nvNone;  // The switch (the chart's Navigation).
  Drag drag = Drag::kNone;     // The drag under way.
  Qt::MouseButton button = Qt::NoButton;  // The button that started it.
  QPoint start;   // Where the drag was pressed, in control pixels.
  QPoint corner;  // The zoom window's current corner, in control pixels.
  std::array<TLayerRanges, kLayerCount> start_ranges{};  // Every layer's ranges at the press.
};

}  // namespace zeph
