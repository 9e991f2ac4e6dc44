// The legend: its settings, the curves it lists, and its box drawn over the chart and hit by
// clicks.
#include "zeph/chart/chartlegend.h"

#include <algorithm>

#include "zeph/chart/render/chartrenderer_p.h"
#include "zeph/scales/drawmark.h"
#include "zeph/toolkit/component.h"

namespace zeph {

namespace {

// The box's inner spacing and the gap before the name, in pixels.
constexpr int kPadding = 4;
constexpr int kNameGap = 6;
// The length of a line's sample: a solid line shows in 24 pixels. A dash pattern is drawn from the
// middle, where the mark stands, outward; it reads as one with a gap and the next dash on either
// side, 26 pixels each way for the longest (18 on, 6 off).
constexpr int kSampleWidth = 24;
constexpr int kPatternSampleWidth = 53;
// A box in a corner of the chart area keeps this distance from the frame; one outside, this one.
constexpr int kCornerInset = 6;
constexpr int kOutsideGap = 8;

// Whether the entry's line is drawn with a dash pattern: wider pens draw solid lines.
bool Patterned(const TLegendEntry& entry) {
  return entry.LineWidth <= 1 && (entry.PenStyle == psDash || entry.PenStyle == psDot ||
                                  entry.PenStyle == psDashDot || entry.PenStyle == psDashDotDot);
}

// One length for all samples, so that the names stand in one column; hidden curves count too, so
// that the box keeps its size when a click hides one.
int SampleWidth(const std::vector<TLegendEntry>& entries) {
  return std::any_of(entries.begin(), entries.end(), Patterned) ? kPatternSampleWidth : kSampleWidth;
}

}  // namespace

TChartLegend::TChartLegend(QObject* owner) : QObject(owner) {}

bool TChartLegend::OwnerLoading() const {
  const auto* owner = dynamic_cast<const TComponentLoading*>(parent());
  return owner && owner->IsLoading();
}

void TChartLegend::Notify() {
  zeph::Notify(OnChange, this);
  if (!OwnerLoading()) Q_EMIT PropertiesChanged();
}

void TChartLegend::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  Notify();
}

void TChartLegend::SetPosition(TLegendPosition value) {
  if (position_ == value) return;
  position_ = value;
  Notify();
}

void TChartLegend::SetFont(const TFont& value) {
  if (font_ == value) return;
  font_ = value;
  Notify();
}

void TChartLegend::SetColorBkg(TColorArg value) {
  if (color_bkg_ == value) return;
  color_bkg_ = value;
  Notify();
}

void TChartLegend::SetColorBorder(TColorArg value) {
  if (color_border_ == value) return;
  color_border_ = value;
  Notify();
}

// ---- The chart's side ----

std::vector<TLegendEntry> TChartRenderer::LegendEntries() const {
  std::vector<TLegendEntry> entries;
  for (int i = 0; i < store_.CurveCount(); ++i) {
    const TZephCurve curve = store_.Curve(i);
    const QString name = curve.Name();
    if (name.isEmpty()) continue;
    entries.push_back({i, name, curve.Color(), curve.PenStyle(), std::max(curve.LineWidth(), 1), curve.MarkType(),
                       !curve.Visible()});
  }
  return entries;
}

QRect TChartRenderer::LegendRect(const std::vector<TLegendEntry>& entries, TCanvas& canvas) const {
  if (!parts_.legend->Visible() || entries.empty()) return {};
  canvas.SetFont(parts_.legend->Font());
  int text_width = 0;
  for (const TLegendEntry& entry : entries) text_width = std::max(text_width, canvas.TextWidth(entry.Name));
  const int row = canvas.TextHeight(QStringLiteral("Ag")) + 2;
  const int w = kPadding + SampleWidth(entries) + kNameGap + text_width + kPadding;
  const int h = kPadding + row * static_cast<int>(entries.size()) + kPadding - 2;
  const int left = geometry_.LRim();
  const int right = geometry_.LRim() + geometry_.ChartWidth();
  const int top = geometry_.TRim();
  const int bottom = geometry_.TRim() + geometry_.ChartHeight();
  switch (parts_.legend->Position()) {
    case TChartLegend::lpTopLeft: return {left + kCornerInset, top + kCornerInset, w, h};
    case TChartLegend::lpTopRight: return {right - kCornerInset - w + 1, top + kCornerInset, w, h};
    case TChartLegend::lpBottomLeft: return {left + kCornerInset, bottom - kCornerInset - h + 1, w, h};
    case TChartLegend::lpBottomRight: return {right - kCornerInset - w + 1, bottom - kCornerInset - h + 1, w, h};
    case TChartLegend::lpOutsideRight: return {right + kOutsideGap, top, w, h};
  }
  return {};
}

void TChartRenderer::DrawLegend(TCanvas& canvas, int ox, int oy) {
  const std::vector<TLegendEntry> entries = LegendEntries();
  const QRect box = LegendRect(entries, canvas).translated(-ox, -oy);
  if (box.isEmpty()) return;
  const TColor background = ShownColor(parts_.legend->ColorBkg(), QPalette::Base);
  const TColor text =
      look_.palette_colors ? ShownColor(parts_.legend->Font().Color, QPalette::Text) : parts_.legend->Font().Color;
  canvas.SetPenMode(pmCopy);
  canvas.SetPenWidth(1);
  canvas.SetPenStyle(psSolid);
  canvas.SetPenColor(ShownColor(parts_.legend->ColorBorder(), QPalette::Text));
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(background);
  canvas.Rectangle(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
  const int row = canvas.TextHeight(QStringLiteral("Ag")) + 2;
  const int sample_width = SampleWidth(entries);
  const bool smooth = canvas.Antialiased();
  canvas.SetAntialiased(look_.antialiased);
  canvas.SetBrushStyle(bsClear);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TLegendEntry& entry = entries[i];
    const int top = box.top() + kPadding + row * static_cast<int>(i);
    const int middle = top + row / 2 - 1;
    const int sample = box.left() + kPadding;
    TFont font = parts_.legend->Font();
    // A hidden curve keeps its place, its name greyed and without its pen.
    font.Color = entry.Hidden ? clGray : text;
    if (!entry.Hidden) {
      canvas.SetPenColor(entry.Color);
      canvas.SetPenStyle(entry.PenStyle);
      canvas.SetPenWidth(entry.LineWidth);
      if (Patterned(entry)) {
        const int centre = sample + sample_width / 2;
        canvas.MoveTo(centre, middle);
        canvas.LineTo(sample - 1, middle);
        canvas.MoveTo(centre, middle);
        canvas.LineTo(sample + sample_width, middle);
      } else {
        canvas.MoveTo(sample, middle);
        canvas.LineTo(sample + sample_width, middle);
      }
      canvas.SetPenWidth(1);
      canvas.SetPenStyle(psSolid);
      if (entry.MarkType >= 0) {
        canvas.SetBrushStyle(bsSolid);
        canvas.SetBrushColor(background);
        DrawMark(canvas, static_cast<std::uint8_t>(entry.MarkType), sample + sample_width / 2, middle);
        canvas.SetBrushStyle(bsClear);
      }
    }
    canvas.SetFont(font);
    canvas.TextOut(sample + sample_width + kNameGap, top, entry.Name);
  }
  canvas.SetAntialiased(smooth);
  canvas.SetBrushStyle(bsSolid);
}

int TChartRenderer::LegendEntryAt(QPoint at) {
  const std::vector<TLegendEntry> entries = LegendEntries();
  TCanvas& canvas = control_bmp_.Canvas();
  if (!canvas.IsActive()) return -1;
  const QRect box = LegendRect(entries, canvas);
  if (!box.contains(at)) return -1;
  const int row = canvas.TextHeight(QStringLiteral("Ag")) + 2;
  const int i = (at.y() - box.top() - kPadding) / row;
  return at.y() >= box.top() + kPadding && i < static_cast<int>(entries.size()) ? i : -1;
}

}  // namespace zeph
