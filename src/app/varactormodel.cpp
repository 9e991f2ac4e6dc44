#include "app/varactormodel.h"

#include <cmath>

#include "app/varactorphysics.h"
#include "zeph/chart/itemstore.h"

using namespace zeph;

namespace varactor {
namespace {

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
