#include "platform/registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/lasterror.h"
#include "platform/problemreport.h"
#include "zeph/toolkit/safefile.h"

namespace platform {
namespace {

// Values are short texts; a larger file is not a value this store wrote.
constexpr std::size_t kMaxValueBytes = 64 * 1024;

// The home directory: HOME, or the password database when HOME is unset; empty when neither
// names one (there is no shared fallback that others could write to).
std::string HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return found->pw_dir;
  }
  return {};
}

}  // namespace

std::string RegistryStoreDirectory() {
  if (const char* over = std::getenv(kRegistryDirVariable); over != nullptr && *over != '\0') {
    return over;
  }
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
    return std::string(config) + "/lexivo/registry";
  }
  const std::string home = HomeDirectory();
  if (home.empty()) return {};
  return home + "/.config/lexivo/registry";
}

namespace {

// A key or value name as a path component: lower case, and none of the bytes a path gives a
// meaning to ("/", NUL, a name of only dots).
std::string Component(const std::string& name) {
  static const char kHex[] = "0123456789abcdef";
  std::string result;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z') {
      result += static_cast<char>(byte + ('a' - 'A'));
    } else if (byte == '/' || byte == '%' || byte < 0x20) {
      result += '%';
      result += kHex[byte >> 4];
      result += kHex[byte & 15];
    } else {
      result += c;
    }
  }
  if (result.find_first_not_of('.') == std::string::npos) result.insert(0, "%2e");
  return result;
}

// The directories of root and key below the store; the key's parts are separated by backslashes.
std::vector<std::string> KeyPath(const std::string& root, const std::string& key) {
  std::vector<std::string> parts{Component(root)};
  std::string part;
  for (char c : key + "\\") {
    if (c != '\\') {
      part += c;
    } else if (!part.empty()) {
      parts.push_back(Component(part));
      part.clear();
    }
  }
  return parts;
}

// A refusal that the user has to see: told once on standard error, EACCES as the last error.
void Refuse(const std::string& text) {
  ReportProblem(text);
  SetLastError(EACCES);
}

// Checks a directory of the store, opened without following a link. A writer closes one of
// its own that others can enter; a reader only requires that nobody else can write into it.
bool UsableDirectory(int fd, const std::string& path, bool writing) {
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    SetLastErrorFromErrno();
    return false;
  }
  if (writing && S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) != 0) {
    fchmod(fd, 0700);
    info.st_mode &= ~static_cast<mode_t>(077);
  }
  const std::string problem =
      DirectoryProblem("the registry directory", path, info.st_mode, info.st_uid, writing ? 0 : 055);
  if (!problem.empty()) {
    Refuse(problem);
    return false;
  }
  return true;
}

// Opens one directory below parent (or the store itself, for parent -1), creating it when asked.
int OpenDirectory(int parent, const std::string& name, const std::string& path, bool writing) {
  const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
  int fd = parent < 0 ? open(name.c_str(), flags) : openat(parent, name.c_str(), flags);
  if (fd < 0 && errno == ENOENT && writing) {
    const int made = parent < 0 ? mkdir(name.c_str(), 0700) : mkdirat(parent, name.c_str(), 0700);
    if (made == 0 || errno == EEXIST) fd = parent < 0 ? open(name.c_str(), flags) : openat(parent, name.c_str(), flags);
  }
  if (fd < 0) {
    const int error = errno;
    // A link where a directory belongs, or something that is no directory at all.
    if (error == ELOOP || error == ENOTDIR) {
      Refuse("the registry directory " + path + " is not a directory of this user");
    } else {
      SetLastError(static_cast<std::uint32_t>(error));
    }
    return -1;
  }
  if (!UsableDirectory(fd, path, writing)) {
    close(fd);
    return -1;
  }
  return fd;
}

// The directory of root and key, opened and checked all the way down from the store; -1 with
// the last error when it is missing or refused.
int OpenKey(const std::string& root, const std::string& key, bool writing, std::string& path) {
  path = RegistryStoreDirectory();
  if (path.empty()) {
    Refuse("the registry has no place: neither HOME nor the password database names a home directory");
    return -1;
  }
  if (writing) {
    // The folders above the store are the user's own business; they are made when missing.
    std::string built;
    for (char c : path + "/") {
      if (c == '/' && !built.empty()) mkdir(built.c_str(), 0700);
      built += c;
    }
  }
  int fd = OpenDirectory(-1, path, path, writing);
  for (const std::string& part : KeyPath(root, key)) {
    if (fd < 0) return -1;
    path += "/" + part;
    const int next = OpenDirectory(fd, part, path, writing);
    close(fd);
    fd = next;
  }
  return fd;
}

// The name of a fresh temporary file beside a value.
std::string TemporaryName(const std::string& name) {
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%016llx",
                static_cast<unsigned long long>(QRandomGenerator::system()->generate64()));
  return "." + name + suffix;
}

}  // namespace

std::optional<std::string> ReadRegistryString(const std::string& root, const std::string& key,
                                              const std::string& valueName) {
  std::string path;
  const int directory = OpenKey(root, key, false, path);
  if (directory < 0) return std::nullopt;
  const std::string name = Component(valueName) + ".value";
  path += "/" + name;
  const int fd = openat(directory, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  const int open_error = errno;
  close(directory);
  if (fd < 0) {
    if (open_error == ELOOP) {
      Refuse("the registry value " + path + " is a symbolic link; it is ignored");
    } else {
      SetLastError(static_cast<std::uint32_t>(open_error));
    }
    return std::nullopt;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != getuid()) {
    close(fd);
    Refuse("the registry value " + path + " is not a file of this user; it is ignored");
    return std::nullopt;
  }
  std::string value;
  char buffer[4096];
  while (true) {
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count == 0) break;
    if (count < 0 || value.size() + static_cast<std::size_t>(count) > kMaxValueBytes) {
      SetLastError(count < 0 ? static_cast<std::uint32_t>(errno) : EFBIG);
      close(fd);
      return std::nullopt;
    }
    value.append(buffer, static_cast<std::size_t>(count));
  }
  close(fd);
  return value;
}

bool WriteRegistryString(const std::string& root, const std::string& key,
                         const std::string& valueName, const std::string& value) {
  std::string path;
  const int directory = OpenKey(root, key, true, path);
  if (directory < 0) return false;
  const std::string name = Component(valueName) + ".value";
  struct stat existing {};
  if (fstatat(directory, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 && existing.st_uid != getuid()) {
    close(directory);
    Refuse("the registry value " + path + "/" + name + " belongs to user " + std::to_string(existing.st_uid) +
           "; it is not replaced");
    return false;
  }
  // Created afresh under a name nobody can guess, never through a link, then renamed over
  // the value in one step: a reader sees the old or the new text, never half.
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temporary = TemporaryName(name);
    fd = openat(directory, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    SetLastErrorFromErrno();
    close(directory);
    return false;
  }
  // Every step is checked: a value that did not reach the disk whole must not replace the old one.
  int error = zeph::TSafeFile::WriteAll(fd, value);
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
  if (error == 0 && renameat(directory, temporary.c_str(), directory, name.c_str()) != 0) error = errno;
  if (error != 0) {
    SetLastError(static_cast<std::uint32_t>(error));
    unlinkat(directory, temporary.c_str(), 0);
    close(directory);
    return false;
  }
  close(directory);
  return true;
}

}  // namespace platform
