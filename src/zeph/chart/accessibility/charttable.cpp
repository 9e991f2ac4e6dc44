// A chart's data as a table for assistive technology: header cells and value cells.
#include "zeph/chart/accessibility/charttable_p.h"

#include <QAccessibleTableCellInterface>
#include <QWidget>
#include <algorithm>

#include "zeph/chart/accessibility/chartaccessible_p.h"
#include "zeph/chart/chartcurves.h"
#include "zeph/chart/chartexplorer.h"
#include "zeph/chart/zephchart.h"

namespace zeph {

std::vector<QPointF> ChartTableRows(const TCustomZephChart& chart) {
  std::vector<QPointF> rows;
  for (const TChartCurve& curve : ChartCurves(chart)) rows.insert(rows.end(), curve.Points.begin(), curve.Points.end());
  return rows;
}

QString SpokenAxis(const TCustomZephChart& chart, int column) {
  const QString& spoken = column == 0 ? chart.Texts().XAxis : chart.Texts().YAxis;
  if (!spoken.isEmpty()) return spoken;
  const int layer = chart.CurrentLayer();
  return column == 0 ? chart.ScaleX(layer)->Caption() : chart.ScaleY(layer)->Caption();
}

namespace {

QString CellNumber(double value, const TChartTexts& texts) {
  QString text = QString::number(value, 'g', 4);
  if (texts.DecimalSeparator != QLatin1String(".")) text.replace(QLatin1Char('.'), texts.DecimalSeparator);
  return text;
}

QRect GlobalRect(const QWidget* widget, const QRect& local) {
  return QRect(widget->mapToGlobal(local.topLeft()), local.size());
}

QRect ChartArea(const TCustomZephChart& chart) {
  return QRect(chart.LRim(), chart.TRim(), chart.ChartWidth() + 1, chart.ChartHeight() + 1);
}

// One cell of the table, or the header of one of its columns (row -1).
class TChartCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  TChartCellAccessible(TCustomZephChart* chart, int row, int column) : chart_(chart), row_(row), column_(column) {}

  bool isValid() const override {
    return chart_ != nullptr && (row_ < 0 || row_ < static_cast<int>(ChartTableRows(*chart_).size()));
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return chart_ != nullptr ? chart_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return Table(); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }

  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    s.focusable = row_ >= 0;
    QAccessibleInterface* focus = Table() != nullptr ? Table()->FocusCell() : nullptr;
    s.focused = focus == this && chart_->hasFocus();
    // Only the row the keys stand on is on the screen, for the readers that read a row whole; the
    // others are read through the table.
    s.offscreen = focus == nullptr || focus->tableCellInterface()->rowIndex() != row_;
    if (chart_ == nullptr || !chart_->isVisible()) s.invisible = true;
    return s;
  }
  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    if (t == QAccessible::Description && Table() != nullptr && Table()->FocusCell() == this) {
      auto* face = static_cast<TChartAccessible*>(QAccessible::queryAccessibleInterface(chart_.data()));
      return face->Announcement();
    }
    if (t != QAccessible::Name) return {};
    if (row_ < 0) return SpokenAxis(*chart_, column_);
    const QPointF p = ChartTableRows(*chart_)[static_cast<std::size_t>(row_)];
    return CellNumber(column_ == 0 ? p.x() : p.y(), chart_->Texts());
  }
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect area = ChartArea(*chart_);
    if (row_ < 0) {
      // The header is the rim its axis is drawn in.
      const int bottom = area.bottom() + 1;
      return GlobalRect(chart_, column_ == 0 ? QRect(0, bottom, chart_->width(), chart_->height() - bottom)
                                             : QRect(0, area.top(), area.left(), area.height()));
    }
    const QPointF p = ChartTableRows(*chart_)[static_cast<std::size_t>(row_)];
    const QPoint pixel = chart_->WorldToPixel(chart_->CurrentLayer(), p.x(), p.y());
    // A point outside the visible range is placed at the edge it lies beyond.
    const QPoint inside(std::clamp(pixel.x(), area.left(), area.right()),
                        std::clamp(pixel.y(), area.top(), area.bottom()));
    return GlobalRect(chart_, QRect(inside - QPoint(2, 2), QSize(5, 5)));
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    if (row_ < 0 || Table() == nullptr) return {};
    return {Table()->HeaderCell(column_)};
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return Table(); }

 private:
  TChartTableAccessible* Table() const {
    if (chart_ == nullptr) return nullptr;
    auto* face = static_cast<TChartAccessible*>(QAccessible::queryAccessibleInterface(chart_.data()));
    return static_cast<TChartTableAccessible*>(face->child(0));
  }

  QPointer<TCustomZephChart> chart_;
  int row_;
  int column_;
};

}  // namespace

TChartTableAccessible::TChartTableAccessible(TCustomZephChart* chart) : chart_(chart) {}

TChartTableAccessible::~TChartTableAccessible() {
  for (const QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
}

QWindow* TChartTableAccessible::window() const {
  return chart_ != nullptr ? chart_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TChartTableAccessible::parent() const {
  return QAccessible::queryAccessibleInterface(chart_.data());
}

QString TChartTableAccessible::text(QAccessible::Text t) const {
  if (t != QAccessible::Name || chart_ == nullptr) return {};
  return FillTemplate(chart_->Texts().TableName, {chart_->Caption()});
}

QRect TChartTableAccessible::rect() const {
  return chart_ != nullptr ? GlobalRect(chart_, ChartArea(*chart_)) : QRect();
}

QAccessible::State TChartTableAccessible::state() const {
  QAccessible::State s;
  s.readOnly = true;
  if (chart_ == nullptr || !chart_->isVisible()) s.invisible = true;
  return s;
}

void* TChartTableAccessible::interface_cast(QAccessible::InterfaceType t) {
  return t == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
}

int TChartTableAccessible::rowCount() const {
  return chart_ != nullptr ? static_cast<int>(ChartTableRows(*chart_).size()) : 0;
}

int TChartTableAccessible::childCount() const { return columnCount() * (rowCount() + 1); }

QAccessibleInterface* TChartTableAccessible::Cached(int row, int column) const {
  const int key = (row + 1) * 2 + column;
  if (const auto found = cells_.constFind(key); found != cells_.constEnd())
    return QAccessible::accessibleInterface(*found);
  QAccessibleInterface* cell = new TChartCellAccessible(chart_, row, column);
  cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
  return cell;
}

QAccessibleInterface* TChartTableAccessible::HeaderCell(int column) const {
  return column >= 0 && column < columnCount() ? Cached(-1, column) : nullptr;
}

QAccessibleInterface* TChartTableAccessible::cellAt(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
  return Cached(row, column);
}

QAccessibleInterface* TChartTableAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  return Cached(index / columnCount() - 1, index % columnCount());
}

int TChartTableAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const QAccessibleTableCellInterface* cell =
      child != nullptr ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
  if (cell == nullptr || child->parent() != this) return -1;
  const int index = (cell->rowIndex() + 1) * columnCount() + cell->columnIndex();
  return index < childCount() ? index : -1;
}

QAccessibleInterface* TChartTableAccessible::FocusCell() const {
  if (chart_ == nullptr) return nullptr;
  const TChartExplorer* explorer = chart_->Explorer();
  if (!explorer->Active() || !explorer->InTable()) return nullptr;
  return cellAt(explorer->TableRow(), explorer->Column());
}

QAccessibleInterface* TChartTableAccessible::focusChild() const {
  return chart_ != nullptr && chart_->hasFocus() ? FocusCell() : nullptr;
}

}  // namespace zeph
