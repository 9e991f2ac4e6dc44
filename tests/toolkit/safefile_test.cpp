#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <thread>

#include "zeph/toolkit/safefile.h"

namespace {

using zeph::TSafeFile;

QByteArray Contents(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void Put(const QString& name, const QByteArray& bytes) {
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QStringList Entries(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

TEST(SafeFileTest, ReplacesAFileWholeKeepingItsModeAndOwner) {
  QTemporaryDir dir;
  const QString name = dir.filePath("out.csv");
  Put(name, "old");
  const std::string path = name.toStdString();
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  // Only root may give a file away; then the replacement must belong to the old owner too.
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(path.c_str(), 4321, 4321), 0);
  }

  TSafeFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  EXPECT_EQ(file.write("new contents"), 12);
  // Nothing shows under the name before the commit.
  EXPECT_EQ(Contents(name), "old");
  ASSERT_TRUE(file.commit()) << file.errorString().toStdString();
  EXPECT_EQ(Contents(name), "new contents");
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4321u);
  }
  EXPECT_EQ(Entries(dir), QStringList{"out.csv"});
}

TEST(SafeFileTest, AnUnfinishedFileLeavesTheOldOneAndNothingBeside) {
  QTemporaryDir dir;
  const QString name = dir.filePath("chart.png");
  Put(name, "old");
  {
    TSafeFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("half");
  }
  {
    TSafeFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("half");
    file.cancelWriting();
    EXPECT_FALSE(file.commit());
  }
  EXPECT_EQ(Contents(name), "old");
  EXPECT_EQ(Entries(dir), QStringList{"chart.png"});
  // A new name stays absent.
  { TSafeFile file(dir.filePath("new.png")); ASSERT_TRUE(file.open(QIODevice::WriteOnly)); }
  EXPECT_EQ(Entries(dir), QStringList{"chart.png"});
}

TEST(SafeFileTest, ASignalHandlerCanRemoveWhatIsUnfinished) {
  QTemporaryDir dir;
  const QString name = dir.filePath("handout.pdf");
  Put(name, "old");
  TSafeFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("half a page");
  EXPECT_EQ(Entries(dir).size(), 2);
  TSafeFile::RemoveUnfinishedFiles();
  EXPECT_EQ(Entries(dir), QStringList{"handout.pdf"});
  // What was removed is not put in place afterwards.
  EXPECT_FALSE(file.commit());
  EXPECT_EQ(Contents(name), "old");
}

TEST(SafeFileTest, ADeviceIsWrittenInPlaceAndItsFailureReported) {
  TSafeFile null_device(QStringLiteral("/dev/null"));
  ASSERT_TRUE(null_device.open(QIODevice::WriteOnly));
  EXPECT_TRUE(null_device.isSequential());
  EXPECT_EQ(null_device.write("bytes"), 5);
  EXPECT_TRUE(null_device.commit());
  struct stat info {};
  ASSERT_EQ(stat("/dev/null", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));

  TSafeFile full(QStringLiteral("/dev/full"));
  ASSERT_TRUE(full.open(QIODevice::WriteOnly));
  EXPECT_EQ(full.write("bytes"), -1);
  // The first failure sticks: later writes are refused as well, the commit fails with the reason.
  EXPECT_EQ(full.write("more"), -1);
  EXPECT_FALSE(full.commit());
  EXPECT_EQ(full.errorString(), QStringLiteral("No space left on device"));
  EXPECT_EQ(full.systemError(), ENOSPC);
  EXPECT_EQ(zeph::WriteFileSafely(QStringLiteral("/dev/full"), "x"), QStringLiteral("No space left on device"));
}

TEST(SafeFileTest, AFifoGetsTheBytesWhenSomebodyReadsAndIsRefusedWhenNobodyDoes) {
  QTemporaryDir dir;
  const QString name = dir.filePath("pipe");
  ASSERT_EQ(mkfifo(name.toStdString().c_str(), 0600), 0);
  EXPECT_EQ(zeph::WriteFileSafely(name, "x"), QStringLiteral("no process reads from the FIFO"));

  QByteArray received;
  std::thread reader([&] {
    QFile in(name);
    if (in.open(QIODevice::ReadOnly)) received = in.readAll();
  });
  // The reader's open waits for a writer, ours must find the reader there: try until it is.
  QString error;
  for (int attempt = 0; attempt < 500; ++attempt) {
    error = zeph::WriteFileSafely(name, "curve data\n");
    if (error.isEmpty()) break;
    usleep(10000);
  }
  reader.join();
  EXPECT_TRUE(error.isEmpty()) << error.toStdString();
  EXPECT_EQ(received, "curve data\n");
  struct stat info {};
  ASSERT_EQ(lstat(name.toStdString().c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(Entries(dir), QStringList{"pipe"});
}

TEST(SafeFileTest, ALinkIsFollowedAndADirectoryRefused) {
  QTemporaryDir dir;
  Put(dir.filePath("real.svg"), "old");
  ASSERT_TRUE(QFile::link(dir.filePath("real.svg"), dir.filePath("link.svg")));
  EXPECT_TRUE(zeph::WriteFileSafely(dir.filePath("link.svg"), "new").isEmpty());
  EXPECT_TRUE(QFileInfo(dir.filePath("link.svg")).isSymLink());
  EXPECT_EQ(Contents(dir.filePath("real.svg")), "new");

  EXPECT_EQ(zeph::WriteFileSafely(dir.path(), "x"), QStringLiteral("Is a directory"));
  EXPECT_EQ(zeph::WriteFileSafely(dir.filePath("missing/x.csv"), "x"), QStringLiteral("No such file or directory"));
  // A new file gets the mode asked for.
  EXPECT_TRUE(zeph::WriteFileSafely(dir.filePath("record"), "x", 0600).isEmpty());
  struct stat info {};
  ASSERT_EQ(stat(dir.filePath("record").toStdString().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
}

}  // namespace
