// The grid of the chart area, on the scales of the current layer.
#include <algorithm>
#include <utility>

#include "zeph/chart/gridpositions_p.h"
#include "zeph/chart/zephchart.h"

namespace zeph {

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

  canvas.SetPenColor(ShownColor(grid_color_, QPalette::Mid));
  canvas.SetPenWidth(1);
  const bool dotted = grid_style_ == gsDotLines || grid_style_ == gsHorizDotLines || grid_style_ == gsVertDotLines;
  canvas.SetPenStyle(dotted ? psDot : psSolid);
  const bool vertical = grid_style_ == gsVertLines || grid_style_ == gsLines || grid_style_ == gsVertDotLines ||
                        grid_style_ == gsDotLines;
  const bool horizontal = grid_style_ == gsHorizLines || grid_style_ == gsLines ||
                          grid_style_ == gsHorizDotLines || grid_style_ == gsDotLines;
  // A solid line along a pixel row or column is a one-pixel box: the same pixels (the start
  // included, the end left out), at a fraction of the cost of a line.
  // The boxes are kept for the chart area, so that the next rendering can take them away again.
  const bool on_area = &canvas == &area_bmp_.Canvas();
  const auto line = [&canvas, dotted, on_area, this](QPoint from, QPoint to) {
    from -= QPoint(l_rim_, t_rim_);
    to -= QPoint(l_rim_, t_rim_);
    if (dotted) {
      canvas.MoveTo(from.x(), from.y());
      canvas.LineTo(to.x(), to.y());
      return;
    }
    const QRect box = from.x() == to.x()
                          ? QRect(QPoint(from.x(), std::min(from.y(), to.y() + 1)),
                                  QPoint(from.x() + 1, std::max(from.y() + 1, to.y())))
                          : QRect(QPoint(std::min(from.x(), to.x() + 1), from.y()),
                                  QPoint(std::max(from.x() + 1, to.x()), from.y() + 1));
    // As corners: the far one is exclusive, as FillRect takes it.
    canvas.FillRect(box.left(), box.top(), box.right(), box.bottom());
    if (on_area) grid_boxes_.push_back(box);
  };
  canvas.SetBrushColor(ShownColor(grid_color_, QPalette::Mid));
  if (vertical) {
    for (double x : xs) line(WorldToPixel(layer, x, y_axis.low), WorldToPixel(layer, x, y_axis.high));
  }
  if (horizontal) {
    for (double y : ys) line(WorldToPixel(layer, x_axis.low, y), WorldToPixel(layer, x_axis.high, y));
  }
  if (grid_style_ == gsPoints) {
    int drawn = 0;
    for (double x : xs) {
      for (double y : ys) {
        if (drawn++ >= kMaxGridLines) break;
        const QPoint p = WorldToPixel(layer, x, y);
        canvas.SetPixel(p.x() - l_rim_, p.y() - t_rim_, ShownColor(grid_color_, QPalette::Mid));
      }
    }
  }
  canvas.SetPenStyle(psSolid);
}

}  // namespace zeph
