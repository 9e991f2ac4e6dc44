#pragma once

#include <QAccessibleTableInterface>
#include <QAccessibleWidget>
#include <QHash>

namespace zeph {

class TCustomZephChart;

// What assistive technology (a screen reader, over AT-SPI on Linux) learns of a chart: a chart
// named by its caption and described in words, whose data is a table (rows are the points of the
// current layer's curves, columns its x and y axis) and whose explored point is a child of its
// own that takes the focus. The scale controls inside are no part of it.
class TChartAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
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

  // The table.
  QAccessibleInterface* caption() const override;
  QAccessibleInterface* summary() const override;
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int columnCount() const override { return 2; }
  int rowCount() const override;
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  // The point the explorer moved to (or left): a new child for it, which takes the focus when the
  // chart has it.
  void PointChanged();
  // The header cell of a column.
  QAccessibleInterface* HeaderCell(int column) const;

 private:
  TCustomZephChart* Chart() const;
  QAccessibleInterface* Cached(int row, int column) const;

  // Cells made so far, by row * 2 + column (headers at row -1).
  mutable QHash<int, QAccessible::Id> cells_;
  QAccessible::Id point_ = 0;
  // The point before: the focus leaves it after the new one took the focus, so it lives one step
  // longer for the readers that look at it then.
  QAccessible::Id previous_point_ = 0;
};

}  // namespace zeph
