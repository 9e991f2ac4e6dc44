// The chart in words: its axes, and for every curve its trend, its shape on the screen and the
// parts outside the visible range.
#include "zeph/chart/accessibility/chartdescription_p.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

namespace {

QString AxisText(const TScaleProps* props, const QString& spoken, const TChartTexts& texts) {
  const QString caption = spoken.isEmpty() ? props->Caption() : spoken;
  const QString range = FillTemplate(texts.AxisRange, {caption, SpokenNumber(props->RangeLow(), texts),
                                                       SpokenNumber(props->RangeHigh(), texts)});
  return props->Logarithmic() ? FillTemplate(texts.Logarithmic, {range}) : range;
}

QString ValueWithUnit(const TAxisQuantity& quantity, double value, const TChartTexts& texts) {
  QString text = SpokenNumber(value, texts);
  if (!quantity.Unit.isEmpty()) text += QLatin1Char(' ') + quantity.Unit;
  return text;
}

enum class Trend { Level, Rises, Falls, RisesThenFalls, FallsThenRises, Varies };

struct Extreme {
  Trend trend = Trend::Level;
  std::size_t index = 0;  // of the maximum or minimum in between
};

Extreme CurveTrend(const std::vector<QPointF>& p) {
  double low = p.front().y();
  double high = low;
  for (const QPointF& q : p) {
    low = std::min(low, q.y());
    high = std::max(high, q.y());
  }
  const double tolerance = 1e-9 * std::max({std::abs(low), std::abs(high), 1e-300});
  if (high - low <= tolerance) return {};
  bool up = false;
  bool down = false;
  int turns = 0;
  int last = 0;
  for (std::size_t i = 1; i < p.size(); ++i) {
    const double d = p[i].y() - p[i - 1].y();
    const int sign = d > tolerance ? 1 : (d < -tolerance ? -1 : 0);
    if (sign == 0) continue;
    (sign > 0 ? up : down) = true;
    if (last != 0 && sign != last) ++turns;
    last = sign;
  }
  if (up && !down) return {Trend::Rises, 0};
  if (down && !up) return {Trend::Falls, 0};
  if (turns == 1) {
    const bool peak = p.front().y() < high && p.back().y() < high;
    const auto extreme =
        std::find_if(p.begin(), p.end(), [&](const QPointF& q) { return q.y() == (peak ? high : low); });
    return {peak ? Trend::RisesThenFalls : Trend::FallsThenRises, static_cast<std::size_t>(extreme - p.begin())};
  }
  return {Trend::Varies, 0};
}

// Where the curve is steepest as drawn, and whether it flattens towards an end or runs straight.
QString ShapeOnScreen(const TCustomZephChart& chart, const TChartCurve& curve, const TAxisQuantity& x,
                      const TChartTexts& texts) {
  const std::vector<QPointF>& p = curve.Points;
  std::vector<double> slopes;
  std::vector<std::size_t> at;
  for (std::size_t i = 1; i < p.size(); ++i) {
    const QPointF a = chart.WorldToPixelF(curve.Layer, p[i - 1].x(), p[i - 1].y());
    const QPointF b = chart.WorldToPixelF(curve.Layer, p[i].x(), p[i].y());
    const double dx = std::abs(b.x() - a.x());
    if (dx < 1e-9) continue;
    slopes.push_back(std::abs(b.y() - a.y()) / dx);
    at.push_back(i - 1);
  }
  if (slopes.size() < 2) return {};
  const auto steepest = std::max_element(slopes.begin(), slopes.end());
  const double most = *steepest;
  if (most < 1e-6) return {};
  const double least = *std::min_element(slopes.begin(), slopes.end());
  if (least >= 0.8 * most) return texts.Even;
  const std::size_t k = at[static_cast<std::size_t>(steepest - slopes.begin())];
  QStringList parts{FillTemplate(texts.Steepest, {QuantityWithValue(x, p[k].x(), texts)})};
  // The mean slope of the last and the first tenth against the steepest.
  const std::size_t tenth = std::max<std::size_t>(slopes.size() / 10, 1);
  const auto mean = [&](std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += slopes[i];
    return sum / static_cast<double>(to - from);
  };
  const double position = static_cast<double>(k) / static_cast<double>(p.size() - 1);
  if (position < 0.7 && mean(slopes.size() - tenth, slopes.size()) < 0.25 * most)
    parts.append(FillTemplate(texts.LevelsOff, {QuantityWithValue(x, p.back().x(), texts)}));
  else if (position > 0.3 && mean(0, tenth) < 0.25 * most)
    parts.append(FillTemplate(texts.LevelsOff, {QuantityWithValue(x, p.front().x(), texts)}));
  return parts.join(QStringLiteral(", "));
}

// The stretches of the curve above or below the visible y range.
QStringList OutsideRange(const TCustomZephChart& chart, const TChartCurve& curve, const TAxisQuantity& x,
                         const TAxisQuantity& y, const TChartTexts& texts) {
  const TScaleProps* props = chart.ScaleY(curve.Layer);
  const double top = std::max(props->RangeLow(), props->RangeHigh());
  const double bottom = std::min(props->RangeLow(), props->RangeHigh());
  const std::vector<QPointF>& p = curve.Points;
  const auto side = [&](double v) { return v > top ? 1 : ((v < bottom || (props->Logarithmic() && v <= 0)) ? -1 : 0); };
  QStringList parts;
  std::size_t i = 0;
  while (i < p.size()) {
    const int s = side(p[i].y());
    if (s == 0) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j + 1 < p.size() && side(p[j + 1].y()) == s) ++j;
    const QString limit = SpokenNumber(s > 0 ? top : bottom, texts);
    if (i == 0)
      parts.append(
          FillTemplate(s > 0 ? texts.StartsAbove : texts.StartsBelow, {ValueWithUnit(y, p[i].y(), texts), limit}));
    if (j == p.size() - 1)
      parts.append(FillTemplate(s > 0 ? texts.EndsAbove : texts.EndsBelow, {ValueWithUnit(y, p[j].y(), texts), limit}));
    if (i != 0 && j != p.size() - 1)
      parts.append(FillTemplate(s > 0 ? texts.PassesAbove : texts.PassesBelow,
                                {limit, QuantityWithValue(x, p[i].x(), texts), QuantityWithValue(x, p[j].x(), texts)}));
    i = j + 1;
  }
  return parts;
}

}  // namespace

QString QuantityWithValue(const TAxisQuantity& quantity, double value, const TChartTexts& texts) {
  const QString number = ValueWithUnit(quantity, value, texts);
  return quantity.Name.isEmpty() ? number : quantity.Name + QLatin1Char(' ') + number;
}

TAxisQuantity SpokenQuantity(const TCustomZephChart& chart, int layer, bool vertical) {
  const TChartTexts& texts = chart.Texts();
  TAxisQuantity quantity =
      TAxisQuantity::FromCaption(vertical ? chart.ScaleY(layer)->Caption() : chart.ScaleX(layer)->Caption());
  const QString& name = vertical ? texts.YQuantity : texts.XQuantity;
  const QString& unit = vertical ? texts.YUnit : texts.XUnit;
  if (!name.isEmpty()) quantity.Name = name;
  if (!unit.isEmpty()) quantity.Unit = unit;
  return quantity;
}

QString DescribeAxes(const TCustomZephChart& chart, const TChartTexts& texts) {
  const int layer = chart.CurrentLayer();
  return AxisText(chart.ScaleX(layer), texts.XAxis, texts) + QStringLiteral("; ") +
         AxisText(chart.ScaleY(layer), texts.YAxis, texts);
}

QString DescribeCurve(const TCustomZephChart& chart, const TChartCurve& curve, const TChartTexts& texts) {
  const std::vector<QPointF>& p = curve.Points;
  const TAxisQuantity x = SpokenQuantity(chart, curve.Layer, false);
  const TAxisQuantity y = SpokenQuantity(chart, curve.Layer, true);
  const Extreme trend = CurveTrend(p);
  const QString* sentence = &texts.Level;
  switch (trend.trend) {
    case Trend::Level: sentence = &texts.Level; break;
    case Trend::Rises: sentence = &texts.Rises; break;
    case Trend::Falls: sentence = &texts.Falls; break;
    case Trend::RisesThenFalls: sentence = &texts.RisesThenFalls; break;
    case Trend::FallsThenRises: sentence = &texts.FallsThenRises; break;
    case Trend::Varies: sentence = &texts.Varies; break;
  }
  QStringList parts{FillTemplate(*sentence, {y.Name.isEmpty() ? chart.ScaleY(curve.Layer)->Caption() : y.Name,
                                             ValueWithUnit(y, p.front().y(), texts),
                                             QuantityWithValue(x, p.front().x(), texts),
                                             ValueWithUnit(y, p.back().y(), texts),
                                             QuantityWithValue(x, p.back().x(), texts),
                                             ValueWithUnit(y, p[trend.index].y(), texts),
                                             QuantityWithValue(x, p[trend.index].x(), texts)})};
  if (trend.trend != Trend::Level) {
    const QString shape = ShapeOnScreen(chart, curve, x, texts);
    if (!shape.isEmpty()) parts.append(shape);
  }
  parts.append(OutsideRange(chart, curve, x, y, texts));
  return parts.join(QStringLiteral(", "));
}

QString ChartCurveSummary(const TCustomZephChart& chart) {
  QStringList sentences;
  for (const TChartCurve& curve : ChartCurves(chart)) sentences.append(DescribeCurve(chart, curve, chart.Texts()));
  return sentences.isEmpty() ? chart.Texts().NoCurve : sentences.join(QStringLiteral("; "));
}

QString ChartCurveDescription(const TCustomZephChart& chart) {
  return DescribeAxes(chart, chart.Texts()) + QStringLiteral("; ") + ChartCurveSummary(chart);
}

}  // namespace zeph
