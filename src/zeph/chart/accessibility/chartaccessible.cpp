// The accessible face of a chart: its name and description, its data as a table, and the point
// being explored.
#include "zeph/chart/accessibility/chartaccessible_p.h"

#include <QAccessibleTableCellInterface>
#include <QLocale>
#include <QPointer>
#include <vector>

#include "zeph/chart/chartcurves.h"
#include "zeph/chart/chartexplorer.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

namespace {

std::vector<QPointF> TableRows(const TCustomZephChart& chart) {
  std::vector<QPointF> rows;
  for (const TChartCurve& curve : ChartCurves(chart)) rows.insert(rows.end(), curve.Points.begin(), curve.Points.end());
  return rows;
}

QString CellNumber(double value, const TChartTexts& texts) {
  QString text = QString::number(value, 'g', 4);
  if (texts.DecimalSeparator != QLatin1String(".")) text.replace(QLatin1Char('.'), texts.DecimalSeparator);
  return text;
}

QRect GlobalRect(const QWidget* widget, const QRect& local) {
  return QRect(widget->mapToGlobal(local.topLeft()), local.size());
}

// A part of a chart without children of its own, read only: a cell or the explored point.
class TChartPartAccessible : public QAccessibleInterface {
 public:
  explicit TChartPartAccessible(TCustomZephChart* chart) : chart_(chart) {}

  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return chart_ != nullptr ? chart_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(chart_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  void setText(QAccessible::Text, const QString&) override {}

 protected:
  QPointer<TCustomZephChart> chart_;
};

// One cell of a chart's data table, or the header of one of its columns (row -1).
class TChartCellAccessible : public TChartPartAccessible, public QAccessibleTableCellInterface {
 public:
  TChartCellAccessible(TCustomZephChart* chart, int row, int column)
      : TChartPartAccessible(chart), row_(row), column_(column) {}

  bool isValid() const override {
    return chart_ != nullptr && (row_ < 0 || row_ < static_cast<int>(TableRows(*chart_).size()));
  }
  QAccessible::Role role() const override { return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    if (chart_ == nullptr || !chart_->isVisible()) s.invisible = true;
    return s;
  }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    const int layer = chart_->CurrentLayer();
    if (row_ < 0) return column_ == 0 ? chart_->ScaleX(layer)->Caption() : chart_->ScaleY(layer)->Caption();
    const QPointF p = TableRows(*chart_)[static_cast<std::size_t>(row_)];
    return CellNumber(column_ == 0 ? p.x() : p.y(), chart_->Texts());
  }
  QRect rect() const override {
    if (!isValid()) return {};
    if (row_ < 0) {
      // The header is the rim its axis is drawn in.
      const int bottom = chart_->TRim() + chart_->ChartHeight() + 1;
      return GlobalRect(chart_, column_ == 0 ? QRect(0, bottom, chart_->width(), chart_->height() - bottom)
                                             : QRect(0, chart_->TRim(), chart_->LRim(), chart_->ChartHeight() + 1));
    }
    const QPointF p = TableRows(*chart_)[static_cast<std::size_t>(row_)];
    const QPoint pixel = chart_->WorldToPixel(chart_->CurrentLayer(), p.x(), p.y());
    const QRect area(chart_->LRim(), chart_->TRim(), chart_->ChartWidth() + 1, chart_->ChartHeight() + 1);
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
    if (row_ < 0 || chart_ == nullptr) return {};
    auto* table = static_cast<TChartAccessible*>(QAccessible::queryAccessibleInterface(chart_.data()));
    return {table->HeaderCell(column_)};
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  int row_;
  int column_;
};

// The point the keyboard explores: named by its values, placed on the screen where it is drawn.
class TChartPointAccessible : public TChartPartAccessible {
 public:
  explicit TChartPointAccessible(TCustomZephChart* chart)
      : TChartPartAccessible(chart), name_(chart->Explorer()->PointName()) {
    const std::optional<QPointF> p = chart->Explorer()->CurrentPoint();
    if (p) pixel_ = chart->WorldToPixel(chart->CurrentLayer(), p->x(), p->y());
  }

  bool isValid() const override { return chart_ != nullptr; }
  QAccessible::Role role() const override { return QAccessible::Graphic; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.focusable = true;
    s.readOnly = true;
    s.focused = chart_ != nullptr && chart_->hasFocus();
    return s;
  }
  QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? name_ : QString(); }
  QRect rect() const override {
    if (chart_ == nullptr) return {};
    return GlobalRect(chart_, QRect(pixel_ - QPoint(5, 5), QSize(11, 11)));
  }

 private:
  QString name_;
  QPoint pixel_;
};

QAccessibleInterface* ChartFactory(const QString&, QObject* object) {
  auto* chart = qobject_cast<TCustomZephChart*>(object);
  return chart ? new TChartAccessible(chart) : nullptr;
}

}  // namespace

QString ChartDataTableText(const TCustomZephChart& chart) {
  const int layer = chart.CurrentLayer();
  QString text =
      chart.ScaleX(layer)->Caption() + QLatin1Char('\t') + chart.ScaleY(layer)->Caption() + QLatin1Char('\n');
  for (const QPointF& p : TableRows(chart))
    text += QString::number(p.x(), 'g', QLocale::FloatingPointShortest) + QLatin1Char('\t') +
            QString::number(p.y(), 'g', QLocale::FloatingPointShortest) + QLatin1Char('\n');
  return text;
}

TChartAccessible::TChartAccessible(TCustomZephChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}

TChartAccessible::~TChartAccessible() {
  for (const QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
  if (point_ != 0) QAccessible::deleteAccessibleInterface(point_);
  if (previous_point_ != 0) QAccessible::deleteAccessibleInterface(previous_point_);
}

TCustomZephChart* TChartAccessible::Chart() const { return static_cast<TCustomZephChart*>(widget()); }

QString TChartAccessible::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      return widget()->accessibleName().isEmpty() ? Chart()->Caption() : widget()->accessibleName();
    case QAccessible::Description:
      return widget()->accessibleDescription().isEmpty() ? Chart()->CurveDescription()
                                                         : widget()->accessibleDescription();
    default:
      return QAccessibleWidget::text(t);
  }
}

QAccessible::State TChartAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  // The explored point holds the focus inside the chart: only one of them claims it.
  if (point_ != 0) s.focused = false;
  return s;
}

void* TChartAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

int TChartAccessible::rowCount() const { return static_cast<int>(TableRows(*Chart()).size()); }

int TChartAccessible::childCount() const { return columnCount() * (rowCount() + 1) + (point_ != 0 ? 1 : 0); }

QAccessibleInterface* TChartAccessible::Cached(int row, int column) const {
  const int key = (row + 1) * 2 + column;
  if (const auto found = cells_.constFind(key); found != cells_.constEnd())
    return QAccessible::accessibleInterface(*found);
  QAccessibleInterface* cell = new TChartCellAccessible(Chart(), row, column);
  cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
  return cell;
}

QAccessibleInterface* TChartAccessible::HeaderCell(int column) const {
  return column >= 0 && column < columnCount() ? Cached(-1, column) : nullptr;
}

QAccessibleInterface* TChartAccessible::cellAt(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
  return Cached(row, column);
}

QAccessibleInterface* TChartAccessible::child(int index) const {
  const int cells = columnCount() * (rowCount() + 1);
  if (index < 0) return nullptr;
  if (index < cells) return Cached(index / columnCount() - 1, index % columnCount());
  if (index == cells && point_ != 0) return QAccessible::accessibleInterface(point_);
  return nullptr;
}

int TChartAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (child == nullptr) return -1;
  if (point_ != 0 && QAccessible::accessibleInterface(point_) == child) return columnCount() * (rowCount() + 1);
  if (const QAccessibleTableCellInterface* cell =
          const_cast<QAccessibleInterface*>(child)->tableCellInterface();
      cell != nullptr && child->parent() == this) {
    const int index = (cell->rowIndex() + 1) * columnCount() + cell->columnIndex();
    return index < columnCount() * (rowCount() + 1) ? index : -1;
  }
  return -1;
}

QAccessibleInterface* TChartAccessible::childAt(int x, int y) const {
  if (point_ != 0) {
    QAccessibleInterface* point = QAccessible::accessibleInterface(point_);
    if (point->rect().contains(x, y)) return point;
  }
  return nullptr;
}

QAccessibleInterface* TChartAccessible::focusChild() const {
  return point_ != 0 && Chart()->hasFocus() ? QAccessible::accessibleInterface(point_) : nullptr;
}

QAccessibleInterface* TChartAccessible::caption() const { return nullptr; }

QAccessibleInterface* TChartAccessible::summary() const { return nullptr; }

QString TChartAccessible::columnDescription(int column) const {
  const int layer = Chart()->CurrentLayer();
  if (column == 0) return Chart()->ScaleX(layer)->Caption();
  if (column == 1) return Chart()->ScaleY(layer)->Caption();
  return {};
}

QString TChartAccessible::rowDescription(int) const { return {}; }

void TChartAccessible::PointChanged() {
  TCustomZephChart* chart = Chart();
  const QAccessible::Id old = point_;
  point_ = 0;
  if (chart->Explorer()->Active()) point_ = QAccessible::registerAccessibleInterface(new TChartPointAccessible(chart));
  if (chart->hasFocus()) {
    QAccessibleEvent focus(chart, QAccessible::Focus);
    if (point_ != 0) focus.setChild(childCount() - 1);
    QAccessible::updateAccessibility(&focus);
  }
  if (previous_point_ != 0) QAccessible::deleteAccessibleInterface(previous_point_);
  previous_point_ = old;
}

void ChartPointChanged(TCustomZephChart* chart) {
  if (auto* iface = dynamic_cast<TChartAccessible*>(QAccessible::queryAccessibleInterface(chart)); iface != nullptr)
    iface->PointChanged();
}

void InstallChartAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ChartFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace zeph
