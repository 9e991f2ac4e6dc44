#include "zeph/chart/jointlayers.h"

#include <QStringList>

#include "zeph/scales/zepherror.h"
#include "zeph/toolkit/component.h"

namespace zeph {

TJointLayers::TJointLayers(TCustomZephChart* chart, QObject* owner) : QObject(owner), chart_(chart) {
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    x_control_[Index(layer)] = layer;
    y_control_[Index(layer)] = layer;
  }
}

int TJointLayers::XControl(int layer) const {
  return layer >= 1 && layer <= kLayerCount ? x_control_[Index(layer)] : layer;
}

int TJointLayers::YControl(int layer) const {
  return layer >= 1 && layer <= kLayerCount ? y_control_[Index(layer)] : layer;
}

void TJointLayers::SetXControl(int layer, int value) { SetControl(x_control_, layer, value); }

void TJointLayers::SetYControl(int layer, int value) { SetControl(y_control_, layer, value); }

void TJointLayers::SetControl(Table& table, int layer, int value) {
  if (layer < 1 || layer > kLayerCount) {
    throw EZephChartError(QStringLiteral("Layer %1 is out of range").arg(layer));
  }
  if (value < 1 || value > kLayerCount) {
    throw EZephChartError(QStringLiteral("Destination layer %1 is out of range").arg(value));
  }
  if (value == layer) {
    // Unjoining keeps the range the layer has and does not repaint.
    table[Index(layer)] = layer;
    return;
  }
  if (table[Index(value)] != value) {
    throw EZephChartError(QStringLiteral("Destination layer %1 is already joined").arg(value));
  }
  QStringList followers;
  for (int k = 1; k <= kLayerCount; ++k) {
    if (k != layer && table[Index(k)] == layer) followers << QString::number(k);
  }
  if (!followers.isEmpty()) {
    throw EZephChartError(
        QStringLiteral("Layer %1 is joined by other layers (%2)").arg(layer).arg(followers.join(QStringLiteral(", "))));
  }
  table[Index(layer)] = value;
  // The owning chart, notified, gives the joined axis its controlling layer's range at once.
  Notify(OnChange, this);
}

void TJointLayers::AssignTo(QObject* dest) {
  auto* other = qobject_cast<TJointLayers*>(dest);
  if (!other) ThrowCannotAssign(this, dest);
  other->x_control_ = x_control_;
  other->y_control_ = y_control_;
  Notify(OnChange, this);
}

}  // namespace zeph
