#pragma once

#include <QAccessibleTableInterface>
#include <QList>

namespace zeph {

// A table interface with nothing to select and no model to follow, as the chart's data tables are:
// the selection and caption parts answered once for both.
class TReadOnlyTableInterface : public QAccessibleTableInterface {
 public:
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int columnCount() const override { return 2; }
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
};

}  // namespace zeph
