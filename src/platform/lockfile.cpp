#include "platform/lockfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

bool SameFile(int fd, const std::string& path) {
  struct stat held {};
  struct stat named {};
  return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

}  // namespace

TLockResult LockFile(const std::string& path, bool create, bool wait, int& fd) {
  const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0);
  while (true) {
    fd = open(path.c_str(), flags, 0600);
    if (fd < 0) return TLockResult::kFailed;
    int locked = 0;
    do {
      locked = flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
      const int error = errno;
      close(fd);
      fd = -1;
      errno = error;
      return error == EWOULDBLOCK ? TLockResult::kBusy : TLockResult::kFailed;
    }
    if (SameFile(fd, path)) return TLockResult::kLocked;
    // Its last holder removed it while we waited: the lock on it means nothing any more.
    close(fd);
    fd = -1;
    if (!create) {
      errno = ENOENT;
      return TLockResult::kFailed;
    }
  }
}

void RemoveLockFile(const std::string& path, int fd) {
  if (fd >= 0 && SameFile(fd, path)) unlink(path.c_str());
}

}  // namespace platform
