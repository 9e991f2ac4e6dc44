// The steps of a new size or new rims, and the isometric rule; the geometry itself is
// TChartGeometry's.
#include <algorithm>
#include <cmath>
#include <limits>

#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

// ---- Size and rims ----

void TCustomZephChartPrivate::UpdateMinimumSize() {
  q->setMinimumSize(q->MinimumControlWidth(), q->MinimumControlHeight());
}

void TCustomZephChartPrivate::SetBounds(int left, int top, int width, int height) {
  // Sizing takes the rims in force now as the least room, for q and for later plain resizes.
  UpdateMinimumSize();
  width = std::max(width, q->MinimumControlWidth());
  height = std::max(height, q->MinimumControlHeight());
  q->setGeometry(left, top, width, height);
  AfterResize();
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
  AfterResize();
  EmitUnlessLoading(&TCustomZephChart::LayoutChanged);
}

// ---- Isometric rule ----

void TCustomZephChartPrivate::ApplyIsometric() {
  // One batch: the range changes re-apply the scales but paint only once, at the caller's end.
  if (q->ChartWidth() + 1 <= 0) return;
  const bool suspended = paint_suspended_;
  paint_suspended_ = true;
  const long double fit = geometry_.IsometricFit();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TScaleProps* sx = q->ScaleX(layer);
    TScaleProps* sy = q->ScaleY(layer);
    const long double high = sy->RangeLow() + (static_cast<long double>(sx->RangeHigh()) - sx->RangeLow()) * fit;
    sy->SetRangeHigh(static_cast<double>(high));
  }
  paint_suspended_ = suspended;
  ReportRangeChanges();
}

void TCustomZephChartPrivate::SetIsometric(bool value) {
  const bool changed = isometric_ != value;
  isometric_ = value;
  if (changed) EmitUnlessLoading(&TCustomZephChart::IsometricChanged);
  if (!value) return;
  ApplyIsometric();
  q->CalcScaling();
  Invalidate();
  RepaintIfAuto();
}

}  // namespace zeph
