#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "common/image_probe.h"
#include "zeph/toolkit/tcanvas.h"

using namespace zeph;

// Small ellipses and wide pens on the screen canvas: an ellipse leaves its box's corners out, and a
// shape drawn with a pen of odd width is as symmetric as its points are.

namespace {

using Picture = std::vector<std::string>;

constexpr TColor kPen = clBlue;
constexpr TColor kBrush = clRed;

QImage Paper(int size = 40) {
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// The pixels of [x1, x2) x [y1, y2): '#' pen, 'o' brush, '.' anything else.
Picture Cut(const QImage& image, int x1, int y1, int x2, int y2) {
  Picture rows;
  for (int y = y1; y < y2; ++y) {
    std::string row;
    for (int x = x1; x < x2; ++x) {
      const TColor c = PixelAt(image, x, y);
      row += c == kPen ? '#' : c == kBrush ? 'o' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(CanvasShapesTest, SmallEllipsesLeaveTheCornersOfTheirBoxOut) {
  struct Case {
    int w, h;
    bool filled;
    Picture picture;  // the box with a pixel of margin around it
  };
  const Case cases[] = {
      {4, 4, false, {"......", "..##..", ".#..#.", ".#..#.", "..##..", "......"}},
      {4, 4, true, {"......", "..##..", ".#oo#.", ".#oo#.", "..##..", "......"}},
      {4, 3, false, {"......", "..##..", ".#..#.", "..##..", "......"}},
      {3, 2, true, {".....", ".###.", ".###.", "....."}},
      {3, 1, false, {".....", ".###.", "....."}},
      {4, 2, true, {"......", ".####.", ".####.", "......"}},
      // The painter's own shapes, unchanged: a 3 x 3 diamond, and from five pixels on.
      {3, 3, false, {".....", "..#..", ".#.#.", "..#..", "....."}},
      {5, 5, true, {".......", "..###..", ".#ooo#.", ".#ooo#.", ".#ooo#.", "..###..", "......."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + (c.filled ? " filled" : " open"));
    QImage image = Paper();
    TCanvas canvas(&image);
    canvas.SetPenColor(kPen);
    canvas.SetBrushColor(kBrush);
    canvas.SetBrushStyle(c.filled ? bsSolid : bsClear);
    canvas.Ellipse(10, 10, 10 + c.w, 10 + c.h);
    EXPECT_EQ(Cut(image, 9, 9, 11 + c.w, 11 + c.h), c.picture);

    // Cut by the image's edges on every side, it keeps the pixels that fall on the image.
    for (const QPoint& at : {QPoint(-2, -2), QPoint(-1, 37), QPoint(37, -1), QPoint(38, 38)}) {
      QImage edge = Paper();
      TCanvas on_edge(&edge);
      on_edge.SetPenColor(kPen);
      on_edge.SetBrushColor(kBrush);
      on_edge.SetBrushStyle(c.filled ? bsSolid : bsClear);
      on_edge.Ellipse(at.x(), at.y(), at.x() + c.w, at.y() + c.h);
      for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
          if (!edge.valid(at.x() + x, at.y() + y)) continue;
          EXPECT_EQ(Cut(edge, at.x() + x, at.y() + y, at.x() + x + 1, at.y() + y + 1)[0][0],
                    c.picture[static_cast<std::size_t>(y + 1)][static_cast<std::size_t>(x + 1)])
              << at.x() << "," << at.y() << " + " << x << "," << y;
        }
    }
  }

  // Drawn twice in XOR mode, a small ellipse leaves no trace.
  QImage image = Paper();
  const QImage blank = image.copy();
  TCanvas canvas(&image);
  canvas.SetPenColor(kPen);
  canvas.SetBrushColor(kBrush);
  canvas.SetPenMode(pmXor);
  canvas.Ellipse(10, 10, 14, 14);
  EXPECT_NE(image, blank);
  canvas.Ellipse(10, 10, 14, 14);
  EXPECT_EQ(image, blank);
}

// Shapes centred on (20, 20), each the same when turned half round that pixel.
using Shape = std::function<void(TCanvas&)>;

struct NamedShape {
  const char* name;
  Shape draw;
};

const NamedShape kShapes[] = {
    {"diamond", [](TCanvas& c) {
       const QPoint p[] = {{16, 20}, {20, 24}, {24, 20}, {20, 16}};
       c.Polygon(p, 4);
     }},
    {"open diamond", [](TCanvas& c) {
       c.SetBrushStyle(bsClear);
       const QPoint p[] = {{16, 20}, {20, 24}, {24, 20}, {20, 16}};
       c.Polygon(p, 4);
     }},
    {"circle", [](TCanvas& c) { c.Ellipse(16, 16, 25, 25); }},
    {"small circle", [](TCanvas& c) { c.Ellipse(18, 18, 23, 23); }},
    {"square", [](TCanvas& c) { c.Rectangle(15, 15, 26, 26); }},
    {"cross", [](TCanvas& c) {
       c.MoveTo(16, 16);
       c.LineTo(24, 24);
       c.MoveTo(16, 24);
       c.LineTo(24, 16);
     }},
    {"zigzag", [](TCanvas& c) {
       const QPoint p[] = {{16, 16}, {24, 16}, {16, 24}, {24, 24}};
       c.Polyline(p, 4);
     }},
    {"plus", [](TCanvas& c) {
       c.MoveTo(14, 20);
       c.LineTo(26, 20);
       c.MoveTo(20, 14);
       c.LineTo(20, 26);
     }},
};

QImage Draw(const Shape& shape, int width, bool printer) {
  QImage image = Paper();
  TCanvas canvas(&image, printer);
  canvas.SetPenColor(kPen);
  canvas.SetBrushColor(kBrush);
  canvas.SetPenWidth(width);
  shape(canvas);
  return image;
}

// The mean position of the pixels the shape changed.
QPointF Centroid(const QImage& image) {
  QPointF sum;
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (PixelAt(image, x, y) != clWhite) {
        sum += QPointF(x, y);
        ++n;
      }
  return n ? sum / n : QPointF(-1, -1);
}

// The image turned half round the point (axis2 / 2, axis2 / 2), a pixel's centre or corner.
QImage Turned(const QImage& image, int axis2) {
  QImage turned = Paper();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const int mx = axis2 - x;
      const int my = axis2 - y;
      if (image.valid(mx, my)) turned.setPixel(x, y, image.pixel(mx, my));
    }
  return turned;
}

TEST(CanvasShapesTest, WidePensAreCentredOnTheirPath) {
  for (const NamedShape& shape : kShapes)
    for (int width = 2; width <= 5; ++width) {
      SCOPED_TRACE(std::string(shape.name) + ", pen " + std::to_string(width));
      const QImage screen = Draw(shape.draw, width, false);
      // An odd width covers as many pixels on either side of the path: the shape is symmetric
      // about its centre pixel and drawn as on the printer's canvas. An even one straddles the
      // pixel edges up and left, all of them alike: symmetric about the point half a pixel up-left.
      const bool odd = width % 2 == 1;
      const QPointF centre = odd ? QPointF(20, 20) : QPointF(19.5, 19.5);
      EXPECT_EQ(screen, Turned(screen, odd ? 40 : 39));
      const QPointF centroid = Centroid(screen);
      EXPECT_NEAR(centroid.x(), centre.x(), 1e-9);
      EXPECT_NEAR(centroid.y(), centre.y(), 1e-9);
      if (odd) {
        EXPECT_EQ(screen, Draw(shape.draw, width, true));
      }
      // As wide as the pen, across a horizontal stretch of the path.
      if (std::string(shape.name) == "plus") {
        EXPECT_EQ(CountPixels(screen, kPen, 15, 0, 16, 40), width);
      }
    }
}

}  // namespace
