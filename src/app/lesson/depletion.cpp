#include "app/lesson/depletion.h"

#include <cmath>

#include "app/varactorphysics.h"

namespace varactor {
namespace {

long double Exponent(int position) { return position / 1000.0L; }

// q B / ε, the profile's charge per permittivity: B = 10^16 × 10000^m in cm^-(3+m).
long double ChargeOverPermittivity(int position) {
  const long double b = std::pow(kReferenceDepthInverse, Exponent(position)) * kConcentrationUnit;
  return kElementaryCharge * b / kPermittivity;
}

long double WidthInCm(int position, double voltage) {
  const long double n = Exponent(position) + 2.0L;
  return std::pow(n * (kBuiltInVoltage + voltage) / ChargeOverPermittivity(position), 1.0L / n);
}

}  // namespace

double DepletionWidth(int position, double voltage) {
  return static_cast<double>(WidthInCm(position, voltage) / kCmPerMicron);
}

double JunctionCapacitance(int position, double voltage) {
  return static_cast<double>(kPicoFaradPerFarad * kPermittivityArea / WidthInCm(position, voltage));
}

std::optional<double> VoltageAtDepth(int position, double depth) {
  if (!(depth > 0)) return std::nullopt;
  const long double n = Exponent(position) + 2.0L;
  const long double width = depth * kCmPerMicron;
  const auto voltage = static_cast<double>(ChargeOverPermittivity(position) * std::pow(width, n) / n - kBuiltInVoltage);
  // Compared with a margin of rounding, so that the ends of the voltage axis themselves count.
  constexpr double kMargin = 1e-9;
  if (voltage < kLowestVoltage - kMargin || voltage > kHighestVoltage + kMargin) return std::nullopt;
  return voltage;
}

}  // namespace varactor
