#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QPdfWriter>
#include <QPalette>
#include <QWidget>
#include <utility>

#include "common/image_probe.h"
#include "scale_fixture.h"
#include "zeph/scales/drawframe_p.h"

using namespace zeph;

namespace {

// An opaque scale on white without a frame, black ticks and text.
std::unique_ptr<TScale> PlainScale(TScaleType type, int width, int height) {
  auto scale = std::make_unique<TScale>();
  scale->SetSuppressPaint(true);
  scale->SetBounds(0, 0, width, height);
  scale->SetScaleType(type);
  scale->SetColorBackGnd(clWhite);
  scale->SetFrameStyle(fsNone);
  TFont font;
  font.Color = clBlack;
  scale->SetFont(font);
  scale->SetRangeHigh(3);
  scale->SetSuppressPaint(false);
  return scale;
}

bool Black(const QImage& image, int x, int y) { return PixelAt(image, x, y) == clBlack; }

// Counts black pixels in [x1, x2) x [y1, y2).
// Black lines and the dark strokes of black text.
int BlackIn(const QImage& image, int x1, int y1, int x2, int y2) { return CountDark(image, x1, y1, x2, y2); }

// The rows that hold any black pixel within the columns [x1, x2).
std::pair<int, int> InkRows(const QImage& image, int x1, int x2, int y1, int y2) {
  int first = -1;
  int last = -1;
  for (int y = y1; y < y2; ++y)
    if (BlackIn(image, x1, y, x2, y + 1) > 0) {
      if (first < 0) first = y;
      last = y;
    }
  return {first, last};
}

TEST(ScaleRenderTest, BottomAxisTicksAndLabelsStandAboveTheLine) {
  auto scale = PlainScale(sctXB, 400, 100);
  const QImage& img = scale->Image();
  SaveArtefact(img, "scale_xb.png");
  const int axis = 100 - 20 - 1;
  // The base line runs from the left margin; its end pixel comes from the last tick.
  EXPECT_FALSE(Black(img, 19, axis));
  EXPECT_EQ(BlackIn(img, 20, axis, 380, axis + 1), 360);
  // Long tick at RangeLow: 7 pixels up from the axis.
  for (int y = axis - 6; y <= axis; ++y) EXPECT_TRUE(Black(img, 20, y)) << y;
  // Short tick at 0.2 (x = 20 + 359 * 0.2 / 3 = 43.9): 4 pixels.
  for (int y = axis - 3; y <= axis; ++y) EXPECT_TRUE(Black(img, 44, y)) << y;
  EXPECT_FALSE(Black(img, 44, axis - 4));
  // Labels end 7 pixels above the axis: nothing but ticks below that.
  EXPECT_EQ(BlackIn(img, 21, axis - 7, 40, axis), 0);
  // The label's box ends at axis - 8; its ink (no descenders in "0.00") a little above.
  const auto rows = InkRows(img, 2, 60, 0, axis - 7);
  EXPECT_LE(rows.second, axis - 8);
  EXPECT_GE(rows.second, axis - 8 - 4);
  EXPECT_GT(rows.first, axis - 8 - 20);
}

TEST(ScaleRenderTest, RightmostLabelIsPushedInsideTheControl) {
  auto scale = PlainScale(sctXB, 400, 100);
  scale->SetMarginRight(0);  // RangeHigh at x = 399
  const QImage& img = scale->Image();
  const int axis = 79;
  TCanvas probe;
  probe.SetFont(scale->Font());
  const int w = probe.TextWidth("3.00");
  const int left = 400 - 2 * (w / 2) - 2;  // flush with Width - 2 (one more for an odd width)
  EXPECT_TRUE(Black(img, 399, axis - 6));
  EXPECT_EQ(BlackIn(img, left + w, 0, 400, axis - 7), 0);
  EXPECT_GT(BlackIn(img, left, 0, left + w, axis - 7), 0);
  EXPECT_EQ(BlackIn(img, 300, 0, left, axis - 7), 0);
}

TEST(ScaleRenderTest, TopAxisTicksAndLabelsHangBelowTheLine) {
  auto scale = PlainScale(sctXT, 400, 100);
  const QImage& img = scale->Image();
  for (int y = 20; y <= 26; ++y) EXPECT_TRUE(Black(img, 20, y)) << y;
  EXPECT_FALSE(Black(img, 20, 27));
  EXPECT_EQ(BlackIn(img, 21, 21, 40, 27), 0);
  const auto rows = InkRows(img, 2, 60, 27, 100);
  EXPECT_GE(rows.first, 27);
}

TEST(ScaleRenderTest, VerticalScalesPutLabelsEightPixelsBeside) {
  auto left = PlainScale(sctYL, 200, 300);
  const QImage& l = left->Image();
  SaveArtefact(l, "scale_yl.png");
  const int low_y = 300 - 20 - 1;
  for (int x = 20; x <= 25; ++x) EXPECT_TRUE(Black(l, x, low_y)) << x;
  EXPECT_FALSE(Black(l, 26, low_y));
  EXPECT_TRUE(Black(l, 23, 20));  // RangeHigh at the top margin
  EXPECT_EQ(BlackIn(l, 26, 0, 28, 300), 0);
  EXPECT_GT(BlackIn(l, 28, low_y - 10, 60, low_y + 10), 0);

  auto right = PlainScale(sctYR, 200, 300);
  const QImage& r = right->Image();
  const int axis = 200 - 20 - 1;
  for (int x = axis - 5; x <= axis; ++x) EXPECT_TRUE(Black(r, x, low_y)) << x;
  EXPECT_FALSE(Black(r, axis - 6, low_y));
  EXPECT_EQ(BlackIn(r, axis - 7, 0, axis - 5, 300), 0);
  TCanvas probe;
  probe.SetFont(right->Font());
  const int w = probe.TextWidth("0.00");
  // "0.00" ends 8 pixels before the axis.
  EXPECT_GT(BlackIn(r, axis - 8 - w, low_y - 10, axis - 8, low_y + 10), 0);
}

TEST(ScaleRenderTest, LogarithmicMinorTickLengths) {
  auto horizontal = PlainScale(sctXB, 400, 100);
  horizontal->SetRangeLow(1);
  horizontal->SetRangeHigh(100);
  horizontal->SetLogarithmic(true);
  const int x3 = horizontal->ValueToPixel(3);
  const QImage& h = horizontal->Image();
  EXPECT_TRUE(Black(h, x3, 79 - 3));
  EXPECT_FALSE(Black(h, x3, 79 - 4));

  auto vertical = PlainScale(sctYL, 200, 300);
  vertical->SetRangeLow(1);
  vertical->SetRangeHigh(100);
  vertical->SetLogarithmic(true);
  const int y3 = vertical->ValueToPixel(3);
  EXPECT_TRUE(Black(vertical->Image(), 25, y3));
  EXPECT_FALSE(Black(vertical->Image(), 26, y3));
}

TEST(ScaleRenderTest, ExternalCanvasOffsetShiftsOnlyAcrossTheAxis) {
  TBitmap target(500, 500);
  target.Canvas().SetBrushColor(clWhite);
  target.Canvas().FillRect(0, 0, 500, 500);
  TScale scale;
  scale.SetSuppressPaint(true);
  scale.SetEmbedded(true);
  scale.SetExternalCanvas(&target.Canvas(), 10, 20);
  scale.SetTransparent(true);
  scale.SetScaleType(sctYL);
  scale.SetBounds(0, 0, 400, 400);
  TFont font;
  font.Color = clBlack;
  scale.SetFont(font);
  int rendered = 0;
  scale.OnAfterScaleRendered = [&](QObject* sender, TCanvas& canvas) {
    EXPECT_EQ(sender, &scale);
    EXPECT_EQ(&canvas, &target.Canvas());
    ++rendered;
  };
  scale.ForcePaint();
  EXPECT_EQ(rendered, 1);
  EXPECT_TRUE(scale.PaintSuppressed());
  const QImage& img = target.Image();
  // Axis at x = 10 + MarginLeft, ticks along y without the offset.
  EXPECT_TRUE(Black(img, 30, 100));
  EXPECT_FALSE(Black(img, 20, 100));
  for (int x = 30; x <= 35; ++x) EXPECT_TRUE(Black(img, x, 20)) << x;   // RangeHigh
  for (int x = 30; x <= 35; ++x) EXPECT_TRUE(Black(img, x, 379)) << x;  // RangeLow
  EXPECT_FALSE(Black(img, 31, 399));
  // A transparent scale leaves the background alone.
  EXPECT_EQ(PixelAt(img, 5, 5), clWhite);
}

TEST(ScaleRenderTest, ScaleColoursTakeATColorAQColorAndAQtColourName) {
  auto scale = PlainScale(sctXB, 400, 100);
  const std::pair<TColorArg, TColor> forms[] = {{clBlue, clBlue}, {QColor(0, 128, 0), clGreen}, {Qt::red, clRed}};
  for (const auto& [color, drawn] : forms) {
    scale->SetColorScale(color);
    scale->ForcePaint();
    EXPECT_EQ(CountPixels(scale->Image(), drawn, 20, 79, 380, 80), 360) << drawn;  // the base line
  }
}

TEST(ScaleRenderTest, OpaqueScaleIsCopiedToTheExternalOffsetWithItsFrame) {
  TBitmap target(300, 200);
  target.Canvas().SetBrushColor(clWhite);
  target.Canvas().FillRect(0, 0, 300, 200);
  TScale scale;
  scale.SetBounds(0, 0, 100, 80);
  scale.SetColorBackGnd(clYellow);
  scale.SetExternalCanvas(&target.Canvas(), 50, 40);
  scale.ForcePaint();
  const QImage& img = target.Image();
  EXPECT_EQ(PixelAt(img, 49, 60), clWhite);
  EXPECT_EQ(PixelAt(img, 50, 40), clGray);        // lowered frame: shadow top-left
  EXPECT_EQ(PixelAt(img, 149, 119), clWhite);     // highlight bottom-right
  EXPECT_EQ(PixelAt(img, 51, 41), clBlack);       // inner dark rim
  EXPECT_EQ(PixelAt(img, 148, 118), kFrameSilver);
  EXPECT_EQ(PixelAt(img, 60, 45), clYellow);
  EXPECT_EQ(PixelAt(img, 150, 120), clWhite);
}

TEST(ScaleRenderTest, CaptionAtItsAnchor) {
  auto scale = PlainScale(sctXT, 400, 100);
  scale->SetRangeHigh(1e-3);  // labels far from the caption's place
  scale->SetLabelType(ftNoFigs);
  scale->SetCaption("Volt");
  scale->SetCaptionAnchor(uaSclCenter);
  scale->SetCaptionPosY(30);
  TCanvas probe;
  probe.SetFont(scale->Font());
  const int w = probe.TextWidth("Volt");
  const int x = 4 + 20 + 360 / 2 - w / 2;  // CaptionPosX 4 + centre of the axis extent
  const QImage& img = scale->Image();
  SaveArtefact(img, "scale_caption.png");
  EXPECT_GT(BlackIn(img, x, 50, x + w, 50 + probe.TextHeight("Volt")), 0);
  EXPECT_EQ(BlackIn(img, 0, 50, x - 1, 100), 0);
  // A glyph may overhang its advance by a pixel.
  EXPECT_EQ(BlackIn(img, x + w + 2, 50, 400, 100), 0);

  scale->SetCaptionAlignment(taRightJustify);
  scale->SetCaptionAnchor(uaSclBotRgt);
  const QImage& right = scale->Image();
  EXPECT_GT(BlackIn(right, 384 - w, 50, 384, 70), 0);
  EXPECT_EQ(BlackIn(right, 386, 50, 400, 100), 0);
  EXPECT_EQ(BlackIn(right, 0, 50, 384 - w - 1, 100), 0);
}

TEST(ScaleRenderTest, InvalidDateRangeWritesAMessageInsteadOfTicks) {
  auto scale = PlainScale(sctXB, 400, 100);
  scale->SetLabelType(ftDateTime);
  scale->SetRangeLow(-700000);
  EXPECT_EQ(scale->NumTicks(), 0);
  const QImage& img = scale->Image();
  // One line, top 7 pixels below the axis, centred on the middle of the axis.
  EXPECT_GT(BlackIn(img, 150, 86, 250, 100), 0);
  EXPECT_EQ(BlackIn(img, 0, 0, 400, 79), 0);
}

QImage Frame(int style) {
  TBitmap bitmap(20, 20);
  bitmap.Canvas().SetBrushColor(clYellow);
  bitmap.Canvas().FillRect(0, 0, 20, 20);
  DrawFrame(bitmap.Canvas(), 0, 0, 19, 19, style, clWhite, clGray, clBlack);
  bitmap.Canvas().End();
  return bitmap.Image();
}

TEST(DrawFrameTest, ThreeDimensionalStylesPaintTwoRims) {
  struct Case {
    int style;
    TColor outer_tl, outer_br, inner_tl, inner_br;
  };
  const Case cases[] = {
      {fsLowered, clGray, clWhite, clBlack, kFrameSilver},
      {fsRaised, clWhite, clBlack, kFrameSilver, clGray},
      {fsEmbossed, clWhite, clGray, clGray, clWhite},
      {fsEngraved, clGray, clWhite, clWhite, clGray},
  };
  for (const Case& c : cases) {
    const QImage img = Frame(c.style);
    SCOPED_TRACE(c.style);
    EXPECT_EQ(PixelAt(img, 0, 0), c.outer_tl);
    EXPECT_EQ(PixelAt(img, 0, 19), c.outer_br);  // the bottom rim runs one past the left edge
    EXPECT_EQ(PixelAt(img, 19, 0), c.outer_tl);
    EXPECT_EQ(PixelAt(img, 19, 19), c.outer_br);
    EXPECT_EQ(PixelAt(img, 19, 1), c.outer_br);
    EXPECT_EQ(PixelAt(img, 1, 19), c.outer_br);
    EXPECT_EQ(PixelAt(img, 1, 1), c.inner_tl);
    EXPECT_EQ(PixelAt(img, 1, 17), c.inner_tl);
    EXPECT_EQ(PixelAt(img, 1, 18), c.inner_br);
    EXPECT_EQ(PixelAt(img, 18, 18), c.inner_br);
    EXPECT_EQ(PixelAt(img, 18, 2), c.inner_br);
    EXPECT_EQ(PixelAt(img, 2, 2), clYellow);
  }
}

TEST(DrawFrameTest, SimpleOutlineNoneAndOutOfRangeStyles) {
  const QImage simple = Frame(fsSimple);
  for (auto [x, y] : {std::pair{0, 0}, {19, 0}, {0, 19}, {19, 19}, {10, 0}, {0, 10}})
    EXPECT_EQ(PixelAt(simple, x, y), clBlack) << x << "," << y;
  EXPECT_EQ(PixelAt(simple, 1, 1), clYellow);
  EXPECT_EQ(PixelAt(Frame(128 + fsSimple), 19, 19), clBlack);  // modulo 128
  for (int style : {int{fsNone}, 6, 127})
    EXPECT_EQ(CountPixels(Frame(style), clYellow, 0, 0, 20, 20), 400) << style;
}

}  // namespace

namespace {

TEST(ScaleWidgetTest, StandAloneScalesPaintThroughThePaintEvent) {
  QWidget form;
  form.resize(300, 200);
  QPalette palette = form.palette();
  palette.setColor(QPalette::Window, Qt::yellow);
  form.setPalette(palette);
  form.setAutoFillBackground(true);

  auto* transparent = new TScale(&form);
  transparent->SetBounds(0, 0, 300, 100);
  transparent->SetTransparent(true);
  auto* opaque = new TScale(&form);
  opaque->SetBounds(0, 100, 300, 100);
  opaque->SetColorBackGnd(clWhite);
  int renders = 0;
  transparent->OnBeforeScaleRendered = [&](QObject*, TCanvas&) { ++renders; };
  form.show();

  const QImage shot = form.grab().toImage();
  SaveArtefact(shot, "scale_widgets.png");
  EXPECT_GT(renders, 0);
  // The parent's background shows through the transparent scale; its ticks are drawn on it.
  EXPECT_EQ(PixelAt(shot, 150, 30), clYellow);
  EXPECT_EQ(PixelAt(shot, 20, 79), clBlack);
  EXPECT_EQ(PixelAt(shot, 20, 73), clBlack);
  // The opaque one brings its own background and frame.
  EXPECT_EQ(PixelAt(shot, 150, 130), clWhite);
  EXPECT_EQ(PixelAt(shot, 0, 100), clGray);

  // Painting settles: no paint event asks for another.
  QCoreApplication::processEvents();
  const int settled = renders;
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(renders, settled);
}

}  // namespace

namespace {

TEST(ScaleRenderTest, PrinterCanvasesKeepTheLabelsAtTheirPointSize) {
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  QPdfWriter writer(&pdf);
  writer.setResolution(600);
  // 96 pixels of the drawing to the inch, as on the screen.
  TCanvas printer(&writer, true, 600.0 / 96);
  TScale scale;
  scale.SetEmbedded(true);
  scale.SetTransparent(true);
  scale.SetExternalCanvas(&printer, 0, 0);
  TFont font;
  font.Size = 8;
  scale.SetFont(font);
  int during = 0;
  qreal scale_during = 0;
  scale.OnAfterScaleRendered = [&](QObject*, TCanvas& canvas) {
    during = canvas.Font().Size;
    scale_during = canvas.Scale();
  };
  scale.ForcePaint();
  // The font keeps its size in the drawing's pixels; the canvas maps them onto the printer's dots.
  EXPECT_EQ(during, 8);
  EXPECT_DOUBLE_EQ(scale_during, 6.25);
  EXPECT_GT(scale.NumTicks(), 0);
  printer.End();
  EXPECT_GT(pdf.size(), 0);
}

}  // namespace
