#pragma once

#include <QObject>
#include <QPointF>
#include <optional>

namespace zeph {
class TCustomZephChart;
}  // namespace zeph

// Where the mouse pointer is over a chart's area, in world coordinates of its current layer; none
// when it is outside the area or has left the chart.
class TChartPointer : public QObject {
  Q_OBJECT

 public:
  explicit TChartPointer(zeph::TCustomZephChart* chart);

  const std::optional<QPointF>& Position() const { return position_; }

 signals:
  void Changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Set(std::optional<QPointF> position);

  std::optional<QPointF> position_;
};
