// Painting one item of the display list that is no polyline point: lines, boxes, texts, arrows
// and marks.
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "zeph/chart/render/pencache_p.h"
#include "zeph/chart/render/chartrenderer_p.h"
#include "zeph/scales/drawmark.h"

namespace zeph {

namespace {

// Half the opening of an arrow head: 20 degrees.
constexpr double kArrowHalfAngle = 0.3490658503988659;

int RoundOffset(double value) { return static_cast<int>(std::nearbyint(std::clamp(value, -1e9, 1e9))); }

void OrderCorners(QPoint& a, QPoint& b) {
  if (a.x() > b.x()) std::swap(a.rx(), b.rx());
  if (a.y() > b.y()) std::swap(a.ry(), b.ry());
}

void Outline(TCanvas& canvas, int left, int top, int right, int bottom) {
  const std::array<QPoint, 5> corners = {QPoint(left, top), QPoint(right, top), QPoint(right, bottom),
                                         QPoint(left, bottom), QPoint(left, top)};
  canvas.Polyline(corners.data(), 5);
  canvas.MoveTo(left, top);
}

}  // namespace

void TChartRenderer::RenderItem(TCanvas& canvas, const TZephChartItem& item, TPenCache& cache) {
  const auto style = static_cast<TPenStyle>(item.PenStyle);
  switch (item.Kind) {
    case ikLine: {
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      const QPoint a = ItemPixel(item.Layer, item.X1, item.Y1);
      const QPoint b = ItemPixel(item.Layer, item.X2, item.Y2);
      if (a == b) {
        canvas.SetPixel(a.x(), a.y(), item.Color);
        canvas.MoveTo(a.x(), a.y());
      } else {
        canvas.MoveTo(a.x(), a.y());
        canvas.LineTo(b.x(), b.y());
      }
      break;
    }
    case ikRectangle:
    case ikEllipse: {
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      cache.SetBrushColor(item.FillColor);
      QPoint a;
      QPoint b;
      if (item.Kind == ikRectangle) {
        a = ItemPixel(item.Layer, item.X1, item.Y1);
        b = ItemPixel(item.Layer, item.X2, item.Y2);
      } else {
        a = ItemPixel(item.Layer, item.X1 - item.X2, item.Y1 - item.Y2);
        b = ItemPixel(item.Layer, item.X1 + item.X2, item.Y1 + item.Y2);
      }
      OrderCorners(a, b);
      // The far edge belongs to the shape.
      if (item.Transparent) canvas.SetBrushStyle(bsClear);
      if (item.Kind == ikRectangle) {
        canvas.Rectangle(a.x(), a.y(), b.x() + 1, b.y() + 1);
      } else {
        canvas.Ellipse(a.x(), a.y(), b.x() + 1, b.y() + 1);
      }
      canvas.SetBrushStyle(bsSolid);
      break;
    }
    case ikFramedRect: {
      QPoint a = ItemPixel(item.Layer, item.X1, item.Y1);
      QPoint b = ItemPixel(item.Layer, item.X2, item.Y2);
      OrderCorners(a, b);
      cache.SetPenColor(item.FillColor);
      cache.SetPenStyle(psSolid);
      cache.SetBrushColor(item.FillColor);
      canvas.Rectangle(a.x(), a.y(), b.x() + 1, b.y() + 1);
      const int l = a.x();
      const int t = a.y();
      const int r = b.x();
      const int btm = b.y();
      const auto edges = [&](TColor top_left, TColor bottom_right) {
        cache.SetPenColor(top_left);
        canvas.MoveTo(l, btm);
        canvas.LineTo(l, t);
        canvas.LineTo(r, t);
        cache.SetPenColor(bottom_right);
        canvas.LineTo(r, btm);
        canvas.LineTo(l, btm);
      };
      const auto outline_twice = [&](TColor first, TColor second) {
        cache.SetPenColor(first);
        Outline(canvas, l + 1, t + 1, r + 1, btm + 1);
        cache.SetPenColor(second);
        Outline(canvas, l - 1, t - 1, r - 1, btm - 1);
      };
      switch (item.FrameStyle) {
        case fsLowered: edges(item.Color2, item.Color3); break;
        case fsRaised: edges(item.Color3, item.Color2); break;
        case fsEmbossed: outline_twice(item.Color2, item.Color3); break;
        case fsEngraved: outline_twice(item.Color3, item.Color2); break;
        default: break;
      }
      break;
    }
    case ikBar3D: {
      QPoint a = ItemPixel(item.Layer, item.X1, item.Y1);
      QPoint b = ItemPixel(item.Layer, item.X2, item.Y2);
      OrderCorners(a, b);
      const double angle = item.Size * M_PI / 180.0;
      const int dx = RoundOffset(item.Depth * std::cos(angle));
      const int dy = -RoundOffset(item.Depth * std::sin(angle));
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      cache.SetBrushColor(item.FillColor);
      const int l = a.x();
      const int t = a.y();
      const int r = b.x();
      const int btm = b.y();
      const std::array<QPoint, 4> top = {QPoint(l, t), QPoint(l + dx, t + dy), QPoint(r + dx, t + dy), QPoint(r, t)};
      const std::array<QPoint, 4> side = {QPoint(r, t), QPoint(r + dx, t + dy), QPoint(r + dx, btm + dy),
                                          QPoint(r, btm)};
      canvas.Polygon(top.data(), 4);
      canvas.Polygon(side.data(), 4);
      canvas.Rectangle(l, t, r + 1, btm + 1);
      break;
    }
    case ikText: {
      const QPoint p = ItemPixel(item.Layer, item.X1, item.Y1);
      const QString text = QString::fromUcs4(item.Text, std::char_traits<char32_t>::length(item.Text));
      TFont font = look_.font;
      font.Size = item.Size;
      font.Style = look_.text_font_style;
      font.Color = item.Color;
      canvas.SetFont(font);
      cache.SetFontColor(item.Color);
      const bool solid = look_.text_bk_style == tbSolid;
      if (solid) cache.SetBrushColor(look_.text_bk_color);
      canvas.SetBrushStyle(solid ? bsSolid : bsClear);
      const int w = canvas.TextWidth(text);
      const int h = canvas.TextHeight(text);
      int x = p.x();
      if (look_.text_alignment == taRightJustify) x -= w;
      if (look_.text_alignment == taCenter) x -= w / 2;
      canvas.TextOut(x, p.y() - h / 2, text);
      canvas.SetBrushStyle(bsSolid);
      break;
    }
    case ikRelMove: {
      const QPoint p = canvas.PenPos() + QPoint(RoundOffset(item.X1), RoundOffset(item.Y1));
      canvas.MoveTo(p.x(), p.y());
      break;
    }
    case ikRelDraw: {
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      const QPoint p = canvas.PenPos() + QPoint(RoundOffset(item.X1), RoundOffset(item.Y1));
      canvas.LineTo(p.x(), p.y());
      canvas.SetPixel(p.x(), p.y(), item.Color);
      break;
    }
    case ikArrow: {
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      const QPoint tail = ItemPixel(item.Layer, item.X1, item.Y1);
      const QPoint head = ItemPixel(item.Layer, item.X2, item.Y2);
      canvas.MoveTo(tail.x(), tail.y());
      canvas.LineTo(head.x(), head.y());
      if (item.Size >= 1) {
        // The head's sides point back along the shaft, 20 degrees to either side.
        const double back = std::atan2(tail.y() - head.y(), tail.x() - head.x());
        const auto side = [&](double angle) {
          return QPoint(head.x() + RoundOffset(item.Size * std::cos(angle)),
                        head.y() + RoundOffset(item.Size * std::sin(angle)));
        };
        const QPoint s1 = side(back + kArrowHalfAngle);
        const QPoint s2 = side(back - kArrowHalfAngle);
        if (item.Transparent) {
          canvas.MoveTo(head.x(), head.y());
          canvas.LineTo(s1.x(), s1.y());
          canvas.MoveTo(head.x(), head.y());
          canvas.LineTo(s2.x(), s2.y());
        } else {
          cache.SetBrushColor(item.FillColor);
          const std::array<QPoint, 3> triangle = {head, s1, s2};
          canvas.Polygon(triangle.data(), 3);
        }
      }
      canvas.MoveTo(head.x(), head.y());
      break;
    }
    case ikMark: {
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      const QPoint p = ItemPixel(item.Layer, item.X1, item.Y1);
      DrawMark(canvas, item.MarkType, p.x(), p.y());
      break;
    }
    default:
      break;
  }
}

}  // namespace zeph
