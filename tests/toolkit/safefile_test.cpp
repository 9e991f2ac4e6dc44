#include <gtest/gtest.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <thread>

#include "zeph/toolkit/filenames.h"
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

TEST(SafeFileTest, AFreshFileHasNoNameUntilItIsPutInPlace) {
  QTemporaryDir dir;
  const QString name = dir.filePath("handout.pdf");
  Put(name, "old");
  TSafeFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  EXPECT_EQ(file.Way(), TSafeFile::TWay::kReplace);
  file.write("a page");
  // Unnamed: a process killed now leaves nothing.
  EXPECT_EQ(Entries(dir), QStringList{"handout.pdf"});
  ASSERT_TRUE(file.commit()) << file.errorString().toStdString();
  EXPECT_EQ(Contents(name), "a page");
  EXPECT_EQ(Entries(dir), QStringList{"handout.pdf"});
  // A new name appears only complete as well.
  EXPECT_TRUE(zeph::WriteFileSafely(dir.filePath("new.csv"), "rows").isEmpty());
  EXPECT_EQ(Contents(dir.filePath("new.csv")), "rows");
}

// Fresh files with names, as on file systems without unnamed files.
class NamedFreshFiles : public ::testing::Test {
 protected:
  void SetUp() override { TSafeFile::SetUnnamedFilesAllowed(false); }
  void TearDown() override { TSafeFile::SetUnnamedFilesAllowed(true); }
};

TEST_F(NamedFreshFiles, ASignalHandlerCanRemoveWhatIsUnfinished) {
  QTemporaryDir dir;
  const QString name = dir.filePath("handout.pdf");
  Put(name, "old");
  TSafeFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("half a page");
  ASSERT_EQ(Entries(dir).size(), 2);
  // A short name of its own, whatever the length of the one it replaces.
  const QString fresh = Entries(dir).filter(QStringLiteral(".zeph-")).value(0);
  EXPECT_TRUE(fresh.startsWith(QStringLiteral(".zeph-%1.").arg(getpid()))) << fresh.toStdString();
  EXPECT_LE(fresh.size(), 24);
  TSafeFile::RemoveUnfinishedFiles();
  EXPECT_EQ(Entries(dir), QStringList{"handout.pdf"});
  // What was removed is not put in place afterwards.
  EXPECT_FALSE(file.commit());
  EXPECT_EQ(Contents(name), "old");
}

TEST_F(NamedFreshFiles, AWriteRemovesWhatKilledWritersLeftInTheFolder) {
  QTemporaryDir dir;
  // A process that is gone for sure: a child that has been waited for.
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  ASSERT_GT(gone, 0);
  ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
  const QString stale = QStringLiteral(".zeph-%1.Ab3dE9").arg(gone);
  const QString running = QStringLiteral(".zeph-%1.Ab3dE9").arg(getppid());
  const QString others = QStringLiteral(".zeph-%1.Ab3dE").arg(gone);  // not of the pattern
  for (const QString& leftover : {stale, running, others}) Put(dir.filePath(leftover), "left");
  EXPECT_TRUE(zeph::WriteFileSafely(dir.filePath("chart.png"), "new").isEmpty());
  QStringList expected{others, running, "chart.png"};
  std::sort(expected.begin(), expected.end());
  QStringList entries = Entries(dir);
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, expected);
}

TEST(SafeFileTest, NamesUpToTheFileSystemsLimitWork) {
  QTemporaryDir dir;
  const QString name = dir.filePath(QString(255, QLatin1Char('n')));
  Put(name, "old");
  EXPECT_TRUE(zeph::WriteFileSafely(name, "new").isEmpty());
  EXPECT_EQ(Contents(name), "new");
  TSafeFile::SetUnnamedFilesAllowed(false);
  EXPECT_TRUE(zeph::WriteFileSafely(name, "named").isEmpty());
  TSafeFile::SetUnnamedFilesAllowed(true);
  EXPECT_EQ(Contents(name), "named");
  EXPECT_EQ(zeph::WriteFileSafely(dir.filePath(QString(256, QLatin1Char('n'))), "x"),
            QStringLiteral("File name too long"));
}

TEST(SafeFileTest, AFileWithOtherNamesIsWrittenInPlaceAndKeepsThem) {
  QTemporaryDir dir;
  const std::string first = dir.filePath("h1.png").toStdString();
  const std::string second = dir.filePath("h2.png").toStdString();
  Put(dir.filePath("h1.png"), "old picture");
  ASSERT_EQ(link(first.c_str(), second.c_str()), 0);
  {
    // Not written before the commit: a render that fails leaves the old content.
    TSafeFile file(dir.filePath("h1.png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(file.Way(), TSafeFile::TWay::kInPlace);
    file.write("half");
    EXPECT_EQ(file.size(), 4);
  }
  EXPECT_EQ(Contents(dir.filePath("h2.png")), "old picture");
  TSafeFile file(dir.filePath("h1.png"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("new");
  ASSERT_TRUE(file.commit()) << file.errorString().toStdString();
  EXPECT_EQ(Contents(dir.filePath("h1.png")), "new");
  EXPECT_EQ(Contents(dir.filePath("h2.png")), "new");
  struct stat one {}, two {};
  ASSERT_EQ(stat(first.c_str(), &one), 0);
  ASSERT_EQ(stat(second.c_str(), &two), 0);
  EXPECT_EQ(one.st_ino, two.st_ino);
  EXPECT_EQ(one.st_nlink, 2u);
}

TEST(SafeFileTest, AnInPlaceFileCanBeWrittenOutOfOrder) {
  QTemporaryDir dir;
  const std::string first = dir.filePath("a.pdf").toStdString();
  Put(dir.filePath("a.pdf"), "a much longer old content");
  ASSERT_EQ(link(first.c_str(), dir.filePath("b.pdf").toStdString().c_str()), 0);
  TSafeFile file(dir.filePath("a.pdf"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("xxxx-tail");
  ASSERT_TRUE(file.seek(0));
  file.write("head");
  ASSERT_TRUE(file.commit());
  // Shorter than before: the rest of the old content is cut.
  EXPECT_EQ(Contents(dir.filePath("b.pdf")), "head-tail");
}

TEST(SafeFileTest, ExtendedAttributesGoWithTheReplacement) {
  QTemporaryDir dir;
  const QString name = dir.filePath("tagged.svg");
  Put(name, "old");
  const std::string path = name.toStdString();
  if (setxattr(path.c_str(), "user.origin", "lecture 3", 9, 0) != 0) GTEST_SKIP() << "no user attributes here";
  ASSERT_TRUE(zeph::WriteFileSafely(name, "new").isEmpty());
  EXPECT_EQ(Contents(name), "new");
  char value[32] = {};
  ASSERT_EQ(getxattr(path.c_str(), "user.origin", value, sizeof value), 9);
  EXPECT_STREQ(value, "lecture 3");
}

TEST(SafeFileTest, AReadOnlyFileIsRefusedNotReplaced) {
  QTemporaryDir dir;
  const QString name = dir.filePath("kept.csv");
  Put(name, "old");
  ASSERT_EQ(chmod(name.toStdString().c_str(), 0444), 0);
  TSafeFile file(name);
  EXPECT_FALSE(file.open(QIODevice::WriteOnly));
  EXPECT_EQ(file.errorString(), QStringLiteral("it is read-only"));
  EXPECT_EQ(Contents(name), "old");
  EXPECT_EQ(Entries(dir), QStringList{"kept.csv"});
}

TEST(SafeFileTest, ADanglingLinkGetsItsTargetCreated) {
  QTemporaryDir dir;
  ASSERT_EQ(symlink("made/by/link.csv", dir.filePath("link.csv").toStdString().c_str()), 0);
  ASSERT_TRUE(QDir(dir.path()).mkpath("made/by"));
  EXPECT_TRUE(zeph::WriteFileSafely(dir.filePath("link.csv"), "rows").isEmpty());
  EXPECT_TRUE(QFileInfo(dir.filePath("link.csv")).isSymLink());
  EXPECT_EQ(Contents(dir.filePath("made/by/link.csv")), "rows");
  // A loop of links is refused.
  ASSERT_EQ(symlink("loop2", dir.filePath("loop1").toStdString().c_str()), 0);
  ASSERT_EQ(symlink("loop1", dir.filePath("loop2").toStdString().c_str()), 0);
  EXPECT_EQ(zeph::WriteFileSafely(dir.filePath("loop1"), "x"), QStringLiteral("Too many levels of symbolic links"));
}

TEST(SafeFileTest, AnOpenDescriptorIsWrittenAsItIsOpen) {
  QTemporaryDir dir;
  const QString name = dir.filePath("log.txt");
  Put(name, "line 1\nline 2\n");
  const std::string path = name.toStdString();
  struct stat before {};
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  const int appending = ::open(path.c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(appending, 0);
  for (const QString& form : {QStringLiteral("/proc/self/fd/%1"), QStringLiteral("/dev/fd/%1")}) {
    TSafeFile file(form.arg(appending));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
    EXPECT_EQ(file.Way(), TSafeFile::TWay::kDescriptor);
    file.write("csv\n");
    ASSERT_TRUE(file.commit()) << file.errorString().toStdString();
  }
  ::close(appending);
  EXPECT_EQ(Contents(name), "line 1\nline 2\ncsv\ncsv\n");
  struct stat after {};
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  // A descriptor that is not open, or open only for reading, is refused in words.
  EXPECT_EQ(zeph::WriteFileSafely(QStringLiteral("/dev/fd/999"), "x"), QStringLiteral("descriptor 999 is not open"));
  const int reading = ::open(path.c_str(), O_RDONLY);
  EXPECT_EQ(zeph::WriteFileSafely(QStringLiteral("/proc/self/fd/%1").arg(reading), "x"),
            QStringLiteral("descriptor %1 is open only for reading").arg(reading));
  ::close(reading);
  EXPECT_EQ(Entries(dir), QStringList{"log.txt"});
}

TEST(SafeFileTest, ALinkToADescriptorsNameIsThatDescriptor) {
  QTemporaryDir dir;
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  ASSERT_EQ(symlink(QStringLiteral("/dev/fd/%1").arg(ends[1]).toStdString().c_str(),
                    dir.filePath("out").toStdString().c_str()),
            0);
  TSafeFile file(dir.filePath("out"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
  EXPECT_EQ(file.Way(), TSafeFile::TWay::kStream);
  file.write("piped");
  ASSERT_TRUE(file.commit());
  char got[8] = {};
  EXPECT_EQ(read(ends[0], got, sizeof got), 5);
  EXPECT_STREQ(got, "piped");
  // A reader that went away is said in words (SIGPIPE ignored, as the program does).
  ::close(ends[0]);
  const auto previous = signal(SIGPIPE, SIG_IGN);
  EXPECT_EQ(zeph::WriteFileSafely(dir.filePath("out"), "x"), QStringLiteral("the reader went away"));
  signal(SIGPIPE, previous);
  ::close(ends[1]);
}

TEST(SafeFileTest, NamesAreBytes) {
  QTemporaryDir dir;
  const QByteArray folder = QFile::encodeName(dir.path());
  // The name with U+FFFD exists; the one with the byte 0xFF is another file.
  Put(dir.filePath(QString::fromUtf8("rep\xef\xbf\xbd.csv")), "other");
  const QString invalid = zeph::FileNameFromBytes(folder + "/rep\xff.csv");
  const QString invalid2 = zeph::FileNameFromBytes(folder + "/rep\xfe.csv");
  EXPECT_TRUE(zeph::WriteFileSafely(invalid, "ff").isEmpty());
  EXPECT_TRUE(zeph::WriteFileSafely(invalid2, "fe").isEmpty());
  EXPECT_EQ(Contents(dir.filePath(QString::fromUtf8("rep\xef\xbf\xbd.csv"))), "other");
  auto read_bytes = [](const QByteArray& path) {
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return QByteArray("<missing>");
    return file.readAll();
  };
  EXPECT_EQ(read_bytes(folder + "/rep\xff.csv"), "ff");
  EXPECT_EQ(read_bytes(folder + "/rep\xfe.csv"), "fe");
  // A name no file can have is refused, not changed into another.
  EXPECT_EQ(zeph::WriteFileSafely(dir.filePath(QStringLiteral("a%1b").arg(QChar(0))), "x"),
            QStringLiteral("the name holds a character that no file name can have"));
  // Counted and removed by their bytes: Qt's own listing would show both as U+FFFD.
  int entries = 0;
  if (DIR* listing = opendir(folder.constData())) {
    while (const dirent* entry = readdir(listing)) entries += entry->d_name[0] != '.';
    closedir(listing);
  }
  EXPECT_EQ(entries, 3);
  unlink((folder + "/rep\xff.csv").constData());
  unlink((folder + "/rep\xfe.csv").constData());
}

TEST(SafeFileTest, ASocketIsRefusedInWords) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("sock").toStdString();
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(zeph::WriteFileSafely(dir.filePath("sock"), "x"), QStringLiteral("it is a socket, not a file"));
  ::close(fd);
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
