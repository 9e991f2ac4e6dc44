// The grid of the chart area, on the scales of the current layer.
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <utility>
#include <vector>

#include "zeph/chart/axes/gridpositions_p.h"
#include "zeph/chart/render/chartrenderer_p.h"

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

std::vector<std::pair<QPoint, QPoint>> TChartRenderer::GridLines() const {
  std::vector<std::pair<QPoint, QPoint>> lines;
  const bool vertical = look_.grid_style == gsVertLines || look_.grid_style == gsLines || look_.grid_style == gsVertDotLines ||
                        look_.grid_style == gsDotLines;
  const bool horizontal = look_.grid_style == gsHorizLines || look_.grid_style == gsLines ||
                          look_.grid_style == gsHorizDotLines || look_.grid_style == gsDotLines;
  if (!vertical && !horizontal) return lines;
  const int layer = store_.CurrentLayer();
  const TGridAxis x_axis = GridAxis(layers_.X(layer), axes_.ControlX(layer), look_.grid_dx);
  const TGridAxis y_axis = GridAxis(layers_.Y(layer), axes_.ControlY(layer), look_.grid_dy);
  const QPoint origin(geometry_.LRim(), geometry_.TRim());
  const auto add = [&](QPoint from, QPoint to) { lines.emplace_back(from - origin, to - origin); };
  if (vertical) {
    for (double x : GridPositions(x_axis))
      add(geometry_.WorldToPixel(layer, x, y_axis.low), geometry_.WorldToPixel(layer, x, y_axis.high));
  }
  if (horizontal) {
    for (double y : GridPositions(y_axis))
      add(geometry_.WorldToPixel(layer, x_axis.low, y), geometry_.WorldToPixel(layer, x_axis.high, y));
  }
  return lines;
}

std::vector<QRect> TChartRenderer::SolidGridBoxes() const {
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

void TChartRenderer::DrawGrid(TCanvas& canvas) {
  const TColor color = ShownColor(look_.grid_color, QPalette::Mid);
  canvas.SetPenColor(color);
  canvas.SetPenWidth(1);
  const bool dotted = look_.grid_style == gsDotLines || look_.grid_style == gsHorizDotLines || look_.grid_style == gsVertDotLines;
  if (dotted) {
    canvas.SetPenStyle(psDot);
    for (const auto& [from, to] : GridLines()) {
      canvas.MoveTo(from.x(), from.y());
      canvas.LineTo(to.x(), to.y());
    }
  } else if (look_.grid_style == gsPoints) {
    const int layer = store_.CurrentLayer();
    const std::vector<double> xs = GridPositions(GridAxis(layers_.X(layer), axes_.ControlX(layer), look_.grid_dx));
    const std::vector<double> ys = GridPositions(GridAxis(layers_.Y(layer), axes_.ControlY(layer), look_.grid_dy));
    int drawn = 0;
    for (double x : xs) {
      for (double y : ys) {
        if (drawn++ >= kMaxGridLines) break;
        const QPoint p = geometry_.WorldToPixel(layer, x, y);
        canvas.SetPixel(p.x() - geometry_.LRim(), p.y() - geometry_.TRim(), color);
      }
    }
  } else {
    SetSolidGridPen(canvas);
    canvas.FillBoxes(SolidGridFill(canvas, SolidGridBoxes()));
  }
  canvas.SetPenStyle(psSolid);
}

bool TChartRenderer::SolidGrid() const {
  return look_.grid_style == gsLines || look_.grid_style == gsHorizLines || look_.grid_style == gsVertLines;
}

std::vector<TCanvas::ColorBox> TChartRenderer::SolidGridFill(const TCanvas& canvas,
                                                                      const std::vector<QRect>& boxes) {
  const TColor color = ShownColor(look_.grid_color, QPalette::Mid);
  if (&canvas == &area_bmp_.Canvas()) grid_boxes_.insert(grid_boxes_.end(), boxes.begin(), boxes.end());
  std::vector<TCanvas::ColorBox> fill;
  fill.reserve(boxes.size());
  for (const QRect& box : boxes) fill.push_back({box.left(), box.top(), box.right() + 1, box.bottom() + 1, color});
  return fill;
}

void TChartRenderer::SetSolidGridPen(TCanvas& canvas) const {
  const TColor color = ShownColor(look_.grid_color, QPalette::Mid);
  canvas.SetPenColor(color);
  canvas.SetPenWidth(1);
  canvas.SetPenStyle(psSolid);
  canvas.SetBrushColor(color);
}

}  // namespace zeph
