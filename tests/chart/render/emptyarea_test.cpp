#include <gtest/gtest.h>

#include <QImage>

#include "zeph/chart/render/emptyarea_p.h"

using namespace zeph;

namespace {

// An area of rows in three patterns, alike rows far apart and side by side, and one row alone.
QImage Gridded(qreal ratio) {
  QImage image(57, 41, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); x += 10) image.setPixel(x, y, 0xFFDDDDDD);
    if (y % 13 == 0) {
      for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, 0xFF888888);
    }
  }
  image.setPixel(33, 20, 0xFF0000FF);
  return image;
}

TEST(EmptyAreaTest, KeepsEveryRowAndWritesTheAreaBack) {
  const QImage area = Gridded(2);
  TEmptyArea empty;
  EXPECT_FALSE(empty.Holds(area.size()));
  empty.Take(area);
  ASSERT_TRUE(empty.Holds(area.size()));
  EXPECT_FALSE(empty.Holds(QSize(57, 40)));
  for (int y = 0; y < area.height(); ++y) {
    for (int x = 0; x < area.width(); ++x) ASSERT_EQ(empty.Row(y)[x], area.pixel(x, y)) << x << ", " << y;
  }
  // Drawn over, then written back in place: the same pixels, the same data (no detach).
  QImage target = Gridded(2);
  target.fill(Qt::black);
  const uchar* bits = target.constBits();
  empty.CopyTo(target);
  EXPECT_EQ(target, area);
  EXPECT_EQ(target.constBits(), bits);
  // An image of another size is left alone; a null image keeps nothing.
  QImage other(10, 10, QImage::Format_RGB32);
  other.fill(Qt::black);
  empty.CopyTo(other);
  EXPECT_EQ(other.pixel(5, 5), 0xFF000000u);
  empty.Take(QImage());
  EXPECT_FALSE(empty.Holds(QSize()));
}

}  // namespace
