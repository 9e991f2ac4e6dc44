// The accessible face of a chart and the description of its curve.
#include "zeph/chart/chartaccessible_p.h"

#include <QRegularExpression>
#include <cmath>

#include "zeph/chart/zephchart.h"

namespace zeph {

namespace {

// Three significant digits, as a reader says them: 8.10, 0.100, 10.0, 123.
QString Significant(double value) {
  if (value == 0 || !std::isfinite(value)) return QStringLiteral("0.00");
  const auto magnitude = [](double v) { return static_cast<int>(std::floor(std::log10(std::abs(v)))); };
  // 9.9999 is read as 10.0: the digits are counted after rounding.
  const double unit = std::pow(10.0, magnitude(value) - 2);
  const double rounded = std::round(value / unit) * unit;
  return QString::number(rounded, 'f', std::max(0, 2 - magnitude(rounded)));
}

// An axis caption "U [V]" read as the quantity "U" in the unit "V"; a caption without a unit in
// brackets is the quantity alone.
struct Quantity {
  QString name;
  QString unit;
};

Quantity ReadCaption(const QString& caption) {
  static const QRegularExpression with_unit(QStringLiteral("^(.*?)\\s*\\[(.*)\\]\\s*$"));
  const QRegularExpressionMatch m = with_unit.match(caption);
  if (m.hasMatch()) return {m.captured(1), m.captured(2)};
  return {caption.trimmed(), {}};
}

QString AtValue(const Quantity& x, double value) {
  QString text = Significant(value);
  if (!x.unit.isEmpty()) text += QLatin1Char(' ') + x.unit;
  return text;
}

QString Range(const TScaleProps* props) {
  QString text = QStringLiteral("%1 from %2 to %3")
                     .arg(props->Caption(), Significant(props->RangeLow()), Significant(props->RangeHigh()));
  if (props->Logarithmic()) text += QStringLiteral(", logarithmic");
  return text;
}

QAccessibleInterface* ChartFactory(const QString&, QObject* object) {
  auto* chart = qobject_cast<TCustomZephChart*>(object);
  return chart ? new TChartAccessible(chart) : nullptr;
}

}  // namespace

QString TCustomZephChart::CurveDescription() const {
  const int layer = CurrentLayer();
  QString text = Range(ScaleX(layer)) + QStringLiteral("; ") + Range(ScaleY(layer));
  // The first and the last point of the curves the current layer shows.
  const TZephItemList& list = Items();
  bool found = false;
  double first_x = 0;
  double first_y = 0;
  double last_x = 0;
  double last_y = 0;
  for (int i = 0; i < list.Count(); ++i) {
    const TZephChartItem item = list[i];
    if ((item.Kind != ikMoveTo && item.Kind != ikDrawTo) || item.Layer != layer || !ItemVisible(item) ||
        !std::isfinite(item.X1) || !std::isfinite(item.Y1))
      continue;
    if (!found) {
      first_x = item.X1;
      first_y = item.Y1;
      found = true;
    }
    last_x = item.X1;
    last_y = item.Y1;
  }
  if (!found) return text + QStringLiteral("; no curve");
  const Quantity x = ReadCaption(ScaleX(layer)->Caption());
  const QString y = ScaleY(layer)->Caption();
  return text + QStringLiteral("; %1 from %2 at %3 %4 to %5 at %6")
                    .arg(y, Significant(first_y), x.name, AtValue(x, first_x), Significant(last_y), AtValue(x, last_x));
}

TChartAccessible::TChartAccessible(TCustomZephChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}

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

void InstallChartAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ChartFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace zeph
