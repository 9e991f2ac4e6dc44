#pragma once

#include <QPoint>
#include <Qt>
#include <array>

#include "zeph/chart/axes/layersettings_p.h"
#include "zeph/chart/chartnavigation.h"

namespace zeph {

// What a chart remembers for its navigation: the switch, the drag under way, and the view the
// application set.
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

  // The ranges the application set last, per layer, which RestoreHomeView() brings back.
  std::array<TLayerRanges, kLayerCount> home{};
  // The ranges last reported by the range-change signal, per layer.
  std::array<TLayerRanges, kLayerCount> reported{};
  // Whether range changes come from the user (the mouse, the wheel, the keys) rather than from
  // the application: they then leave the home view as it is.
  bool by_user = false;
};

}  // namespace zeph
