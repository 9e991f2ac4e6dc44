#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "zeph/chart/chartitem.h"
#include "zeph/chart/data/runindex_p.h"
#include "zeph/chart/render/solidpolyline_p.h"

namespace zeph {

// Widens [a, b] to the y of count points, all finite. Four lanes, so that a point's comparisons
// need not wait for those of the point before.
inline void WidenByY(const TZephItemPoint* points, std::size_t count, double& a, double& b) {
  std::array<double, 4> low{a, a, a, a};
  std::array<double, 4> high{b, b, b, b};
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    for (std::size_t lane = 0; lane < 4; ++lane) {
      low[lane] = std::min(low[lane], points[i + lane].Y);
      high[lane] = std::max(high[lane], points[i + lane].Y);
    }
  }
  for (; i < count; ++i) {
    low[0] = std::min(low[0], points[i].Y);
    high[0] = std::max(high[0], points[i].Y);
  }
  a = std::min({low[0], low[1], low[2], low[3]});
  b = std::max({high[0], high[1], high[2], high[3]});
}

// The points of an ordered run for TSolidPolyline::DrawFrom(): point(i) and kind(i) give point
// and kind at position i, kinds(i) the kinds from position i on as they lie in memory beside the
// points (at least to the end of the block); draw-to points that stay in one pixel column are
// passed over a whole block at a time where the index has the block's summary.
template <typename PointAt, typename KindAt, typename KindsAt>
class TIndexedSource {
 public:
  TIndexedSource(const TRunIndex& index, const PointAt& point, const KindAt& kind, const KindsAt& kinds)
      : index_(index), point_(point), kind_(kind), kinds_(kinds) {}

  const TZephItemPoint& Point(std::size_t i) const { return point_(i); }
  std::uint8_t Kind(std::size_t i) const { return kind_(i); }

  // The same as TSolidPolyline::Gather over the positions k to n. After the first point (whose x
  // must lie above low), the x of an ordered run only grows: a whole clean block whose highest x
  // lies below high is inside, its lowest and highest y are those of its summary.
  std::size_t Gather(std::size_t k, std::size_t n, double low, double high, double& lowest, double& highest) const {
    double a = lowest;
    double b = highest;
    std::size_t i = k;
    constexpr std::size_t kBlock = TRunIndex::BlockSize(0);
    while (i < n) {
      if (i != k && i % kBlock == 0) {
        bool jumped = false;
        for (int level = TRunIndex::kLevels - 1; level >= 0 && !jumped; --level) {
          const std::size_t size = TRunIndex::BlockSize(level);
          if (i % size != 0) continue;
          const TBlockSummary* s = index_.Block(level, i / size, k, n);
          if (s == nullptr || !s->Clean() || !(s->max_x < high)) continue;
          a = std::min(a, s->min_y);
          b = std::max(b, s->max_y);
          i += size;
          jumped = true;
        }
        if (jumped) continue;
      }
      // One by one up to the next block, whose points lie together in one chunk. In a clean block
      // x only grows from a first point above low: the points inside end at the first x at or
      // above high, and their y need no test.
      const std::size_t count = std::min(n, (i / kBlock + 1) * kBlock) - i;
      const TZephItemPoint* points = &point_(i);
      std::size_t j = 0;
      if (points[0].X > low && index_.Clean(i, i + count)) {
        while (j < count && points[j].X < high) ++j;
        WidenByY(points, j, a, b);
      } else {
        j = TSolidPolyline::Gather(points, kinds_(i), 0, count, low, high, a, b);
      }
      i += j;
      if (j < count) {
        lowest = a;
        highest = b;
        return i;
      }
    }
    lowest = a;
    highest = b;
    return i;
  }

 private:
  const TRunIndex& index_;
  const PointAt& point_;
  const KindAt& kind_;
  const KindsAt& kinds_;
};

// The world x range of a layer that the chart area shows, widened by margin pixels on each side:
// a segment between two points that both lie below low, or both above high, draws nothing in the
// area. kx and dx map x (or its logarithm) to control pixels; the area begins at control pixel
// left and is width pixels wide. False when the mapping leaves no such range.
inline bool VisibleXRange(long double kx, long double dx, bool logarithmic, int left, int width, double margin,
                          double& low, double& high) {
  if (kx == 0 || !std::isfinite(static_cast<double>(kx)) || !std::isfinite(static_cast<double>(dx))) return false;
  const auto world = [&](double pixel) {
    const long double v = (static_cast<long double>(left) + pixel - dx) / kx;
    return logarithmic ? static_cast<double>(std::exp(v)) : static_cast<double>(v);
  };
  low = world(-margin);
  high = world(width + margin);
  if (low > high) std::swap(low, high);
  return !std::isnan(low) && !std::isnan(high);
}

}  // namespace zeph
