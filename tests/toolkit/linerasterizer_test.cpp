#include <gtest/gtest.h>

#include <QImage>
#include <climits>
#include <random>

#include "common/image_probe.h"
#include "common/reference_lines.h"
#include "zeph/toolkit/linerasterizer.h"

using namespace zeph;

namespace {

constexpr std::uint32_t kInk = 0x0000FF;  // blue in the image's pixel order

QImage Blank() {
  QImage image(61, 47, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

int Coordinate(std::mt19937& random, int extent) {
  switch (random() % 4) {
    case 0: return static_cast<int>(random() % static_cast<unsigned>(extent));
    case 1: return static_cast<int>(random() % static_cast<unsigned>(3 * extent)) - extent;
    case 2: return static_cast<int>(random() % 601) - 300;
    default: return static_cast<int>(random() % 60001) - 30000;
  }
}

TEST(LineRasterizerTest, ClippedLinesMatchTheStepByStepDrawingForEveryStyle) {
  std::mt19937 random(20240607);
  for (const TPenStyle style : {psSolid, psDash, psDot, psDashDot, psDashDotDot}) {
    for (int polyline = 0; polyline < 60; ++polyline) {
      QImage fast = Blank();
      QImage reference = Blank();
      LineRasterizer rasterizer(fast, kInk, style, false);
      ReferenceLines lines(reference, kInk, style);
      QPoint from(Coordinate(random, fast.width()), Coordinate(random, fast.height()));
      for (int segment = 0; segment < 12; ++segment) {
        const QPoint to(Coordinate(random, fast.width()), Coordinate(random, fast.height()));
        rasterizer.Line(from, to);
        lines.Line(from, to);
        from = to;
      }
      ASSERT_EQ(fast, reference) << "style " << style << ", polyline " << polyline << ": "
                                 << SaveArtefact(fast, QStringLiteral("rasterizer_fast.png")).toStdString();
    }
  }
}

TEST(LineRasterizerTest, DashPhaseAdvancesOverTheStretchOffTheImage) {
  QImage image = Blank();
  LineRasterizer rasterizer(image, kInk, psDash, false);
  // 30005 pixels left of the image: 30005 = 1250 * 24 + 5, so the image starts 5 pixels into a dash.
  rasterizer.Line(QPoint(-30005, 3), QPoint(60, 3));
  for (int x = 0; x < 13; ++x) EXPECT_EQ(PixelAt(image, x, 3), clBlue) << x;
  for (int x = 13; x < 19; ++x) EXPECT_EQ(PixelAt(image, x, 3), clWhite) << x;
  EXPECT_EQ(PixelAt(image, 19, 3), clBlue);
  // A segment wholly outside still moves the pattern on: 30 pixels off the image, then the next
  // segment starts 6 pixels into the pattern.
  LineRasterizer second(image, kInk, psDash, false);
  second.Line(QPoint(-40, 40), QPoint(-10, 40));
  second.Line(QPoint(0, 44), QPoint(60, 44));
  for (int x = 0; x < 12; ++x) EXPECT_EQ(PixelAt(image, x, 44), clBlue) << x;
  EXPECT_EQ(PixelAt(image, 12, 44), clWhite);
}

TEST(LineRasterizerTest, EndPointsAtTheIntegerLimitsAndColumns) {
  QImage image = Blank();
  LineRasterizer rasterizer(image, kInk, psSolid, false);
  rasterizer.Line(QPoint(INT_MIN, 5), QPoint(INT_MAX, 5));
  EXPECT_EQ(CountPixels(image, clBlue, 0, 5, 61, 6), 61);
  rasterizer.Line(QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MAX));  // through (0, 0) at 45 degrees
  for (int i = 0; i < 47; ++i) EXPECT_EQ(PixelAt(image, i, i), clBlue) << i;
  rasterizer.Line(QPoint(INT_MAX, 0), QPoint(INT_MIN, 46));  // shallow, nowhere near a whole pixel row
  rasterizer.Column(60, -100, 100);
  EXPECT_EQ(CountPixels(image, clBlue, 60, 0, 61, 47), 47);
  rasterizer.Column(-1, 0, 10);
  rasterizer.Column(61, 0, 10);
  rasterizer.Column(30, 12, 11);
  EXPECT_EQ(PixelAt(image, 30, 12), clWhite);
  EXPECT_FALSE(rasterizer.Dashed());
  EXPECT_TRUE(LineRasterizer(image, kInk, psDot, false).Dashed());
}

// With a brush every pixel of the one-pixel line (counted in the plane of the squares' last
// pixels, brush - 1 larger than the image) becomes a square reaching up and left.
TEST(LineRasterizerTest, ABrushSquaresEveryPixelOfTheOnePixelLine) {
  std::mt19937 random(20261208);
  for (const int brush : {2, 3}) {
    for (int polyline = 0; polyline < 40; ++polyline) {
      QImage fast = Blank();
      LineRasterizer rasterizer(fast, kInk, psSolid, false, brush);
      ASSERT_EQ(rasterizer.Brush(), brush);
      ASSERT_EQ(rasterizer.Width(), fast.width() + brush - 1);
      QImage plane(fast.width() + brush - 1, fast.height() + brush - 1, QImage::Format_RGB32);
      plane.fill(Qt::white);
      ReferenceLines lines(plane, kInk, psSolid);
      QPoint from(Coordinate(random, fast.width()), Coordinate(random, fast.height()));
      for (int segment = 0; segment < 8; ++segment) {
        const QPoint to(Coordinate(random, fast.width()), Coordinate(random, fast.height()));
        rasterizer.Line(from, to);
        lines.Line(from, to);
        from = to;
      }
      const int column = static_cast<int>(random() % static_cast<unsigned>(plane.width()));
      const int top = static_cast<int>(random() % 80) - 20;
      const int bottom = top + static_cast<int>(random() % 30);
      rasterizer.Column(column, top, bottom);
      for (int y = std::max(top, 0); y <= std::min(bottom, plane.height() - 1); ++y) plane.setPixel(column, y, kInk);
      QImage reference = Blank();
      for (int y = 0; y < plane.height(); ++y) {
        for (int x = 0; x < plane.width(); ++x) {
          if ((plane.pixel(x, y) & 0xFFFFFF) != kInk) continue;
          for (int dy = 0; dy < brush; ++dy) {
            for (int dx = 0; dx < brush; ++dx) {
              if (reference.rect().contains(x - dx, y - dy)) reference.setPixel(x - dx, y - dy, kInk);
            }
          }
        }
      }
      ASSERT_EQ(fast, reference) << "brush " << brush << ", polyline " << polyline << ": "
                                 << SaveArtefact(fast, QStringLiteral("rasterizer_brush.png")).toStdString();
    }
  }
  // Exclusive or would take the overlapping squares out again: it keeps one-pixel lines.
  QImage image = Blank();
  EXPECT_EQ(LineRasterizer(image, kInk, psSolid, true, 2).Brush(), 1);
}

}  // namespace
