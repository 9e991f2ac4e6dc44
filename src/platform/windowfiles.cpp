#include "platform/windowfiles.h"

#include <cstdio>

namespace platform {
namespace {

std::string HandleName(HWND window) {
  char name[16];
  std::snprintf(name, sizeof name, "%08x", window);
  return name;
}

}  // namespace

std::string WindowSocketPath(const std::string& directory, HWND window) {
  return directory + "/" + HandleName(window) + ".sock";
}

std::string WindowInfoPath(const std::string& directory, HWND window) {
  return directory + "/" + HandleName(window) + ".info";
}

std::optional<HWND> WindowOfInfoName(const std::string& entryName) {
  if (entryName.size() != 13 || entryName.compare(8, 5, ".info") != 0) return std::nullopt;
  HWND window = 0;
  for (int i = 0; i < 8; ++i) {
    const char c = entryName[static_cast<std::size_t>(i)];
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    window = (window << 4) | static_cast<HWND>(digit);
  }
  if (window == 0) return std::nullopt;
  return window;
}

}  // namespace platform
