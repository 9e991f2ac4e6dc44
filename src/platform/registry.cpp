#include "platform/registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/lasterror.h"

namespace platform {
namespace {

// Values are short texts; a larger file is not a value this store wrote.
constexpr std::size_t kMaxValueBytes = 64 * 1024;

std::string StoreDirectory() {
  if (const char* over = std::getenv(kRegistryDirVariable); over != nullptr && *over != '\0') {
    return over;
  }
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
    return std::string(config) + "/lexivo/registry";
  }
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "/tmp") + "/.config/lexivo/registry";
}

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

// The directory of root and key; the key's parts are separated by backslashes.
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

}  // namespace

std::optional<std::string> ReadRegistryString(const std::string& root, const std::string& key,
                                              const std::string& valueName) {
  std::string path = StoreDirectory();
  for (const std::string& part : KeyPath(root, key)) path += "/" + part;
  path += '/';
  path += Component(valueName);
  path += ".value";
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    SetLastErrorFromErrno();
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
  std::string path = StoreDirectory();
  std::string built;
  for (char c : path + "/") {
    if (c == '/' && !built.empty()) mkdir(built.c_str(), 0700);
    built += c;
  }
  for (const std::string& part : KeyPath(root, key)) {
    path += "/" + part;
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
      SetLastErrorFromErrno();
      return false;
    }
  }
  const std::string name = Component(valueName) + ".value";
  const std::string temporary = path + "/." + name + "." + std::to_string(getpid());
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    SetLastErrorFromErrno();
    return false;
  }
  std::size_t written = 0;
  while (written < value.size()) {
    const ssize_t count = write(fd, value.data() + written, value.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      SetLastErrorFromErrno();
      close(fd);
      unlink(temporary.c_str());
      return false;
    }
    written += static_cast<std::size_t>(count);
  }
  close(fd);
  // A rename replaces the value in one step: a reader sees the old or the new text, never half.
  if (std::rename(temporary.c_str(), (path + "/" + name).c_str()) != 0) {
    SetLastErrorFromErrno();
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace platform
