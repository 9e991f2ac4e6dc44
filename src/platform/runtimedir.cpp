#include "platform/runtimedir.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/lasterror.h"
#include "platform/problemreport.h"

namespace platform {
namespace {

std::string DefaultDirectory() {
  if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg != nullptr && *xdg == '/') {
    return std::string(xdg) + "/lexivo";
  }
  return "/tmp/lexivo-" + std::to_string(getuid());
}

}  // namespace

std::string RuntimeDirectory() {
  std::string directory;
  if (const char* over = std::getenv(kRuntimeDirVariable); over != nullptr && *over != '\0') {
    directory = over;
  } else {
    directory = DefaultDirectory();
  }
  while (directory.size() > 1 && directory.back() == '/') directory.pop_back();
  if (mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) {
    const int error = errno;
    ReportProblem("cannot create the runtime directory " + directory + ": " + std::strerror(error));
    SetLastError(static_cast<std::uint32_t>(error));
    return {};
  }
  struct stat info {};
  if (lstat(directory.c_str(), &info) != 0) {
    const int error = errno;
    ReportProblem("cannot use the runtime directory " + directory + ": " + std::strerror(error));
    SetLastError(static_cast<std::uint32_t>(error));
    return {};
  }
  // Another user's directory, a link or an open one could let others in on our windows.
  const std::string problem = DirectoryProblem("the runtime directory", directory, info.st_mode, info.st_uid, 0);
  if (!problem.empty()) {
    ReportProblem(problem);
    SetLastError(EACCES);
    return {};
  }
  return directory;
}

TRuntimeDirLock::TRuntimeDirLock(const std::string& directory) {
  const std::string path = directory + "/.lock";
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) return;
  while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

TRuntimeDirLock::~TRuntimeDirLock() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace platform
