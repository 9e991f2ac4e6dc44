#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSet>

#include "app/aboutbox.h"
#include "app/appresources.h"
#include "forms_fixture.h"

// The small icon sizes are drawn by hand on the pixel grid: each PNG is its pixel map in
// resources/icons/pixelart, the windows show them at those sizes, and the scaled-down icons
// they replace are kept beside them in an enlarged comparison.

namespace {

const int kHandDrawnSizes[] = {16, 22, 24, 32};

QString SourceFile(const QString& relative) { return qEnvironmentVariable("VARACTOR_SOURCE_DIR") + QLatin1Char('/') + relative; }

QImage IconPng(int size) {
  return QImage(SourceFile(QStringLiteral("resources/icons/hicolor/%1x%1/apps/varactor.png").arg(size)))
      .convertToFormat(QImage::Format_ARGB32);
}

// The rows of a pixel map, without its comment lines.
QStringList PixelMap(int size) {
  QFile file(SourceFile(QStringLiteral("resources/icons/pixelart/varactor-%1.txt").arg(size)));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QStringList rows;
  for (const QString& line : QString::fromLatin1(file.readAll()).split(QLatin1Char('\n')))
    if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) rows << line;
  return rows;
}

// The icon as an earlier build drew it at a size: the scaled-down SVG, and at 22 pixels what Qt
// made of those images.
QImage IconBefore(int size) {
  QIcon before;
  for (const int s : {16, 24, 32})
    before.addFile(SourceFile(QStringLiteral("tests/app/icons_before/varactor-%1.png").arg(s)));
  return before.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

int Colours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  return static_cast<int>(colours.size());
}

TEST(HandDrawnIconTest, EverySmallPngIsItsPixelMap) {
  for (const int size : kHandDrawnSizes) {
    SCOPED_TRACE(size);
    const QStringList map = PixelMap(size);
    const QImage png = IconPng(size);
    ASSERT_EQ(map.size(), size);
    ASSERT_EQ(png.size(), QSize(size, size));
    int white = 0;
    int orange = 0;
    double face_blue[2] = {0, 0};  // summed over the upper and the lower half
    int face_pixels[2] = {0, 0};
    for (int y = 0; y < size; ++y) {
      ASSERT_EQ(map[y].size(), size) << "row " << y;
      for (int x = 0; x < size; ++x) {
        const QRgb p = png.pixel(x, y);
        const char c = map[y][x].toLatin1();
        const std::string where = "pixel " + std::to_string(x) + "," + std::to_string(y) + " '" + c + "'";
        switch (c) {
          case '.': EXPECT_EQ(qAlpha(p), 0) << where; break;
          case 'K': EXPECT_EQ(p, qRgb(0x0F, 0x33, 0x52)) << where; break;
          case 'k': EXPECT_EQ(qAlpha(p), 128) << where; break;
          case 'W': EXPECT_EQ(p, qRgb(255, 255, 255)) << where; ++white; break;
          case 'O': EXPECT_EQ(p, qRgb(0xFF, 0xB2, 0x2E)) << where; ++orange; break;
          case '-':  // the blue face, darker towards the bottom
            EXPECT_EQ(qAlpha(p), 255) << where;
            EXPECT_GT(qBlue(p), qRed(p) + 60) << where;
            face_blue[2 * y / size] += qBlue(p);
            ++face_pixels[2 * y / size];
            break;
          case 'w': case 'o': EXPECT_EQ(qAlpha(p), 255) << where; break;
          default: ADD_FAILURE() << "unknown " << where;
        }
      }
    }
    // The symbol and the curve are drawn in full colour, not blended into the face.
    EXPECT_GT(white, size * 2);
    EXPECT_GT(orange, size);
    // The face shades from top to bottom.
    ASSERT_GT(face_pixels[0], 0);
    ASSERT_GT(face_pixels[1], 0);
    EXPECT_GT(face_blue[0] / face_pixels[0], face_blue[1] / face_pixels[1] + 20);
  }
}

class HandDrawnWindowIconTest : public FormsTest {};

TEST_F(HandDrawnWindowIconTest, TheWindowsShowTheHandDrawnSizes) {
  const QIcon program = ProgramIcon();
  const QIcon about_box = about().windowIcon();
  for (const int size : kHandDrawnSizes) {
    SCOPED_TRACE(size);
    const QImage png = IconPng(size).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QSize wanted(size, size);
    EXPECT_EQ(program.pixmap(wanted).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), png);
    EXPECT_EQ(about_box.pixmap(wanted).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), png);
  }
}

TEST(HandDrawnIconTest, KeepsTheScaledDownIconsBesideTheNewOnesEnlarged) {
  constexpr int kZoom = 12;
  constexpr int kGap = 16;
  int width = kGap;
  for (const int size : kHandDrawnSizes) width += size * kZoom + kGap;
  const int height = kGap + 32 * kZoom + kGap + 32 * kZoom + kGap;
  QImage comparison(width, height, QImage::Format_ARGB32);
  comparison.fill(qRgb(0xEF, 0xEF, 0xEF));
  QPainter painter(&comparison);
  const QString artefacts = qEnvironmentVariable("VARACTOR_ARTEFACTS");
  int x = kGap;
  for (const int size : kHandDrawnSizes) {
    SCOPED_TRACE(size);
    const QImage before = IconBefore(size);
    const QImage after = IconPng(size);
    ASSERT_EQ(before.size(), QSize(size, size));
    // Smearing blends every edge into colours of its own; the hand-drawn icon keeps to its few.
    EXPECT_LT(Colours(after) * 2, Colours(before));
    // Enlarged pixel by pixel, the old above the new.
    painter.drawImage(QRect(x, kGap, size * kZoom, size * kZoom), before);
    painter.drawImage(QRect(x, 2 * kGap + 32 * kZoom, size * kZoom, size * kZoom), after);
    if (!artefacts.isEmpty() && QDir().mkpath(artefacts)) {
      EXPECT_TRUE(before.save(artefacts + QStringLiteral("/icon_before_%1.png").arg(size)));
    }
    x += size * kZoom + kGap;
  }
  painter.end();
  if (!artefacts.isEmpty()) {
    EXPECT_TRUE(comparison.save(artefacts + QStringLiteral("/icon_small_sizes_before_after.png")));
  }
}

}  // namespace
