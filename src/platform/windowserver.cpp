#include "platform/windowserver.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QThread>
#include <QtGlobal>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/lasterror.h"
#include "platform/peercred.h"
#include "platform/runtimedir.h"
#include "platform/windowfiles.h"

namespace platform {

struct TWindowServer::TWindow {
  HWND handle = 0;
  std::string class_key;
  int listen_fd = -1;
  std::string socket_path;
  std::string info_path;
  TWindowProc procedure;
  std::unique_ptr<QSocketNotifier> notifier;
};

struct TWindowServer::TIncoming {
  int fd = -1;
  HWND target = 0;
  std::string bytes;
  std::optional<TFrameHeader> header;
  std::unique_ptr<QSocketNotifier> notifier;
};

namespace {

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return text;
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    SetLastError(ENAMETOOLONG);
    return false;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

enum class TConnectResult { kConnected, kBusy, kNoWindow };

// Connects a fresh non-blocking socket to a window's socket. kBusy: the window exists but its
// queue of connections is full for the moment.
TConnectResult ConnectSocket(const std::string& path, int& fd) {
  fd = -1;
  sockaddr_un address{};
  if (!FillAddress(path, address)) return TConnectResult::kNoWindow;
  fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    SetLastErrorFromErrno();
    return TConnectResult::kNoWindow;
  }
  int result = 0;
  do {
    result = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } while (result != 0 && errno == EINTR);
  if (result == 0) {
    // A socket that another user put there is not one of our windows.
    if (SocketPeerAllowed(fd)) return TConnectResult::kConnected;
    SetLastError(EACCES);
  } else if (errno == EAGAIN) {
    close(fd);
    fd = -1;
    return TConnectResult::kBusy;
  } else {
    SetLastError(kErrorInvalidWindowHandle);
  }
  close(fd);
  fd = -1;
  return TConnectResult::kNoWindow;
}

void WriteWholeFile(const std::string& path, const std::string& content) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return;
  std::size_t written = 0;
  while (written < content.size()) {
    const ssize_t count = write(fd, content.data() + written, content.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    written += static_cast<std::size_t>(count);
  }
  close(fd);
}

void DropAllNotifiers() { TWindowServer::Instance().DropNotifiers(); }

}  // namespace

TWindowServer& TWindowServer::Instance() {
  static TWindowServer server;
  return server;
}

TWindowServer::~TWindowServer() {
  // The process ends: its windows go, so that nobody finds sockets without a listener.
  for (auto& [handle, window] : windows_) {
    close(window->listen_fd);
    unlink(window->socket_path.c_str());
    unlink(window->info_path.c_str());
  }
  for (auto& [fd, incoming] : incoming_) close(fd);
}

void TWindowServer::Leave() {
  if (--depth_ == 0) retired_.clear();
}

void TWindowServer::Retire(std::unique_ptr<QSocketNotifier> notifier) {
  if (!notifier) return;
  // Disabled before its descriptor is closed, so the event loop never polls a stale one.
  notifier->setEnabled(false);
  if (depth_ > 0) {
    retired_.push_back(std::move(notifier));
  }
}

std::unique_ptr<QSocketNotifier> TWindowServer::MakeNotifier(int fd, std::function<void()> onReadable) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr || QThread::currentThread() != application->thread()) return nullptr;
  if (!post_routine_added_) {
    qAddPostRoutine(DropAllNotifiers);
    post_routine_added_ = true;
  }
  auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                   [this, callback = std::move(onReadable)] {
                     Enter();
                     callback();
                     Leave();
                   });
  return notifier;
}

void TWindowServer::DropNotifiers() {
  post_routine_added_ = false;
  for (auto& [handle, window] : windows_) window->notifier.reset();
  for (auto& [fd, incoming] : incoming_) incoming->notifier.reset();
  retired_.clear();
}

bool TWindowServer::RegisterClass(const std::string& name) {
  const std::string key = LowerAscii(name);
  if (classes_.count(key) != 0) {
    SetLastError(kErrorClassAlreadyExists);
    return false;
  }
  classes_.emplace(key, name);
  return true;
}

bool TWindowServer::UnregisterClass(const std::string& name) {
  const std::string key = LowerAscii(name);
  if (classes_.count(key) == 0) {
    SetLastError(kErrorClassDoesNotExist);
    return false;
  }
  for (const auto& [handle, window] : windows_) {
    if (window->class_key == key) {
      SetLastError(kErrorClassHasWindows);
      return false;
    }
  }
  classes_.erase(key);
  return true;
}

void TWindowServer::SweepStale(const std::string& directory) {
  DIR* listing = opendir(directory.c_str());
  if (listing == nullptr) return;
  std::vector<HWND> found;
  while (const dirent* entry = readdir(listing)) {
    if (const auto window = WindowOfInfoName(entry->d_name)) found.push_back(*window);
  }
  closedir(listing);
  for (HWND window : found) {
    if (windows_.count(window) != 0) continue;
    int fd = -1;
    const std::string socket_path = WindowSocketPath(directory, window);
    if (ConnectSocket(socket_path, fd) == TConnectResult::kNoWindow) {
      unlink(socket_path.c_str());
      unlink(WindowInfoPath(directory, window).c_str());
    }
    if (fd >= 0) close(fd);
  }
}

HWND TWindowServer::CreateWindow(const std::string& className, const std::string& title) {
  const std::string key = LowerAscii(className);
  if (classes_.count(key) == 0) {
    SetLastError(kErrorCannotFindWndClass);
    return 0;
  }
  const std::string directory = RuntimeDirectory();
  if (directory.empty()) return 0;
  TRuntimeDirLock lock(directory);
  SweepStale(directory);
  HWND handle = 0;
  struct stat existing {};
  do {
    handle = QRandomGenerator::global()->bounded(1u, 0x80000000u);
  } while (windows_.count(handle) != 0 || lstat(WindowInfoPath(directory, handle).c_str(), &existing) == 0 ||
           lstat(WindowSocketPath(directory, handle).c_str(), &existing) == 0);

  auto window = std::make_unique<TWindow>();
  window->handle = handle;
  window->class_key = key;
  window->socket_path = WindowSocketPath(directory, handle);
  window->info_path = WindowInfoPath(directory, handle);
  sockaddr_un address{};
  if (!FillAddress(window->socket_path, address)) return 0;
  std::string info = className;
  info.push_back('\0');
  info += title;
  const std::string temporary = window->info_path + ".new";
  WriteWholeFile(temporary, info);
  if (std::rename(temporary.c_str(), window->info_path.c_str()) != 0) {
    SetLastErrorFromErrno();
    unlink(temporary.c_str());
    return 0;
  }
  window->listen_fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (window->listen_fd < 0 ||
      bind(window->listen_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      listen(window->listen_fd, SOMAXCONN) != 0) {
    SetLastErrorFromErrno();
    if (window->listen_fd >= 0) close(window->listen_fd);
    unlink(window->socket_path.c_str());
    unlink(window->info_path.c_str());
    return 0;
  }
  window->notifier = MakeNotifier(window->listen_fd, [this, handle] { AcceptAll(handle); });
  windows_.emplace(handle, std::move(window));
  return handle;
}

bool TWindowServer::DestroyWindow(HWND handle) {
  const auto found = windows_.find(handle);
  if (found == windows_.end()) {
    SetLastError(kErrorInvalidWindowHandle);
    return false;
  }
  std::unique_ptr<TWindow> window = std::move(found->second);
  windows_.erase(found);
  Retire(std::move(window->notifier));
  close(window->listen_fd);
  unlink(window->socket_path.c_str());
  unlink(window->info_path.c_str());
  // Messages that had not been read completely go unanswered: their senders see the window gone.
  std::vector<int> orphans;
  for (const auto& [fd, incoming] : incoming_) {
    if (incoming->target == handle) orphans.push_back(fd);
  }
  for (int fd : orphans) DropIncoming(fd);
  return true;
}

TWindowProc TWindowServer::SetWindowProc(HWND handle, TWindowProc procedure) {
  const auto found = windows_.find(handle);
  if (found == windows_.end()) {
    SetLastError(kErrorInvalidWindowHandle);
    return {};
  }
  TWindowProc previous = std::move(found->second->procedure);
  found->second->procedure = std::move(procedure);
  return previous;
}

TWindowProc TWindowServer::GetWindowProc(HWND handle) const {
  const auto found = windows_.find(handle);
  if (found == windows_.end()) {
    SetLastError(kErrorInvalidWindowHandle);
    return {};
  }
  return found->second->procedure;
}

void TWindowServer::AcceptAll(HWND handle) {
  while (true) {
    const auto found = windows_.find(handle);
    if (found == windows_.end()) return;
    const int fd = accept4(found->second->listen_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (!SocketPeerAllowed(fd)) {
      close(fd);
      continue;
    }
    auto incoming = std::make_unique<TIncoming>();
    incoming->fd = fd;
    incoming->target = handle;
    incoming->notifier = MakeNotifier(fd, [this, fd] { ReadIncoming(fd); });
    incoming_[fd] = std::move(incoming);
    ReadIncoming(fd);
  }
}

void TWindowServer::DropIncoming(int fd) {
  const auto found = incoming_.find(fd);
  if (found == incoming_.end()) return;
  std::unique_ptr<TIncoming> incoming = std::move(found->second);
  incoming_.erase(found);
  Retire(std::move(incoming->notifier));
  close(fd);
}

void TWindowServer::ReadIncoming(int fd) {
  const auto found = incoming_.find(fd);
  if (found == incoming_.end()) return;
  TIncoming& incoming = *found->second;
  char buffer[65536];
  while (true) {
    const std::size_t total = kFrameHeaderSize + (incoming.header ? incoming.header->Count : 0);
    const std::size_t wanted = total - incoming.bytes.size();
    if (wanted == 0) break;
    const ssize_t count = recv(fd, buffer, std::min(wanted, sizeof buffer), 0);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (count <= 0) {
      // A probe of IsWindow, a sender that gave up, or a broken connection.
      DropIncoming(fd);
      return;
    }
    incoming.bytes.append(buffer, static_cast<std::size_t>(count));
    if (!incoming.header && incoming.bytes.size() == kFrameHeaderSize) {
      incoming.header = DecodeFrameHeader(incoming.bytes);
      if (!incoming.header) {
        DropIncoming(fd);
        return;
      }
      incoming.bytes.reserve(kFrameHeaderSize + incoming.header->Count);
    }
  }
  std::unique_ptr<TIncoming> complete = std::move(found->second);
  incoming_.erase(found);
  Retire(std::move(complete->notifier));
  Deliver(*complete);
}

void TWindowServer::Deliver(TIncoming& incoming) {
  std::int64_t result = 0;
  const auto found = windows_.find(incoming.target);
  if (found == windows_.end()) {
    close(incoming.fd);
    return;
  }
  // A copy: the procedure may destroy its own window while it runs.
  const TWindowProc procedure = found->second->procedure ? found->second->procedure : DefWindowProc;
  const TCopyData data{incoming.header->DataWord, std::string_view(incoming.bytes).substr(kFrameHeaderSize)};
  const TWindowMessage message{incoming.header->Msg, incoming.header->WParam, &data};
  try {
    result = procedure(incoming.target, message);
  } catch (const std::exception& error) {
    qWarning("Window procedure failed: %s", error.what());
  } catch (...) {
    qWarning("Window procedure failed");
  }
  // The sender waits for exactly these bytes, so they fit into the empty socket buffer at once.
  const std::string ack = EncodeAck(result);
  static_cast<void>(send(incoming.fd, ack.data(), ack.size(), MSG_NOSIGNAL | MSG_DONTWAIT));
  close(incoming.fd);
}

void TWindowServer::ServeOnce(int timeoutMs) {
  std::vector<pollfd> fds;
  std::vector<HWND> listeners;
  for (const auto& [handle, window] : windows_) {
    fds.push_back(pollfd{window->listen_fd, POLLIN, 0});
    listeners.push_back(handle);
  }
  for (const auto& [fd, incoming] : incoming_) fds.push_back(pollfd{fd, POLLIN, 0});
  if (poll(fds.data(), fds.size(), timeoutMs) <= 0) return;
  for (std::size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents == 0) continue;
    if (i < listeners.size()) {
      AcceptAll(listeners[i]);
    } else {
      ReadIncoming(fds[i].fd);
    }
  }
}

std::optional<std::int64_t> TWindowServer::Send(HWND target, HWND sender, std::int32_t dataWord,
                                                std::string_view data) {
  if (target == 0) {
    SetLastError(kErrorInvalidWindowHandle);
    return std::nullopt;
  }
  if (data.size() > kMaxCopyDataBytes) {
    SetLastError(E2BIG);
    return std::nullopt;
  }
  const std::string directory = RuntimeDirectory();
  if (directory.empty()) return std::nullopt;
  Enter();
  struct TLeave {
    TWindowServer* server;
    ~TLeave() { server->Leave(); }
  } leave{this};

  int fd = -1;
  const std::string path = WindowSocketPath(directory, target);
  while (true) {
    const TConnectResult connected = ConnectSocket(path, fd);
    if (connected == TConnectResult::kConnected) break;
    if (connected == TConnectResult::kNoWindow) return std::nullopt;
    // The receiver's queue is full; it may be one of ours, so keep ours moving meanwhile.
    ServeOnce(10);
  }
  const std::string frame = EncodeFrame(WM_COPYDATA, sender, dataWord, data);
  std::size_t written = 0;
  std::string ack;
  auto fail = [&](std::uint32_t error) -> std::optional<std::int64_t> {
    close(fd);
    SetLastError(error);
    return std::nullopt;
  };
  while (true) {
    std::vector<pollfd> fds{pollfd{fd, static_cast<short>(written < frame.size() ? POLLOUT : POLLIN), 0}};
    std::vector<HWND> listeners;
    for (const auto& [handle, window] : windows_) {
      fds.push_back(pollfd{window->listen_fd, POLLIN, 0});
      listeners.push_back(handle);
    }
    for (const auto& [incoming_fd, incoming] : incoming_) fds.push_back(pollfd{incoming_fd, POLLIN, 0});
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return fail(static_cast<std::uint32_t>(errno));
    }
    if (fds[0].revents != 0) {
      if (written < frame.size()) {
        const ssize_t count = send(fd, frame.data() + written, frame.size() - written, MSG_NOSIGNAL);
        if (count > 0) {
          written += static_cast<std::size_t>(count);
        } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
          return fail(ECONNRESET);
        }
      } else {
        char buffer[kAckSize];
        const ssize_t count = recv(fd, buffer, kAckSize - ack.size(), 0);
        if (count > 0) {
          ack.append(buffer, static_cast<std::size_t>(count));
          if (ack.size() == kAckSize) {
            close(fd);
            const auto result = DecodeAck(ack);
            if (!result) SetLastError(EPROTO);
            return result;
          }
        } else if (count == 0 || (errno != EAGAIN && errno != EINTR)) {
          // The receiver went away before it had processed the message.
          return fail(ECONNRESET);
        }
      }
    }
    for (std::size_t i = 1; i < fds.size(); ++i) {
      if (fds[i].revents == 0) continue;
      if (i - 1 < listeners.size()) {
        AcceptAll(listeners[i - 1]);
      } else {
        ReadIncoming(fds[i].fd);
      }
    }
  }
}

}  // namespace platform
