// The legend: its settings, the curves it lists, and its box drawn over the chart and hit by
// clicks.
#include "zeph/chart/chartlegend.h"

#include <algorithm>

#include "zeph/chart/zephchart.h"
#include "zeph/scales/drawmark.h"
#include "zeph/toolkit/component.h"

namespace zeph {

namespace {

// The box's inner spacing, the length of a line's sample and the gap before the name, in pixels.
constexpr int kPadding = 4;
constexpr int kSampleWidth = 24;
constexpr int kNameGap = 6;
// A box in a corner of the chart area keeps this distance from the frame; one outside, this one.
constexpr int kCornerInset = 6;
constexpr int kOutsideGap = 8;

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

void TChartLegend::SetColorBkg(TColor value) {
  if (color_bkg_ == value) return;
  color_bkg_ = value;
  Notify();
}

void TChartLegend::SetColorBorder(TColor value) {
  if (color_border_ == value) return;
  color_border_ = value;
  Notify();
}

void TChartLegend::SetCurveName(TColor color, const QString& name) {
  const auto named = std::find_if(names_.begin(), names_.end(), [color](const auto& n) { return n.first == color; });
  if (named != names_.end() && named->second == name) return;
  if (named == names_.end() && name.isEmpty()) return;
  if (name.isEmpty()) {
    names_.erase(named);
  } else if (named != names_.end()) {
    named->second = name;
  } else {
    names_.emplace_back(color, name);
  }
  Notify();
}

QString TChartLegend::CurveName(TColor color) const {
  const auto named = std::find_if(names_.begin(), names_.end(), [color](const auto& n) { return n.first == color; });
  return named != names_.end() ? named->second : QString();
}

bool TChartLegend::CurveHidden(TColor color) const {
  return std::find(hidden_.begin(), hidden_.end(), color) != hidden_.end();
}

void TChartLegend::SetCurveHidden(TColor color, bool hidden) {
  if (CurveHidden(color) == hidden) return;
  if (hidden) {
    hidden_.push_back(color);
  } else {
    hidden_.erase(std::remove(hidden_.begin(), hidden_.end(), color), hidden_.end());
  }
  Notify();
  if (!OwnerLoading()) Q_EMIT CurveHiddenChanged(color, hidden);
}

// ---- The chart's side ----

std::vector<TLegendEntry> TCustomZephChart::LegendEntries() const {
  // Each named colour with the pen of its first line and the mark of its first mark, in the order
  // the colours first appear; a run of points shares one set of attributes, so its first item
  // tells what it is.
  std::vector<TLegendEntry> entries;
  std::vector<bool> has_line;
  const auto note = [&](TColor color, int kind, int pen_style, int width, int mark) {
    const bool line = kind == ikMoveTo || kind == ikDrawTo || kind == ikLine || kind == ikRelDraw;
    if (!line && kind != ikMark) return;
    auto entry = std::find_if(entries.begin(), entries.end(), [color](const TLegendEntry& e) { return e.Color == color; });
    if (entry == entries.end()) {
      const QString name = legend_->CurveName(color);
      if (name.isEmpty()) return;
      entries.push_back({name, color, psClear, 1, -1, legend_->CurveHidden(color)});
      has_line.push_back(false);
      entry = entries.end() - 1;
    }
    const std::size_t i = static_cast<std::size_t>(entry - entries.begin());
    if (line && !has_line[i]) {
      has_line[i] = true;
      entry->PenStyle = static_cast<TPenStyle>(pen_style);
      entry->LineWidth = std::max(width, 1);
    }
    if (kind == ikMark && entry->MarkType < 0) entry->MarkType = mark;
  };
  const TZephItemList& list = Items();
  for (const TZephItemList::Run& run : list.Runs()) {
    if (run.points) {
      const TZephPointAttributes& a = run.attributes;
      note(a.Color, *list.PointKinds(run.start), a.PenStyle, a.LineWidth, a.MarkType);
      continue;
    }
    for (int k = 0; k < run.count; ++k) {
      const TZephChartItem& item = list.Record(run.start + static_cast<std::size_t>(k));
      note(item.Color, item.Kind, item.PenStyle, item.LineWidth, item.MarkType);
    }
  }
  return entries;
}

QRect TCustomZephChart::LegendRect(const std::vector<TLegendEntry>& entries, TCanvas& canvas) const {
  if (!legend_->Visible() || entries.empty()) return {};
  canvas.SetFont(legend_->Font());
  int text_width = 0;
  for (const TLegendEntry& entry : entries) text_width = std::max(text_width, canvas.TextWidth(entry.Name));
  const int row = canvas.TextHeight(QStringLiteral("Ag")) + 2;
  const int w = kPadding + kSampleWidth + kNameGap + text_width + kPadding;
  const int h = kPadding + row * static_cast<int>(entries.size()) + kPadding - 2;
  const int left = l_rim_;
  const int right = l_rim_ + ChartWidth();
  const int top = t_rim_;
  const int bottom = t_rim_ + ChartHeight();
  switch (legend_->Position()) {
    case TChartLegend::lpTopLeft: return {left + kCornerInset, top + kCornerInset, w, h};
    case TChartLegend::lpTopRight: return {right - kCornerInset - w + 1, top + kCornerInset, w, h};
    case TChartLegend::lpBottomLeft: return {left + kCornerInset, bottom - kCornerInset - h + 1, w, h};
    case TChartLegend::lpBottomRight: return {right - kCornerInset - w + 1, bottom - kCornerInset - h + 1, w, h};
    case TChartLegend::lpOutsideRight: return {right + kOutsideGap, top, w, h};
  }
  return {};
}

void TCustomZephChart::DrawLegend(TCanvas& canvas, int ox, int oy) {
  const std::vector<TLegendEntry> entries = LegendEntries();
  const QRect box = LegendRect(entries, canvas).translated(-ox, -oy);
  if (box.isEmpty()) return;
  const TColor background = ShownColor(legend_->ColorBkg(), QPalette::Base);
  const TColor text = palette_colors_ ? ShownColor(legend_->Font().Color, QPalette::Text) : legend_->Font().Color;
  canvas.SetPenMode(pmCopy);
  canvas.SetPenWidth(1);
  canvas.SetPenStyle(psSolid);
  canvas.SetPenColor(ShownColor(legend_->ColorBorder(), QPalette::Text));
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(background);
  canvas.Rectangle(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
  const int row = canvas.TextHeight(QStringLiteral("Ag")) + 2;
  const bool smooth = canvas.Antialiased();
  canvas.SetAntialiased(antialiased_);
  canvas.SetBrushStyle(bsClear);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TLegendEntry& entry = entries[i];
    const int top = box.top() + kPadding + row * static_cast<int>(i);
    const int middle = top + row / 2 - 1;
    const int sample = box.left() + kPadding;
    TFont font = legend_->Font();
    // A hidden curve keeps its place, its name greyed and without its pen.
    font.Color = entry.Hidden ? clGray : text;
    if (!entry.Hidden) {
      canvas.SetPenColor(entry.Color);
      canvas.SetPenStyle(entry.PenStyle);
      canvas.SetPenWidth(entry.LineWidth);
      canvas.MoveTo(sample, middle);
      canvas.LineTo(sample + kSampleWidth, middle);
      canvas.SetPenWidth(1);
      canvas.SetPenStyle(psSolid);
      if (entry.MarkType >= 0) {
        canvas.SetBrushStyle(bsSolid);
        canvas.SetBrushColor(background);
        DrawMark(canvas, static_cast<std::uint8_t>(entry.MarkType), sample + kSampleWidth / 2, middle);
        canvas.SetBrushStyle(bsClear);
      }
    }
    canvas.SetFont(font);
    canvas.TextOut(sample + kSampleWidth + kNameGap, top, entry.Name);
  }
  canvas.SetAntialiased(smooth);
  canvas.SetBrushStyle(bsSolid);
}

int TCustomZephChart::LegendEntryAt(QPoint at) {
  const std::vector<TLegendEntry> entries = LegendEntries();
  TCanvas& canvas = control_bmp_.Canvas();
  if (!canvas.IsActive()) return -1;
  const QRect box = LegendRect(entries, canvas);
  if (!box.contains(at)) return -1;
  const int row = canvas.TextHeight(QStringLiteral("Ag")) + 2;
  const int i = (at.y() - box.top() - kPadding) / row;
  return at.y() >= box.top() + kPadding && i < static_cast<int>(entries.size()) ? i : -1;
}

bool TCustomZephChart::LegendClick(QPoint at, Qt::MouseButton button) {
  if (button != Qt::LeftButton) return false;
  const int i = LegendEntryAt(at);
  if (i < 0) return false;
  const TLegendEntry entry = LegendEntries()[static_cast<std::size_t>(i)];
  legend_->SetCurveHidden(entry.Color, !entry.Hidden);
  return true;
}

}  // namespace zeph
