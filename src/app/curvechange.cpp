#include "app/curvechange.h"

#include "app/spokentexts.h"
#include "app/varactormodel.h"
#include "zeph/chart/charttexts.h"

namespace {

// How far the capacitance falls over the voltage range: first over last value.
double FallRatio(int position) {
  const std::vector<varactor::CurvePoint> curve = varactor::CapacitanceCurve(position);
  return curve.front().y / curve.back().y;
}

}  // namespace

QString CurveChangeSentence(int before, int after, const zeph::TBabelfish2000* dictionary) {
  const zeph::TChartTexts texts = SpokenChartTexts(dictionary);
  const std::vector<varactor::CurvePoint> curve = varactor::CapacitanceCurve(after);
  const QString picofarads = Spoken(dictionary, QStringLiteral("%1 picofarads"));
  const QStringList ends = {zeph::SpokenNumber(curve.front().y, texts),
                            zeph::FillTemplate(picofarads, {zeph::SpokenNumber(curve.back().y, texts)})};
  const double was = FallRatio(before);
  const double is = FallRatio(after);
  QString capacitance = QStringLiteral("capacitance falls from %1 to %2");
  if (is > was) capacitance = QStringLiteral("capacitance now falls more steeply, from %1 to %2");
  if (is < was) capacitance = QStringLiteral("capacitance now falls more gently, from %1 to %2");
  QString doping = QStringLiteral("doping is even");
  if (after < 0) doping = QStringLiteral("doping falls with depth");
  if (after > 0) doping = QStringLiteral("doping rises with depth");
  return zeph::FillTemplate(Spoken(dictionary, capacitance), ends) + QStringLiteral("; ") + Spoken(dictionary, doping);
}
