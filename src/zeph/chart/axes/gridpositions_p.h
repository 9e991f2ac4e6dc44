#pragma once

#include <vector>

namespace zeph {

// One axis of a chart grid: its range (low <= high), whether it is logarithmic, the spacing rule
// (GridDx or GridDy) and the ticks its scale drew last, which a spacing of 0 follows.
struct TGridAxis {
  double low = 0;
  double high = 1;
  bool logarithmic = false;
  double spacing = 0;
  std::vector<double> ticks;
};

// At most this many grid lines per direction.
inline constexpr int kMaxGridLines = 1000;

// The first grid position of an axis.
double FirstGridPos(const TGridAxis& axis);
// The n-th grid position (n = 2, 3, ...) after the position g.
double NextGridPos(const TGridAxis& axis, int n, double g);
// Every grid position from the first up to, but not including, the high end of the range.
std::vector<double> GridPositions(const TGridAxis& axis);

}  // namespace zeph
