// Painting the chart: the full paint, the data-area refresh, the control background with shadow,
// caption and scales, the chart-area background, the text labels and the cross-hairs.
#include <QImageReader>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>

#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

void TCustomZephChartPrivate::PaintControl() {
  if (paint_suspended_ || q->IsLoading() || (!q->ChartVisible() && !q->IsDesigning())) return;
  if (q->size() != laid_out_size_) {
    // A resize made while hidden is caught up first; its steps end in a paint of their own.
    AfterResize();
    if (image_current_) return;
  }
  SyncRatio();
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
  if (legend_->Visible()) DrawLegend(control, 0, 0);
  image_current_ = true;
  ShowOnScreen(q->rect());
  Q_EMIT q->DataRendered();
}

void TCustomZephChartPrivate::RenderSmoothedChartArea(TCanvas& area) {
  area.SetAntialiased(antialiased_);
  RenderChartArea(area);
  area.SetAntialiased(false);
  // Smoothed edges reach beyond the columns a curve's pixels lie in.
  if (antialiased_) dirty_columns_.MarkAll();
}

void TCustomZephChartPrivate::RefreshDataArea() {
  if (control_bmp_.Size() != q->size() || q->size() != laid_out_size_ || control_bmp_.Ratio() != q->RenderRatio()) {
    // Nothing of the control was rendered at q size yet: the rims need painting too.
    q->Paint();
    return;
  }
  if (legend_->Visible() && legend_->Position() == TChartLegend::lpOutsideRight) {
    // The legend in the rim may have changed with the data.
    q->Paint();
    return;
  }
  ShareChartArea();
  TCanvas& area = area_bmp_.Canvas();
  RenderSmoothedChartArea(area);
  DrawCrossHairs(area, geometry_.LRim(), geometry_.TRim());
  if (legend_->Visible()) {
    DrawLegend(area, geometry_.LRim(), geometry_.TRim());
    dirty_columns_.MarkAll();
  }
  // The chart area lands in the control image when someone looks at it (the screen or a caller
  // of ControlImage), so a slider dragged faster than the screen refreshes copies it once a frame;
  // drawn there straight, it is there already.
  area_pending_ = !area_bmp_.Shared();
  image_current_ = true;
  ShowOnScreen(QRect(geometry_.LRim(), geometry_.TRim(), area_bmp_.Width(), area_bmp_.Height()));
  Q_EMIT q->DataRendered();
}

void TCustomZephChartPrivate::ShareChartArea() {
  const bool share = !legend_->Visible() && std::none_of(cross_hairs_.begin(), cross_hairs_.end(),
                                                         [](const TCrossHair* c) { return c->Mode() != chOff; });
  const uchar* before = area_bmp_.Image().constBits();
  area_bmp_.ShowIn(share ? &control_bmp_ : nullptr, QPoint(geometry_.LRim(), geometry_.TRim()));
  // Other pixels hold another picture: what the last rendering drew there is unknown.
  if (area_bmp_.Image().constBits() != before) dirty_columns_.MarkAll();
}

void TCustomZephChartPrivate::ComposeControlImage() {
  if (!area_pending_) return;
  area_pending_ = false;
  control_bmp_.Canvas().Draw(geometry_.LRim(), geometry_.TRim(), area_bmp_.Image());
}

const QImage& TCustomZephChartPrivate::ControlImage() const {
  // Composing changes what the image holds, not what the chart shows.
  const_cast<TCustomZephChartPrivate*>(this)->ComposeControlImage();
  return control_bmp_.Image();
}

bool TCustomZephChartPrivate::RenderBackground(TCanvas& canvas) {
  const int w = q->width();
  const int h = q->height();
  control_bmp_.SetSize(w, h);
  // The chart area is drawn over the middle of the control anyway: only the rims are kept, each
  // as the device pixels it covers.
  const QImage& image = control_bmp_.Image();
  std::array<QRect, 4> rims;
  const std::array<QRect, 4> logical = geometry_.RimRects();
  for (std::size_t i = 0; i < rims.size(); ++i)
    rims[i] = DevicePixels(logical[i], control_bmp_.Ratio()) & image.rect();
  const bool unchanged = background_valid_ && !q->OnScalesRendered && !q->OnScaleTickDrawn;
  if (unchanged && !rims_pending_ && rim_cache_rects_ == rims) {
    for (std::size_t i = 0; i < rims.size(); ++i)
      CopyPixels(rim_cache_[i], rim_cache_[i].rect(), image, rims[i].topLeft());
    q->CalcScaling();
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

void TCustomZephChartPrivate::DrawControlBackground(TCanvas& canvas) {
  const int w = q->width();
  const int h = q->height();
  canvas.SetPenStyle(psSolid);
  canvas.SetPenMode(pmCopy);
  canvas.SetPenWidth(1);
  canvas.SetBrushStyle(bsSolid);
  const TColor wind = q->ShownColor(wind_color_, QPalette::Window);
  canvas.SetBrushColor(wind);
  canvas.SetPenColor(wind);
  // The window colour under the chart area would be covered by the area at once: the rims do.
  for (const QRect& rim : geometry_.RimRects())
    if (!rim.isEmpty()) canvas.FillRect(rim.left(), rim.top(), rim.left() + rim.width(), rim.top() + rim.height());

  const int s = geometry_.ShadowWidth();
  if (s > 0) {
    const TColor shadow_bak = q->ShownColor(shadow_bak_color_, QPalette::Window);
    const TColor shadow = q->ShownColor(shadow_color_, QPalette::Dark);
    canvas.SetBrushColor(shadow_bak);
    canvas.SetPenColor(shadow_bak);
    canvas.Rectangle(w - s, 0, w, s);
    canvas.Rectangle(0, h - s, s, h);
    canvas.SetBrushColor(shadow);
    int e = 0;
    if (shadow_style_ == ssFlying) {
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

  if (!caption_.isEmpty()) {
    canvas.SetPenColor(q->ShownColor(chart_frame_color_, QPalette::WindowText));
    canvas.SetBrushStyle(bsClear);
    TFont font = font_;
    if (palette_colors_) font.Color = q->ShownColor(font_.Color, QPalette::WindowText);
    canvas.SetFont(font);
    const int text_width = canvas.TextWidth(caption_);
    QPoint at = q->CaptionAnchorPoint();
    if (caption_alignment_ == taRightJustify) at.rx() -= text_width;
    if (caption_alignment_ == taCenter) at.rx() -= text_width / 2;
    canvas.TextOut(at.x(), at.y(), caption_);
    canvas.SetBrushStyle(bsSolid);
  }

  q->CalcScaling();
  for (TScale* scale : axes_.Controls()) scale->ForcePaint();
  if (q->OnScalesRendered) q->OnScalesRendered(q, canvas, 0, 0);
}

void TCustomZephChartPrivate::ClearChartArea(TCanvas& canvas, int x0, int y0,
                                             const std::vector<TCanvas::ColorBox>& over) {
  // Drawn elsewhere (a printer, an export), the chart area needs no image of its own.
  if (&canvas == &area_bmp_.Canvas()) area_bmp_.SetSize(q->ChartWidth() + 1, q->ChartHeight() + 1);
  const int w = std::max(q->ChartWidth() + 1, 0);
  const int h = std::max(q->ChartHeight() + 1, 0);
  if (w == 0 || h == 0) return;
  const TColor background = q->ShownColor(chart_color_, QPalette::Base);
  canvas.SetPenStyle(psSolid);
  canvas.SetPenMode(pmCopy);
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(background);
  canvas.SetPenColor(q->ShownColor(chart_frame_color_, QPalette::WindowText));
  // On a finer image the area's last device row and column may begin inside its last pixel: they
  // are the area's too, and get its background rather than keep what was there (the image or its
  // clip cuts what lies beyond).
  std::vector<TCanvas::ColorBox> boxes = {{x0 + w, y0, x0 + w + 1, y0 + h + 1, background},
                                          {x0, y0 + h, x0 + w + 1, y0 + h + 1, background}};
  if (back_ground_img_->Name().isEmpty() && canvas.RectangleBoxes(x0, y0, x0 + w, y0 + h, boxes)) {
    boxes.insert(boxes.end(), over.begin(), over.end());
    canvas.FillBoxes(boxes);
    return;
  }
  canvas.FillBoxes(boxes);
  if (!DrawBackgroundPicture(canvas, x0, y0, w, h)) canvas.Rectangle(x0, y0, x0 + w, y0 + h);
  canvas.FillBoxes(over);
}

bool TCustomZephChartPrivate::DrawBackgroundPicture(TCanvas& canvas, int x0, int y0, int w, int h) {
  const QString name = back_ground_img_->Name();
  if (name.isEmpty()) return false;
  // The file is read at every paint, so a changed file shows at once.
  QImageReader reader(name);
  QImage image = reader.read();
  if (image.isNull()) {
    // Forget a file that cannot be loaded, so that later paints do not try again.
    back_ground_img_->ClearNameSilently();
    return false;
  }
  image = image.convertToFormat(QImage::Format_RGB32);
  background_bmp_.SetSize(image.width(), image.height());
  background_bmp_.Canvas().Draw(0, 0, image);
  const QImage& picture = background_bmp_.Image();
  switch (back_ground_img_->FillMode()) {
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

void TCustomZephChartPrivate::DrawTextLabels(TCanvas& canvas) {
  for (int index = kTextLabelCount; index >= 1; --index) {
    const TTextLabel* label = q->TextLabel(index);
    if (label->Mode() == tlOff || !q->LayerVisible(label->Layer())) continue;
    QPoint anchor = label->AttachToData()
                        ? q->WorldToPixel(label->Layer(), label->PosX(), label->PosY())
                        : QPoint(static_cast<int>(std::nearbyint(std::clamp(label->PosX(), -1e9, 1e9))),
                                 static_cast<int>(std::nearbyint(std::clamp(label->PosY(), -1e9, 1e9))));
    int x = anchor.x() - geometry_.LRim();
    const int y = anchor.y() - geometry_.TRim();
    // With the palette's colours, a label in the default white and black takes the theme's.
    const TColor background =
        label->ColorBkg() == clWhite ? q->ShownColor(clWhite, QPalette::Base) : label->ColorBkg();
    const TColor border =
        label->ColorBorder() == clBlack ? q->ShownColor(clBlack, QPalette::Text) : label->ColorBorder();
    TFont font = label->Font();
    if (palette_colors_ && font.Color == clWindowText) font.Color = q->ShownColor(clWindowText, QPalette::Text);
    canvas.SetFont(font);
    canvas.SetPenColor(border);
    canvas.SetPenStyle(psSolid);
    canvas.SetBrushColor(background);
    canvas.SetBrushStyle(label->Transparent() ? bsClear : bsSolid);

    const QStringList lines = label->Caption().split(QLatin1Char('\n'));
    const int n = static_cast<int>(lines.size());
    int w = 0;
    for (const QString& line : lines) w = std::max(w, canvas.TextWidth(line));
    if (w == 0) w = canvas.TextWidth(label->Caption());
    const int h = canvas.TextHeight(label->Caption());
    if (label->Alignment() == taRightJustify) x -= w;
    if (label->Alignment() == taCenter) x -= w / 2;
    const int left = x - 4;
    const int top = y - h * n - 2;
    const int right = x + w + 4;
    const int bottom = y + 2;
    const auto box_in = [&](TColor pen) {
      canvas.SetPenColor(pen);
      canvas.Rectangle(left, top, right, bottom);
    };
    switch (label->Mode()) {
      case tlsimple:
        if (!label->Transparent()) box_in(background);
        break;
      case tlBox:
        box_in(border);
        break;
      case tlUnderline:
        if (!label->Transparent()) box_in(background);
        canvas.SetPenColor(border);
        canvas.MoveTo(x, y);
        canvas.LineTo(x + w, y);
        break;
      case tlShadow:
        canvas.SetPenColor(label->ColorShadow());
        canvas.SetBrushColor(label->ColorShadow());
        canvas.SetBrushStyle(bsSolid);
        canvas.Rectangle(left + label->ShadowDx(), top + label->ShadowDy(), right + label->ShadowDx(),
                         bottom + label->ShadowDy());
        canvas.SetBrushColor(background);
        canvas.SetBrushStyle(label->Transparent() ? bsClear : bsSolid);
        box_in(border);
        break;
      case tlOff:
        break;
    }
    // The text stands on the anchor's line, over a transparent background inside its box.
    canvas.SetBrushStyle(bsClear);
    for (int k = 0; k < n; ++k) {
      const QString& line = lines[k];
      int shift = 0;
      if (label->Alignment() == taRightJustify) shift = w - canvas.TextWidth(line);
      if (label->Alignment() == taCenter) shift = (w - canvas.TextWidth(line)) / 2;
      canvas.TextOut(x + shift, y - h * (n - k), line);
    }
    canvas.SetBrushStyle(bsSolid);
  }
}

void TCustomZephChartPrivate::DrawCrossHairs(TCanvas& canvas, int ox, int oy) {
  const bool any = std::any_of(cross_hairs_.begin(), cross_hairs_.end(),
                               [](const TCrossHair* c) { return c->Mode() != chOff; });
  if (!any) return;
  if (&canvas == &area_bmp_.Canvas()) dirty_columns_.MarkAll();
  const TColor saved_color = canvas.PenColor();
  const int saved_width = canvas.PenWidth();
  const TPenStyle saved_style = canvas.PenStyle();
  const int right = geometry_.AreaRight();
  const int bottom = geometry_.AreaBottom();
  for (const TCrossHair* cross : cross_hairs_) {
    if (cross->Mode() == chOff) continue;
    const QPoint p = q->WorldToPixel(cross->Layer(), cross->PosX(), cross->PosY());
    canvas.SetPenColor(cross->Color());
    canvas.SetPenWidth(cross->LineWid());
    canvas.SetPenStyle(cross->LineType());
    const int h = cross->LineWid() / 2;
    if ((cross->Mode() == chHoriz || cross->Mode() == chBoth) && geometry_.TRim() + h < p.y() && p.y() < bottom - h) {
      canvas.MoveTo(geometry_.LRim() + h + 1 - ox, p.y() - oy);
      canvas.LineTo(right - h - ox, p.y() - oy);
    }
    if ((cross->Mode() == chVert || cross->Mode() == chBoth) && geometry_.LRim() + h < p.x() && p.x() < right - h) {
      canvas.MoveTo(p.x() - ox, geometry_.TRim() + h + 1 - oy);
      canvas.LineTo(p.x() - ox, bottom - h - oy);
    }
  }
  canvas.SetPenColor(saved_color);
  canvas.SetPenWidth(saved_width);
  canvas.SetPenStyle(saved_style);
}

}  // namespace zeph
