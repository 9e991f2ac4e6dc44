#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <random>
#include <utility>
#include <vector>

#include "common/image_probe.h"
#include "zeph/toolkit/tcanvas.h"

using namespace zeph;

namespace {

// A white image of the logical size at the ratio, as a finer screen has them.
QImage WhiteImage(int width, int height, qreal ratio) {
  QImage image(DeviceExtent(width, ratio), DeviceExtent(height, ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  return image;
}

class CanvasTest : public ::testing::Test {
 protected:
  CanvasTest() : bitmap_(40, 30) {
    TCanvas& c = bitmap_.Canvas();
    c.SetBrushColor(clWhite);
    c.SetPenColor(clWhite);
    c.Rectangle(0, 0, 40, 30);
  }
  TColor At(int x, int y) { return PixelAt(bitmap_.Image(), x, y); }
  TBitmap bitmap_;
};

TEST_F(CanvasTest, LineLeavesOutItsEndPixel) {
  TCanvas& c = bitmap_.Canvas();
  c.SetPenColor(clRed);
  c.MoveTo(2, 5);
  c.LineTo(10, 5);
  EXPECT_EQ(At(2, 5), clRed);
  EXPECT_EQ(At(9, 5), clRed);
  EXPECT_EQ(At(10, 5), clWhite);
  EXPECT_EQ(c.PenPos(), QPoint(10, 5));
  c.LineTo(10, 12);
  EXPECT_EQ(At(10, 5), clRed);
  EXPECT_EQ(At(10, 11), clRed);
  EXPECT_EQ(At(10, 12), clWhite);
  // Diagonal.
  c.MoveTo(20, 20);
  c.LineTo(25, 25);
  EXPECT_EQ(At(20, 20), clRed);
  EXPECT_EQ(At(24, 24), clRed);
  EXPECT_EQ(At(25, 25), clWhite);
}

TEST_F(CanvasTest, LinesRunningLeftOrUpKeepTheirStartAndLeaveOutTheirEnd) {
  TCanvas& c = bitmap_.Canvas();
  c.SetPenColor(clRed);
  c.MoveTo(10, 5);
  c.LineTo(2, 5);
  EXPECT_EQ(At(10, 5), clRed);
  EXPECT_EQ(At(3, 5), clRed);
  EXPECT_EQ(At(2, 5), clWhite);
  c.MoveTo(20, 20);
  c.LineTo(20, 10);
  EXPECT_EQ(At(20, 20), clRed);
  EXPECT_EQ(At(20, 11), clRed);
  EXPECT_EQ(At(20, 10), clWhite);
  c.MoveTo(30, 25);
  c.LineTo(25, 20);
  EXPECT_EQ(At(30, 25), clRed);
  EXPECT_EQ(At(26, 21), clRed);
  EXPECT_EQ(At(25, 20), clWhite);
  // A shallow line reaches every column once.
  c.MoveTo(0, 29);
  c.LineTo(39, 27);
  EXPECT_EQ(CountPixels(bitmap_.Image(), clRed, 0, 26, 40, 30), 39);
}

TEST_F(CanvasTest, FarAwayEndPointsAreClippedAndDashesRunOnAcrossSegments) {
  TCanvas& c = bitmap_.Canvas();
  c.SetPenColor(clBlue);
  c.MoveTo(-30000, 7);
  c.LineTo(30000, 7);
  EXPECT_EQ(CountPixels(bitmap_.Image(), clBlue, 0, 7, 40, 8), 40);
  c.SetPenStyle(psDash);  // 18 on, 6 off
  const QPoint points[] = {{0, 12}, {10, 12}, {30, 12}};
  c.Polyline(points, 3);
  EXPECT_EQ(At(17, 12), clBlue);
  EXPECT_EQ(At(18, 12), clWhite);
  EXPECT_EQ(At(23, 12), clWhite);
  EXPECT_EQ(At(24, 12), clBlue);
}

TEST_F(CanvasTest, PolylineLeavesOutOnlyTheLastPixel) {
  TCanvas& c = bitmap_.Canvas();
  c.SetPenColor(clBlue);
  const QPoint points[] = {{2, 2}, {8, 2}, {8, 8}};
  c.Polyline(points, 3);
  EXPECT_EQ(At(2, 2), clBlue);
  EXPECT_EQ(At(8, 2), clBlue);
  EXPECT_EQ(At(8, 7), clBlue);
  EXPECT_EQ(At(8, 8), clWhite);
}

TEST_F(CanvasTest, RectangleAndEllipseLeaveOutRightAndBottomEdges) {
  TCanvas& c = bitmap_.Canvas();
  c.SetPenColor(clBlack);
  c.SetBrushColor(clLime);
  c.Rectangle(5, 5, 15, 12);
  EXPECT_EQ(At(5, 5), clBlack);
  EXPECT_EQ(At(14, 11), clBlack);
  EXPECT_EQ(At(15, 11), clWhite);
  EXPECT_EQ(At(14, 12), clWhite);
  EXPECT_EQ(At(10, 8), clLime);
  EXPECT_EQ(CountPixels(bitmap_.Image(), clBlack, 0, 0, 40, 30), 2 * 10 + 2 * 5);

  c.SetBrushStyle(bsClear);
  c.Ellipse(20, 10, 31, 21);
  EXPECT_EQ(At(25, 10), clBlack);  // top of the circle
  EXPECT_EQ(At(25, 20), clBlack);  // bottom, the last row inside the box
  EXPECT_EQ(At(25, 21), clWhite);
  EXPECT_EQ(At(30, 15), clBlack);
  EXPECT_EQ(At(31, 15), clWhite);
  EXPECT_EQ(At(25, 15), clWhite);  // clear brush
}

TEST_F(CanvasTest, ClearPenFillsOnePixelLess) {
  TCanvas& c = bitmap_.Canvas();
  c.SetPenStyle(psClear);
  c.SetBrushColor(clRed);
  c.Rectangle(2, 2, 6, 6);
  EXPECT_EQ(CountPixels(bitmap_.Image(), clRed, 0, 0, 40, 30), 9);
  EXPECT_EQ(At(4, 4), clRed);
  EXPECT_EQ(At(5, 5), clWhite);
}

TEST_F(CanvasTest, XorTwiceRestoresTheImage) {
  TCanvas& c = bitmap_.Canvas();
  c.SetPenColor(clRed);
  c.MoveTo(0, 3);
  c.LineTo(40, 3);
  const QImage before = bitmap_.Image().copy();
  c.SetPenMode(pmXor);
  c.SetPenColor(clWhite);
  c.SetBrushStyle(bsClear);
  c.Rectangle(1, 1, 20, 20);
  EXPECT_EQ(At(1, 1), clBlack);            // white xor white
  EXPECT_EQ(At(5, 3), clRed);  // inside the clear-brushed box nothing changes
  EXPECT_EQ(At(1, 3), RGBColor(0, 255, 255));
  c.Rectangle(1, 1, 20, 20);
  EXPECT_EQ(bitmap_.Image(), before);
}

TEST_F(CanvasTest, TextIsPlacedByItsTopLeftCorner) {
  TCanvas& c = bitmap_.Canvas();
  TFont font;
  font.Name = QStringLiteral("Arial");
  font.Size = 10;
  font.Color = clBlack;
  c.SetFont(font);
  c.SetBrushColor(clYellow);
  const int w = c.TextWidth(QStringLiteral("Hg"));
  const int h = c.TextHeight(QStringLiteral("Hg"));
  EXPECT_GT(w, 8);
  EXPECT_GE(h, 12);
  c.TextOut(4, 6, QStringLiteral("Hg"));
  // The solid brush paints exactly the text's box.
  EXPECT_EQ(At(4, 6), clYellow);
  EXPECT_EQ(At(4 + w - 1, 6 + h - 1), clYellow);
  EXPECT_EQ(At(3, 6), clWhite);
  EXPECT_EQ(At(4, 5), clWhite);
  EXPECT_EQ(At(4 + w, 6), clWhite);
  EXPECT_EQ(At(4, 6 + h), clWhite);
  // Some ink falls inside the box and none outside it.
  int ink = 0;
  for (int y = 6; y < 6 + h; ++y)
    for (int x = 4; x < 4 + w; ++x)
      if (At(x, y) != clYellow) ++ink;
  EXPECT_GT(ink, 10);
}

TEST_F(CanvasTest, BoxesOffTheImageDrawNothing) {
  TCanvas& c = bitmap_.Canvas();
  const QImage before = bitmap_.Image().copy();
  c.SetBrushColor(clRed);
  c.SetPenColor(clRed);
  c.FillRect(50, 5, 60, 10);
  c.FillRect(-20, 5, -10, 10);
  c.Rectangle(5, 40, 10, 50);
  c.Rectangle(-100000, -100000, -99990, -99990);
  EXPECT_EQ(bitmap_.Image(), before);
  c.FillRect(-5, -5, 2, 2);  // partly inside: only the inside is filled
  EXPECT_EQ(CountPixels(bitmap_.Image(), clRed, 0, 0, 40, 30), 4);
}

TEST(CanvasTextTest, RepeatedTextsLookTheSameAndMeasureTheSame) {
  TBitmap bitmap(120, 40);
  TCanvas& c = bitmap.Canvas();
  c.SetBrushColor(clWhite);
  c.FillRect(0, 0, 120, 40);
  TFont font;
  font.Name = QStringLiteral("Arial");
  font.Size = 8;
  font.Color = clBlack;
  c.SetFont(font);
  c.SetBrushStyle(bsClear);
  const int w = c.TextWidth(QStringLiteral("10.0"));
  ASSERT_LT(w, 40);
  c.TextOut(2, 2, QStringLiteral("10.0"));
  const QImage first = bitmap.Image().copy(2, 2, w, 14);
  c.SetFont(TFont{});  // another font in between
  c.TextOut(2, 20, QStringLiteral("10.0"));
  c.SetFont(font);
  EXPECT_EQ(c.TextWidth(QStringLiteral("10.0")), w);
  c.TextOut(60, 2, QStringLiteral("10.0"));
  EXPECT_EQ(bitmap.Image().copy(60, 2, w, 14), first);
}

TEST_F(CanvasTest, PixelsAndStyles) {
  TCanvas& c = bitmap_.Canvas();
  c.SetPixel(3, 4, clFuchsia);
  EXPECT_EQ(c.Pixel(3, 4), clFuchsia);
  EXPECT_EQ(c.Pixel(100, 100), clBlack);  // outside: ignored and read as black
  c.SetPixel(100, 100, clRed);

  // A dotted line has gaps; a wide line covers more than one row.
  c.SetPenColor(clBlack);
  c.SetPenStyle(psDot);
  c.MoveTo(0, 20);
  c.LineTo(30, 20);
  const int dotted = CountPixels(bitmap_.Image(), clBlack, 0, 20, 40, 21);
  EXPECT_GT(dotted, 10);
  EXPECT_LT(dotted, 20);
  c.SetPenStyle(psSolid);
  c.SetPenWidth(3);
  c.MoveTo(5, 26);
  c.LineTo(25, 26);
  EXPECT_EQ(At(15, 25), clBlack);
  EXPECT_EQ(At(15, 27), clBlack);
}

TEST_F(CanvasTest, DrawAndStretchDrawImages) {
  QImage small(2, 2, QImage::Format_RGB32);
  small.fill(Qt::red);
  TCanvas& c = bitmap_.Canvas();
  c.Draw(10, 10, small);
  EXPECT_EQ(At(10, 10), clRed);
  EXPECT_EQ(At(11, 11), clRed);
  EXPECT_EQ(At(12, 12), clWhite);
  c.StretchDraw(20, 20, 30, 25, small);
  EXPECT_EQ(CountPixels(bitmap_.Image(), clRed, 20, 20, 40, 30), 50);

  // A part of an image, also one reaching beyond the image or the canvas.
  QImage squares(4, 4, QImage::Format_RGB32);
  squares.fill(Qt::blue);
  squares.setPixel(3, 3, qRgb(0, 255, 0));
  c.Draw(0, 0, squares, QRect(2, 2, 2, 2));
  EXPECT_EQ(At(0, 0), clBlue);
  EXPECT_EQ(At(1, 1), clLime);
  EXPECT_EQ(At(2, 2), clWhite);
  c.Draw(38, 28, squares, QRect(1, 1, 10, 10));
  EXPECT_EQ(At(38, 28), clBlue);
  EXPECT_EQ(At(39, 29), clBlue);
  EXPECT_EQ(CountPixels(bitmap_.Image(), clLime, 0, 0, 40, 30), 1);
}

TEST(BitmapTest, ResizingKeepsTheCanvasAndItsSettings) {
  TBitmap bitmap(10, 10);
  TCanvas* canvas = &bitmap.Canvas();
  canvas->SetPenColor(clRed);
  bitmap.SetSize(20, 5);
  EXPECT_EQ(&bitmap.Canvas(), canvas);
  EXPECT_EQ(bitmap.Width(), 20);
  EXPECT_EQ(canvas->PenColor(), clRed);
  canvas->MoveTo(0, 0);
  canvas->LineTo(20, 0);
  EXPECT_EQ(PixelAt(bitmap.Image(), 19, 0), clRed);
  bitmap.SetSize(0, 0);  // an empty bitmap draws nothing and does not fail
  canvas->LineTo(5, 5);
  EXPECT_EQ(bitmap.Width(), 0);
}

// A window shares its host's pixels, follows the host through resizes and ratio changes, keeps
// pixels of its own where it cannot share, and outlives its host or goes first without harm.
TEST(BitmapWindowTest, AWindowDrawsIntoItsHostAndFollowsIt) {
  TBitmap host(40, 30);
  TBitmap window(10, 8);
  window.ShowIn(&host, QPoint(5, 6));
  ASSERT_TRUE(window.Shared());
  window.Canvas().SetBrushColor(clRed);
  window.Canvas().FillRect(0, 0, 10, 8);
  EXPECT_EQ(CountPixels(host.Image(), clRed, 0, 0, 40, 30), 80);
  EXPECT_EQ(PixelAt(host.Image(), 5, 6), clRed);
  EXPECT_EQ(PixelAt(host.Image(), 15, 6), clWhite);

  // The host's new pixels at a ratio: the window goes along once it has that ratio too.
  host.SetRatio(1.5);
  EXPECT_FALSE(window.Shared());
  window.SetRatio(1.5);
  ASSERT_TRUE(window.Shared());
  EXPECT_EQ(window.Image().size(), QSize(15, 12));
  window.Canvas().SetBrushColor(clBlue);
  window.Canvas().FillRect(0, 0, 10, 8);
  EXPECT_EQ(CountPixels(host.Image(), clBlue, 0, 0, 60, 45), 15 * 12);
  EXPECT_EQ(PixelAt(host.Image(), 7, 9), clBlue);  // 5 * 1.5 = 7.5: from device pixel 7 on

  // Clipped to the host; beginning outside it, pixels of its own.
  window.ShowIn(&host, QPoint(35, 0));
  EXPECT_TRUE(window.Shared());
  EXPECT_EQ(window.Image().width(), 60 - 52);  // 35 * 1.5 = 52.5: from device pixel 52 on
  window.ShowIn(&host, QPoint(-1, 0));
  EXPECT_FALSE(window.Shared());
  EXPECT_EQ(window.Image().size(), QSize(15, 12));

  // A second window takes the host from the first; a host that goes first leaves its window
  // without pixels until it is sized again.
  window.ShowIn(&host, QPoint(0, 0));
  TBitmap second(4, 4, 1.5);
  second.ShowIn(&host, QPoint(1, 1));
  EXPECT_FALSE(window.Shared());
  EXPECT_TRUE(second.Shared());
  {
    TBitmap short_lived(20, 20, 1.5);
    window.ShowIn(&short_lived, QPoint(2, 2));
    EXPECT_TRUE(window.Shared());
  }
  EXPECT_FALSE(window.Shared());
  EXPECT_TRUE(window.Image().isNull());
  window.Canvas().FillRect(0, 0, 5, 5);
  window.ShowIn(nullptr, QPoint());
  window.SetSize(3, 3);
  EXPECT_FALSE(window.Image().isNull());
}

// On a finer image a horizontal or vertical one-pixel line is filled straight into the device
// pixels the painter strokes for it: the same pixels as the painter's polyline of its two ends,
// either way along, half inside the image or beside it, at whole and fractional ratios.
TEST(DeviceAxisLineTest, FilledAxisLinesHaveThePaintersPixels) {
  std::mt19937 random(3);
  for (const qreal ratio : {1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
    for (int line = 0; line < 300; ++line) {
      const QPoint from(static_cast<int>(random() % 70) - 5, static_cast<int>(random() % 60) - 5);
      QPoint to = from;
      (random() % 2 ? to.rx() : to.ry()) = static_cast<int>(random() % 70) - 5;
      if (to == from) continue;
      QImage filled = WhiteImage(60, 50, ratio);
      QImage stroked = filled.copy();
      {
        TCanvas canvas(&filled);
        canvas.SetPenColor(clNavy);
        canvas.MoveTo(from.x(), from.y());
        canvas.LineTo(to.x(), to.y());
      }
      {
        TCanvas canvas(&stroked);
        canvas.SetPenColor(clNavy);
        const QPoint ends[] = {from, to};
        canvas.Polyline(ends, 2);
      }
      ASSERT_EQ(filled, stroked) << "ratio " << ratio << " from " << from.x() << "," << from.y() << " to " << to.x()
                                 << "," << to.y();
    }
  }
}

// Text drawn on a finer image has the pixels of the text shaped at its place, whether the canvas
// draws the text laid out once or shapes it anew: at whole and fractional ratios, in faces whose
// hinting moves glyphs differently, wherever the text begins within a device pixel, and again
// from the cache at the same place within a device pixel.
TEST(CanvasTextTest, TextOnAFinerImageHasThePixelsOfTextShapedInPlace) {
  const QString text = QStringLiteral("10.0 -2.5e-3");
  for (const qreal ratio : {1.25, 1.5, 1.75, 2.0, 3.0}) {
    for (const auto& [face, points] : {std::pair{"Arial", 9}, std::pair{"DejaVu Sans", 8}, std::pair{"Arial", 10}}) {
      TFont font;
      font.Name = QString::fromLatin1(face);
      font.Size = points;
      font.Color = clNavy;
      for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) {
          QImage drawn = WhiteImage(200, 40, ratio);
          QImage shaped = drawn.copy();
          {
            TCanvas canvas(&drawn);
            canvas.SetFont(font);
            canvas.SetBrushStyle(bsClear);
            // 96 pixels on: the same place within a device pixel at each of these ratios.
            canvas.TextOut(x + 2, y + 2, text);
            canvas.TextOut(x + 98, y + 2, text);
          }
          {
            QPainter painter(&shaped);
            painter.setFont(font.ToQFont());
            painter.setPen(ColorToQColor(font.Color));
            const int ascent = QFontMetrics(font.ToQFont()).ascent();
            painter.drawText(QPoint(x + 2, y + 2 + ascent), text);
            painter.drawText(QPoint(x + 98, y + 2 + ascent), text);
          }
          ASSERT_EQ(drawn, shaped) << face << " " << points << " at ratio " << ratio << " from " << x << "," << y;
        }
      }
    }
  }
}

// A text drawn again from the pixels it came to before keeps the pixels of one drawn in place:
// over a background of another colour, and beside and across lines drawn close to its glyphs,
// where the pixels kept must not be used.
TEST(CanvasTextTest, TextDrawnAgainHasThePixelsOfTextDrawnInPlace) {
  const QString text = QStringLiteral("-200 W");
  for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
    for (const auto& [face, points] : {std::pair{"Arial", 9}, std::pair{"DejaVu Sans", 8}}) {
      TFont font;
      font.Name = QString::fromLatin1(face);
      font.Size = points;
      font.Color = clMaroon;
      const QFont qfont = font.ToQFont();
      const int width = QFontMetrics(qfont).horizontalAdvance(text);
      const int height = QFontMetrics(qfont).height();
      // Rows of texts 96 pixels apart (the same place within a device pixel at each ratio): on
      // white, on yellow, with a line just after the advance, just below the text, and through it.
      const std::vector<QRect> boxes = {QRect(98, 20, width + 8, height + 8), QRect(194 + width + 1, 22, 1, height),
                                        QRect(290, 24 + height, width, 1), QRect(386 + width / 2, 22, 1, height)};
      QImage drawn = WhiteImage(480, 60, ratio);
      {
        TCanvas canvas(&drawn);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
          canvas.SetBrushColor(i == 0 ? clYellow : clSilver);
          canvas.FillRect(boxes[i].left(), boxes[i].top(), boxes[i].right() + 1, boxes[i].bottom() + 1);
        }
      }
      QImage shaped = drawn.copy();
      {
        TCanvas canvas(&drawn);
        canvas.SetFont(font);
        canvas.SetBrushStyle(bsClear);
        for (int x = 2; x < 480; x += 96) canvas.TextOut(x, 22, text);
      }
      {
        QPainter painter(&shaped);
        painter.setFont(qfont);
        painter.setPen(ColorToQColor(font.Color));
        for (int x = 2; x < 480; x += 96) painter.drawText(QPoint(x, 22 + QFontMetrics(qfont).ascent()), text);
      }
      ASSERT_EQ(drawn, shaped) << face << " " << points << " at ratio " << ratio;
    }
  }
}

// Boxes filled together (FillBoxes) have the pixels of the same boxes filled one by one: boxes
// overlapping in any order, reaching beside the image, given corner to corner either way or
// empty, at whole and fractional ratios and through a clipped painter; the brush stays as it was.
TEST(CanvasBoxesTest, BoxesFilledTogetherHaveThePixelsOfBoxesFilledOneByOne) {
  std::mt19937 random(11);
  for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
    for (const bool clipped : {false, true}) {
      for (int round = 0; round < 40; ++round) {
        std::vector<TCanvas::ColorBox> boxes;
        const int count = static_cast<int>(random() % 12) + 1;
        for (int i = 0; i < count; ++i) {
          const auto coordinate = [&random] { return static_cast<int>(random() % 90) - 10; };
          boxes.push_back({coordinate(), coordinate(), coordinate(), coordinate(),
                           static_cast<TColor>(random() % 0x1000000)});
        }
        QImage together = WhiteImage(70, 60, ratio);
        QImage one_by_one = together.copy();
        {
          TCanvas canvas(&together);
          if (clipped) canvas.Painter().setClipRect(5, 7, 40, 30);
          canvas.SetBrushColor(clLime);
          canvas.FillBoxes(boxes);
          EXPECT_EQ(canvas.BrushColor(), clLime);
        }
        {
          TCanvas canvas(&one_by_one);
          if (clipped) canvas.Painter().setClipRect(5, 7, 40, 30);
          for (const TCanvas::ColorBox& box : boxes) {
            canvas.SetBrushColor(box.color);
            canvas.FillRect(box.x1, box.y1, box.x2, box.y2);
          }
        }
        ASSERT_EQ(together, one_by_one) << "ratio " << ratio << (clipped ? ", clipped" : "") << ", round " << round;
      }
    }
  }
}

// A rectangle's boxes are what Rectangle() draws with a thin pen, solid or clear, and with a
// clear brush; a wide or dashed pen strokes its outline, and no boxes are given for it.
TEST(CanvasBoxesTest, RectangleBoxesDrawTheRectangle) {
  for (const qreal ratio : {1.0, 1.5, 1.75}) {
    for (const auto& [pen, brush] : {std::pair{psSolid, bsSolid}, std::pair{psClear, bsSolid}, std::pair{psSolid, bsClear}}) {
      QImage boxed = WhiteImage(40, 30, ratio);
      QImage drawn = boxed.copy();
      const auto prepare = [&](TCanvas& canvas) {
        canvas.SetPenStyle(pen);
        canvas.SetPenColor(clMaroon);
        canvas.SetBrushStyle(brush);
        canvas.SetBrushColor(clTeal);
      };
      {
        TCanvas canvas(&boxed);
        prepare(canvas);
        std::vector<TCanvas::ColorBox> boxes;
        ASSERT_TRUE(canvas.RectangleBoxes(30, 25, 3, 4, boxes));
        canvas.FillBoxes(boxes);
      }
      {
        TCanvas canvas(&drawn);
        prepare(canvas);
        canvas.Rectangle(30, 25, 3, 4);
      }
      EXPECT_EQ(boxed, drawn) << "ratio " << ratio << " pen " << pen << " brush " << brush;
    }
  }
  TBitmap bitmap(20, 20);
  std::vector<TCanvas::ColorBox> boxes;
  bitmap.Canvas().SetPenWidth(3);
  EXPECT_FALSE(bitmap.Canvas().RectangleBoxes(2, 2, 10, 10, boxes));
  bitmap.Canvas().SetPenWidth(1);
  bitmap.Canvas().SetPenStyle(psDot);
  EXPECT_FALSE(bitmap.Canvas().RectangleBoxes(2, 2, 10, 10, boxes));
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
