#pragma once

#include <optional>

// The link between the two charts: the depletion layer of the power-law junction reaches the
// depth w(U) = εA / Cj(U) at the reverse voltage U, so the capacitance at a voltage and the depth
// its depletion edge sweeps to are one quantity seen twice.
namespace varactor {

// The voltages the capacitance chart shows a curve for.
inline constexpr double kLowestVoltage = 0.1;
inline constexpr double kHighestVoltage = 10;

// The depletion width in µm at the reverse voltage in V, for the slider position.
double DepletionWidth(int position, double voltage);
// The junction capacitance in pF at the reverse voltage in V: the model's curve between its points.
double JunctionCapacitance(int position, double voltage);
// The reverse voltage in V at which the depletion edge reaches the depth in µm: the inverse of
// DepletionWidth; none when it lies outside the capacitance chart's voltages.
std::optional<double> VoltageAtDepth(int position, double depth);

}  // namespace varactor
