#include "app/lesson/chartpointer.h"

#include <QEvent>

#include "zeph/chart/zephchart.h"

TChartPointer::TChartPointer(zeph::TCustomZephChart* chart) : QObject(chart) {
  connect(chart, &zeph::TCustomZephChart::MouseMovedInChart, this, [this](bool in_chart, double x, double y) {
    Set(in_chart ? std::optional<QPointF>(QPointF(x, y)) : std::nullopt);
  });
  chart->installEventFilter(this);
}

bool TChartPointer::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Leave) Set(std::nullopt);
  return false;
}

void TChartPointer::Set(std::optional<QPointF> position) {
  if (position == position_) return;
  position_ = position;
  emit Changed();
}
