#include "app/lesson/lessonwords.h"

#include "app/lesson/depletion.h"
#include "app/spokentexts.h"
#include "app/varactorphysics.h"
#include "zeph/chart/chartcurves.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

// A number of up to three significant digits, with the language's separator and a true minus.
QString Number(double value, const TBabelfish2000* dictionary) {
  QString text = QString::number(value, 'g', 3);
  text.replace(QLatin1Char('.'), Spoken(dictionary, QStringLiteral(".")));
  text.replace(QLatin1Char('-'), QChar(0x2212));
  return text;
}

// Three significant digits as the screen reader says them.
QString Measured(double value, const TBabelfish2000* dictionary) {
  TChartTexts texts;
  texts.DecimalSeparator = Spoken(dictionary, QStringLiteral("."));
  return SpokenNumber(value, texts);
}

double Exponent(int position) { return position / 1000.0; }

QString Quantity(const QString& caption, double value, const TChartTexts& texts) {
  const TAxisQuantity quantity = TAxisQuantity::FromCaption(caption);
  QString text = SpokenNumber(value, texts);
  if (!quantity.Unit.isEmpty()) text += QLatin1Char(' ') + quantity.Unit;
  return quantity.Name.isEmpty() ? text : quantity.Name + QLatin1Char(' ') + text;
}

}  // namespace

QString ExponentText(int position, const TBabelfish2000* dictionary) {
  return QStringLiteral("m = ") + Number(Exponent(position), dictionary);
}

QString ProfileLaw(int position, const TBabelfish2000* dictionary) {
  return QStringLiteral("ND \u221D d^") + Number(Exponent(position), dictionary);
}

QString CapacitanceLaw(int position, const TBabelfish2000* dictionary) {
  return QStringLiteral("Cj \u221D (U + ") + Number(static_cast<double>(varactor::kBuiltInVoltage), dictionary) +
         QStringLiteral(" V)^") + Number(-1 / (Exponent(position) + 2), dictionary);
}

QString GradingNumbers(int position, const TBabelfish2000* dictionary) {
  return ExponentText(position, dictionary) + QStringLiteral("; ") + ProfileLaw(position, dictionary) +
         QStringLiteral("; ") + CapacitanceLaw(position, dictionary);
}

QString PointWords(const TCustomZephChart& chart, const QPointF& point) {
  const TChartTexts& texts = chart.Texts();
  const int layer = chart.CurrentLayer();
  return FillTemplate(texts.PointName, {Quantity(chart.ScaleX(layer)->Caption(), point.x(), texts),
                                        Quantity(chart.ScaleY(layer)->Caption(), point.y(), texts)});
}

QString WidthWords(int position, double voltage, const TBabelfish2000* dictionary) {
  return FillTemplate(Spoken(dictionary, QStringLiteral("w = %1 µm")),
                      {Measured(varactor::DepletionWidth(position, voltage), dictionary)});
}

std::optional<QString> EdgeWords(int position, double depth, const TBabelfish2000* dictionary) {
  const std::optional<double> voltage = varactor::VoltageAtDepth(position, depth);
  if (!voltage) return std::nullopt;
  return FillTemplate(Spoken(dictionary, QStringLiteral("depletion edge here at U %1 V")),
                      {Measured(*voltage, dictionary)});
}

QString VoltageWords(double voltage, const TBabelfish2000* dictionary) {
  return FillTemplate(Spoken(dictionary, QStringLiteral("U = %1 V")), {Measured(voltage, dictionary)});
}
