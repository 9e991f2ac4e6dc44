#pragma once

#include <QPoint>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "chart/chartitem.h"
#include "chart/dirtycolumns.h"
#include "chart/pixelmap.h"
#include "toolkit/linerasterizer.h"

// Draws the move-to and draw-to points of a curve as a solid one-pixel polyline, with the same
// pixels as drawing each segment on its own. Consecutive segments that stay in one pixel column
// paint exactly the rows from the lowest to the highest they cover (each from its start pixel,
// without its end pixel), so they are gathered and painted as one vertical run: a dense curve
// costs about one run per column. The drawn pixels are recorded in the dirty columns.
class TSolidPolyline {
 public:
  TSolidPolyline(LineRasterizer& rasterizer, DirtyColumns& dirty, QPoint pen)
      : rasterizer_(rasterizer), dirty_(dirty), pen_(pen) {}

  // Draws the points from index k on, up to n or the first point of another kind, and returns the
  // index after the last one drawn. A point that is no finite number sets broken, and the next one
  // then starts anew as after a move-to. exact(point) gives the pixel of a point the map declines.
  //
  // Most points of a dense curve are draw-to points in the pen's column: those are recognised by
  // their world x alone and only their lowest and highest world y are kept. When the curve leaves
  // the column the rows between those (and the pen's) are painted: a segment into the next column
  // paints its start, so together they cover exactly that range. Where the curve ends in the
  // column instead, its points there are walked again pixel by pixel.
  template <typename Exact>
  std::size_t Draw(const TPixelMap& map, const TZephItemPoint* points, const std::uint8_t* kinds, std::size_t k,
                   std::size_t n, bool& broken, const Exact& exact) {
    // The state lives in locals while the loop runs, so that it stays in registers.
    int x = pen_.x();
    int y = pen_.y();
    int top = top_;
    int bottom = bottom_;
    bool lost = broken;
    double low = 0;
    double high = 0;
    map.ColumnInterval(x, low, high);
    // Points gathered by world x alone: from index gathered on, with their lowest and highest y.
    std::size_t gathered = n;
    double y_min = 0;
    double y_max = 0;
    const auto pixel = [&](const TZephItemPoint& point) {
      QPoint p;
      if (!map.Map(point, p)) p = exact(point);
      return p;
    };
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
      for (std::size_t j = gathered; j < end; ++j) within(pixel(points[j]).y());
      gathered = n;
    };
    for (; k < n; ++k) {
      const std::size_t start = k;
      double lowest = gathered == n ? HUGE_VAL : y_min;
      double highest = gathered == n ? -HUGE_VAL : y_max;
      k = Gather(points, kinds, k, n, low, high, lowest, highest);
      if (k != start) {
        if (gathered == n) gathered = start;
        y_min = lowest;
        y_max = highest;
      }
      if (k == n) break;
      const double px = points[k].X;
      const double py = points[k].Y;
      const std::uint8_t kind = kinds[k];
      if (kind != ikMoveTo && kind != ikDrawTo) break;
      if (!std::isfinite(px) || !std::isfinite(py)) {
        settle(k);
        lost = true;
        low = high = 0;
        continue;
      }
      const QPoint p = pixel(points[k]);
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
          const int a = pixel({points[gathered].X, y_min}).y();
          const int b = pixel({points[gathered].X, y_max}).y();
          top = std::min({top, y, a, b});
          bottom = std::max({bottom, y, a, b});
          y = pixel(points[k - 1]).y();
          gathered = n;
        }
        Flush(x, top, bottom);
        rasterizer_.Line(QPoint(x, y), p);
        dirty_.MarkSegment(QPoint(x, y), p);
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

  // Paints what is gathered; the pen position is the last point.
  QPoint Finish() {
    Flush(pen_.x(), top_, bottom_);
    return pen_;
  }

 private:
  // Passes over the draw-to points from k on whose x lies strictly between low and high and whose
  // y is a finite number, keeping their lowest and highest y; returns the index of the first other.
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

  void Flush(int x, int& top, int& bottom) {
    if (top > bottom) return;
    rasterizer_.Column(x, top, bottom);
    dirty_.MarkSegment(QPoint(x, top), QPoint(x, bottom));
    top = INT_MAX;
    bottom = INT_MIN;
  }

  LineRasterizer& rasterizer_;
  DirtyColumns& dirty_;
  QPoint pen_;
  // The rows gathered in the pen's column; none while top_ > bottom_.
  int top_ = INT_MAX;
  int bottom_ = INT_MIN;
};
