#include "zeph/scales/scaledraw_p.h"

#include <algorithm>

namespace zeph {

namespace {

bool IsVertical(TScaleType type) { return type == sctYL || type == sctYR; }

// Drawing positions are kept within this distance of the origin: far outside every canvas, yet
// far from overflowing when offsets and text widths are added.
constexpr long long kCoordLimit = 1000000;

int Coord(long long v) { return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit)); }

class ScaleDrawer {
 public:
  ScaleDrawer(const ScaleDrawSettings& s, TCanvas& canvas, int axis, const TickDrawnSink& sink)
      : s_(s), g_(s.layout.geometry), canvas_(canvas), axis_(axis), sink_(sink) {}

  void DrawTicks(const ScaleLayout& layout, int max_recorded, std::vector<double>& ticks);
  void DrawMessage(const ScaleMessage& message);
  void DrawCaption();

 private:
  int Pixel(double value) const { return ValueToPixel(g_, s_.map, value); }
  QPoint AxisPoint(double value) const {
    return IsVertical(g_.type) ? QPoint(axis_, Pixel(value)) : QPoint(Pixel(value), axis_);
  }
  static QPoint Drawable(QPoint p) { return QPoint(Coord(p.x()), Coord(p.y())); }
  void DrawTick(QPoint at, TickKind kind);
  void DrawLabel(QPoint at, const QString& text);
  void DrawDateLine(QPoint at, const QString& text);
  void DrawHorizontalText(int x, int axis_y, const QString& text);

  const ScaleDrawSettings& s_;
  const ScaleGeometry& g_;
  TCanvas& canvas_;
  int axis_;
  const TickDrawnSink& sink_;
  int zero_height_ = 0;
};

void ScaleDrawer::DrawTick(QPoint at, TickKind kind) {
  const int length = TickLength(g_.type, kind);
  canvas_.MoveTo(at.x(), at.y());
  switch (g_.type) {
    case sctYL: canvas_.LineTo(at.x() + length, at.y()); break;
    case sctYR: canvas_.LineTo(at.x() - length, at.y()); break;
    case sctXB: canvas_.LineTo(at.x(), at.y() - length); break;
    case sctXT: canvas_.LineTo(at.x(), at.y() + length); break;
  }
}

// Horizontal labels are centred on their tick but kept inside the control: never left of pixel 2,
// and flush with pixel Width - 2 at the right end.
void ScaleDrawer::DrawHorizontalText(int x, int axis_y, const QString& text) {
  const int hw = canvas_.TextWidth(text) / 2;
  const int th = canvas_.TextHeight(text);
  const int left = x + hw < g_.width - 2 ? x - std::min(hw, x - 2) : g_.width - 2 * hw - 2;
  const int top = g_.type == sctXT ? axis_y + 7 : axis_y - 7 - th;
  canvas_.TextOut(left, top, text);
}

void ScaleDrawer::DrawLabel(QPoint at, const QString& text) {
  if (text.isEmpty()) return;
  switch (g_.type) {
    case sctYL: canvas_.TextOut(at.x() + 8, at.y() - zero_height_ / 2, text); break;
    case sctYR: canvas_.TextOut(at.x() - canvas_.TextWidth(text) - 8, at.y() - zero_height_ / 2, text); break;
    default: DrawHorizontalText(at.x(), at.y(), text); break;
  }
}

// The date stands one line beyond its time label.
void ScaleDrawer::DrawDateLine(QPoint at, const QString& text) {
  const int h = canvas_.TextHeight(text);
  switch (g_.type) {
    case sctYL: canvas_.TextOut(at.x() + 8, at.y() - 3 * (h / 2), text); break;
    case sctYR: canvas_.TextOut(at.x() - canvas_.TextWidth(text) - 8, at.y() - 3 * (h / 2), text); break;
    case sctXT: DrawHorizontalText(at.x(), at.y() + h, text); break;
    case sctXB: DrawHorizontalText(at.x(), at.y() - h, text); break;
  }
}

void ScaleDrawer::DrawTicks(const ScaleLayout& layout, int max_recorded, std::vector<double>& ticks) {
  zero_height_ = canvas_.TextHeight(QStringLiteral("0"));
  for (const TickMark& t : layout.ticks) {
    // The event reports the exact axis point; drawing uses it within reach of the canvas.
    const QPoint reported = AxisPoint(t.value);
    const QPoint at = Drawable(reported);
    if (t.record && static_cast<int>(ticks.size()) < max_recorded) ticks.push_back(t.value);
    if (t.draw) DrawTick(at, t.kind);
    if (t.report && !t.report_after_label && sink_) sink_(canvas_, t.report_value, reported.x(), reported.y());
    if (t.labelled) {
      DrawLabel(at, t.label);
      if (!t.date_line.isEmpty()) DrawDateLine(at, t.date_line);
    }
    if (t.report && t.report_after_label && sink_) sink_(canvas_, t.report_value, reported.x(), reported.y());
  }
}

void ScaleDrawer::DrawMessage(const ScaleMessage& message) {
  const int middle = Coord(Pixel((g_.range_low + g_.range_high) / 2));
  if (!IsVertical(g_.type)) {
    const int w = canvas_.TextWidth(message.horizontal_line);
    canvas_.TextOut(middle - w / 2, axis_ + 7, message.horizontal_line);
    return;
  }
  const int h = canvas_.TextHeight(QStringLiteral("T"));
  int y = middle + message.first_line_half_heights * h / 2;
  for (const QString& line : message.vertical_lines) {
    const int x = g_.type == sctYR ? axis_ - 2 - canvas_.TextWidth(line) : axis_ + 2;
    canvas_.TextOut(x, y, line);
    y += h;
  }
}

void ScaleDrawer::DrawCaption() {
  if (s_.caption.isEmpty()) return;
  const long long w = canvas_.TextWidth(s_.caption);
  const long long top = g_.margin_top;
  const long long bottom = g_.margin_bottom;
  const long long left = g_.margin_left;
  const long long right = g_.margin_right;
  long long x = 0;
  long long y = 0;
  if (IsVertical(g_.type)) {
    x = static_cast<long long>(axis_) + s_.caption_pos_x;
    y = s_.caption_pos_y;
    switch (s_.caption_anchor) {
      case uaSclTopLft: y += top; break;
      case uaSclCenter: y += top + (g_.height - top - bottom) / 2; break;
      case uaSclBotRgt: y += g_.height - bottom; break;
    }
  } else {
    y = static_cast<long long>(axis_) + s_.caption_pos_y;
    x = s_.caption_pos_x;
    switch (s_.caption_anchor) {
      case uaSclTopLft: x += left; break;
      case uaSclCenter: x += left + (g_.width - left - right) / 2; break;
      case uaSclBotRgt: x += g_.width - right; break;
    }
  }
  if (s_.caption_alignment == taRightJustify) x -= w;
  else if (s_.caption_alignment == taCenter) x -= w / 2;
  canvas_.TextOut(Coord(x), Coord(y), s_.caption);
}

}  // namespace

int TickLength(TScaleType type, TickKind kind) {
  const bool vertical = IsVertical(type);
  switch (kind) {
    case TickKind::kShort: return 4;
    case TickKind::kLong: return vertical ? 6 : 7;
    case TickKind::kLogMinor: return vertical ? 6 : 4;
  }
  return 0;
}

void DrawScaleTicksAndCaption(const ScaleDrawSettings& s, TCanvas& canvas, int axis, int max_recorded,
                              std::vector<double>& ticks, const TickDrawnSink& tick_drawn) {
  // Every canvas measures in the pixels of the drawing, whatever its device: the labels keep the
  // size they have on the screen.
  canvas.SetFont(s.font);
  canvas.SetBrushStyle(s.transparent ? bsClear : bsSolid);
  ticks.clear();
  ticks.reserve(static_cast<std::size_t>(max_recorded));

  ScaleDrawer drawer(s, canvas, axis, tick_drawn);
  const ScaleLayout layout = BuildScaleLayout(s.layout);
  if (layout.has_message)
    drawer.DrawMessage(layout.message);
  else
    drawer.DrawTicks(layout, max_recorded, ticks);
  drawer.DrawCaption();
}

}  // namespace zeph
