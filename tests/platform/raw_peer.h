#pragma once

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

// A peer that speaks to a window's socket directly, as another process (or a hostile one) would.
namespace raw_peer {

inline int Connect(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// A listening socket bound at path, as a window of another process has one.
inline int Listen(const std::string& path, int backlog = 8) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, backlog) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

inline bool WriteAll(int fd, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = send(fd, bytes.data() + written, bytes.size() - written, MSG_NOSIGNAL);
    if (count <= 0) return false;
    written += static_cast<std::size_t>(count);
  }
  return true;
}

// Reads until the peer closes (or limit bytes have come).
inline std::string ReadAll(int fd, std::size_t limit = 1 << 20) {
  std::string bytes;
  char buffer[4096];
  while (bytes.size() < limit) {
    const ssize_t count = recv(fd, buffer, sizeof buffer, 0);
    if (count <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  return bytes;
}

}  // namespace raw_peer
