#include "platform/peercred.h"

#include <sys/socket.h>
#include <unistd.h>

namespace platform {

std::optional<uid_t> PeerUid(int fd) {
  ucred credentials{};
  socklen_t size = sizeof credentials;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 || size != sizeof credentials) {
    return std::nullopt;
  }
  return credentials.uid;
}

bool PeerAllowed(std::optional<uid_t> peer, uid_t self) { return peer.has_value() && *peer == self; }

bool SocketPeerAllowed(int fd) { return PeerAllowed(PeerUid(fd), getuid()); }

}  // namespace platform
