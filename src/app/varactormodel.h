#pragma once

#include <vector>

#include "zeph/toolkit/tcolor.h"

namespace zeph {
class TZephItemStore;
}  // namespace zeph

// The varactor diode whose donor concentration follows a power law of the depth, N = B x^m, with
// the grading exponent m chosen by the slider position: -1 hyperabrupt, 0 abrupt, +1 linear.
namespace varactor {

inline constexpr int kSliderMin = -1000;
inline constexpr int kSliderMax = 1000;
// Both curves are drawn in blue.
inline constexpr zeph::TColor kCurveColor = 16711680;

struct CurvePoint {
  double x;
  double y;
};

// Junction capacitance in pF over the reverse voltage in V, 0.1 V to 10 V: 100 points.
std::vector<CurvePoint> CapacitanceCurve(int position);
// Donor concentration in 10^16 cm^-3 over the depth in µm, 0.01 µm to 3 µm: 300 points.
std::vector<CurvePoint> ProfileCurve(int position);

// Rebuilds both charts from scratch for the slider position: the capacitance chart is filled and
// shown before the profile chart is cleared.
void PlotCurves(int position, zeph::TZephItemStore& capacitance_chart, zeph::TZephItemStore& profile_chart);

}  // namespace varactor
