// Painting the chart: the full paint, the data-area refresh, the control background with shadow,
// caption and scales, and the chart-area background.
#include <QImageReader>
#include <algorithm>
#include <array>
#include <cmath>

#include "zeph/chart/render/chartrenderer_p.h"

namespace zeph {

void TChartRenderer::SizeImages() {
  area_bmp_.SetSize(geometry_.ChartWidth() + 1, geometry_.ChartHeight() + 1);
  control_bmp_.SetSize(geometry_.Width(), geometry_.Height());
  background_bmp_.SetSize(10, 10);
}

bool TChartRenderer::Current(QSize size, qreal ratio) const {
  return image_current_ && control_bmp_.Size() == size && control_bmp_.Ratio() == ratio;
}

void TChartRenderer::SyncRatio(qreal ratio) {
  if (control_bmp_.Ratio() == ratio) return;
  for (TBitmap* bitmap : {&control_bmp_, &area_bmp_}) bitmap->SetRatio(ratio);
  Invalidate();
}

bool TChartRenderer::AreaRefreshable(QSize size, qreal ratio) const {
  // A legend in the rim may have changed with the data.
  const bool legend_outside = parts_.legend->Visible() && parts_.legend->Position() == TChartLegend::lpOutsideRight;
  return control_bmp_.Size() == size && control_bmp_.Ratio() == ratio && !legend_outside;
}

QRect TChartRenderer::AreaRect() const {
  return {geometry_.LRim(), geometry_.TRim(), area_bmp_.Width(), area_bmp_.Height()};
}

void TChartRenderer::RenderControl() {
  TCanvas& control = control_bmp_.Canvas();
  const bool background_drawn = RenderBackground(control);
  ShareChartArea();
  // Drawn anew, the background may have reached into the chart area (a caption placed there, text
  // beyond the rims), and on a finer image the rims' device pixels may reach into the area's edge:
  // in the control image, the area is then drawn anew as a whole.
  const qreal ratio = control_bmp_.Ratio();
  const auto whole = [ratio](int pixels) { return std::abs(pixels * ratio - std::round(pixels * ratio)) < 1e-9; };
  const bool aligned = whole(geometry_.LRim()) && whole(geometry_.TRim()) &&
                       whole(geometry_.LRim() + area_bmp_.Width()) && whole(geometry_.TRim() + area_bmp_.Height());
  if (area_bmp_.Shared() && (background_drawn || !aligned)) dirty_columns_.MarkAll();
  // The same holds for the next paint when it draws the background anew, as one after a change of
  // range most likely does (a live plot scrolling): what the area's rendering draws on is then not
  // worth recording.
  record_area_drawing_ = !area_bmp_.Shared() || !background_drawn;
  TCanvas& area = area_bmp_.Canvas();
  RenderSmoothedChartArea(area);
  record_area_drawing_ = true;
  if (!area_bmp_.Shared()) control.Draw(geometry_.LRim(), geometry_.TRim(), area_bmp_.Image());
  area_pending_ = false;
  DrawCrossHairs(control, 0, 0);
  if (parts_.legend->Visible()) DrawLegend(control, 0, 0);
  image_current_ = true;
}

void TChartRenderer::RenderSmoothedChartArea(TCanvas& area) {
  area.SetAntialiased(look_.antialiased);
  RenderChartArea(area);
  area.SetAntialiased(false);
  // Smoothed edges reach beyond the columns a curve's pixels lie in.
  if (look_.antialiased) dirty_columns_.MarkAll();
}

void TChartRenderer::RefreshArea() {
  ShareChartArea();
  TCanvas& area = area_bmp_.Canvas();
  RenderSmoothedChartArea(area);
  DrawCrossHairs(area, geometry_.LRim(), geometry_.TRim());
  if (parts_.legend->Visible()) {
    DrawLegend(area, geometry_.LRim(), geometry_.TRim());
    dirty_columns_.MarkAll();
  }
  // The chart area lands in the control image when someone looks at it (the screen or a caller
  // of ControlImage), so a slider dragged faster than the screen refreshes copies it once a frame;
  // drawn there straight, it is there already.
  area_pending_ = !area_bmp_.Shared();
  image_current_ = true;
}

void TChartRenderer::ShareChartArea() {
  const bool share = !parts_.legend->Visible() && std::none_of(parts_.cross_hairs.begin(), parts_.cross_hairs.end(),
                                                         [](const TCrossHair* c) { return c->Mode() != chOff; });
  const uchar* before = area_bmp_.Image().constBits();
  area_bmp_.ShowIn(share ? &control_bmp_ : nullptr, QPoint(geometry_.LRim(), geometry_.TRim()));
  // Other pixels hold another picture: what the last rendering drew there is unknown.
  if (area_bmp_.Image().constBits() != before) dirty_columns_.MarkAll();
}

void TChartRenderer::ComposeControlImage() {
  if (!area_pending_) return;
  area_pending_ = false;
  control_bmp_.Canvas().Draw(geometry_.LRim(), geometry_.TRim(), area_bmp_.Image());
}

const QImage& TChartRenderer::ControlImage() {
  ComposeControlImage();
  return control_bmp_.Image();
}

const QImage& TChartRenderer::ChartAreaImage() {
  if (area_clear_pending_) {
    area_clear_pending_ = false;
    // The screen keeps the last curve: a refreshed area still on its way there lands in the
    // control image before the background covers it.
    ComposeControlImage();
    // Pixels of its own, so that the control image keeps the curve.
    area_bmp_.ShowIn(nullptr, QPoint());
    dirty_columns_.MarkAll();
    ClearChartArea(area_bmp_.Canvas(), 0, 0);
  }
  return area_bmp_.Image();
}

QRect TChartRenderer::InvertRectangle(QPoint a, QPoint corner) {
  // Inverted pixels on the control image: drawing the same rectangle again takes it away.
  if (a.x() == corner.x() || a.y() == corner.y()) return {};
  // The image must hold everything shown before the rectangle goes over it.
  ComposeControlImage();
  // Over a chart area drawn into the control image it lands in the area too.
  if (area_bmp_.Shared()) dirty_columns_.MarkAll();
  TCanvas& canvas = control_bmp_.Canvas();
  canvas.SetPenMode(pmXor);
  canvas.SetPenColor(clWhite);
  canvas.SetPenStyle(psSolid);
  canvas.SetPenWidth(1);
  canvas.SetBrushStyle(bsClear);
  canvas.Rectangle(a.x(), a.y(), corner.x(), corner.y());
  canvas.SetPenMode(pmCopy);
  canvas.SetBrushStyle(bsSolid);
  return QRect(a, corner).normalized().adjusted(-1, -1, 1, 1);
}

bool TChartRenderer::RenderBackground(TCanvas& canvas) {
  const int w = geometry_.Width();
  const int h = geometry_.Height();
  control_bmp_.SetSize(w, h);
  // The chart area is drawn over the middle of the control anyway: only the rims are kept, each
  // as the device pixels it covers.
  const QImage& image = control_bmp_.Image();
  std::array<QRect, 4> rims;
  const std::array<QRect, 4> logical = geometry_.RimRects();
  for (std::size_t i = 0; i < rims.size(); ++i)
    rims[i] = DevicePixels(logical[i], control_bmp_.Ratio()) & image.rect();
  const bool unchanged = background_valid_ && !host_.DrawsOnScales();
  if (unchanged && !rims_pending_ && rim_cache_rects_ == rims) {
    for (std::size_t i = 0; i < rims.size(); ++i)
      CopyPixels(rim_cache_[i], rim_cache_[i].rect(), image, rims[i].topLeft());
    host_.CalcScaling();
    return false;
  }
  DrawControlBackground(canvas);
  // Keeping the rims costs a copy of them: worth it once a paint follows without a change, not
  // while every paint changes a range (a live plot).
  if (unchanged) {
    for (std::size_t i = 0; i < rims.size(); ++i) rim_cache_[i] = image.copy(rims[i]);
    rim_cache_rects_ = rims;
  }
  rims_pending_ = !unchanged;
  background_valid_ = true;
  // The scales drew their ticks anew, which the grid may follow.
  area_base_valid_ = false;
  return true;
}

void TChartRenderer::DrawControlBackground(TCanvas& canvas) {
  const int w = geometry_.Width();
  const int h = geometry_.Height();
  canvas.SetPenStyle(psSolid);
  canvas.SetPenMode(pmCopy);
  canvas.SetPenWidth(1);
  canvas.SetBrushStyle(bsSolid);
  const TColor wind = ShownColor(look_.wind_color, QPalette::Window);
  canvas.SetBrushColor(wind);
  canvas.SetPenColor(wind);
  // The window colour under the chart area would be covered by the area at once: the rims do.
  for (const QRect& rim : geometry_.RimRects())
    if (!rim.isEmpty()) canvas.FillRect(rim.left(), rim.top(), rim.left() + rim.width(), rim.top() + rim.height());

  const int s = geometry_.ShadowWidth();
  if (s > 0) {
    const TColor shadow_bak = ShownColor(look_.shadow_bak_color, QPalette::Window);
    const TColor shadow = ShownColor(look_.shadow_color, QPalette::Dark);
    canvas.SetBrushColor(shadow_bak);
    canvas.SetPenColor(shadow_bak);
    canvas.Rectangle(w - s, 0, w, s);
    canvas.Rectangle(0, h - s, s, h);
    canvas.SetBrushColor(shadow);
    int e = 0;
    if (look_.shadow_style == ssFlying) {
      canvas.SetPenColor(shadow);
      e = s - 1;
    } else {
      canvas.SetPenColor(clBlack);
    }
    const std::array<QPoint, 4> bottom = {QPoint(e, h - s), QPoint(s - 1, h - 1), QPoint(w - 1, h - 1),
                                          QPoint(w - s, h - s)};
    canvas.Polygon(bottom.data(), 4);
    const std::array<QPoint, 4> right = {QPoint(w - s, h - s), QPoint(w - 1, h - 1), QPoint(w - 1, s - 1),
                                         QPoint(w - s, e)};
    canvas.Polygon(right.data(), 4);
    canvas.SetPenColor(clBlack);
    const std::array<QPoint, 5> outline = {QPoint(0, 0), QPoint(w - s, 0), QPoint(w - s, h - s), QPoint(0, h - s),
                                           QPoint(0, 0)};
    canvas.Polyline(outline.data(), 5);
  }

  if (!look_.caption.isEmpty()) {
    canvas.SetPenColor(ShownColor(look_.chart_frame_color, QPalette::WindowText));
    canvas.SetBrushStyle(bsClear);
    TFont font = look_.font;
    if (look_.palette_colors) font.Color = ShownColor(look_.font.Color, QPalette::WindowText);
    canvas.SetFont(font);
    const int text_width = canvas.TextWidth(look_.caption);
    QPoint at = geometry_.CaptionAnchor(look_.caption_pos_x, look_.caption_pos_y, look_.caption_anchor_horiz,
                                        look_.caption_anchor_vert);
    if (look_.caption_alignment == taRightJustify) at.rx() -= text_width;
    if (look_.caption_alignment == taCenter) at.rx() -= text_width / 2;
    canvas.TextOut(at.x(), at.y(), look_.caption);
    canvas.SetBrushStyle(bsSolid);
  }

  host_.CalcScaling();
  for (TScale* scale : axes_.Controls()) scale->ForcePaint();
  host_.ScalesRendered(canvas);
}

void TChartRenderer::ClearChartArea(TCanvas& canvas, int x0, int y0,
                                             const std::vector<TCanvas::ColorBox>& over) {
  // Drawn elsewhere (a printer, an export), the chart area needs no image of its own.
  if (&canvas == &area_bmp_.Canvas()) area_bmp_.SetSize(geometry_.ChartWidth() + 1, geometry_.ChartHeight() + 1);
  const int w = std::max(geometry_.ChartWidth() + 1, 0);
  const int h = std::max(geometry_.ChartHeight() + 1, 0);
  if (w == 0 || h == 0) return;
  const TColor background = ShownColor(look_.chart_color, QPalette::Base);
  canvas.SetPenStyle(psSolid);
  canvas.SetPenMode(pmCopy);
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(background);
  canvas.SetPenColor(ShownColor(look_.chart_frame_color, QPalette::WindowText));
  // On a finer image the area's last device row and column may begin inside its last pixel: they
  // are the area's too, and get its background rather than keep what was there (the image or its
  // clip cuts what lies beyond).
  std::vector<TCanvas::ColorBox> boxes = {{x0 + w, y0, x0 + w + 1, y0 + h + 1, background},
                                          {x0, y0 + h, x0 + w + 1, y0 + h + 1, background}};
  if (parts_.background_image->Name().isEmpty() && canvas.RectangleBoxes(x0, y0, x0 + w, y0 + h, boxes)) {
    boxes.insert(boxes.end(), over.begin(), over.end());
    canvas.FillBoxes(boxes);
    return;
  }
  canvas.FillBoxes(boxes);
  if (!DrawBackgroundPicture(canvas, x0, y0, w, h)) canvas.Rectangle(x0, y0, x0 + w, y0 + h);
  canvas.FillBoxes(over);
}

bool TChartRenderer::DrawBackgroundPicture(TCanvas& canvas, int x0, int y0, int w, int h) {
  const QString name = parts_.background_image->Name();
  if (name.isEmpty()) return false;
  // The file is read at every paint, so a changed file shows at once.
  QImageReader reader(name);
  QImage image = reader.read();
  if (image.isNull()) {
    // Forget a file that cannot be loaded, so that later paints do not try again.
    parts_.background_image->ClearNameSilently();
    return false;
  }
  image = image.convertToFormat(QImage::Format_RGB32);
  background_bmp_.SetSize(image.width(), image.height());
  background_bmp_.Canvas().Draw(0, 0, image);
  const QImage& picture = background_bmp_.Image();
  switch (parts_.background_image->FillMode()) {
    case bfSimple:
      canvas.Rectangle(x0, y0, x0 + w, y0 + h);
      canvas.Draw(0, 0, picture);
      break;
    case bfStretch:
      canvas.StretchDraw(0, 0, w, h, picture);
      break;
    case bfTile: {
      const int columns = (w - 1) / picture.width() + 1;
      const int rows = (h - 1) / picture.height() + 1;
      for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) canvas.Draw(c * picture.width(), r * picture.height(), picture);
      }
      break;
    }
  }
  return true;
}

}  // namespace zeph
