// Rendering the display list into the chart-area image: grid, items, text labels and frame.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "zeph/chart/render/curvedrawing_p.h"
#include "zeph/chart/render/chartrenderer_p.h"

namespace zeph {

QPoint TChartRenderer::ItemPixel(int layer, double x, double y) const {
  const QPoint p = geometry_.WorldToPixel(layer, x, y);
  return {std::clamp(p.x(), -kPixelClamp, kPixelClamp) - geometry_.LRim(),
          std::clamp(p.y(), -kPixelClamp, kPixelClamp) - geometry_.TRim()};
}

QPointF TChartRenderer::PolylinePixel(int layer, double x, double y, bool exact) const {
  if (!exact) return ItemPixel(layer, x, y);
  const QPointF p = geometry_.WorldToPixelF(layer, x, y);
  const auto clamp = [](double v) { return std::clamp(v, -double{kPixelClamp}, double{kPixelClamp}); };
  return {clamp(p.x()) - geometry_.LRim(), clamp(p.y()) - geometry_.TRim()};
}

void TChartRenderer::RenderChartArea(TCanvas& canvas) {
  area_clear_pending_ = false;
  // Background and grid come from the cached empty area while nothing they depend on changed.
  const bool cacheable = parts_.background_image->Name().isEmpty() && !host_.DrawsUnderData();
  const QSize area_size(std::max(geometry_.ChartWidth() + 1, 0), std::max(geometry_.ChartHeight() + 1, 0));
  const bool unchanged =
      cacheable && area_base_valid_ && area_base_layer_ == store_.CurrentLayer() && area_bmp_.Size() == area_size;
  if (unchanged && !area_base_pending_ && area_base_.Holds(area_bmp_.Image().size())) {
    // Only what the last data rendering drew on needs the empty area back.
    const QImage& area = area_bmp_.Image();
    if (!dirty_columns_.RestoreRows([this](int y) { return area_base_.Row(y); }, area)) area_base_.CopyTo(area);
    ResetDirtyColumns();
    RenderData(canvas);
    return;
  }
  const TColor background = ShownColor(look_.chart_color, QPalette::Base);
  const TColor grid = ShownColor(look_.grid_color, QPalette::Mid);
  const QImage& image = area_bmp_.Image();
  // The grid's boxes go back to the background as well, whatever grid this rendering draws.
  const bool erasable = cacheable && drawn_area_valid_ && drawn_area_bits_ == image.constBits() &&
                        drawn_area_size_ == image.size() && drawn_area_background_ == background &&
                        drawn_area_grid_ == grid && area_bmp_.Size() == area_size;
  // A solid grid's boxes for this rendering: drawn with the background, and on a scroll the ones
  // that stay where they were need no erasing.
  const bool solid_grid = cacheable && SolidGrid();
  const std::vector<QRect> grid_boxes = solid_grid ? SolidGridBoxes() : std::vector<QRect>{};
  bool erased = false;
  if (erasable) {
    const std::vector<std::uint32_t> plain(static_cast<std::size_t>(std::max(image.width(), 0)),
                                           0xFF000000u | ColorToPixel(ColorToRGB(background)));
    erased = dirty_columns_.RestoreRows([&plain](int) { return plain.data(); }, image);
  }
  if (erased) {
    // A changed range over the same area (a live plot scrolling): only the pixels the last
    // rendering drew on get the background back, not the whole area. The frame is drawn anew.
    // Grid lines drawn again where they were (those along the scrolling axis) need no erasing.
    canvas.SetPenMode(pmCopy);
    canvas.SetBrushStyle(bsSolid);
    canvas.SetBrushColor(background);
    for (const QRect& box : grid_boxes_) {
      if (std::find(grid_boxes.begin(), grid_boxes.end(), box) == grid_boxes.end())
        canvas.FillRect(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
    }
  }
  ResetDirtyColumns();
  grid_boxes_.clear();
  // A solid grid goes down with the background, in one pass over the area's memory; handlers that
  // draw between the two (OnBeforeRenderData) keep them apart.
  if (solid_grid) {
    const std::vector<TCanvas::ColorBox> fill = SolidGridFill(canvas, grid_boxes);
    if (erased) {
      canvas.FillBoxes(fill);
    } else {
      ClearChartArea(canvas, 0, 0, fill);
    }
    SetSolidGridPen(canvas);
  } else if (!erased) {
    ClearChartArea(canvas, 0, 0);
  }
  // Dotted grids and grid points are not boxes a later rendering could take away.
  drawn_area_valid_ = cacheable && (look_.grid_style == gsNone || SolidGrid());
  drawn_area_bits_ = image.constBits();
  drawn_area_size_ = image.size();
  drawn_area_background_ = background;
  drawn_area_grid_ = grid;
  if (!cacheable) {
    dirty_columns_.MarkAll();
    RenderItems(canvas);
    return;
  }
  if (look_.grid_style != gsNone && !solid_grid) DrawGrid(canvas);
  // Keeping the empty area costs a copy of it: worth it once a paint follows without a change,
  // not while every paint changes the range (a live plot).
  if (unchanged) {
    area_base_.Take(area_bmp_.Image());
  }
  area_base_pending_ = !unchanged;
  area_base_valid_ = true;
  area_base_layer_ = store_.CurrentLayer();
  RenderData(canvas);
}

void TChartRenderer::ResetDirtyColumns() {
  // In the image's own pixels: device pixels on a finer one.
  const QSize pixels = area_bmp_.Image().size();
  dirty_columns_.Reset(pixels.width(), pixels.height());
  dirty_columns_.SetBrush(1);
  if (!record_area_drawing_) dirty_columns_.MarkAll();
}

void TChartRenderer::RenderItems(TCanvas& canvas) {
  if (host_.DrawsUnderData()) {
    const TColor brush = canvas.BrushColor();
    const TColor pen = canvas.PenColor();
    host_.BeforeRenderData(canvas);
    canvas.SetBrushColor(brush);
    canvas.SetPenColor(pen);
  }
  if (look_.grid_style != gsNone) DrawGrid(canvas);
  RenderData(canvas);
}

void TChartRenderer::RenderData(TCanvas& canvas) {
  TCurveDrawing drawing(*this, canvas, dirty_columns_, solid_cache_);
  drawing.DrawItems();
  drawing.DrawCurves();
  canvas.SetPenWidth(1);

  DrawTextLabels(canvas);
  if (host_.DrawsOverData() || std::any_of(parts_.text_labels.begin(), parts_.text_labels.end(),
                                           [](const TTextLabel* label) { return label->Mode() != tlOff; }))
    dirty_columns_.MarkAll();
  if (host_.DrawsOverData()) host_.AfterRenderData(canvas);

  const int cw = geometry_.ChartWidth();
  const int ch = geometry_.ChartHeight();
  // The frame lies on the outermost pixels of the chart-area image, all four corners included;
  // drawn as one-pixel boxes, which cover the same pixels as the closed outline.
  const TColor frame = ShownColor(look_.chart_frame_color, QPalette::WindowText);
  canvas.SetPenColor(frame);
  canvas.SetPenStyle(psSolid);
  canvas.SetPenWidth(1);
  canvas.SetBrushColor(frame);
  canvas.FillRect(0, 0, cw + 1, 1);
  canvas.FillRect(0, ch, cw + 1, ch + 1);
  canvas.FillRect(0, 0, 1, ch + 1);
  canvas.FillRect(cw, 0, cw + 1, ch + 1);
}

}  // namespace zeph
