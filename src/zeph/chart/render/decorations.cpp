// The text labels and cross-hairs drawn with the data and over it.
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "zeph/chart/render/chartrenderer_p.h"

namespace zeph {

void TChartRenderer::DrawTextLabels(TCanvas& canvas) {
  for (int index = kTextLabelCount; index >= 1; --index) {
    const TTextLabel* label = parts_.TextLabel(index);
    if (label->Mode() == tlOff || !store_.LayerVisible(label->Layer())) continue;
    QPoint anchor = label->AttachToData()
                        ? geometry_.WorldToPixel(label->Layer(), label->PosX(), label->PosY())
                        : QPoint(static_cast<int>(std::nearbyint(std::clamp(label->PosX(), -1e9, 1e9))),
                                 static_cast<int>(std::nearbyint(std::clamp(label->PosY(), -1e9, 1e9))));
    int x = anchor.x() - geometry_.LRim();
    const int y = anchor.y() - geometry_.TRim();
    // With the palette's colours, a label in the default white and black takes the theme's.
    const TColor background =
        label->ColorBkg() == clWhite ? ShownColor(clWhite, QPalette::Base) : label->ColorBkg();
    const TColor border =
        label->ColorBorder() == clBlack ? ShownColor(clBlack, QPalette::Text) : label->ColorBorder();
    TFont font = label->Font();
    if (look_.palette_colors && font.Color == clWindowText) font.Color = ShownColor(clWindowText, QPalette::Text);
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

void TChartRenderer::DrawCrossHairs(TCanvas& canvas, int ox, int oy) {
  const bool any = std::any_of(parts_.cross_hairs.begin(), parts_.cross_hairs.end(),
                               [](const TCrossHair* c) { return c->Mode() != chOff; });
  if (!any) return;
  if (&canvas == &area_bmp_.Canvas()) dirty_columns_.MarkAll();
  const TColor saved_color = canvas.PenColor();
  const int saved_width = canvas.PenWidth();
  const TPenStyle saved_style = canvas.PenStyle();
  const int right = geometry_.AreaRight();
  const int bottom = geometry_.AreaBottom();
  for (const TCrossHair* cross : parts_.cross_hairs) {
    if (cross->Mode() == chOff) continue;
    const QPoint p = geometry_.WorldToPixel(cross->Layer(), cross->PosX(), cross->PosY());
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
