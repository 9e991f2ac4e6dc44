// The grid of the chart area, on the scales of the current layer.
#include <algorithm>
#include <utility>

#include "chart/gridpositions.h"
#include "chart/zephchart.h"

namespace {

TGridAxis GridAxis(const TScaleProps* props, const TScale* scale, double spacing) {
  TGridAxis axis;
  axis.low = std::min(props->RangeLow(), props->RangeHigh());
  axis.high = std::max(props->RangeLow(), props->RangeHigh());
  axis.logarithmic = props->Logarithmic();
  axis.spacing = spacing;
  for (int n = 1; n <= scale->NumTicks(); ++n) axis.ticks.push_back(scale->TickPos(n));
  return axis;
}

}  // namespace

void TCustomZephChart::DrawGrid(TCanvas& canvas) {
  const int layer = CurrentLayer();
  const TGridAxis x_axis = GridAxis(ScaleX(layer), ScaleControlX(layer), grid_dx_);
  const TGridAxis y_axis = GridAxis(ScaleY(layer), ScaleControlY(layer), grid_dy_);
  const std::vector<double> xs = GridPositions(x_axis);
  const std::vector<double> ys = GridPositions(y_axis);

  canvas.SetPenColor(grid_color_);
  canvas.SetPenWidth(1);
  const bool dotted = grid_style_ == gsDotLines || grid_style_ == gsHorizDotLines || grid_style_ == gsVertDotLines;
  canvas.SetPenStyle(dotted ? psDot : psSolid);
  const bool vertical = grid_style_ == gsVertLines || grid_style_ == gsLines || grid_style_ == gsVertDotLines ||
                        grid_style_ == gsDotLines;
  const bool horizontal = grid_style_ == gsHorizLines || grid_style_ == gsLines ||
                          grid_style_ == gsHorizDotLines || grid_style_ == gsDotLines;
  if (vertical) {
    for (double x : xs) {
      const QPoint from = WorldToPixel(layer, x, y_axis.low);
      const QPoint to = WorldToPixel(layer, x, y_axis.high);
      canvas.MoveTo(from.x() - l_rim_, from.y() - t_rim_);
      canvas.LineTo(to.x() - l_rim_, to.y() - t_rim_);
    }
  }
  if (horizontal) {
    for (double y : ys) {
      const QPoint from = WorldToPixel(layer, x_axis.low, y);
      const QPoint to = WorldToPixel(layer, x_axis.high, y);
      canvas.MoveTo(from.x() - l_rim_, from.y() - t_rim_);
      canvas.LineTo(to.x() - l_rim_, to.y() - t_rim_);
    }
  }
  if (grid_style_ == gsPoints) {
    int drawn = 0;
    for (double x : xs) {
      for (double y : ys) {
        if (drawn++ >= kMaxGridLines) break;
        const QPoint p = WorldToPixel(layer, x, y);
        canvas.SetPixel(p.x() - l_rim_, p.y() - t_rim_, grid_color_);
      }
    }
  }
  canvas.SetPenStyle(psSolid);
}
