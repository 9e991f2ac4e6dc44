#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "common/image_probe.h"
#include "zeph/scales/drawmark.h"
#include "zeph/toolkit/tcanvas.h"

using namespace zeph;

namespace {

using Picture = std::vector<std::string>;

constexpr int kX = 20;
constexpr int kY = 20;
constexpr TColor kPen = clBlue;
constexpr TColor kBrush = clRed;
constexpr TColor kPaper = clGreen;

// Draws one marker at (kX, kY) on green paper with a blue pen and a red brush.
QImage Mark(int type, int pen_width = 1) {
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(ColorToQColor(kPaper));
  TCanvas canvas(&image);
  canvas.SetPenColor(kPen);
  canvas.SetPenWidth(pen_width);
  canvas.SetBrushColor(kBrush);
  DrawMark(canvas, static_cast<std::uint8_t>(type), kX, kY);
  return image;
}

// The square of side 2 r + 1 around the marker's point: '#' in the pen colour, '.' elsewhere.
Picture Around(const QImage& image, int r) {
  Picture rows;
  for (int y = kY - r; y <= kY + r; ++y) {
    std::string row;
    for (int x = kX - r; x <= kX + r; ++x) row += PixelAt(image, x, y) == kPen ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

Picture MirrorLeftRight(Picture p) {
  for (std::string& row : p) row.assign(row.rbegin(), row.rend());
  return p;
}

Picture MirrorTopBottom(const Picture& p) { return Picture(p.rbegin(), p.rend()); }

TEST(DrawMarkTest, DotSetsExactlyOnePixel) {
  const QImage image = Mark(0);
  EXPECT_EQ(CountPixels(image, kPen, 0, 0, 40, 40), 1);
  EXPECT_EQ(PixelAt(image, kX, kY), kPen);
}

TEST(DrawMarkTest, ThinCrossesAndPatternsAreStampedFromTheirGlyphs) {
  EXPECT_EQ(Around(Mark(3), 4), Picture({".........",  //
                                         "....#....",  //
                                         "....#....",  //
                                         "....#....",  //
                                         ".#######.",  //
                                         "....#....",  //
                                         "....#....",  //
                                         "....#....",  //
                                         "........."}));
  EXPECT_EQ(Around(Mark(6), 4), Picture({".........",  //
                                         ".#.....#.",  //
                                         "..#...#..",  //
                                         "...#.#...",  //
                                         "....#....",  //
                                         "...#.#...",  //
                                         "..#...#..",  //
                                         ".#.....#.",  //
                                         "........."}));
  EXPECT_EQ(Around(Mark(18), 4), Picture({".........",  //
                                          ".#.#.#.#.",  //
                                          "..#.#.#..",  //
                                          ".#.#.#.#.",  //
                                          "..#.#.#..",  //
                                          ".#.#.#.#.",  //
                                          "..#.#.#..",  //
                                          ".#.#.#.#.",  //
                                          "........."}));
  EXPECT_EQ(Around(Mark(25), 4), Picture({".........",  //
                                          ".##...##.",  //
                                          ".###.###.",  //
                                          "..#####..",  //
                                          "...###...",  //
                                          "..#####..",  //
                                          ".###.###.",  //
                                          ".##...##.",  //
                                          "........."}));
  // A stamp is pixels, whatever the pen's width.
  EXPECT_EQ(Around(Mark(3, 3), 4), Around(Mark(3), 4));
}

TEST(DrawMarkTest, FilledSquareCoversItsBoxAndNoMore) {
  const QImage large = Mark(9);
  EXPECT_EQ(CountPixels(large, kPen, kX - 3, kY - 3, kX + 4, kY + 4), 49);
  EXPECT_EQ(CountPixels(large, kPen, 0, 0, 40, 40), 49);
  EXPECT_EQ(CountPixels(large, kBrush, 0, 0, 40, 40), 0);  // the inside takes the pen colour
  const QImage small = Mark(7);
  EXPECT_EQ(CountPixels(small, kPen, kX - 1, kY - 1, kX + 2, kY + 2), 9);
  EXPECT_EQ(CountPixels(small, kPen, 0, 0, 40, 40), 9);
}

TEST(DrawMarkTest, OpenSquareOutlineIsClosed) {
  EXPECT_EQ(Around(Mark(10), 2), Picture({".....",  //
                                          ".###.",  //
                                          ".#.#.",  //
                                          ".###.",  //
                                          "....."}));
}

TEST(DrawMarkTest, OpenCircleLeavesItsInsideUntouched) {
  const QImage image = Mark(17);
  for (const auto& [dx, dy] : {std::pair{-3, 0}, {3, 0}, {0, -3}, {0, 3}})
    EXPECT_EQ(PixelAt(image, kX + dx, kY + dy), kPen) << dx << "," << dy;
  for (int y = kY - 1; y <= kY + 1; ++y)
    for (int x = kX - 1; x <= kX + 1; ++x) EXPECT_EQ(PixelAt(image, x, y), kPaper) << x << "," << y;
  EXPECT_EQ(CountPixels(image, kBrush, 0, 0, 40, 40), 0);
  EXPECT_EQ(CountPixels(image, kPen, 0, 0, 40, 40), CountPixels(image, kPen, kX - 3, kY - 3, kX + 4, kY + 4));

  const QImage crossed = Mark(39);
  EXPECT_EQ(PixelAt(crossed, kX, kY), kPen);
  EXPECT_EQ(PixelAt(crossed, kX + 3, kY), kPen);
  EXPECT_EQ(PixelAt(crossed, kX + 1, kY + 1), kPaper);
  EXPECT_EQ(PixelAt(crossed, kX - 1, kY - 1), kPaper);
}

TEST(DrawMarkTest, TrianglePointingDownOpenAndFilled) {
  EXPECT_EQ(Around(Mark(33), 4), Picture({".........",  //
                                          "#########",  //
                                          ".#.....#.",  //
                                          ".#.....#.",  //
                                          "..#...#..",  //
                                          "..#...#..",  //
                                          "...#.#...",  //
                                          "...#.#...",  //
                                          "....#...."}));
  EXPECT_EQ(Around(Mark(34), 4), Picture({".........",  //
                                          "#########",  //
                                          ".#######.",  //
                                          ".#######.",  //
                                          "..#####..",  //
                                          "..#####..",  //
                                          "...###...",  //
                                          "...###...",  //
                                          "....#...."}));
  EXPECT_EQ(CountPixels(Mark(34), kBrush, 0, 0, 40, 40), 0);
}

TEST(DrawMarkTest, CaretsAndBeamsLeaveOutTheirEndPixels) {
  const QImage caret = Mark(20);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(PixelAt(caret, kX - k, kY + k), kPen) << k;
    EXPECT_EQ(PixelAt(caret, kX + k, kY + k), kPen) << k;
  }
  EXPECT_EQ(PixelAt(caret, kX - 3, kY + 3), kPaper);
  EXPECT_EQ(PixelAt(caret, kX + 3, kY + 3), kPaper);
  EXPECT_EQ(CountPixels(caret, kPen, 0, 0, 40, 40), 5);

  const QImage up = Mark(23);
  EXPECT_EQ(PixelAt(up, kX - 3, kY - 3), kPen);
  EXPECT_EQ(PixelAt(up, kX - 4, kY - 4), kPaper);
  EXPECT_EQ(PixelAt(up, kX + 4, kY - 4), kPaper);

  const QImage inverted_t = Mark(37);
  EXPECT_EQ(CountPixels(inverted_t, kPen, kX - 3, kY, kX + 4, kY + 1), 7);
  EXPECT_EQ(CountPixels(inverted_t, kPen, kX, kY - 7, kX + 1, kY + 1), 8);
  EXPECT_EQ(PixelAt(inverted_t, kX + 4, kY), kPaper);
  EXPECT_EQ(PixelAt(inverted_t, kX, kY - 8), kPaper);

  EXPECT_EQ(Around(Mark(38), 3), Picture({".......",  //
                                          "#######",  //
                                          "...#...",  //
                                          "...#...",  //
                                          "...#...",  //
                                          "#######",  //
                                          "......."}));
}

TEST(DrawMarkTest, EverySymbolIsSmallAndShapedAsDesigned) {
  for (int type = 0; type < kMarkSymbolCount; ++type) {
    const QImage image = Mark(type);
    const int inside = CountPixels(image, kPen, kX - 4, kY - 8, kX + 5, kY + 5);
    EXPECT_GT(inside, 0) << type;
    EXPECT_EQ(CountPixels(image, kPen, 0, 0, 40, 40), inside) << type;
    EXPECT_EQ(CountPixels(image, kBrush, 0, 0, 40, 40), 0) << type;
    const Picture picture = Around(image, 8);
    const bool symmetric_left_right = type != 27 && type != 28 && (type < 40);
    const bool symmetric_top_bottom = type <= 19 || type == 24 || type == 25 || type == 26 || type == 38 ||
                                      type == 39 || type >= 40;
    if (symmetric_left_right) {
      EXPECT_EQ(picture, MirrorLeftRight(picture)) << type;
    }
    if (symmetric_top_bottom) {
      EXPECT_EQ(picture, MirrorTopBottom(picture)) << type;
    }
  }
}

}  // namespace
