// The widget's steps around its axes: a new size or new rims, the isometric rule, standard
// layouts, changed scale settings, requested ranges, joins and the home view. The axes do the
// work; these steps batch the painting and raise the widget's signals.
#include <algorithm>

#include "zeph/chart/axes/standardlayouts_p.h"
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
  axes_.Layout();
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
  axes_.ReportRangeChanges();
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

// ---- Scale settings and standard layouts ----

void TCustomZephChartPrivate::ScalePropsChanged(QObject* sender) {
  // A standard layout changes many settings and applies them once at its end.
  if (applying_layout_) return;
  // A joined axis keeps following its controlling layer, whatever was asked of it.
  axes_.CopyJoinedRanges();
  axes_.ApplyAll();
  // The mapping follows the ranges at once, also while the chart does not paint.
  q->CalcScaling();
  Invalidate();
  q->Paint();
  // The date format reports through the settings that own it.
  auto* settings = qobject_cast<TScaleProps*>(sender);
  if (!settings && sender) settings = qobject_cast<TScaleProps*>(sender->parent());
  axes_.ReportRangeChanges(settings);
  // Their setters notify also when nothing changed; the signals wait for a change.
  if (settings && axes_.SettingsDiffer(settings) && !q->IsLoading()) {
    Q_EMIT settings->PropertiesChanged();
    Q_EMIT q->ScaleSettingsChanged(settings);
  }
}

namespace {

template <typename Props>
void ApplyLayoutScale(Props* props, const TLayoutScale& entry) {
  using Location = decltype(props->ScaleLocation());
  props->SetScaleLocation(static_cast<Location>(entry.location));
  props->SetCaptionPosX(entry.caption_x);
  props->SetCaptionPosY(entry.caption_y);
  props->SetCaptionAlignment(entry.alignment);
  props->SetCaptionAnchor(entry.anchor);
  props->SetScalePos(entry.scale_pos);
  props->SetVisible(entry.visible);
}

}  // namespace

void TCustomZephChartPrivate::SetStandardLayout(TzcLayout value) {
  const TLayoutRow& row = StandardLayoutRow(value);
  const bool changed = standard_layout_ != value;
  standard_layout_ = value;
  const bool suspended = paint_suspended_;
  paint_suspended_ = true;
  applying_layout_ = true;
  geometry_.SetBRim(row.b_rim);
  geometry_.SetTRim(row.t_rim);
  geometry_.SetLRim(row.l_rim);
  geometry_.SetRRim(row.r_rim);
  look_.caption_pos_x = row.caption_x;
  look_.caption_pos_y = row.caption_y;
  look_.caption_alignment = row.caption_alignment;
  look_.caption_anchor_horiz = row.anchor_horiz;
  look_.caption_anchor_vert = row.anchor_vert;
  for (int layer = 1; layer <= 4; ++layer) {
    ApplyLayoutScale(q->ScaleX(layer), row.x[static_cast<std::size_t>(layer - 1)]);
    ApplyLayoutScale(q->ScaleY(layer), row.y[static_cast<std::size_t>(layer - 1)]);
  }
  for (int layer = 5; layer <= kLayerCount; ++layer) {
    q->ScaleX(layer)->SetVisible(false);
    q->ScaleY(layer)->SetVisible(false);
  }
  applying_layout_ = false;
  RimsChanged();
  paint_suspended_ = suspended;
  Invalidate();
  if (!paint_suspended_) q->Paint();
  // The rims reported their change as one (RimsChanged); the scale settings changed all at once.
  if (changed) EmitUnlessLoading(&TCustomZephChart::StandardLayoutChanged);
  if (q->IsLoading()) return;
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (axes_.SettingsDiffer(q->ScaleX(layer))) Q_EMIT q->ScaleX(layer)->PropertiesChanged();
    if (axes_.SettingsDiffer(q->ScaleY(layer))) Q_EMIT q->ScaleY(layer)->PropertiesChanged();
  }
}

// ---- Ranges, joins and the home view ----

void TCustomZephChartPrivate::ApplyLayerRange(int layer, long double x_low, long double y_low, long double x_high,
                                              long double y_high) {
  if (layer < 1 || layer > kLayerCount) return;
  const bool suspended = paint_suspended_;
  paint_suspended_ = true;
  axes_.RequestLayerRanges(layer, x_low, y_low, x_high, y_high);
  paint_suspended_ = suspended;
  if (!paint_suspended_) q->Paint();
  axes_.ReportRangeChanges();
}

void TCustomZephChartPrivate::SetJointLayers(TJointLayers* value) {
  if (!value || value == axes_.Joins()) return;
  value->AssignTo(axes_.Joins());
  JoinsChanged();
}

void TCustomZephChartPrivate::JoinsChanged() {
  // The joins take effect at once: every joined axis takes its controlling layer's range.
  axes_.CopyJoinedRanges();
  axes_.ApplyAll();
  q->CalcScaling();
  Invalidate();
  RepaintIfAuto();
  axes_.ReportRangeChanges();
}

void TCustomZephChartPrivate::BackToHomeView() {
  if (axes_.AtHome()) return;
  const auto batch = interaction_.BeginRangeBatch();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TLayerRanges& home = axes_.Home(layer);
    if (home == axes_.CurrentRanges(layer)) continue;
    q->SetLayerRange(layer, home.x_low, home.y_low, home.x_high, home.y_high);
  }
  interaction_.EndRangeBatch(batch);
}

}  // namespace zeph
