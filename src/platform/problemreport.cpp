#include "platform/problemreport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <set>

namespace platform {

void ReportProblem(const std::string& text) {
  static std::set<std::string> reported;
  if (!reported.insert(text).second) return;
  std::fprintf(stderr, "lexivo: %s\n", text.c_str());
}

std::string DirectoryProblem(const std::string& what, const std::string& path, unsigned mode, unsigned owner,
                             unsigned maxOpenBits) {
  const std::string subject = what + " " + path;
  if (S_ISLNK(mode)) return subject + " is a symbolic link, not a directory";
  if (!S_ISDIR(mode)) return subject + " is not a directory";
  if (owner != getuid()) {
    return subject + " belongs to user " + std::to_string(owner) + ", not to this user (" +
           std::to_string(getuid()) + ")";
  }
  if ((mode & 077 & ~maxOpenBits) != 0) {
    char octal[8];
    std::snprintf(octal, sizeof octal, "%04o", mode & 07777);
    return subject + " has mode " + octal + "; other users must not have access to it (0700)";
  }
  return {};
}

}  // namespace platform
