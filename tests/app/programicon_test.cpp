#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "app/appresources.h"

namespace {

QImage InstalledIcon(int size) {
  const QString file = qEnvironmentVariable("VARACTOR_SOURCE_DIR") +
                       QStringLiteral("/resources/icons/hicolor/%1x%1/apps/varactor.png").arg(size);
  return QImage(file).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The window's icon is the artwork the desktop shows for the installed program, in every size.
TEST(ProgramIconTest, HoldsEveryInstalledSizeOfTheSameArtwork) {
  const QIcon icon = ProgramIcon();
  const QList<QSize> sizes = icon.availableSizes();
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    ASSERT_TRUE(sizes.contains(QSize(size, size))) << size;
    const QImage installed = InstalledIcon(size);
    ASSERT_FALSE(installed.isNull()) << size;
    // Compared as pixmaps hold them: half-transparent edges lose precision when unpremultiplied.
    const QImage shown =
        icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(shown, installed) << size;
  }
  // Opaque where the artwork is drawn, transparent in the rounded corners.
  const QImage large = InstalledIcon(256);
  EXPECT_EQ(qAlpha(large.pixel(128, 30)), 255);
  EXPECT_EQ(qAlpha(large.pixel(0, 0)), 0);
}

}  // namespace
