#include "platform/namedmutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/lasterror.h"
#include "platform/runtimedir.h"

namespace platform {
namespace {

// Mutex names may hold any byte; file names get the safe ones and %XX for the rest.
std::string LockFilePath(const std::string& directory, const std::string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string path = directory + "/mutex-";
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    const bool safe = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                      (byte >= '0' && byte <= '9') || byte == '.' || byte == '_' || byte == '-';
    if (safe) {
      path += c;
    } else {
      path += '%';
      path += kHex[byte >> 4];
      path += kHex[byte & 15];
    }
  }
  return path + ".lock";
}

}  // namespace

THandle OpenMutex(const std::string& name) {
  const std::string directory = RuntimeDirectory();
  if (directory.empty()) return 0;
  const std::string path = LockFilePath(directory, name);
  const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) {
    SetLastErrorFromErrno();
    return 0;
  }
  // Nobody holds the lock: the file is left over from an owner that ended.
  if (flock(fd, LOCK_SH | LOCK_NB) == 0) {
    close(fd);
    SetLastError(ENOENT);
    return 0;
  }
  if (errno != EWOULDBLOCK) {
    SetLastErrorFromErrno();
    close(fd);
    return 0;
  }
  return AddKernelObject(fd);
}

THandle CreateOwnedMutex(const std::string& name) {
  const std::string directory = RuntimeDirectory();
  if (directory.empty()) return 0;
  const std::string path = LockFilePath(directory, name);
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    SetLastErrorFromErrno();
    return 0;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
    SetLastError(kErrorSuccess);
    return AddKernelObject(fd);
  }
  if (errno != EWOULDBLOCK) {
    SetLastErrorFromErrno();
    close(fd);
    return 0;
  }
  const THandle handle = AddKernelObject(fd);
  SetLastError(kErrorAlreadyExists);
  return handle;
}

}  // namespace platform
