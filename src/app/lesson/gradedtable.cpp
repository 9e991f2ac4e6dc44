#include "app/lesson/gradedtable.h"

#include <QLocale>

#include "zeph/chart/chartcurves.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

QString Shortest(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }

}  // namespace

QString GradedDataTable(const TCustomZephChart& chart, const std::vector<int>& positions) {
  const std::vector<TChartCurve> curves = ChartCurves(chart);
  if (curves.size() < 2 || positions.size() < curves.size()) return chart.DataTableText();
  const int layer = chart.CurrentLayer();
  QString text = chart.ScaleX(layer)->Caption() + QLatin1Char('\t') + chart.ScaleY(layer)->Caption() +
                 QStringLiteral("\tm\n");
  for (std::size_t c = 0; c < curves.size(); ++c) {
    const QString m = Shortest(positions[c] / 1000.0);
    for (const QPointF& p : curves[c].Points)
      text += Shortest(p.x()) + QLatin1Char('\t') + Shortest(p.y()) + QLatin1Char('\t') + m + QLatin1Char('\n');
  }
  return text;
}
