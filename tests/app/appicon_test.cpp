#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include "app/appicon.h"

namespace {

TEST(WorkAreaFileTest, PlainNamesJoinTheWorkAreaAndOthersAreRefused) {
  EXPECT_EQ(WorkAreaFile("/srv/area/", "icon.ico"), "/srv/area/icon.ico");
  EXPECT_EQ(WorkAreaFile("/srv/area", "icon.ico"), "/srv/area/icon.ico");
  EXPECT_EQ(WorkAreaFile("C:\\area\\", "my icon.v2.png"), "C:\\area\\my icon.v2.png");
  for (const char* name : {"", "../icon.ico", "..", "a..b.ico", "sub/icon.ico", "sub\\icon.ico", "/etc/passwd",
                           "\\\\host\\share\\icon.ico", "C:icon.ico", "icon\n.ico", "./icon.ico/"}) {
    EXPECT_EQ(WorkAreaFile("/srv/area/", QString::fromLatin1(name)), std::nullopt) << name;
  }
  EXPECT_EQ(WorkAreaFile("", "icon.ico"), std::nullopt);
}

TEST(SaveStreamToFileTest, WritesTheWholeStreamAndKeepsTheOldFileOnFailure) {
  QTemporaryDir dir;
  const QString path = dir.filePath("icon.png");
  QBuffer stream;
  stream.setData("new contents");
  ASSERT_TRUE(stream.open(QIODevice::ReadOnly));
  stream.seek(4);  // wherever the stream stands, all of it is written
  EXPECT_EQ(SaveStreamToFile(stream, path), "");
  QFile written(path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), "new contents");

  const QString error = SaveStreamToFile(stream, dir.filePath("missing/icon.png"));
  EXPECT_TRUE(error.contains("missing/icon.png")) << error.toStdString();
  EXPECT_FALSE(QFile::exists(dir.filePath("missing/icon.png")));
}

TEST(ReadIconFileTest, TakesEveryImageOfAnIconAndRefusesWhatIsNone) {
  QTemporaryDir dir;
  QImage small(16, 16, QImage::Format_ARGB32);
  small.fill(qRgb(255, 0, 0));
  QImage large(32, 32, QImage::Format_ARGB32);
  large.fill(qRgb(0, 0, 255));
  ASSERT_TRUE(large.save(dir.filePath("large.png")));
  const std::optional<QIcon> png = ReadIconFile(dir.filePath("large.png"));
  ASSERT_TRUE(png.has_value());
  EXPECT_EQ(png->pixmap(32, 32).toImage().pixel(16, 16), qRgb(0, 0, 255));

  // An icon file in the Windows format, the usual kind.
  QImageWriter writer(dir.filePath("small.ico"), "ico");
  ASSERT_TRUE(writer.write(small)) << writer.errorString().toStdString();
  const std::optional<QIcon> ico = ReadIconFile(dir.filePath("small.ico"));
  ASSERT_TRUE(ico.has_value());
  EXPECT_EQ(ico->pixmap(16, 16).toImage().pixel(8, 8), qRgb(255, 0, 0));

  QFile garbage(dir.filePath("garbage.ico"));
  ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
  garbage.write("MZ this is a program, not an icon");
  garbage.close();
  EXPECT_EQ(ReadIconFile(dir.filePath("garbage.ico")), std::nullopt);
  QFile empty(dir.filePath("empty.png"));
  ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
  empty.close();
  EXPECT_EQ(ReadIconFile(dir.filePath("empty.png")), std::nullopt);
  EXPECT_EQ(ReadIconFile(dir.path()), std::nullopt);
  EXPECT_EQ(ReadIconFile(dir.filePath("nothing.png")), std::nullopt);
}

}  // namespace
