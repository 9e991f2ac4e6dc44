#include "platform/runtimedir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/lasterror.h"
#include "platform/lockfile.h"
#include "platform/problemreport.h"
#include "platform/windowfiles.h"

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
  // The windows' sockets must fit the system's limit on a socket's path.
  const std::size_t longest = WindowSocketPath(directory, 0xffffffffu).size();
  if (longest >= sizeof(sockaddr_un::sun_path)) {
    ReportProblem("the runtime directory " + directory + " is too long for a socket: its windows' paths take " +
                  std::to_string(longest) + " bytes, at most " + std::to_string(sizeof(sockaddr_un::sun_path) - 1) +
                  " are possible (set " + kRuntimeDirVariable + " or XDG_RUNTIME_DIR to a shorter one)");
    SetLastError(ENAMETOOLONG);
    return {};
  }
  return directory;
}

TRuntimeDirLock::TRuntimeDirLock(const std::string& directory) : path_(directory + "/.lock") {
  LockFile(path_, true, true, fd_);
}

TRuntimeDirLock::~TRuntimeDirLock() {
  if (fd_ < 0) return;
  RemoveLockFile(path_, fd_);
  close(fd_);
}

}  // namespace platform
