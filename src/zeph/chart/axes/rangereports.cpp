// Range changes reported once per change, and the home view that the application's own range
// changes define.
#include <QMetaProperty>

#include "zeph/chart/axes/chartaxes_p.h"

namespace zeph {

void TChartAxes::ReportRangeChanges(const TScaleProps* reported_by_caller) {
  // Compared with what was reported last, so that every cause (code, joining, the mouse) reports
  // each change once, however deep the calls that made it.
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TLayerRanges now = CurrentRanges(layer);
    TLayerRanges& reported = reported_[TLayerSettings::Slot(layer)];
    if (now == reported) continue;
    const bool x_changed = now.x_low != reported.x_low || now.x_high != reported.x_high;
    const bool y_changed = now.y_low != reported.y_low || now.y_high != reported.y_high;
    reported = now;
    if (!by_user_) home_[TLayerSettings::Slot(layer)] = now;
    // The settings hold the ranges as properties; their caller reports the one it changed itself.
    TScaleProps* sx = layers_.X(layer);
    TScaleProps* sy = layers_.Y(layer);
    const bool x_report = x_changed && sx != reported_by_caller && SettingsDiffer(sx);
    const bool y_report = y_changed && sy != reported_by_caller && SettingsDiffer(sy);
    if (host_.Loading()) continue;
    host_.LayerRangeChanged(layer);
    if (x_report) Q_EMIT sx->PropertiesChanged();
    if (y_report) Q_EMIT sy->PropertiesChanged();
  }
}

QVariantList TChartAxes::SettingsValues(const TScaleProps* settings) {
  QVariantList values;
  for (const QObject* object :
       {static_cast<const QObject*>(settings), static_cast<const QObject*>(settings->DateFormat())}) {
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
      values.append(meta->property(i).read(object));
  }
  return values;
}

bool TChartAxes::SettingsDiffer(const TScaleProps* settings) {
  const std::size_t slot =
      TLayerSettings::Slot(settings->Layer()) * 2 + (settings == layers_.Y(settings->Layer()) ? 1 : 0);
  QVariantList values = SettingsValues(settings);
  if (values == settings_seen_[slot]) return false;
  settings_seen_[slot] = std::move(values);
  return true;
}

void TChartAxes::NoteAllReported() {
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    reported_[TLayerSettings::Slot(layer)] = CurrentRanges(layer);
    SettingsDiffer(layers_.X(layer));
    SettingsDiffer(layers_.Y(layer));
  }
}

void TChartAxes::StoreHomeView() {
  for (int layer = 1; layer <= kLayerCount; ++layer) home_[TLayerSettings::Slot(layer)] = CurrentRanges(layer);
}

bool TChartAxes::AtHome() const {
  for (int layer = 1; layer <= kLayerCount; ++layer)
    if (!(Home(layer) == CurrentRanges(layer))) return false;
  return true;
}

}  // namespace zeph
