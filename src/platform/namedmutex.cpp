#include "platform/namedmutex.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/lasterror.h"
#include "platform/lockfile.h"
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

// A handle that refers to a mutex another process holds, without owning it; 0 when the file cannot
// be opened.
THandle HandleToHeldMutex(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) {
    SetLastErrorFromErrno();
    return 0;
  }
  return AddKernelObject(fd);
}

}  // namespace

THandle OpenMutex(const std::string& name) {
  const std::string directory = RuntimeDirectory();
  if (directory.empty()) return 0;
  const std::string path = LockFilePath(directory, name);
  int fd = -1;
  switch (LockFile(path, false, false, fd)) {
    case TLockResult::kLocked:
      // Nobody holds it: the file is left over from an owner that ended without closing.
      RemoveLockFile(path, fd);
      close(fd);
      SetLastError(ENOENT);
      return 0;
    case TLockResult::kFailed:
      SetLastErrorFromErrno();
      return 0;
    case TLockResult::kBusy:
      break;
  }
  return HandleToHeldMutex(path);
}

THandle CreateOwnedMutex(const std::string& name) {
  const std::string directory = RuntimeDirectory();
  if (directory.empty()) return 0;
  const std::string path = LockFilePath(directory, name);
  int fd = -1;
  switch (LockFile(path, true, false, fd)) {
    case TLockResult::kLocked:
      SetLastError(kErrorSuccess);
      // The owner removes the file as it lets go, so that none stays behind after the last run.
      return AddKernelObject(fd, [path, fd](THandle) { RemoveLockFile(path, fd); });
    case TLockResult::kFailed:
      SetLastErrorFromErrno();
      return 0;
    case TLockResult::kBusy:
      break;
  }
  const THandle handle = HandleToHeldMutex(path);
  if (handle != 0) SetLastError(kErrorAlreadyExists);
  return handle;
}

}  // namespace platform
