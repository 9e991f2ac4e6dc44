#pragma once

#include <QAccessibleWidget>

#include "zeph/chart/accessibility/readonlytable_p.h"

namespace zeph {

class TCustomZephChart;
class TChartTableAccessible;

// What assistive technology (a screen reader, over AT-SPI on Linux) learns of a chart: a chart
// named by its caption and described in words, with two children: its data as a table (rows are
// the points of the current layer's curves, columns its x and y axis), and the explored point,
// which takes the focus while the keys explore the curves. In the table the focus is on a cell
// instead. The chart offers the table's interface as well. The scale controls inside are no part
// of it.
class TChartAccessible : public QAccessibleWidget, public TReadOnlyTableInterface {
 public:
  explicit TChartAccessible(TCustomZephChart* chart);
  ~TChartAccessible() override;

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType t) override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  // The table's interface, answered by the data table.
  QAccessibleInterface* cellAt(int row, int column) const override;
  QString columnDescription(int column) const override;
  int rowCount() const override;

  // The point or the cell the explorer moved to (or left): a new child for the point, and the
  // focus on it or on the cell when the chart has the focus.
  void PointChanged();
  // The object that holds the focus inside the chart: the point, the cell, or the chart itself.
  QAccessibleInterface* Focused();
  // The words last said through Announce(): the description of the point or the cell.
  QString Announcement() const { return announcement_; }
  void SetAnnouncement(const QString& words) { announcement_ = words; }

 private:
  TCustomZephChart* Chart() const;
  TChartTableAccessible* Table() const;

  QAccessible::Id table_ = 0;
  QAccessible::Id point_ = 0;
  // The point before: the focus leaves it after the new one took the focus, so it lives one step
  // longer for the readers that look at it then.
  QAccessible::Id previous_point_ = 0;
  QString announcement_;
};

// Says words to assistive technology through the chart's announcer (SetChartAnnouncer()), with
// the object that has the focus in the chart.
void ChartAnnounce(TCustomZephChart* chart, const QString& words);

}  // namespace zeph
