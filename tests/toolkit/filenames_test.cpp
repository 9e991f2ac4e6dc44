#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <random>

#include "zeph/toolkit/filenames.h"

namespace {

using zeph::DisplayBytes;
using zeph::FileNameBytes;
using zeph::FileNameFromBytes;

TEST(FileNamesTest, ValidUtf8IsItsText) {
  const QByteArray bytes = "Kennlinie-\xc3\xa4\xc3\xb6\xc3\xbc-\xe2\x82\xac-\xf0\x9f\x93\x88.png";
  const QString name = FileNameFromBytes(bytes);
  EXPECT_EQ(name, QString::fromUtf8(bytes));
  EXPECT_EQ(FileNameBytes(name), bytes);
}

TEST(FileNamesTest, EveryByteSequenceComesBackAsItWas) {
  for (int byte = 1; byte < 256; ++byte) {
    const QByteArray bytes = QByteArray("a") + static_cast<char>(byte) + "z";
    EXPECT_EQ(FileNameBytes(FileNameFromBytes(bytes)), bytes) << byte;
  }
  std::mt19937 random(38);
  for (int round = 0; round < 2000; ++round) {
    QByteArray bytes;
    const int length = static_cast<int>(random() % 12) + 1;
    for (int i = 0; i < length; ++i) bytes.append(static_cast<char>(random() % 255 + 1));
    ASSERT_EQ(FileNameBytes(FileNameFromBytes(bytes)), bytes) << bytes.toHex().toStdString();
  }
  // Overlong forms, encoded surrogates and values above U+10FFFF are no UTF-8: kept as bytes.
  for (const QByteArray& bytes : {QByteArray("\xc0\xaf"), QByteArray("\xed\xa0\x80"), QByteArray("\xf4\x90\x80\x80"),
                                 QByteArray("\xed\xb3\xbf")}) {
    EXPECT_EQ(FileNameFromBytes(bytes).size(), bytes.size());
    EXPECT_EQ(FileNameBytes(FileNameFromBytes(bytes)), bytes);
  }
}

TEST(FileNamesTest, TwoInvalidNamesStayTwoNames) {
  EXPECT_NE(FileNameFromBytes("rep\xff.csv"), FileNameFromBytes("rep\xfe.csv"));
  EXPECT_NE(FileNameFromBytes("rep\xff.csv"), QString::fromUtf8("rep\xef\xbf\xbd.csv"));
}

TEST(FileNamesTest, ANameNoFileCanHaveIsRefused) {
  EXPECT_FALSE(FileNameBytes(QStringLiteral("a%1b").arg(QChar(0))).has_value());
  // A lone surrogate that is no escaped byte.
  EXPECT_FALSE(FileNameBytes(QString(QChar(0xD800))).has_value());
  EXPECT_FALSE(FileNameBytes(QString(QChar(0xDC10))).has_value());
  EXPECT_EQ(DisplayBytes(QString(QChar(0xD800))), QByteArray("\xef\xbf\xbd"));
}

TEST(FileNamesTest, MessagesShowTheBytes) {
  EXPECT_EQ(DisplayBytes(QStringLiteral("cannot write '%1': it is read-only").arg(FileNameFromBytes("r\xff.csv"))),
            QByteArray("cannot write 'r\xff.csv': it is read-only"));
}

TEST(FileNamesTest, FilesAreReadByTheirBytes) {
  QTemporaryDir dir;
  const QByteArray path = QFile::encodeName(dir.path()) + "/lang\xff.itl";
  FILE* file = std::fopen(path.constData(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("[Key]=Value|$$\r\n", file);
  std::fclose(file);
  const QString name = FileNameFromBytes(path);
  EXPECT_TRUE(zeph::IsReadableFileName(name));
  const std::unique_ptr<QFile> opened = zeph::OpenFileForReading(name);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->readAll(), "[Key]=Value|$$\r\n");
  EXPECT_FALSE(zeph::IsReadableFileName(FileNameFromBytes(QFile::encodeName(dir.path()) + "/lang\xfe.itl")));
  EXPECT_FALSE(zeph::IsReadableFileName(dir.path()));
}

}  // namespace
