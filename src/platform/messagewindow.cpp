#include "platform/messagewindow.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/lasterror.h"
#include "platform/peercred.h"
#include "platform/runtimedir.h"
#include "platform/windowfiles.h"
#include "platform/serving.h"
#include "platform/windowserver.h"

namespace platform {
namespace {

// A record holds two short texts; anything larger is not one of ours.
constexpr std::size_t kMaxInfoBytes = 64 * 1024;

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
           return lower(x) == lower(y);
         });
}

std::optional<std::string> ReadInfo(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return std::nullopt;
  std::string content;
  char buffer[4096];
  while (true) {
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    content.append(buffer, static_cast<std::size_t>(count));
    if (content.size() > kMaxInfoBytes) {
      close(fd);
      return std::nullopt;
    }
  }
  close(fd);
  return content;
}

// A window of another process exists while its socket accepts connections of ours.
bool SocketAccepts(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  int result = 0;
  do {
    result = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } while (result != 0 && errno == EINTR);
  const bool accepts = (result == 0 && SocketPeerAllowed(fd)) || (result != 0 && errno == EAGAIN);
  close(fd);
  return accepts;
}

}  // namespace

bool RegisterClass(const std::string& name) { return TWindowServer::Instance().RegisterClass(name); }

bool UnregisterClass(const std::string& name) { return TWindowServer::Instance().UnregisterClass(name); }

HWND CreateWindow(const std::string& className, const std::string& title) {
  return TWindowServer::Instance().CreateWindow(className, title);
}

bool DestroyWindow(HWND window) { return TWindowServer::Instance().DestroyWindow(window); }

TWindowProc SetWindowProc(HWND window, TWindowProc procedure) {
  return TWindowServer::Instance().SetWindowProc(window, std::move(procedure));
}

TWindowProc GetWindowProc(HWND window) { return TWindowServer::Instance().GetWindowProc(window); }

std::int64_t DefWindowProc(HWND, const TWindowMessage&) { return 0; }

bool IsWindow(HWND window) {
  if (window == 0) return false;
  if (TWindowServer::Instance().Owns(window)) return true;
  const std::string directory = RuntimeDirectory();
  return !directory.empty() && SocketAccepts(WindowSocketPath(directory, window));
}

HWND FindWindow(const std::string& className, const std::string& title) {
  const std::string directory = RuntimeDirectory();
  if (directory.empty()) return 0;
  std::vector<HWND> windows;
  if (DIR* listing = opendir(directory.c_str())) {
    while (const dirent* entry = readdir(listing)) {
      if (const auto window = WindowOfInfoName(entry->d_name)) windows.push_back(*window);
    }
    closedir(listing);
  }
  std::sort(windows.begin(), windows.end());
  for (HWND window : windows) {
    const auto info = ReadInfo(WindowInfoPath(directory, window));
    if (!info) continue;
    const auto separator = info->find('\0');
    if (separator == std::string::npos) continue;
    if (SameTextIgnoringCase(info->substr(0, separator), className) &&
        SameTextIgnoringCase(info->substr(separator + 1), title) && IsWindow(window)) {
      return window;
    }
  }
  SetLastError(kErrorSuccess);
  return 0;
}

std::optional<std::int64_t> SendCopyData(HWND target, HWND sender, std::int32_t dataWord,
                                         std::string_view data) {
  return TWindowServer::Instance().Send(target, sender, dataWord, data);
}

TServingLimits ServingLimits() { return TWindowServer::Instance().Limits(); }

void SetServingLimits(const TServingLimits& limits) { TWindowServer::Instance().Limits() = limits; }

void ServeMessages(int timeoutMs) { TWindowServer::Instance().Serve(timeoutMs); }

bool WatchDescriptor(int fd, std::function<void()> onReadable) {
  return TWindowServer::Instance().Watch(fd, std::move(onReadable));
}

void UnwatchDescriptor(int fd) { TWindowServer::Instance().Unwatch(fd); }

void SetSendTimeLimit(int milliseconds) { TWindowServer::Instance().SendTimeLimit() = milliseconds < 0 ? -1 : milliseconds; }

int SendTimeLimit() { return TWindowServer::Instance().SendTimeLimit(); }

void SetStallLimit(int milliseconds) { TWindowServer::Instance().StallLimit() = milliseconds < 0 ? -1 : milliseconds; }

int StallLimit() { return TWindowServer::Instance().StallLimit(); }

void CancelSends() { TWindowServer::Instance().CancelSends(); }

}  // namespace platform
