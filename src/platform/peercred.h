#pragma once

#include <sys/types.h>

#include <optional>

// Who is at the other end of a local socket. Hidden windows talk only to processes of the same
// user: the runtime directory keeps others out, and the peer's credentials are checked as well.
namespace platform {

// The user of the peer of a connected Unix-domain socket, from the kernel.
std::optional<uid_t> PeerUid(int fd);
// Whether a peer with those credentials may talk to this process's windows.
bool PeerAllowed(std::optional<uid_t> peer, uid_t self);
// PeerAllowed for the socket's peer and this process's user.
bool SocketPeerAllowed(int fd);

}  // namespace platform
