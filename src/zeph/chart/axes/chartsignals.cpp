// Qt signals beside the events: range changes reported once per change, and the home view that
// the application's own range changes define.
#include <QMetaProperty>

#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

TChartNavigationState::LayerRanges TCustomZephChartPrivate::CurrentRanges(int layer) const {
  const TScaleProps* sx = q->ScaleX(layer);
  const TScaleProps* sy = q->ScaleY(layer);
  return {sx->RangeLow(), sx->RangeHigh(), sy->RangeLow(), sy->RangeHigh()};
}

void TCustomZephChartPrivate::ReportRangeChanges(const TScaleProps* reported_by_caller) {
  // Compared with what was reported last, so that every cause (code, joining, the mouse) reports
  // each change once, however deep the calls that made it.
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TChartNavigationState::LayerRanges now = CurrentRanges(layer);
    TChartNavigationState::LayerRanges& reported = navigation_.reported[LayerIndex(layer)];
    if (now == reported) continue;
    const bool x_changed = now.x_low != reported.x_low || now.x_high != reported.x_high;
    const bool y_changed = now.y_low != reported.y_low || now.y_high != reported.y_high;
    reported = now;
    if (!navigation_.by_user) navigation_.home[LayerIndex(layer)] = now;
    // The settings hold the ranges as properties; their caller reports the one it changed itself.
    const bool x_report = x_changed && q->ScaleX(layer) != reported_by_caller && SettingsDiffer(q->ScaleX(layer));
    const bool y_report = y_changed && q->ScaleY(layer) != reported_by_caller && SettingsDiffer(q->ScaleY(layer));
    if (q->IsLoading()) continue;
    Q_EMIT q->LayerRangeChanged(layer);
    if (x_report) Q_EMIT q->ScaleX(layer)->PropertiesChanged();
    if (y_report) Q_EMIT q->ScaleY(layer)->PropertiesChanged();
  }
}

QVariantList TCustomZephChartPrivate::SettingsValues(const TScaleProps* settings) {
  QVariantList values;
  for (const QObject* object : {static_cast<const QObject*>(settings), static_cast<const QObject*>(settings->DateFormat())}) {
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
      values.append(meta->property(i).read(object));
  }
  return values;
}

bool TCustomZephChartPrivate::SettingsDiffer(const TScaleProps* settings) {
  const std::size_t slot = LayerIndex(settings->Layer()) * 2 + (settings == q->ScaleY(settings->Layer()) ? 1 : 0);
  QVariantList values = SettingsValues(settings);
  if (values == settings_seen_[slot]) return false;
  settings_seen_[slot] = std::move(values);
  return true;
}

void TCustomZephChartPrivate::NoteAllSettings() {
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    SettingsDiffer(q->ScaleX(layer));
    SettingsDiffer(q->ScaleY(layer));
  }
}

void TCustomZephChart::StoreHomeView() {
  for (int layer = 1; layer <= kLayerCount; ++layer) d_->navigation_.home[d_->LayerIndex(layer)] = d_->CurrentRanges(layer);
}

void TCustomZephChart::RestoreHomeView() {
  bool away = false;
  for (int layer = 1; layer <= kLayerCount; ++layer) away = away || !(d_->navigation_.home[d_->LayerIndex(layer)] == d_->CurrentRanges(layer));
  if (!away) return;
  const auto batch = d_->BeginRangeBatch();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TChartNavigationState::LayerRanges& home = d_->navigation_.home[d_->LayerIndex(layer)];
    if (home == d_->CurrentRanges(layer)) continue;
    SetLayerRange(layer, home.x_low, home.y_low, home.x_high, home.y_high);
  }
  d_->EndRangeBatch(batch);
}

void TCustomZephChart::SetAutoRedraw(bool value) {
  const bool changed = d_->auto_redraw_ != value;
  d_->auto_redraw_ = value;
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::AutoRedrawChanged);
}

void TCustomZephChart::SetAntialiased(bool value) {
  const bool changed = d_->antialiased_ != value;
  d_->antialiased_ = value;
  d_->Invalidate();
  d_->RepaintIfAuto();
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::AntialiasedChanged);
}

}  // namespace zeph
