#pragma once

#include <QHash>
#include <QPointF>
#include <QPointer>
#include <vector>

#include "zeph/chart/accessibility/readonlytable_p.h"

namespace zeph {

class TCustomZephChart;

// The points of a chart's current layer in table order: its curves one after the other.
std::vector<QPointF> ChartTableRows(const TCustomZephChart& chart);

// How an axis is spoken: the chart's texts for it, or its caption on the current layer.
QString SpokenAxis(const TCustomZephChart& chart, int column);

// A chart's data as a table for assistive technology: a child of the chart's accessible face, with
// a header cell per axis and a cell per value. Cells are made when asked for and kept; only the
// row that has the focus counts as showing, so that readers walking the screen do not read
// hundreds of numbers as one line.
class TChartTableAccessible : public QAccessibleInterface, public TReadOnlyTableInterface {
 public:
  explicit TChartTableAccessible(TCustomZephChart* chart);
  ~TChartTableAccessible() override;

  bool isValid() const override { return chart_ != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::Table; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  QAccessibleInterface* cellAt(int row, int column) const override;
  QString columnDescription(int column) const override { return SpokenAxis(*chart_, column); }
  int rowCount() const override;

  // The header cell of a column.
  QAccessibleInterface* HeaderCell(int column) const;
  // The cell the explorer stands on in the table; none outside the table.
  QAccessibleInterface* FocusCell() const;

 private:
  QAccessibleInterface* Cached(int row, int column) const;

  QPointer<TCustomZephChart> chart_;
  // Cells made so far, by (row + 1) * 2 + column (headers at row -1).
  mutable QHash<int, QAccessible::Id> cells_;
};

}  // namespace zeph
