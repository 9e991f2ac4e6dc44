#include "zeph/scales/drawmark.h"

#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRectF>
#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <utility>
#include <string_view>
#include <vector>

#include "zeph/scales/drawmark_glyphs_p.h"
#include "zeph/toolkit/ansi.h"
#include "zeph/toolkit/tcanvas.h"

namespace zeph {

namespace {

enum class Fill { kOpen, kFilled };

// The pixels of a line from a up to but not including b, stepping along the longer axis and
// rounding the other one, as the classic raster rule draws a one-pixel line in either direction.
std::vector<QPoint> LinePixels(QPoint a, QPoint b) {
  const int dx = b.x() - a.x();
  const int dy = b.y() - a.y();
  const int steps = std::max(std::abs(dx), std::abs(dy));
  std::vector<QPoint> pixels;
  pixels.reserve(static_cast<std::size_t>(steps));
  const auto offset = [steps](int i, int d) {
    const int rounded = (2 * i * std::abs(d) + steps) / (2 * steps);
    return d < 0 ? -rounded : rounded;
  };
  for (int i = 0; i < steps; ++i) pixels.emplace_back(a.x() + offset(i, dx), a.y() + offset(i, dy));
  return pixels;
}

// Draws one symbol around the centre (x, y); every point is given as an offset from the centre.
class SymbolDrawer {
 public:
  SymbolDrawer(TCanvas& canvas, int x, int y) : canvas_(canvas), x_(x), y_(y) {}

  void Dot() { canvas_.SetPixel(x_, y_, canvas_.PenColor()); }

  void Stamp(const MarkGlyph& glyph) {
    const TColor color = canvas_.PenColor();
    for (int row = 0; row < 7; ++row)
      for (int bit = 0; bit < 7; ++bit)
        if (glyph[static_cast<std::size_t>(row)] & (1u << bit)) canvas_.SetPixel(x_ + 3 - bit, y_ - 3 + row, color);
  }

  // A line that includes its start pixel and leaves out its end pixel. A symbol is a few pixels
  // across, so on screen a thin line is set pixel by pixel: that keeps every symbol symmetric
  // whichever way its lines run, and a dash pattern would not fit into it anyway. Wide pens and
  // printer pens draw real lines.
  void Line(QPoint from, QPoint to) {
    const QPoint a = At(from);
    const QPoint b = At(to);
    if (!ThinPen()) {
      canvas_.MoveTo(a.x(), a.y());
      canvas_.LineTo(b.x(), b.y());
      return;
    }
    PaintPixels(LinePixels(a, b));
  }

  // Lines through the points in order: an open outline, which leaves the brush solid as every
  // open symbol does.
  void Outline(std::initializer_list<QPoint> points) {
    WithFill(Fill::kOpen, [&] {
      for (const QPoint* p = points.begin(); p + 1 != points.end(); ++p) Line(p[0], p[1]);
    });
  }

  // A point drawn as a line from itself to itself: a dot as wide as the pen, round where the
  // pen's ends are, centred on its pixel as the printer's lines run through pixel centres. The
  // painter rounds a point of a thin pen to a pixel corner: that one is filled as its square.
  void PenPoint(QPoint at) {
    if (!canvas_.IsActive()) return;
    QPainter& painter = canvas_.Painter();
    const QPen pen = painter.pen();
    if (pen.style() == Qt::NoPen) return;
    const QPointF centre = QPointF(At(at)) + QPointF(0.5, 0.5);
    if (pen.capStyle() == Qt::RoundCap) {
      painter.drawPoint(centre);
      return;
    }
    const qreal r = pen.widthF() / 2;
    painter.fillRect(QRectF(centre - QPointF(r, r), QSizeF(2 * r, 2 * r)), pen.color());
  }

  void Square(Fill fill, int a) {
    WithFill(fill, [&] { canvas_.Rectangle(x_ - a, y_ - a, x_ + a + 1, y_ + a + 1); });
  }

  // The box runs from the first offset up to but not including the second.
  void Ellipse(Fill fill, QPoint top_left, QPoint bottom_right) {
    WithFill(fill, [&] {
      canvas_.Ellipse(x_ + top_left.x(), y_ + top_left.y(), x_ + bottom_right.x(), y_ + bottom_right.y());
    });
  }

  // On screen a thin outline follows the line rule above and a filled polygon is filled row by
  // row between its outline pixels, which is exact because every filled symbol is convex.
  void Polygon(Fill fill, std::initializer_list<QPoint> offsets) {
    std::vector<QPoint> points;
    points.reserve(offsets.size());
    for (const QPoint& p : offsets) points.push_back(At(p));
    WithFill(fill, [&] {
      if (!ThinPen()) {
        canvas_.Polygon(points.data(), static_cast<int>(points.size()));
        return;
      }
      std::vector<QPoint> outline;
      for (std::size_t i = 0; i < points.size(); ++i) {
        const std::vector<QPoint> edge = LinePixels(points[i], points[(i + 1) % points.size()]);
        outline.insert(outline.end(), edge.begin(), edge.end());
      }
      if (fill == Fill::kFilled) FillRows(outline);
      PaintPixels(outline);
    });
  }

 private:
  // A filled shape is painted inside in the pen colour; the brush colour is restored by the
  // caller. Either way the brush is left solid.
  template <typename Draw>
  void WithFill(Fill fill, Draw draw) {
    if (fill == Fill::kFilled) {
      canvas_.SetBrushColor(canvas_.PenColor());
      canvas_.SetBrushStyle(bsSolid);
    } else {
      canvas_.SetBrushStyle(bsClear);
    }
    draw();
    canvas_.SetBrushStyle(bsSolid);
  }

  void PaintPixels(const std::vector<QPoint>& pixels) {
    if (canvas_.PenStyle() == psClear) return;
    const TColor color = canvas_.PenColor();
    for (const QPoint& p : pixels) canvas_.SetPixel(p.x(), p.y(), color);
  }

  // Fills every row from the leftmost to the rightmost of the given pixels with the brush colour.
  void FillRows(const std::vector<QPoint>& outline) {
    std::map<int, std::pair<int, int>> rows;
    for (const QPoint& p : outline) {
      auto [it, added] = rows.try_emplace(p.y(), p.x(), p.x());
      if (!added) {
        it->second.first = std::min(it->second.first, p.x());
        it->second.second = std::max(it->second.second, p.x());
      }
    }
    for (const auto& [y, span] : rows) canvas_.FillRect(span.first, y, span.second + 1, y + 1);
  }

  QPoint At(QPoint offset) const { return {x_ + offset.x(), y_ + offset.y()}; }
  bool ThinPen() const { return canvas_.PenWidth() == 1 && !canvas_.IsPrinter(); }

  TCanvas& canvas_;
  int x_;
  int y_;
};

// The first type of an open / filled pair is open.
Fill PairFill(int mark_type, int open_type) { return mark_type == open_type ? Fill::kOpen : Fill::kFilled; }

void DrawPrinterSymbol(SymbolDrawer& d, int t) {
  if (t >= 1 && t <= 3) {
    const int a = t + 1;
    d.Line({-a, 0}, {a, 0});
    d.Line({0, -a}, {0, a});
  } else if (t >= 4 && t <= 6) {
    const int a = t - 2;
    d.Line({-a, -a}, {a, a});
    d.Line({-a, a}, {a, -a});
  } else if (t == 18) {
    for (int i = 1; i <= 7; ++i)
      for (int j = 1; j <= 7; ++j)
        if (i % 2 == j % 2) d.PenPoint({i - 4, j - 4});
  } else if (t == 25) {
    d.Line({-3, -3}, {3, 3});
    d.Line({-3, -2}, {2, 3});
    d.Line({-2, -3}, {3, 2});
    d.Line({-3, 3}, {3, -3});
    d.Line({-3, 2}, {2, -3});
    d.Line({-2, 3}, {3, -2});
  }
}

void DrawSymbol(SymbolDrawer& d, int t, bool printer) {
  if (const std::optional<MarkGlyph> glyph = StampedMarkGlyph(t)) {
    if (printer)
      DrawPrinterSymbol(d, t);
    else
      d.Stamp(*glyph);
    return;
  }
  switch (t) {
    case 0: d.Dot(); break;
    case 7: case 8: case 9: d.Square(Fill::kFilled, t - 6); break;
    case 10: case 11: case 12: {
      const int a = t - 9;
      d.Outline({{-a, -a}, {-a, a}, {a, a}, {a, -a}, {-a, -a}});
      break;
    }
    case 13: case 14: case 15: {
      const int a = t - 12;
      d.Polygon(Fill::kFilled, {{-a, 0}, {0, a}, {a, 0}, {0, -a}});
      break;
    }
    case 16: case 17: {
      const int a = t - 14;
      d.Ellipse(Fill::kOpen, {-a, -a}, {a + 1, a + 1});
      break;
    }
    case 19: d.Outline({{-3, 0}, {0, 3}, {3, 0}, {0, -3}, {-3, 0}}); break;
    case 20: case 21: {
      const int a = t - 17;
      d.Line({0, 0}, {-a, a});
      d.Line({0, 0}, {a, a});
      break;
    }
    case 22: case 23: {
      const int a = t - 19;
      d.Line({0, 0}, {-a, -a});
      d.Line({0, 0}, {a, -a});
      break;
    }
    case 24: d.Ellipse(Fill::kFilled, {-3, -3}, {4, 4}); break;
    case 26: d.Ellipse(Fill::kFilled, {-2, -2}, {3, 3}); break;
    case 27: d.Ellipse(Fill::kOpen, {-2, -2}, {2, 2}); break;
    case 28: d.Ellipse(Fill::kFilled, {-2, -2}, {2, 2}); break;
    case 29: case 30: {
      const int a = t - 27;
      d.Polygon(Fill::kFilled, {{-a, 0}, {0, a}, {a, 0}});
      break;
    }
    case 31: case 32: {
      const int a = t - 29;
      d.Polygon(Fill::kOpen, {{-a, 0}, {0, a}, {a, 0}});
      break;
    }
    case 33: case 34: d.Polygon(PairFill(t, 33), {{-4, -3}, {0, 4}, {4, -3}}); break;
    case 35: case 36: d.Polygon(PairFill(t, 35), {{-4, 3}, {0, -4}, {4, 3}}); break;
    case 37:
      d.Line({-3, 0}, {4, 0});
      d.Line({0, 0}, {0, -8});
      break;
    case 38:
      d.Line({-3, -2}, {4, -2});
      d.Line({-3, 2}, {4, 2});
      d.Line({0, -2}, {0, 2});
      break;
    case 39:
      d.Ellipse(Fill::kOpen, {-3, -3}, {4, 4});
      d.Line({-3, 0}, {4, 0});
      d.Line({0, -3}, {0, 4});
      break;
    case 40: case 41: d.Polygon(PairFill(t, 40), {{3, -2}, {-2, 0}, {3, 2}}); break;
    case 42: case 43: d.Polygon(PairFill(t, 42), {{4, -3}, {-3, 0}, {4, 3}}); break;
    case 44: case 45: d.Polygon(PairFill(t, 44), {{-3, -2}, {2, 0}, {-3, 2}}); break;
    case 46: case 47: d.Polygon(PairFill(t, 46), {{-4, -3}, {3, 0}, {-4, 3}}); break;
    default: break;
  }
}

void DrawCharacter(TCanvas& canvas, std::uint8_t code, int x, int y) {
  const char byte = static_cast<char>(code);
  const QString text = AnsiToQString(std::string_view(&byte, 1));
  const int w = canvas.TextWidth(text);
  const int h = canvas.TextHeight(text);
  canvas.TextOut(x - w / 2, y - h / 2, text);
}

}  // namespace

void DrawMark(TCanvas& canvas, std::uint8_t mark_type, int x, int y) {
  // No canvas reaches that far, and the symbol's coordinates must not overflow.
  constexpr int kFarAway = 1 << 30;
  if (x < -kFarAway || x > kFarAway || y < -kFarAway || y > kFarAway) return;
  if (mark_type >= kMarkSymbolCount) {
    DrawCharacter(canvas, mark_type, x, y);
    return;
  }
  const TColor brush_color = canvas.BrushColor();
  // A symbol does not move the pen of whoever draws next.
  const QPoint pen_pos = canvas.PenPos();
  SymbolDrawer drawer(canvas, x, y);
  DrawSymbol(drawer, mark_type, canvas.IsPrinter());
  canvas.MoveTo(pen_pos.x(), pen_pos.y());
  canvas.SetBrushColor(brush_color);
}

}  // namespace zeph
