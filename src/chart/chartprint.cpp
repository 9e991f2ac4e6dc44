// Drawing the whole chart onto a canvas of someone else's: a printer, a PDF or another image.
#include <QPainter>

#include "chart/zephchart.h"

void TCustomZephChart::PaintTo(TCanvas& canvas, int x, int y) {
  if (!canvas.IsActive()) return;
  if (size() != laid_out_size_) AfterResize();
  CalcScaling();
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.translate(x, y);
  // The scales draw on their external canvas: this one, for the time of the drawing.
  for (TScale* scale : scales_x_) scale->SetExternalCanvas(&canvas, 0, 0);
  for (TScale* scale : scales_y_) scale->SetExternalCanvas(&canvas, 0, 0);
  DrawControlBackground(canvas);
  for (TScale* scale : scales_x_) scale->SetExternalCanvas(&control_bmp_.Canvas(), 0, 0);
  for (TScale* scale : scales_y_) scale->SetExternalCanvas(&control_bmp_.Canvas(), 0, 0);

  // The chart area, clipped to itself as its own bitmap clips it on screen.
  painter.save();
  painter.translate(l_rim_, t_rim_);
  painter.setClipRect(0, 0, std::max(ChartWidth() + 1, 0), std::max(ChartHeight() + 1, 0));
  ClearChartArea(canvas, 0, 0);
  RenderItems(canvas);
  painter.restore();
  DrawCrossHairs(canvas, 0, 0);
  painter.restore();
}
