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
  template <typename Exact>
  std::size_t Draw(const TPixelMap& map, const TZephItemPoint* points, const std::uint8_t* kinds, std::size_t k,
                   std::size_t n, bool& broken, const Exact& exact) {
    // The state lives in locals while the loop runs, so that it stays in registers.
    int x = pen_.x();
    int y = pen_.y();
    int top = top_;
    int bottom = bottom_;
    bool lost = broken;
    for (; k < n; ++k) {
      const std::uint8_t kind = kinds[k];
      QPoint p;
      bool mapped = map.Map(points[k], p);
      if (kind != ikDrawTo || !mapped || lost || p.x() != x) {
        if (kind != ikMoveTo && kind != ikDrawTo) break;
        if (!mapped) {
          if (!std::isfinite(points[k].X) || !std::isfinite(points[k].Y)) {
            lost = true;
            continue;
          }
          p = exact(points[k]);
        }
        if (kind == ikMoveTo || lost || p.x() != x) {
          Flush(x, top, bottom);
          if (kind == ikDrawTo && !lost) {
            rasterizer_.Line(QPoint(x, y), p);
            dirty_.MarkSegment(QPoint(x, y), p);
          }
          lost = false;
          x = p.x();
          y = p.y();
          continue;
        }
      }
      // A segment within the column paints from its start up to the row before its end.
      const int b = p.y();
      const int low = std::min(y, b + 1);
      const int high = std::max(y, b - 1);
      const bool moved = b != y;
      top = moved ? std::min(top, low) : top;
      bottom = moved ? std::max(bottom, high) : bottom;
      y = b;
    }
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
