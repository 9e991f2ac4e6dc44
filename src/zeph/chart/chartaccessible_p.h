#pragma once

#include <QAccessibleWidget>

namespace zeph {

class TCustomZephChart;

// What assistive technology (a screen reader, over AT-SPI on Linux) learns of a chart: a chart
// named by its caption, described by the curve it shows.
class TChartAccessible : public QAccessibleWidget {
 public:
  explicit TChartAccessible(TCustomZephChart* chart);
  QString text(QAccessible::Text t) const override;

 private:
  TCustomZephChart* Chart() const;
};

// Makes every chart answer with a TChartAccessible; installing again does nothing.
void InstallChartAccessibility();

}  // namespace zeph
