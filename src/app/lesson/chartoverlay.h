#pragma once

#include <QObject>
#include <functional>

#include "app/lesson/chartmarks.h"

// Draws marks over a chart's screen picture, after the chart has painted it: what the chart
// draws (its images, its exports) stays as it is, and with no marks the screen does too.
class TChartOverlay : public QObject {
  Q_OBJECT

 public:
  using TMarksSource = std::function<TChartMarks()>;

  TChartOverlay(zeph::TCustomZephChart* chart, TMarksSource source);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  zeph::TCustomZephChart* chart_;
  TMarksSource source_;
};
