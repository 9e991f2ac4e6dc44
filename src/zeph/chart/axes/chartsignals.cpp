// Qt signals beside the events: range changes reported once per change, and the home view that
// the application's own range changes define.
#include <QMetaProperty>

#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

TLayerRanges TCustomZephChartPrivate::CurrentRanges(int layer) const {
  const TScaleProps* sx = q->ScaleX(layer);
  const TScaleProps* sy = q->ScaleY(layer);
  return {sx->RangeLow(), sx->RangeHigh(), sy->RangeLow(), sy->RangeHigh()};
}

void TCustomZephChartPrivate::ReportRangeChanges(const TScaleProps* reported_by_caller) {
  // Compared with what was reported last, so that every cause (code, joining, the mouse) reports
  // each change once, however deep the calls that made it.
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TLayerRanges now = CurrentRanges(layer);
    TLayerRanges& reported = navigation_.reported[TLayerSettings::Slot(layer)];
    if (now == reported) continue;
    const bool x_changed = now.x_low != reported.x_low || now.x_high != reported.x_high;
    const bool y_changed = now.y_low != reported.y_low || now.y_high != reported.y_high;
    reported = now;
    if (!navigation_.by_user) navigation_.home[TLayerSettings::Slot(layer)] = now;
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
  for (const QObject* object :
       {static_cast<const QObject*>(settings), static_cast<const QObject*>(settings->DateFormat())}) {
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
      values.append(meta->property(i).read(object));
  }
  return values;
}

bool TCustomZephChartPrivate::SettingsDiffer(const TScaleProps* settings) {
  const std::size_t slot =
      TLayerSettings::Slot(settings->Layer()) * 2 + (settings == q->ScaleY(settings->Layer()) ? 1 : 0);
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

void TCustomZephChartPrivate::RestoreHomeView() {
  bool away = false;
  for (int layer = 1; layer <= kLayerCount; ++layer)
    away = away || !(navigation_.home[TLayerSettings::Slot(layer)] == CurrentRanges(layer));
  if (!away) return;
  const auto batch = BeginRangeBatch();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TLayerRanges& home = navigation_.home[TLayerSettings::Slot(layer)];
    if (home == CurrentRanges(layer)) continue;
    q->SetLayerRange(layer, home.x_low, home.y_low, home.x_high, home.y_high);
  }
  EndRangeBatch(batch);
}

void TCustomZephChartPrivate::SetAutoRedraw(bool value) {
  const bool changed = auto_redraw_ != value;
  auto_redraw_ = value;
  if (changed) EmitUnlessLoading(&TCustomZephChart::AutoRedrawChanged);
}

void TCustomZephChartPrivate::SetAntialiased(bool value) {
  const bool changed = antialiased_ != value;
  antialiased_ = value;
  Invalidate();
  RepaintIfAuto();
  if (changed) EmitUnlessLoading(&TCustomZephChart::AntialiasedChanged);
}

}  // namespace zeph
