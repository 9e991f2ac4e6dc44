// The accessible face of a chart: its name and description, its data table, and the point being
// explored.
#include "zeph/chart/accessibility/chartaccessible_p.h"

#include <QLocale>
#include <QPointer>

#include "zeph/chart/accessibility/charttable_p.h"
#include "zeph/chart/chartexplorer.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

namespace {

QRect GlobalRect(const QWidget* widget, const QRect& local) {
  return QRect(widget->mapToGlobal(local.topLeft()), local.size());
}

// The point the keyboard explores: named by its values, placed on the screen where it is drawn.
class TChartPointAccessible : public QAccessibleInterface {
 public:
  explicit TChartPointAccessible(TCustomZephChart* chart) : chart_(chart), name_(chart->Explorer()->PointName()) {
    const std::optional<QPointF> p = chart->Explorer()->CurrentPoint();
    if (p) pixel_ = chart->WorldToPixel(chart->CurrentLayer(), p->x(), p->y());
  }

  bool isValid() const override { return chart_ != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return chart_ != nullptr ? chart_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(chart_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::Graphic; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.focusable = true;
    s.readOnly = true;
    s.focused = chart_ != nullptr && chart_->hasFocus() && !chart_->Explorer()->InTable();
    return s;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return name_;
    if (t == QAccessible::Description && chart_ != nullptr)
      return static_cast<TChartAccessible*>(parent())->Announcement();
    return {};
  }
  QRect rect() const override {
    if (chart_ == nullptr) return {};
    return GlobalRect(chart_, QRect(pixel_ - QPoint(5, 5), QSize(11, 11)));
  }

 private:
  QPointer<TCustomZephChart> chart_;
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
  for (const QPointF& p : ChartTableRows(chart))
    text += QString::number(p.x(), 'g', QLocale::FloatingPointShortest) + QLatin1Char('\t') +
            QString::number(p.y(), 'g', QLocale::FloatingPointShortest) + QLatin1Char('\n');
  return text;
}

TChartAccessible::TChartAccessible(TCustomZephChart* chart)
    : QAccessibleWidget(chart, QAccessible::Chart),
      table_(QAccessible::registerAccessibleInterface(new TChartTableAccessible(chart))) {}

TChartAccessible::~TChartAccessible() {
  QAccessible::deleteAccessibleInterface(table_);
  if (point_ != 0) QAccessible::deleteAccessibleInterface(point_);
  if (previous_point_ != 0) QAccessible::deleteAccessibleInterface(previous_point_);
}

TCustomZephChart* TChartAccessible::Chart() const { return static_cast<TCustomZephChart*>(widget()); }

TChartTableAccessible* TChartAccessible::Table() const {
  return static_cast<TChartTableAccessible*>(QAccessible::accessibleInterface(table_));
}

QString TChartAccessible::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      return widget()->accessibleName().isEmpty() ? Chart()->Caption() : widget()->accessibleName();
    case QAccessible::Description: {
      if (!widget()->accessibleDescription().isEmpty()) return widget()->accessibleDescription();
      QString description = Chart()->CurveDescription();
      // With the keys to explore it: the chart says how, once, when it takes the focus.
      if (Chart()->KeyboardExploration()) description += QStringLiteral(". ") + Chart()->Texts().KeyHint;
      return description;
    }
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

int TChartAccessible::rowCount() const { return Table()->rowCount(); }

QAccessibleInterface* TChartAccessible::cellAt(int row, int column) const { return Table()->cellAt(row, column); }

QString TChartAccessible::columnDescription(int column) const { return Table()->columnDescription(column); }

int TChartAccessible::childCount() const { return point_ != 0 ? 2 : 1; }

QAccessibleInterface* TChartAccessible::child(int index) const {
  if (index == 0) return Table();
  if (index == 1 && point_ != 0) return QAccessible::accessibleInterface(point_);
  return nullptr;
}

int TChartAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (child == nullptr) return -1;
  if (child == Table()) return 0;
  if (point_ != 0 && QAccessible::accessibleInterface(point_) == child) return 1;
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
  if (!Chart()->hasFocus()) return nullptr;
  if (Table()->FocusCell() != nullptr) return Table();
  return point_ != 0 ? QAccessible::accessibleInterface(point_) : nullptr;
}

QAccessibleInterface* TChartAccessible::Focused() {
  if (QAccessibleInterface* cell = Table()->FocusCell()) return cell;
  if (point_ != 0) return QAccessible::accessibleInterface(point_);
  return this;
}

void TChartAccessible::PointChanged() {
  TCustomZephChart* chart = Chart();
  const QAccessible::Id old = point_;
  point_ = 0;
  announcement_.clear();
  if (chart->Explorer()->Active()) point_ = QAccessible::registerAccessibleInterface(new TChartPointAccessible(chart));
  if (chart->hasFocus()) {
    QAccessibleInterface* focused = Focused();
    QAccessibleEvent focus(focused, QAccessible::Focus);
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
