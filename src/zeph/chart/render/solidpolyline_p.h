#pragma once

#include <QPoint>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "zeph/chart/chartitem.h"
#include "zeph/chart/render/dirtycolumns_p.h"
#include "zeph/chart/render/pixelmap_p.h"
#include "zeph/toolkit/linerasterizer.h"

namespace zeph {

// Draws the move-to and draw-to points of a curve as a solid one-pixel polyline: a building block
// of the chart's rendering, whose TSolidPolylineCache keeps its shapes.
//
// It draws the same pixels as drawing each segment on its own. Consecutive segments that stay in
// one pixel column paint exactly the rows from the lowest to the highest they cover (each from
// its start pixel, without its end pixel), so they are gathered and painted as one vertical run:
// a dense curve costs about one run per column. The drawn pixels are recorded in the dirty
// columns.
class TSolidPolyline {
 public:
  // What the points came to: a column from row y1 to row y2 at x1, or a line.
  struct Shape {
    int x1;       // Column x, or the line's start x.
    int y1;       // The column's top row, or the line's start y.
    int x2;       // The line's end x (x1 for a column).
    int y2;       // The column's bottom row, or the line's end y.
    bool column;  // A column (true) or a line (false).
  };
  // The state after drawing: the pen, the rows gathered in its column, whether the curve is broken.
  struct End {
    QPoint pen;   // The pen position, in pixels of the target.
    int top;      // The top row gathered in the pen's column (none while top > bottom).
    int bottom;   // The bottom row gathered in the pen's column.
    bool broken;  // Whether the curve was broken by a point that is no finite number.
  };

  // Constructs a polyline drawn with the rasterizer from the pen position, recording the pixels
  // it draws in dirty; both must outlive it.
  TSolidPolyline(LineRasterizer& rasterizer, TDirtyColumns& dirty, QPoint pen)
      : rasterizer_(rasterizer), dirty_(dirty), pen_(pen) {}

  // Writes down every shape drawn from now on into shapes (null stops writing down).
  void Record(std::vector<Shape>* shapes) { record_ = shapes; }
  // The current state, with the given broken flag, for Replay() to take up later.
  End State(bool broken) const { return {pen_, top_, bottom_, broken}; }
  // Draws shapes written down before and takes the state they ended in.
  void Replay(const std::vector<Shape>& shapes, const End& end) {
    for (const Shape& shape : shapes) {
      if (shape.column) {
        rasterizer_.Column(shape.x1, shape.y1, shape.y2);
      } else {
        rasterizer_.Line(QPoint(shape.x1, shape.y1), QPoint(shape.x2, shape.y2));
      }
      dirty_.MarkSegment(QPoint(shape.x1, shape.y1), QPoint(shape.x2, shape.y2));
    }
    pen_ = end.pen;
    top_ = end.top;
    bottom_ = end.bottom;
  }

  // Draws the points from index k on, up to n or the first point of another kind, and returns the
  // index after the last one drawn.
  //
  // The points and their kinds are parallel arrays; map gives their pixels. A point that is no
  // finite number sets broken, and the next one then starts anew as after a move-to. exact(point)
  // gives the pixel of a point the map declines. The rows gathered in the last column are painted
  // by the next call or by Finish().
  //
  // Most points of a dense curve are draw-to points in the pen's column: those are recognised by
  // their world x alone and only their lowest and highest world y are kept. When the curve leaves
  // the column the rows between those (and the pen's) are painted: a segment into the next column
  // paints its start, so together they cover exactly that range. Where the curve ends in the
  // column instead, its points there are walked again pixel by pixel.
  template <typename Exact>
  std::size_t Draw(const TPixelMap& map, const TZephItemPoint* points, const std::uint8_t* kinds, std::size_t k,
                   std::size_t n, bool& broken, const Exact& exact) {
    return DrawFrom(map, ArraySource{points, kinds}, k, n, broken, exact);
  }

  // Draws like Draw(), from a source of points: source.Point(i) and source.Kind(i) give point
  // and kind at index i, and source.Gather(k, n, low, high, lowest, highest) passes over draw-to
  // points as Gather() below does (a source with an index of its points does so faster).
  template <typename Source, typename Exact>
  std::size_t DrawFrom(const TPixelMap& map, const Source& source, std::size_t k, std::size_t n, bool& broken,
                       const Exact& exact) {
    // The state lives in locals while the loop runs, so that it stays in registers.
    int x = pen_.x();
    int y = pen_.y();
    int top = top_;
    int bottom = bottom_;
    bool lost = broken;
    double low = 0;
    double high = 0;
    // A broken polyline gathers nothing until a point starts it anew: the pen's column is stale.
    if (!lost) map.ColumnInterval(x, low, high);
    // Points gathered by world x alone: from index gathered on, with their lowest and highest y.
    std::size_t gathered = n;
    double y_min = 0;
    double y_max = 0;
    // Adds a segment within the column to the rows painted: from its start up to the row before
    // its end.
    const auto within = [&](int b) {
      const bool moved = b != y;
      const int from = std::min(y, b + 1);
      const int to = std::max(y, b - 1);
      top = moved ? std::min(top, from) : top;
      bottom = moved ? std::max(bottom, to) : bottom;
      y = b;
    };
    // Walks the gathered points pixel by pixel.
    const auto settle = [&](std::size_t end) {
      if (gathered == n) return;
      for (std::size_t j = gathered; j < end; ++j) within(PixelOf(map, source.Point(j), exact).y());
      gathered = n;
    };
    for (; k < n; ++k) {
      const std::size_t start = k;
      double lowest = gathered == n ? HUGE_VAL : y_min;
      double highest = gathered == n ? -HUGE_VAL : y_max;
      k = source.Gather(k, n, low, high, lowest, highest);
      if (k != start) {
        if (gathered == n) gathered = start;
        y_min = lowest;
        y_max = highest;
      }
      if (k == n) break;
      const TZephItemPoint& point = source.Point(k);
      const double px = point.X;
      const double py = point.Y;
      const std::uint8_t kind = source.Kind(k);
      if (kind != ikMoveTo && kind != ikDrawTo) break;
      if (!std::isfinite(px) || !std::isfinite(py)) {
        settle(k);
        lost = true;
        low = high = 0;
        continue;
      }
      const QPoint p = PixelOf(map, point, exact);
      const bool draws = kind == ikDrawTo && !lost;
      if (draws && p.x() == x) {
        // In the column after all (close to its edge).
        if (gathered == n) {
          within(p.y());
        } else {
          y_min = std::min(y_min, py);
          y_max = std::max(y_max, py);
        }
        continue;
      }
      if (draws) {
        if (gathered != n) {
          const int a = PixelOf(map, {source.Point(gathered).X, y_min}, exact).y();
          const int b = PixelOf(map, {source.Point(gathered).X, y_max}, exact).y();
          top = std::min({top, y, a, b});
          bottom = std::max({bottom, y, a, b});
          y = PixelOf(map, source.Point(k - 1), exact).y();
          gathered = n;
        }
        Flush(x, top, bottom);
        rasterizer_.Line(QPoint(x, y), p);
        dirty_.MarkSegment(QPoint(x, y), p);
        if (record_) record_->push_back({x, y, p.x(), p.y(), false});
      } else {
        settle(k);
        Flush(x, top, bottom);
      }
      lost = false;
      x = p.x();
      y = p.y();
      map.ColumnInterval(x, low, high);
    }
    settle(k);
    pen_ = QPoint(x, y);
    top_ = top;
    bottom_ = bottom;
    broken = lost;
    return k;
  }

  // Paints what is gathered and returns the pen position, the last point.
  QPoint Finish() {
    Flush(pen_.x(), top_, bottom_);
    return pen_;
  }

 private:
  // Points and kinds in two parallel arrays.
  struct ArraySource {
    const TZephItemPoint* points;
    const std::uint8_t* kinds;
    const TZephItemPoint& Point(std::size_t i) const { return points[i]; }
    std::uint8_t Kind(std::size_t i) const { return kinds[i]; }
    std::size_t Gather(std::size_t k, std::size_t n, double low, double high, double& lowest, double& highest) const {
      return TSolidPolyline::Gather(points, kinds, k, n, low, high, lowest, highest);
    }
  };

 public:
  // Passes over the draw-to points from k on whose x lies strictly between low and high and whose
  // y is a finite number, keeping their lowest and highest y; returns the index of the first other.
  //
  // Apart from the rest, so that its state stays in registers: this loop sees nearly every point.
  static std::size_t Gather(const TZephItemPoint* points, const std::uint8_t* kinds, std::size_t k, std::size_t n,
                            double low, double high, double& lowest, double& highest) {
    double a = lowest;
    double b = highest;
    for (; k < n; ++k) {
      const double x = points[k].X;
      const double y = points[k].Y;
      // One branch for the four tests: it is taken about once a column.
      const bool inside = (kinds[k] == ikDrawTo) & (x > low) & (x < high) & (y - y == 0);
      if (!inside) break;
      a = std::min(a, y);
      b = std::max(b, y);
    }
    lowest = a;
    highest = b;
    return k;
  }

 private:
  // The pixel of a point, the exact way where the map declines. Always inline: a dense curve maps
  // a few points a pixel column, and a call would cost as much as the mapping.
  template <typename Exact>
  Q_ALWAYS_INLINE static QPoint PixelOf(const TPixelMap& map, const TZephItemPoint& point, const Exact& exact) {
    QPoint p;
    if (!map.Map(point, p)) p = exact(point);
    return p;
  }

  Q_ALWAYS_INLINE void Flush(int x, int& top, int& bottom) {
    if (top > bottom) return;
    rasterizer_.Column(x, top, bottom);
    dirty_.MarkSegment(QPoint(x, top), QPoint(x, bottom));
    if (record_) record_->push_back({x, top, x, bottom, true});
    top = INT_MAX;
    bottom = INT_MIN;
  }

  LineRasterizer& rasterizer_;
  TDirtyColumns& dirty_;
  std::vector<Shape>* record_ = nullptr;
  QPoint pen_;
  // The rows gathered in the pen's column; none while top_ > bottom_.
  int top_ = INT_MAX;
  int bottom_ = INT_MIN;
};

// The shapes stretches of curves came to in the last rendering, in drawing order: a building block
// of TCustomZephChart (TCustomZephChart).
//
// The shapes are drawn again while the points, the mapping and the starting state are the same: a
// repaint that changes none of them (an expose, a moved cross-hair or label) draws a dense curve's
// columns again without passing over its points.
class TSolidPolylineCache {
 public:
  // What a stretch's shapes depend on: equal keys give equal shapes.
  struct Key {
    std::uint64_t list;  // The generation of the item list: its points stay as they are.
    const TZephItemPoint* points;  // The stretch's points.
    std::size_t first;  // Index of the first point of the stretch.
    std::size_t end;  // Index after the last point the stretch may take.
    QPoint pen;  // The pen position before the stretch.
    bool broken;  // Whether the curve was broken before the stretch.
    long double kx;  // The layer's x scaling factor.
    long double dx;  // The layer's x scaling offset.
    long double ky;  // The layer's y scaling factor.
    long double dy;  // The layer's y scaling offset.
    int offset_x;  // The control pixel x of the target's column 0 (the chart's left rim).
    int offset_y;  // The control pixel y of the target's row 0 (the chart's top rim).
    // Whether all fields are equal.
    bool operator==(const Key&) const = default;
  };
  // One stretch of the last rendering.
  struct Entry {
    Key key;  // What the shapes depend on.
    bool kept;  // Shapes and state are kept (a stretch of scattered points is not worth the memory).
    std::size_t next;  // The index after the last point drawn.
    TSolidPolyline::End end;  // The state the stretch ended in.
    std::vector<TSolidPolyline::Shape> shapes;  // The shapes, in drawing order.
  };

  // Stretches of fewer points are not kept.
  static constexpr std::size_t kLongStretch = 4096;

  // A rendering starts: stretches are looked for from the first on.
  void Rewind() { next_ = 0; }
  // The entry for the next stretch: the one of the last rendering when its key is the same
  // (reused), else a fresh one in its place, the later ones given up (they are drawn anew).
  Entry& Slot(const Key& key, bool& reused) {
    reused = next_ < entries_.size() && entries_[next_].key == key;
    if (!reused) {
      entries_.resize(next_);
      entries_.push_back({key, false, 0, {}, {}});
    }
    return entries_[next_++];
  }
  // Whether that many shapes for that many points are worth keeping.
  static bool WorthKeeping(std::size_t shapes, std::size_t points) { return shapes <= points / 4 + 16; }

 private:
  std::vector<Entry> entries_;
  std::size_t next_ = 0;
};

}  // namespace zeph
