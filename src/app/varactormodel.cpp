#include "app/varactormodel.h"

#include <cmath>

#include "zeph/chart/itemstore.h"

using namespace zeph;

namespace varactor {
namespace {

// Physical constants, held in extended precision like every intermediate result; each stored
// quantity is rounded to double, as the curves are handed to the charts.
constexpr long double kElementaryCharge = 1.602176462e-19L;  // C
constexpr long double kPermittivity = 1.0472e-12L;           // F/cm
constexpr long double kPermittivityArea = 2.618e-16L;        // F cm: permittivity x 2.5e-4 cm²
constexpr long double kBuiltInVoltage = 0.7L;                // V
constexpr long double kReferenceDepthInverse = 10000.0L;     // 1/cm: reciprocal of 1 µm
constexpr long double kConcentrationUnit = 1e16L;            // cm^-3
constexpr long double kCmPerMicron = 1e-4L;
constexpr long double kPicoFaradPerFarad = 1e12L;

double GradingExponent(int position) { return static_cast<double>(position / 1000.0L); }

void AppendCurve(TZephItemStore& chart, const std::vector<CurvePoint>& curve) {
  bool first = true;
  for (const CurvePoint& p : curve) {
    if (first) {
      chart.MoveTo(p.x, p.y);
      first = false;
    } else {
      chart.DrawTo(p.x, p.y);
    }
  }
}

}  // namespace

std::vector<CurvePoint> CapacitanceCurve(int position) {
  const double m = GradingExponent(position);
  const auto b = static_cast<double>(std::exp(m * std::log(kReferenceDepthInverse)) * kConcentrationUnit);
  std::vector<CurvePoint> curve;
  curve.reserve(100);
  // The voltage is advanced by repeated addition, so its last value lies just below 10 V and is
  // still drawn: exactly 100 points.
  for (double u = 0.1; u < 10; u = static_cast<double>(u + 0.1L)) {
    long double x = kElementaryCharge * b;
    x = x / kPermittivity;
    x = x / (m + 2.0L);
    x = x / (kBuiltInVoltage + u);
    const auto cj = static_cast<double>(std::exp(std::log(x) * (1.0L / (m + 2.0L))) * kPermittivityArea);
    curve.push_back({u, static_cast<double>(kPicoFaradPerFarad * cj)});
  }
  return curve;
}

std::vector<CurvePoint> ProfileCurve(int position) {
  const double m = GradingExponent(position);
  std::vector<CurvePoint> curve;
  curve.reserve(300);
  for (double d = 0.01; d < 3; d = static_cast<double>(d + 0.01L)) {
    const long double r = (d * kCmPerMicron) / kCmPerMicron;
    curve.push_back({d, static_cast<double>(std::exp(m * std::log(r)))});
  }
  return curve;
}

void PlotCurves(int position, TZephItemStore& capacitance_chart, TZephItemStore& profile_chart) {
  capacitance_chart.ClearGraf();
  capacitance_chart.SetDataColor(kCurveColor);
  AppendCurve(capacitance_chart, CapacitanceCurve(position));
  capacitance_chart.ShowGraf();

  profile_chart.ClearGraf();
  profile_chart.SetDataColor(kCurveColor);
  AppendCurve(profile_chart, ProfileCurve(position));
  profile_chart.ShowGraf();
}

}  // namespace varactor
