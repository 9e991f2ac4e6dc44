// Qt signals beside the events: range changes reported once per change, and the home view that
// the application's own range changes define.
#include "zeph/chart/zephchart.h"

namespace zeph {

TChartNavigationState::LayerRanges TCustomZephChart::CurrentRanges(int layer) const {
  const TScaleProps* sx = ScaleX(layer);
  const TScaleProps* sy = ScaleY(layer);
  return {sx->RangeLow(), sx->RangeHigh(), sy->RangeLow(), sy->RangeHigh()};
}

void TCustomZephChart::ReportRangeChanges() {
  // Compared with what was reported last, so that every cause (code, joining, the mouse) reports
  // each change once, however deep the calls that made it.
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TChartNavigationState::LayerRanges now = CurrentRanges(layer);
    TChartNavigationState::LayerRanges& reported = navigation_.reported[LayerIndex(layer)];
    if (now == reported) continue;
    reported = now;
    if (!navigation_.by_user) navigation_.home[LayerIndex(layer)] = now;
    EmitUnlessLoading(&TCustomZephChart::LayerRangeChanged, layer);
  }
}

void TCustomZephChart::StoreHomeView() {
  for (int layer = 1; layer <= kLayerCount; ++layer) navigation_.home[LayerIndex(layer)] = CurrentRanges(layer);
}

void TCustomZephChart::RestoreHomeView() {
  const RangeBatch batch = BeginRangeBatch();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TChartNavigationState::LayerRanges& home = navigation_.home[LayerIndex(layer)];
    if (home == CurrentRanges(layer)) continue;
    SetLayerRange(layer, home.x_low, home.y_low, home.x_high, home.y_high);
  }
  EndRangeBatch(batch);
}

void TCustomZephChart::SetAutoRedraw(bool value) {
  const bool changed = auto_redraw_ != value;
  auto_redraw_ = value;
  if (changed) EmitUnlessLoading(&TCustomZephChart::AutoRedrawChanged);
}

void TCustomZephChart::SetAntialiased(bool value) {
  const bool changed = antialiased_ != value;
  antialiased_ = value;
  Invalidate();
  RepaintIfAuto();
  if (changed) EmitUnlessLoading(&TCustomZephChart::AntialiasedChanged);
}

}  // namespace zeph
