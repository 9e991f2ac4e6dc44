#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <climits>

#include "common/image_probe.h"
#include "scales/drawmark_paper.h"
#include "zeph/scales/drawmark.h"
#include "zeph/toolkit/tcanvas.h"

using namespace zeph;

namespace {

using namespace drawmark_paper;

void Prepare(TCanvas& canvas, int pen_width = 1) {
  canvas.SetPenColor(kPen);
  canvas.SetPenWidth(pen_width);
  canvas.SetBrushColor(kBrush);
}

QImage MarkOn(bool printer, int type, int pen_width = 1) {
  QImage image = Paper();
  TCanvas canvas(&image, printer);
  Prepare(canvas, pen_width);
  DrawMark(canvas, static_cast<std::uint8_t>(type), kX, kY);
  return image;
}

// The smallest rectangle holding every pixel of the colour.
QRect Ink(const QImage& image, TColor color) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (PixelAt(image, x, y) == color) box |= QRect(x, y, 1, 1);
  return box;
}

TEST(DrawMarkCanvasTest, SymbolsRestoreBrushColourAndPenPosition) {
  QImage image = Paper();
  TCanvas canvas(&image);
  Prepare(canvas);
  canvas.SetPenStyle(psSolid);
  canvas.MoveTo(3, 4);
  for (int type = 0; type < kMarkSymbolCount; ++type) {
    DrawMark(canvas, static_cast<std::uint8_t>(type), kX, kY);
    EXPECT_EQ(canvas.BrushColor(), kBrush) << type;
    EXPECT_EQ(canvas.BrushStyle(), bsSolid) << type;
    EXPECT_EQ(canvas.PenColor(), kPen) << type;
    EXPECT_EQ(canvas.PenStyle(), psSolid) << type;
    EXPECT_EQ(canvas.PenWidth(), 1) << type;
    EXPECT_EQ(canvas.PenPos(), QPoint(3, 4)) << type;
  }
}

TEST(DrawMarkCanvasTest, OpenSymbolsLeaveTheBrushSolidAndFilledOnesFillEvenWithAClearBrush) {
  QImage image = Paper();
  TCanvas canvas(&image);
  Prepare(canvas);
  canvas.SetBrushStyle(bsClear);
  DrawMark(canvas, 16, kX, kY);
  EXPECT_EQ(canvas.BrushStyle(), bsSolid);
  EXPECT_EQ(PixelAt(image, kX, kY), clWhite);

  canvas.SetBrushStyle(bsClear);
  DrawMark(canvas, 24, kX, kY);  // a filled circle is filled whatever brush it meets
  EXPECT_EQ(PixelAt(image, kX, kY), kPen);
  EXPECT_EQ(canvas.BrushStyle(), bsSolid);
  EXPECT_EQ(canvas.BrushColor(), kBrush);
}

TEST(DrawMarkCanvasTest, CharacterMarkerIsCentredOnThePoint) {
  QImage image = Paper();
  TCanvas canvas(&image);
  Prepare(canvas);
  TFont font;
  font.Name = QStringLiteral("Arial");
  font.Size = 14;
  font.Color = clGreen;
  canvas.SetFont(font);
  const int w = canvas.TextWidth(QStringLiteral("A"));
  const int h = canvas.TextHeight(QStringLiteral("A"));
  canvas.MoveTo(3, 4);
  DrawMark(canvas, 65, kX, kY);

  // The solid brush paints the character's cell, whose top-left corner is half a cell up-left.
  EXPECT_EQ(Ink(image, kBrush), QRect(kX - w / 2, kY - h / 2, w, h));
  const QRect letter = Ink(image, clGreen);
  ASSERT_FALSE(letter.isEmpty());
  EXPECT_TRUE(QRect(kX - w / 2, kY - h / 2, w, h).contains(letter));
  EXPECT_LE(std::abs((letter.left() + letter.right()) - 2 * kX), 2);  // "A" is symmetric
  EXPECT_EQ(CountPixels(image, kPen, 0, 0, 40, 40), 0);               // not a symbol
  EXPECT_EQ(canvas.PenPos(), QPoint(3, 4));
  EXPECT_EQ(canvas.BrushColor(), kBrush);
}

TEST(DrawMarkCanvasTest, TypesFrom48OnAreCharactersOfTheAnsiCodePage) {
  for (const auto& [type, text] : {std::pair{48, QStringLiteral("0")},
                                   {0x80, QString(QChar(0x20AC))},   // euro sign
                                   {0xE9, QString(QChar(0x00E9))},   // e acute
                                   {255, QString(QChar(0x00FF))}}) {
    QImage marked = Paper();
    QImage written = Paper();
    TCanvas marker(&marked);
    TCanvas writer(&written);
    for (TCanvas* c : {&marker, &writer}) {
      Prepare(*c);
      c->SetBrushStyle(bsClear);
      c->SetFontColor(clBlack);
    }
    DrawMark(marker, static_cast<std::uint8_t>(type), kX, kY);
    writer.TextOut(kX - writer.TextWidth(text) / 2, kY - writer.TextHeight(text) / 2, text);
    marker.End();
    writer.End();
    EXPECT_GT(CountDark(marked, 0, 0, 40, 40), 0) << type;
    EXPECT_EQ(marked, written) << type;
  }
  // 47 is still a symbol: a filled triangle in the pen colour.
  EXPECT_GT(CountPixels(MarkOn(false, 47, 1), kPen, 0, 0, 40, 40), 10);
}

TEST(DrawMarkCanvasTest, PrinterDrawsLinesWhereTheScreenStampsPixels) {
  const QImage screen = MarkOn(false, 3);
  const QImage printer = MarkOn(true, 3);
  EXPECT_NE(screen, printer);
  // Lines from X - 4 to X + 4 and from Y - 4 to Y + 4, each leaving out its end pixel.
  EXPECT_EQ(CountPixels(printer, kPen, kX - 4, kY, kX + 4, kY + 1), 8);
  EXPECT_EQ(CountPixels(printer, kPen, kX, kY - 4, kX + 1, kY + 4), 8);
  EXPECT_EQ(PixelAt(printer, kX + 4, kY), clWhite);
  EXPECT_EQ(CountPixels(printer, kPen, 0, 0, 40, 40), 15);
  EXPECT_EQ(CountPixels(screen, kPen, 0, 0, 40, 40), 13);

  // Diagonal cross: both lines run left to right over 2a pixels.
  const QImage cross = MarkOn(true, 6);
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(PixelAt(cross, kX - 4 + k, kY - 4 + k), kPen) << k;
    EXPECT_EQ(PixelAt(cross, kX - 4 + k, kY + 4 - k), kPen) << k;
  }

  // A printer pen gives the lines its width; the screen stamp stays one pixel wide.
  EXPECT_GT(CountPixels(MarkOn(true, 25, 3), kPen, 0, 0, 40, 40), CountPixels(MarkOn(false, 25, 3), kPen, 0, 0, 40, 40));
}

TEST(DrawMarkCanvasTest, PrinterCheckerboardDotsTakeThePenWidth) {
  const QImage thin = MarkOn(true, 18);
  EXPECT_EQ(CountPixels(thin, kPen, 0, 0, 40, 40), 25);
  for (int i = 1; i <= 7; ++i)
    for (int j = 1; j <= 7; ++j)
      EXPECT_EQ(PixelAt(thin, kX + i - 4, kY + j - 4) == kPen, i % 2 == j % 2) << i << "," << j;
  EXPECT_EQ(CountPixels(MarkOn(false, 18, 3), kPen, 0, 0, 40, 40), 25);
  EXPECT_GT(CountPixels(MarkOn(true, 18, 3), kPen, 0, 0, 40, 40), 25);
}

TEST(DrawMarkCanvasTest, MarkersAtTheEdgeOrFarAwayAreClippedSafely) {
  QImage image = Paper(10, 10);
  const QImage blank = image.copy();
  {
    TCanvas canvas(&image);
    Prepare(canvas);
    for (int type = 0; type < 256; ++type)
      for (const QPoint& p : {QPoint(INT_MAX, INT_MIN), QPoint(INT_MIN, 0), QPoint(-50, 5)})
        DrawMark(canvas, static_cast<std::uint8_t>(type), p.x(), p.y());
  }
  EXPECT_EQ(image, blank);
  {
    TCanvas canvas(&image);
    Prepare(canvas);
    for (int type = 0; type < kMarkSymbolCount; ++type) DrawMark(canvas, static_cast<std::uint8_t>(type), 0, 9);
  }
  EXPECT_EQ(PixelAt(image, 0, 9), kPen);

  // A canvas that has nothing to draw on ignores markers.
  QImage none;
  TCanvas idle(&none, true);
  for (int type = 0; type < 256; ++type) DrawMark(idle, static_cast<std::uint8_t>(type), 5, 5);
  EXPECT_FALSE(idle.IsActive());
}

// All symbols in a grid, screen glyphs and then the printer variants, enlarged for a person to
// look at.
TEST(DrawMarkCanvasTest, SymbolSheetArtefact) {
  constexpr int kCell = 24;
  constexpr int kColumns = 8;
  const int printer_types[] = {1, 2, 3, 4, 5, 6, 18, 25};
  QImage sheet = Paper(kColumns * kCell, 7 * kCell);
  {
    TCanvas screen(&sheet);
    Prepare(screen);
    for (int type = 0; type < kMarkSymbolCount; ++type)
      DrawMark(screen, static_cast<std::uint8_t>(type), (type % kColumns) * kCell + kCell / 2,
               (type / kColumns) * kCell + kCell / 2 + 2);
  }
  {
    TCanvas printer(&sheet, true);
    Prepare(printer);
    printer.SetPenColor(clMaroon);
    for (int i = 0; i < kColumns; ++i)
      DrawMark(printer, static_cast<std::uint8_t>(printer_types[i]), i * kCell + kCell / 2, 6 * kCell + kCell / 2);
  }
  for (int cell = 0; cell < 7 * kColumns; ++cell) {
    const int x = (cell % kColumns) * kCell;
    const int y = (cell / kColumns) * kCell;
    EXPECT_GT(CountPixels(sheet, cell < kMarkSymbolCount ? kPen : clMaroon, x, y, x + kCell, y + kCell), 0) << cell;
  }
  const QString path = SaveArtefact(sheet.scaled(sheet.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation),
                                    QStringLiteral("drawmark_symbols.png"));
  EXPECT_FALSE(path.isEmpty());
}

}  // namespace
