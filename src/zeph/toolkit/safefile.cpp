#include "zeph/toolkit/safefile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <vector>

#include "zeph/toolkit/filenames.h"

#ifndef O_TMPFILE
#define O_TMPFILE (020000000 | O_DIRECTORY)
#endif

namespace zeph {
namespace {

// Symbolic links followed before a name is refused, as the kernel counts them.
constexpr int kMaxLinks = 40;
// The prefix of the named fresh files: short, so that names up to the file system's limit work.
constexpr std::string_view kFreshPrefix = ".zeph-";

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

QString Shown(const std::string& path) { return FileNameFromBytes(QByteArrayView(path.data(), static_cast<qsizetype>(path.size()))); }

// The umask is read, not set and restored: another thread creating a file meanwhile would get
// the wrong mode.
unsigned DefaultCreationMode() {
  unsigned mask = 022;
  if (FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
      if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
    }
    std::fclose(status);
  }
  return 0666u & ~mask;
}

std::optional<int> WholeNumber(std::string_view text) {
  int value = 0;
  if (text.empty() || text.size() > 9) return std::nullopt;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The descriptor of this process that the name stands for, if it is one of the names of open
// descriptors: /dev/stdin, /dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N,
// /proc/thread-self/fd/N and /proc/PID/fd/N with this process's PID.
std::optional<int> DescriptorOfName(const std::string& path) {
  if (path == "/dev/stdin") return 0;
  if (path == "/dev/stdout") return 1;
  if (path == "/dev/stderr") return 2;
  const std::string own = "/proc/" + std::to_string(getpid()) + "/fd/";
  for (const std::string& prefix : {std::string("/dev/fd/"), std::string("/proc/self/fd/"),
                                   std::string("/proc/thread-self/fd/"), own}) {
    if (path.compare(0, prefix.size(), prefix) == 0) return WholeNumber(std::string_view(path).substr(prefix.size()));
  }
  return std::nullopt;
}

QString DescriptorName(int fd) {
  switch (fd) {
    case 0:
      return QStringLiteral("standard input");
    case 1:
      return QStringLiteral("standard output");
    case 2:
      return QStringLiteral("standard error");
    default:
      return QStringLiteral("descriptor %1").arg(fd);
  }
}

// The standard streams closed when the program started (bit N for descriptor N).
std::atomic<unsigned> closed_at_start{0};

// The named fresh files being written, for RemoveUnfinishedFiles: a signal handler may read them
// at any moment, so they are plain C strings in fixed slots, taken out before they are freed.
constexpr int kUnfinishedSlots = 16;
std::atomic<char*> unfinished[kUnfinishedSlots];

void RememberUnfinished(const std::string& path) {
  char* copy = strdup(path.c_str());
  for (std::atomic<char*>& slot : unfinished) {
    char* empty = nullptr;
    if (copy != nullptr && slot.compare_exchange_strong(empty, copy)) return;
  }
  std::free(copy);
}

void ForgetUnfinished(const std::string& path) {
  for (std::atomic<char*>& slot : unfinished) {
    char* held = slot.load();
    if (held != nullptr && path == held && slot.compare_exchange_strong(held, nullptr)) {
      std::free(held);
      return;
    }
  }
}

// A fresh name in the folder: ".zeph-PID.XXXXXX".
std::string FreshName(const std::string& directory) {
  static std::atomic<unsigned> counter{0};
  std::random_device device;
  std::minstd_rand random(device() ^ (++counter * 2654435761u));
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string name = directory + "/" + std::string(kFreshPrefix) + std::to_string(getpid()) + ".";
  for (int i = 0; i < 6; ++i) name.push_back(kLetters[random() % (sizeof kLetters - 1)]);
  return name;
}

// Removes the named fresh files in the folder that processes left which are gone (killed while
// they wrote): regular files of this user named ".zeph-PID.XXXXXX" whose PID runs no process.
void RemoveStaleFreshFiles(const std::string& directory) {
  DIR* folder = opendir(directory.c_str());
  if (folder == nullptr) return;
  const int folder_fd = dirfd(folder);
  while (const dirent* entry = readdir(folder)) {
    const std::string_view name(entry->d_name);
    if (name.compare(0, kFreshPrefix.size(), kFreshPrefix) != 0) continue;
    const std::string_view rest = name.substr(kFreshPrefix.size());
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos || rest.size() - dot - 1 != 6) continue;
    const std::optional<int> pid = WholeNumber(rest.substr(0, dot));
    if (!pid || *pid <= 0 || *pid == getpid()) continue;
    if (kill(*pid, 0) == 0 || errno != ESRCH) continue;
    struct stat info {};
    if (fstatat(folder_fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != geteuid())
      continue;
    unlinkat(folder_fd, entry->d_name, 0);
  }
  closedir(folder);
}

std::atomic<bool> unnamed_allowed{true};

// Whether /proc/self/fd names open descriptors, through which an unnamed file gets its name.
bool CanNameUnnamedFiles() {
  static const bool can = access("/proc/self/fd", X_OK) == 0;
  return can && unnamed_allowed.load();
}

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd = -1;
  do {
    fd = ::open(path, flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

void TSafeFile::RemoveUnfinishedFiles() {
  for (std::atomic<char*>& slot : unfinished) {
    if (const char* path = slot.load()) unlink(path);
  }
}

void TSafeFile::SetUnnamedFilesAllowed(bool allowed) { unnamed_allowed.store(allowed); }

void TSafeFile::NoteClosedStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number is taken: this one, since the lower ones are open by now.
    const int null = OpenRetrying("/dev/null", (fd == 0 ? O_RDONLY : O_WRONLY));
    if (null >= 0 && null != fd) {
      dup2(null, fd);
      ::close(null);
    }
    closed_at_start.fetch_or(1u << fd);
  }
}

bool TSafeFile::WasClosedAtStart(int fd) { return fd >= 0 && fd <= 2 && (closed_at_start.load() & (1u << fd)) != 0; }

TSafeFile::TSafeFile(const QString& fileName, QObject* parent) : QIODevice(parent), file_name_(fileName) {}

TSafeFile::~TSafeFile() {
  if (isOpen()) {
    Discard();
    QIODevice::close();
  }
}

QString TSafeFile::SystemReason(int error) {
  if (error == EPIPE) return QStringLiteral("the reader went away");
  if (error == ENOMEM) return QStringLiteral("not enough memory for the file's content");
  char buffer[256] = {};
  // The GNU form may give a static text instead of filling the buffer.
  return QString::fromLocal8Bit(strerror_r(error, buffer, sizeof buffer));
}

int TSafeFile::WriteAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return errno;
    if (count == 0) return EIO;
    written += static_cast<std::size_t>(count);
  }
  return 0;
}

void TSafeFile::Fail(int error) {
  if (error_ != 0) return;
  error_ = error;
  setErrorString(SystemReason(error));
}

void TSafeFile::Refuse(const QString& reason) {
  if (error_ != 0) return;
  error_ = EACCES;
  setErrorString(reason);
}

void TSafeFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) {
    unlink(temporary_.c_str());
    ForgetUnfinished(temporary_);
  }
  temporary_.clear();
  buffer_.clear();
  buffer_.squeeze();
  unnamed_ = false;
}

bool TSafeFile::open(OpenMode mode) {
  if (isOpen() || (mode & ~(WriteOnly | Truncate | Unbuffered)) != 0 || (mode & WriteOnly) == 0) {
    setErrorString(QStringLiteral("the file can only be opened once, for writing"));
    return false;
  }
  error_ = 0;
  way_ = TWay::kReplace;
  const std::optional<QByteArray> bytes = FileNameBytes(file_name_);
  if (!bytes) {
    Refuse(QStringLiteral("the name holds a character that no file name can have"));
    return false;
  }
  if (bytes->isEmpty()) {
    Fail(ENOENT);
    return false;
  }
  // Links are followed one by one, so that a link to an open descriptor's name is seen as one
  // and a dangling link gets the file it names.
  std::string path = bytes->toStdString();
  struct stat existing {};
  bool exists = false;
  for (int links = 0;; ++links) {
    if (const std::optional<int> descriptor = DescriptorOfName(path)) return OpenDescriptor(*descriptor);
    if (lstat(path.c_str(), &existing) != 0) {
      if (errno != ENOENT) {
        Fail(errno);
        return false;
      }
      break;
    }
    if (!S_ISLNK(existing.st_mode)) {
      exists = true;
      break;
    }
    if (links == kMaxLinks) {
      Fail(ELOOP);
      return false;
    }
    std::vector<char> link(static_cast<std::size_t>(existing.st_size > 0 ? existing.st_size : PATH_MAX) + 1);
    const ssize_t length = readlink(path.c_str(), link.data(), link.size());
    if (length < 0 || static_cast<std::size_t>(length) >= link.size()) {
      Fail(length < 0 ? errno : ENAMETOOLONG);
      return false;
    }
    const std::string next(link.data(), static_cast<std::size_t>(length));
    path = next.front() == '/' ? next : DirectoryOf(path) + "/" + next;
  }
  if (exists && S_ISDIR(existing.st_mode)) {
    Fail(EISDIR);
    return false;
  }
  if (exists && S_ISSOCK(existing.st_mode)) {
    Refuse(QStringLiteral("it is a socket, not a file"));
    return false;
  }
  if (exists && !S_ISREG(existing.st_mode)) return OpenStream(path, S_ISFIFO(existing.st_mode));
  return OpenRegular(path, exists);
}

bool TSafeFile::OpenDescriptor(int number) {
  const QString name = DescriptorName(number);
  if (WasClosedAtStart(number)) {
    Refuse(QStringLiteral("%1 is closed").arg(name));
    return false;
  }
  const int flags = fcntl(number, F_GETFL);
  if (flags < 0) {
    Refuse(QStringLiteral("%1 is not open").arg(name));
    return false;
  }
  if ((flags & O_ACCMODE) == O_RDONLY) {
    Refuse(QStringLiteral("%1 is open only for reading").arg(name));
    return false;
  }
  // A duplicate shares the descriptor's position and mode: appending stays appending.
  fd_ = fcntl(number, F_DUPFD_CLOEXEC, 3);
  if (fd_ < 0) {
    Fail(errno);
    return false;
  }
  struct stat info {};
  way_ = fstat(fd_, &info) == 0 && S_ISREG(info.st_mode) ? TWay::kDescriptor : TWay::kStream;
  return QIODevice::open(WriteOnly | Unbuffered);
}

bool TSafeFile::OpenStream(const std::string& path, bool fifo) {
  // A device or FIFO is somebody else's: it gets the bytes, it is never replaced. A FIFO that
  // nobody reads would block the open for ever; it is refused instead.
  fd_ = OpenRetrying(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) {
    const int error = errno;
    if (error == ENXIO && fifo) {
      error_ = error;
      setErrorString(QStringLiteral("no process reads from the FIFO"));
    } else {
      Fail(error);
    }
    return false;
  }
  fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
  way_ = TWay::kStream;
  target_ = path;
  return QIODevice::open(WriteOnly | Unbuffered);
}

bool TSafeFile::OpenRegular(const std::string& path, bool exists) {
  target_ = path;
  existed_ = exists;
  struct stat existing {};
  if (exists) {
    if (::stat(path.c_str(), &existing) != 0) {
      Fail(errno);
      return false;
    }
    // Write protection holds whatever the folder allows: the file is refused, not replaced. Root
    // passes every permission check; a file without any write permission is read-only to it too.
    const bool writable = geteuid() == 0 ? (existing.st_mode & 0222) != 0
                                         : faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
    if (!writable) {
      if (errno == EROFS) {
        Fail(EROFS);
      } else {
        Refuse(existing.st_uid == geteuid() || geteuid() == 0 ? QStringLiteral("it is read-only")
                                                              : QStringLiteral("it belongs to another user"));
      }
      return false;
    }
    // A file with other names keeps them only when it is written in place.
    if (existing.st_nlink > 1) return OpenInPlace();
  }
  const std::string directory = DirectoryOf(path);
  fd_ = CreateFresh(directory);
  if (fd_ < 0) {
    const int error = errno;
    // A folder that may not be changed still lets its writable files be written in place.
    if (exists && (error == EACCES || error == EPERM)) return OpenInPlace();
    if (error == EACCES || error == EPERM) {
      Refuse(QStringLiteral("the folder '%1' does not allow creating files in it").arg(Shown(directory)));
    } else {
      Fail(error);
    }
    return false;
  }
  if (exists) {
    if (!CopyIdentity(existing.st_uid, existing.st_gid, existing.st_mode)) {
      Discard();
      return OpenInPlace();
    }
  } else if (fchmod(fd_, creation_mode_set_ ? creation_mode_ : DefaultCreationMode()) != 0) {
    Fail(errno);
    Discard();
    return false;
  }
  way_ = TWay::kReplace;
  return QIODevice::open(WriteOnly | Unbuffered);
}

bool TSafeFile::OpenInPlace() {
  // Opened now, so that what refuses writing says so before anything is produced; written only at
  // commit(), and never truncated before then.
  fd_ = OpenRetrying(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd_ < 0) {
    Fail(errno);
    return false;
  }
  way_ = TWay::kInPlace;
  return QIODevice::open(WriteOnly | Unbuffered);
}

int TSafeFile::CreateFresh(const std::string& directory) {
  RemoveStaleFreshFiles(directory);
  if (CanNameUnnamedFiles()) {
    const int fd = OpenRetrying(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
      unnamed_ = true;
      return fd;
    }
    // Only a file system without unnamed files tries the named way; any other error is final.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return -1;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = FreshName(directory);
    const int fd = OpenRetrying(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd >= 0) {
      temporary_ = name;
      RememberUnfinished(temporary_);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  errno = EEXIST;
  return -1;
}

bool TSafeFile::CopyIdentity(unsigned owner, unsigned group, unsigned mode) {
  // As editors do: the replacement keeps the old file's owner, group and mode; where it cannot,
  // the old file is written in place instead.
  if ((owner != geteuid() || group != getegid()) && fchown(fd_, owner, group) != 0) return false;
  if (fchmod(fd_, mode & 07777) != 0) return false;
  struct stat fresh {};
  if (fstat(fd_, &fresh) != 0 || (fresh.st_mode & 07777) != (mode & 07777) || fresh.st_uid != owner ||
      fresh.st_gid != group)
    return false;
  // Extended attributes, ACLs among them (system.posix_acl_access), all or none.
  const ssize_t size = listxattr(target_.c_str(), nullptr, 0);
  if (size < 0) return errno == ENOTSUP;
  std::vector<char> names(static_cast<std::size_t>(size) + 1);
  const ssize_t listed = listxattr(target_.c_str(), names.data(), names.size());
  if (listed < 0) return false;
  for (ssize_t at = 0; at < listed;) {
    const char* name = names.data() + at;
    at += static_cast<ssize_t>(std::strlen(name)) + 1;
    const ssize_t length = getxattr(target_.c_str(), name, nullptr, 0);
    if (length < 0) return false;
    std::vector<char> value(static_cast<std::size_t>(length) + 1);
    const ssize_t read = getxattr(target_.c_str(), name, value.data(), value.size());
    if (read < 0 || fsetxattr(fd_, name, value.data(), static_cast<std::size_t>(read), 0) != 0) return false;
  }
  return true;
}

qint64 TSafeFile::readData(char*, qint64) { return -1; }

qint64 TSafeFile::writeData(const char* data, qint64 size) {
  if (error_ != 0 || fd_ < 0) return -1;
  if (way_ == TWay::kInPlace || way_ == TWay::kDescriptor) {
    // Kept in memory until commit(): the position decides where, as in a file.
    const qint64 at = pos();
    try {
      if (at + size > buffer_.size()) buffer_.resize(at + size);
    } catch (const std::bad_alloc&) {
      Fail(ENOMEM);
      return -1;
    }
    std::memcpy(buffer_.data() + at, data, static_cast<std::size_t>(size));
    return size;
  }
  if (const int error = WriteAll(fd_, std::string_view(data, static_cast<std::size_t>(size)))) {
    Fail(error);
    return -1;
  }
  return size;
}

bool TSafeFile::seek(qint64 position) {
  if (way_ == TWay::kStream || fd_ < 0 || !QIODevice::seek(position)) return false;
  if (way_ == TWay::kReplace && lseek(fd_, position, SEEK_SET) != position) {
    Fail(errno);
    return false;
  }
  return true;
}

qint64 TSafeFile::size() const {
  if (way_ == TWay::kInPlace || way_ == TWay::kDescriptor) return buffer_.size();
  struct stat info {};
  if (fd_ < 0 || way_ != TWay::kReplace || fstat(fd_, &info) != 0) return QIODevice::size();
  return info.st_size;
}

bool TSafeFile::CommitReplacement() {
  // A full disk may show only here: the flush to the disk and the close are checked as well.
  if (fsync(fd_) != 0) {
    Fail(errno);
    return false;
  }
  if (unnamed_) {
    // The unnamed file gets a name: the one asked for when there was none (a file made there
    // meanwhile is replaced the usual way), else a fresh one that replaces the old file below.
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    bool placed = false;
    if (!existed_) {
      if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        placed = true;
      } else if (errno != EEXIST) {
        Fail(errno);
        return false;
      }
    }
    if (!placed) {
      for (int attempt = 0; temporary_.empty(); ++attempt) {
        const std::string name = FreshName(DirectoryOf(target_));
        RememberUnfinished(name);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
          temporary_ = name;
        } else {
          const int error = errno;
          ForgetUnfinished(name);
          if (error != EEXIST || attempt == 100) {
            Fail(error);
            return false;
          }
        }
      }
    }
    unnamed_ = false;
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) {
    Fail(errno);
    return false;
  }
  if (!temporary_.empty()) {
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
      const int error = errno;
      if (error == EPERM || error == EACCES)
        Refuse(QStringLiteral("the folder '%1' does not allow replacing it").arg(Shown(DirectoryOf(target_))));
      else
        Fail(error);
      return false;
    }
    ForgetUnfinished(temporary_);
    temporary_.clear();
  }
  // The new name itself reaches the disk too.
  const int folder = OpenRetrying(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    ::close(folder);
  }
  return true;
}

bool TSafeFile::CommitInPlace() {
  const auto size = static_cast<off_t>(buffer_.size());
  struct stat info {};
  if (fstat(fd_, &info) != 0) {
    Fail(errno);
    return false;
  }
  // Room for the new content is taken before the old one is touched, where the file system can:
  // a full disk then leaves the old content.
  if (size > info.st_size && fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP &&
      errno != ENOSYS && errno != EINTR) {
    Fail(errno);
    return false;
  }
  for (off_t written = 0; written < size;) {
    const ssize_t count = pwrite(fd_, buffer_.constData() + written, static_cast<std::size_t>(size - written), written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      Fail(count < 0 ? errno : EIO);
      return false;
    }
    written += count;
  }
  if (ftruncate(fd_, size) != 0 || fsync(fd_) != 0) {
    Fail(errno);
    return false;
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) {
    Fail(errno);
    return false;
  }
  return true;
}

bool TSafeFile::CommitDescriptor() {
  if (const int error = WriteAll(fd_, std::string_view(buffer_.constData(), static_cast<std::size_t>(buffer_.size())))) {
    Fail(error);
    return false;
  }
  // A log another program writes to is flushed where it can be; some files cannot be.
  if (fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) {
    Fail(errno);
    return false;
  }
  return true;
}

bool TSafeFile::commit() {
  if (!isOpen()) {
    if (error_ == 0) setErrorString(QStringLiteral("the file is not open"));
    return false;
  }
  if (error_ == 0) {
    switch (way_) {
      case TWay::kReplace:
        CommitReplacement();
        break;
      case TWay::kInPlace:
        CommitInPlace();
        break;
      case TWay::kDescriptor:
        CommitDescriptor();
        break;
      case TWay::kStream:
        break;
    }
  }
  if (error_ == 0 && fd_ >= 0) {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) Fail(errno);
  }
  Discard();
  QIODevice::close();
  return error_ == 0;
}

void TSafeFile::cancelWriting() {
  if (!isOpen()) return;
  Discard();
  QIODevice::close();
}

void TSafeFile::close() { cancelWriting(); }

QString WriteFileSafely(const QString& fileName, QByteArrayView bytes, int mode) {
  TSafeFile file(fileName);
  if (mode >= 0) file.setCreationMode(static_cast<unsigned>(mode));
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  file.write(bytes.data(), bytes.size());
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace zeph
