// Drawing the whole chart onto a canvas of someone else's: a printer, a PDF or another image.
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "zeph/chart/render/chartrenderer_p.h"

namespace zeph {

namespace {

// An image drawn on pixel for pixel (at its device pixel ratio), as the chart's own bitmaps are.
bool IsImage(TCanvas& canvas) {
  const QPaintDevice* device = canvas.Painter().device();
  return !canvas.IsPrinter() && device && device->devType() == QInternal::Image;
}

}  // namespace

void TChartRenderer::PaintTo(TCanvas& canvas, int x, int y) {
  if (!canvas.IsActive()) return;
  host_.CalcScaling();
  // The scales draw on their external canvas: the one given, for the time of the drawing.
  const auto draw_background = [this](TCanvas& target) {
    for (TScale* scale : axes_.Controls()) scale->SetExternalCanvas(&target, 0, 0);
    DrawControlBackground(target);
    for (TScale* scale : axes_.Controls()) scale->SetExternalCanvas(&control_bmp_.Canvas(), 0, 0);
  };
  const int area_width = std::max(geometry_.ChartWidth() + 1, 0);
  const int area_height = std::max(geometry_.ChartHeight() + 1, 0);

  if (IsImage(canvas)) {
    const QImage& target = *static_cast<const QImage*>(canvas.Painter().device());
    const QRect where(x, y, geometry_.Width(), geometry_.Height());
    if (target.devicePixelRatio() == 1 && target.format() == QImage::Format_RGB32 && target.rect().contains(where) &&
        canvas.Painter().transform().isIdentity() && !canvas.Painter().hasClipping()) {
      // Drawn as for the screen, straight into the parts of the image where the control and its
      // chart area go: the same pixels as the chart's own bitmaps, and no memory of their size.
      QImage control = ImagePart(target, where);
      QImage area = ImagePart(target, QRect(x + geometry_.LRim(), y + geometry_.TRim(), area_width, area_height));
      {
        TCanvas background(&control);
        draw_background(background);
      }
      {
        TCanvas data(&area);
        ClearChartArea(data, 0, 0);
        data.SetAntialiased(look_.antialiased);
        RenderItems(data);
      }
      TCanvas cross_hairs(&control);
      DrawCrossHairs(cross_hairs, 0, 0);
      if (parts_.legend->Visible()) DrawLegend(cross_hairs, 0, 0);
      return;
    }
    // On an image the chart is drawn as for the screen, in bitmaps of its own at the image's
    // ratio, and copied: a translated and clipped painter would draw lines with pixels of its own,
    // not the canvas's.
    const qreal ratio = target.devicePixelRatio();
    TBitmap control(geometry_.Width(), geometry_.Height(), ratio);
    draw_background(control.Canvas());
    TBitmap area(area_width, area_height, ratio);
    ClearChartArea(area.Canvas(), 0, 0);
    area.Canvas().SetAntialiased(look_.antialiased);
    RenderItems(area.Canvas());
    control.Canvas().Draw(geometry_.LRim(), geometry_.TRim(), area.Image());
    DrawCrossHairs(control.Canvas(), 0, 0);
    if (parts_.legend->Visible()) DrawLegend(control.Canvas(), 0, 0);
    canvas.SetPenMode(pmCopy);
    canvas.Draw(x, y, control.Image());
    return;
  }

  QPainter& painter = canvas.Painter();
  painter.save();
  painter.translate(x, y);
  draw_background(canvas);
  // The chart area, clipped to itself as its own bitmap clips it on screen.
  painter.save();
  painter.translate(geometry_.LRim(), geometry_.TRim());
  painter.setClipRect(0, 0, area_width, area_height);
  ClearChartArea(canvas, 0, 0);
  const bool smooth = canvas.Antialiased();
  canvas.SetAntialiased(look_.antialiased);
  RenderItems(canvas);
  canvas.SetAntialiased(smooth);
  painter.restore();
  DrawCrossHairs(canvas, 0, 0);
  if (parts_.legend->Visible()) DrawLegend(canvas, 0, 0);
  painter.restore();
}

}  // namespace zeph
