#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The calling thread's last error, as the window-system stand-ins report it. Operating-system
// failures carry their errno value; the window-system failures carry the codes below.
namespace platform {

constexpr std::uint32_t kErrorSuccess = 0;
constexpr std::uint32_t kErrorAlreadyExists = 183;
constexpr std::uint32_t kErrorInvalidWindowHandle = 1400;
constexpr std::uint32_t kErrorCannotFindWndClass = 1407;
constexpr std::uint32_t kErrorClassAlreadyExists = 1410;
constexpr std::uint32_t kErrorClassDoesNotExist = 1411;
constexpr std::uint32_t kErrorClassHasWindows = 1412;

std::uint32_t GetLastError();
void SetLastError(std::uint32_t code);
// Sets the last error from errno.
void SetLastErrorFromErrno();

// The system's text for an error code; none for a code the system has no text for.
std::optional<std::string> FormatMessage(std::uint32_t code);

}  // namespace platform
