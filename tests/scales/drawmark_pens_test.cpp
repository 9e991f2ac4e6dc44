#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/image_probe.h"
#include "scales/drawmark_paper.h"
#include "zeph/scales/drawmark.h"
#include "zeph/toolkit/tcanvas.h"

using namespace zeph;

// Markers drawn with wider pens, at the image's edges, and on a printer's finer device: the small
// circles are circles, symmetric symbols stay symmetric, and printer dots sit on their pixels.

namespace {

using Picture = std::vector<std::string>;

using namespace drawmark_paper;

QImage Mark(int type, int pen_width, QPoint at = {kX, kY}, bool printer = false) {
  QImage image = Paper();
  TCanvas canvas(&image, printer);
  canvas.SetPenColor(kPen);
  canvas.SetPenWidth(pen_width);
  canvas.SetBrushColor(kBrush);
  DrawMark(canvas, static_cast<std::uint8_t>(type), at.x(), at.y());
  return image;
}

// The square of side 2 r + 1 around (x, y): '#' in the pen colour, '.' elsewhere, ' ' off the image.
Picture Around(const QImage& image, int r, int x = kX, int y = kY) {
  Picture rows;
  for (int row = y - r; row <= y + r; ++row) {
    std::string line;
    for (int column = x - r; column <= x + r; ++column)
      line += !image.valid(column, row) ? ' ' : PixelAt(image, column, row) == kPen ? '#' : '.';
    rows.push_back(line);
  }
  return rows;
}

TEST(DrawMarkPensTest, SmallCirclesAreCirclesAtEveryPen) {
  // X - 3 .. X + 2 and Y - 3 .. Y + 2 around the box from X - 2 to X + 1: a pen of even width
  // straddles the outline's pixel centres up and left, as every even pen does.
  struct Case {
    int type;
    int pen;
    Picture picture;
  };
  const Case cases[] = {
      {27, 1, {"......", "..##..", ".#..#.", ".#..#.", "..##..", "......"}},
      {28, 1, {"......", "..##..", ".####.", ".####.", "..##..", "......"}},
      {27, 2, {".###..", "#####.", "##.##.", "#####.", ".###..", "......"}},
      {28, 2, {".###..", "#####.", "#####.", "#####.", ".###..", "......"}},
      {27, 3, {"..##..", ".####.", "######", "######", ".####.", "..##.."}},
      {28, 3, {"..##..", ".####.", "######", "######", ".####.", "..##.."}},
  };
  const auto window = [](const QImage& image, QPoint at) {
    Picture rows = Around(image, 3, at.x(), at.y());
    rows.pop_back();
    for (std::string& row : rows) row.pop_back();
    return rows;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.type) + ", pen " + std::to_string(c.pen));
    EXPECT_EQ(window(Mark(c.type, c.pen), {kX, kY}), c.picture);
    // On the image's corners the marker keeps the pixels that fall on the image.
    for (const QPoint& at : {QPoint(0, 0), QPoint(39, 39), QPoint(1, 38), QPoint(38, 1)}) {
      const Picture cut = window(Mark(c.type, c.pen, at), at);
      for (std::size_t row = 0; row < cut.size(); ++row)
        for (std::size_t column = 0; column < cut[row].size(); ++column) {
          if (cut[row][column] == ' ') continue;
          EXPECT_EQ(cut[row][column], c.picture[row][column]) << at.x() << "," << at.y();
        }
    }
  }
}

// The picture mirrored left to right, or top to bottom.
Picture Mirror(Picture p, bool left_right) {
  if (!left_right) return Picture(p.rbegin(), p.rend());
  for (std::string& row : p) row.assign(row.rbegin(), row.rend());
  return p;
}

TEST(DrawMarkPensTest, SymmetricSymbolsStaySymmetricWithWidePens) {
  // Symbols symmetric about their centre pixel when drawn with a wide pen (lines that run from
  // X - 3 to X + 4 are not: a wide line includes its end).
  std::vector<int> left_right = {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 22, 23, 24, 26};
  for (int type = 29; type <= 36; ++type) left_right.push_back(type);
  std::vector<int> top_bottom = {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 24, 26, 38};
  for (int type = 40; type <= 47; ++type) top_bottom.push_back(type);
  for (int pen : {3, 5}) {
    for (int type : left_right) {
      const Picture p = Around(Mark(type, pen), 10);
      EXPECT_EQ(p, Mirror(p, true)) << "type " << type << ", pen " << pen;
    }
    for (int type : top_bottom) {
      const Picture p = Around(Mark(type, pen), 10);
      EXPECT_EQ(p, Mirror(p, false)) << "type " << type << ", pen " << pen;
    }
  }
}

TEST(DrawMarkPensTest, OpenSymbolsLeaveAClearBrushSolidAndTheirInsideUnfilled) {
  for (int type : {10, 11, 12, 16, 17, 19, 27, 31, 32, 33, 35, 39, 40, 42, 44, 46}) {
    QImage image = Paper();
    TCanvas canvas(&image);
    canvas.SetPenColor(kPen);
    canvas.SetBrushColor(kBrush);
    canvas.SetBrushStyle(bsClear);
    DrawMark(canvas, static_cast<std::uint8_t>(type), kX, kY);
    EXPECT_EQ(canvas.BrushStyle(), bsSolid) << type;
    EXPECT_EQ(canvas.BrushColor(), kBrush) << type;
    EXPECT_EQ(CountPixels(image, kBrush, 0, 0, 40, 40), 0) << type;
    EXPECT_GT(CountPixels(image, kPen, 0, 0, 40, 40), 0) << type;
  }
}

TEST(DrawMarkPensTest, PrinterCheckerboardDotsCoverTheirPixels) {
  for (const qreal scale : {1.0, 2.0, 4.0}) {
    const int side = static_cast<int>(40 * scale);
    QImage image = Paper(side, side);
    {
      TCanvas printer(&image, true, scale);
      printer.SetPenColor(kPen);
      DrawMark(printer, 18, kX, kY);
    }
    // Each dot fills the device pixels of its own pixel, and nothing else.
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        const int px = static_cast<int>(x / scale) - kX;
        const int py = static_cast<int>(y / scale) - kY;
        const bool dot = std::abs(px) <= 3 && std::abs(py) <= 3 && (px + py) % 2 == 0;
        ASSERT_EQ(PixelAt(image, x, y) == kPen, dot) << "scale " << scale << " at " << x << "," << y;
      }
  }
  // A wider pen makes round dots centred on their pixels: at two device pixels a pixel, the
  // checkerboard around pixel 20 is symmetric about device coordinate 41 both ways.
  QImage wide = Paper(82, 82);
  {
    TCanvas printer(&wide, true, 2);
    printer.SetPenColor(kPen);
    printer.SetPenWidth(3);
    DrawMark(printer, 18, kX, kY);
  }
  EXPECT_GT(CountPixels(wide, kPen, 0, 0, 82, 82), 25 * 4);
  for (int y = 0; y < 82; ++y)
    for (int x = 0; x < 82; ++x) {
      ASSERT_EQ(wide.pixel(x, y), wide.pixel(81 - x, y)) << x << "," << y;
      ASSERT_EQ(wide.pixel(x, y), wide.pixel(x, 81 - y)) << x << "," << y;
    }
}

}  // namespace
