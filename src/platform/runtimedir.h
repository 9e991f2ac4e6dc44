#pragma once

#include <string>

// The per-user directory that holds the hidden windows' sockets, the lock files of named mutexes
// and the exit records of processes. LEXIVO_RUNTIME_DIR overrides it (tests give each run its
// own); otherwise it is "lexivo" under XDG_RUNTIME_DIR, or /tmp/lexivo-<uid>.
namespace platform {

constexpr const char* kRuntimeDirVariable = "LEXIVO_RUNTIME_DIR";

// Creates the directory (mode 0700) when it is missing. Gives an empty text, with the last error
// set, when it cannot be created or is not a directory of this user closed to everybody else.
std::string RuntimeDirectory();

// Holds an exclusive lock on the runtime directory's lock file for the scope, so that creating
// and sweeping windows of several processes do not interleave. The file goes with its last holder.
class TRuntimeDirLock {
 public:
  explicit TRuntimeDirLock(const std::string& directory);
  ~TRuntimeDirLock();
  TRuntimeDirLock(const TRuntimeDirLock&) = delete;
  TRuntimeDirLock& operator=(const TRuntimeDirLock&) = delete;

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace platform
