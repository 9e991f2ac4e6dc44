// The grid of the chart area, on the scales of the current layer.
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <utility>
#include <vector>

#include "zeph/chart/axes/gridpositions_p.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

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

std::vector<std::pair<QPoint, QPoint>> TCustomZephChartPrivate::GridLines() const {
  std::vector<std::pair<QPoint, QPoint>> lines;
  const bool vertical = grid_style_ == gsVertLines || grid_style_ == gsLines || grid_style_ == gsVertDotLines ||
                        grid_style_ == gsDotLines;
  const bool horizontal = grid_style_ == gsHorizLines || grid_style_ == gsLines ||
                          grid_style_ == gsHorizDotLines || grid_style_ == gsDotLines;
  if (!vertical && !horizontal) return lines;
  const int layer = q->CurrentLayer();
  const TGridAxis x_axis = GridAxis(q->ScaleX(layer), q->ScaleControlX(layer), grid_dx_);
  const TGridAxis y_axis = GridAxis(q->ScaleY(layer), q->ScaleControlY(layer), grid_dy_);
  const QPoint origin(geometry_.LRim(), geometry_.TRim());
  const auto add = [&](QPoint from, QPoint to) { lines.emplace_back(from - origin, to - origin); };
  if (vertical) {
    for (double x : GridPositions(x_axis))
      add(q->WorldToPixel(layer, x, y_axis.low), q->WorldToPixel(layer, x, y_axis.high));
  }
  if (horizontal) {
    for (double y : GridPositions(y_axis))
      add(q->WorldToPixel(layer, x_axis.low, y), q->WorldToPixel(layer, x_axis.high, y));
  }
  return lines;
}

std::vector<QRect> TCustomZephChartPrivate::SolidGridBoxes() const {
  // A solid line along a pixel row or column is a one-pixel box: the same pixels (the start
  // included, the end left out), at a fraction of the cost of a line.
  std::vector<QRect> boxes;
  for (const auto& [from, to] : GridLines()) {
    boxes.push_back(from.x() == to.x() ? QRect(QPoint(from.x(), std::min(from.y(), to.y() + 1)),
                                               QPoint(from.x(), std::max(from.y(), to.y() - 1)))
                                       : QRect(QPoint(std::min(from.x(), to.x() + 1), from.y()),
                                               QPoint(std::max(from.x(), to.x() - 1), from.y())));
  }
  return boxes;
}

void TCustomZephChartPrivate::DrawGrid(TCanvas& canvas) {
  const TColor color = q->ShownColor(grid_color_, QPalette::Mid);
  canvas.SetPenColor(color);
  canvas.SetPenWidth(1);
  const bool dotted = grid_style_ == gsDotLines || grid_style_ == gsHorizDotLines || grid_style_ == gsVertDotLines;
  if (dotted) {
    canvas.SetPenStyle(psDot);
    for (const auto& [from, to] : GridLines()) {
      canvas.MoveTo(from.x(), from.y());
      canvas.LineTo(to.x(), to.y());
    }
  } else if (grid_style_ == gsPoints) {
    const int layer = q->CurrentLayer();
    const std::vector<double> xs = GridPositions(GridAxis(q->ScaleX(layer), q->ScaleControlX(layer), grid_dx_));
    const std::vector<double> ys = GridPositions(GridAxis(q->ScaleY(layer), q->ScaleControlY(layer), grid_dy_));
    int drawn = 0;
    for (double x : xs) {
      for (double y : ys) {
        if (drawn++ >= kMaxGridLines) break;
        const QPoint p = q->WorldToPixel(layer, x, y);
        canvas.SetPixel(p.x() - geometry_.LRim(), p.y() - geometry_.TRim(), color);
      }
    }
  } else {
    SetSolidGridPen(canvas);
    canvas.FillBoxes(SolidGridFill(canvas, SolidGridBoxes()));
  }
  canvas.SetPenStyle(psSolid);
}

bool TCustomZephChartPrivate::SolidGrid() const {
  return grid_style_ == gsLines || grid_style_ == gsHorizLines || grid_style_ == gsVertLines;
}

std::vector<TCanvas::ColorBox> TCustomZephChartPrivate::SolidGridFill(const TCanvas& canvas,
                                                                      const std::vector<QRect>& boxes) {
  const TColor color = q->ShownColor(grid_color_, QPalette::Mid);
  if (&canvas == &area_bmp_.Canvas()) grid_boxes_.insert(grid_boxes_.end(), boxes.begin(), boxes.end());
  std::vector<TCanvas::ColorBox> fill;
  fill.reserve(boxes.size());
  for (const QRect& box : boxes) fill.push_back({box.left(), box.top(), box.right() + 1, box.bottom() + 1, color});
  return fill;
}

void TCustomZephChartPrivate::SetSolidGridPen(TCanvas& canvas) const {
  const TColor color = q->ShownColor(grid_color_, QPalette::Mid);
  canvas.SetPenColor(color);
  canvas.SetPenWidth(1);
  canvas.SetPenStyle(psSolid);
  canvas.SetBrushColor(color);
}

}  // namespace zeph
