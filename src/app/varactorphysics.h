#pragma once

// The physical constants of the varactor model, held in extended precision like every
// intermediate result; each stored quantity is rounded to double, as the curves are handed to the
// charts.
namespace varactor {

inline constexpr long double kElementaryCharge = 1.602176462e-19L;  // C
inline constexpr long double kPermittivity = 1.0472e-12L;           // F/cm
inline constexpr long double kPermittivityArea = 2.618e-16L;        // F cm: permittivity x 2.5e-4 cm²
inline constexpr long double kBuiltInVoltage = 0.7L;                // V
inline constexpr long double kReferenceDepthInverse = 10000.0L;     // 1/cm: reciprocal of 1 µm
inline constexpr long double kConcentrationUnit = 1e16L;            // cm^-3
inline constexpr long double kCmPerMicron = 1e-4L;
inline constexpr long double kPicoFaradPerFarad = 1e12L;

}  // namespace varactor
