#include "zeph/toolkit/safefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zeph {
namespace {

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

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

// The fresh files being written, for RemoveUnfinishedFiles: a signal handler may read them at any
// moment, so they are plain C strings in fixed slots, taken out before they are freed.
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

}  // namespace

void TSafeFile::RemoveUnfinishedFiles() {
  for (std::atomic<char*>& slot : unfinished) {
    if (const char* path = slot.load()) unlink(path);
  }
}

TSafeFile::TSafeFile(const QString& fileName, QObject* parent) : QIODevice(parent), file_name_(fileName) {}

TSafeFile::~TSafeFile() {
  if (isOpen()) {
    Discard();
    QIODevice::close();
  }
}

QString TSafeFile::SystemReason(int error) {
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

void TSafeFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) {
    unlink(temporary_.c_str());
    ForgetUnfinished(temporary_);
  }
  temporary_.clear();
}

bool TSafeFile::open(OpenMode mode) {
  if (isOpen() || (mode & ~(WriteOnly | Truncate | Unbuffered)) != 0 || (mode & WriteOnly) == 0) {
    setErrorString(QStringLiteral("the file can only be opened once, for writing"));
    return false;
  }
  error_ = 0;
  in_place_ = false;
  const std::string path = QFile::encodeName(file_name_).toStdString();
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (!exists && errno != ENOENT) {
    Fail(errno);
    return false;
  }
  if (exists && S_ISDIR(existing.st_mode)) {
    Fail(EISDIR);
    return false;
  }
  if (exists && !S_ISREG(existing.st_mode)) {
    // A device or FIFO is somebody else's: it gets the bytes, it is never replaced. A FIFO
    // that nobody reads would block the open for ever; it is refused instead.
    fd_ = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
      const int error = errno;
      if (error == ENXIO && S_ISFIFO(existing.st_mode)) {
        error_ = error;
        setErrorString(QStringLiteral("no process reads from the FIFO"));
      } else {
        Fail(error);
      }
      return false;
    }
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    in_place_ = true;
    return QIODevice::open(WriteOnly | Unbuffered);
  }
  target_ = path;
  if (exists) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr) target_ = resolved;
  }
  std::string name = DirectoryOf(target_) + "/." + BaseNameOf(target_) + ".XXXXXX";
  fd_ = mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) {
    Fail(errno);
    return false;
  }
  temporary_ = name;
  RememberUnfinished(temporary_);
  if (exists) {
    // As editors do: the replacement keeps the old file's owner, group and mode (the owner only
    // where this process may give files away).
    static_cast<void>(fchown(fd_, existing.st_uid, existing.st_gid));
    fchmod(fd_, existing.st_mode & 07777);
  } else {
    fchmod(fd_, creation_mode_set_ ? creation_mode_ : DefaultCreationMode());
  }
  return QIODevice::open(WriteOnly | Unbuffered);
}

qint64 TSafeFile::readData(char*, qint64) { return -1; }

qint64 TSafeFile::writeData(const char* data, qint64 size) {
  if (error_ != 0 || fd_ < 0) return -1;
  if (const int error = WriteAll(fd_, std::string_view(data, static_cast<std::size_t>(size)))) {
    Fail(error);
    return -1;
  }
  return size;
}

bool TSafeFile::seek(qint64 position) {
  if (in_place_ || fd_ < 0 || !QIODevice::seek(position)) return false;
  if (lseek(fd_, position, SEEK_SET) != position) {
    Fail(errno);
    return false;
  }
  return true;
}

qint64 TSafeFile::size() const {
  struct stat info {};
  if (fd_ < 0 || in_place_ || fstat(fd_, &info) != 0) return QIODevice::size();
  return info.st_size;
}

bool TSafeFile::commit() {
  if (!isOpen()) {
    if (error_ == 0) setErrorString(QStringLiteral("the file is not open"));
    return false;
  }
  // A full disk may show only here: the flush to the disk and the close are checked as well.
  if (error_ == 0 && !in_place_ && fsync(fd_) != 0) Fail(errno);
  if (error_ == 0) {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) Fail(errno);
  }
  if (error_ == 0 && !in_place_) {
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
      Fail(errno);
    } else {
      ForgetUnfinished(temporary_);
      temporary_.clear();
    }
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
