#include "platform/lasterror.h"

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

thread_local std::uint32_t last_error = kErrorSuccess;

// errno values stay below this; the window-system codes lie above it.
constexpr std::uint32_t kFirstWindowSystemCode = 180;

}  // namespace

std::uint32_t GetLastError() { return last_error; }

void SetLastError(std::uint32_t code) { last_error = code; }

void SetLastErrorFromErrno() { last_error = static_cast<std::uint32_t>(errno); }

std::optional<std::string> FormatMessage(std::uint32_t code) {
  switch (code) {
    case kErrorSuccess:
      return std::string("The operation completed successfully.");
    case kErrorAlreadyExists:
      return std::string("Cannot create a file when that file already exists.");
    case kErrorInvalidWindowHandle:
      return std::string("Invalid window handle.");
    case kErrorCannotFindWndClass:
      return std::string("Cannot find window class.");
    case kErrorClassAlreadyExists:
      return std::string("Class already exists.");
    case kErrorClassDoesNotExist:
      return std::string("Class does not exist.");
    case kErrorClassHasWindows:
      return std::string("Class still has open windows.");
    default:
      break;
  }
  if (code >= kFirstWindowSystemCode) return std::nullopt;
  // strerror_r in its GNU form may return a static text instead of filling the buffer.
  char buffer[256] = {};
  const char* text = strerror_r(static_cast<int>(code), buffer, sizeof buffer);
  if (text == nullptr || std::strncmp(text, "Unknown error", 13) == 0) return std::nullopt;
  std::string result(text);
  result += '.';
  return result;
}

}  // namespace platform
