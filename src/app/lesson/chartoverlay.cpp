#include "app/lesson/chartoverlay.h"

#include <QEvent>
#include <QPainter>

#include "zeph/chart/zephchart.h"

TChartOverlay::TChartOverlay(zeph::TCustomZephChart* chart, TMarksSource source)
    : QObject(chart), chart_(chart), source_(std::move(source)) {
  chart->installEventFilter(this);
}

bool TChartOverlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched != chart_ || event->type() != QEvent::Paint) return false;
  const TChartMarks marks = source_();
  if (marks.Empty()) return false;
  // The chart paints first; the marks go over its picture within the same paint event.
  static_cast<QObject*>(chart_)->event(event);
  QPainter painter(chart_);
  PaintChartMarks(painter, *chart_, marks);
  return true;
}
