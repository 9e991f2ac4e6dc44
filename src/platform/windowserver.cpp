#include "platform/windowserver.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/timerfd.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QThread>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/lasterror.h"
#include "platform/peercred.h"
#include "platform/runtimedir.h"
#include "platform/windowfiles.h"
#include "zeph/toolkit/filenames.h"
#include "zeph/toolkit/safefile.h"

namespace platform {

struct TWindowServer::TWindow {
  HWND handle = 0;
  std::string class_key;
  int listen_fd = -1;
  std::string socket_path;
  std::string info_path;
  TWindowProc procedure;
};

struct TWindowServer::TIncoming {
  int fd = -1;
  HWND target = 0;
  std::uint64_t serial = 0;
  TFrameReader reader;
  TClock::time_point accepted_at;
  TClock::time_point first_byte_at;
  TClock::time_point last_activity;
  bool paused = false;
};

struct TWindowServer::TWatch {
  std::function<void()> callback;
};

namespace {

// How long a send waits on its own peer before it processes other messages meanwhile: a peer
// that answers at once keeps the order of arrival; one that is itself waiting (on us, or on a
// third that waits on us) gets its answer after this pause instead of never.
constexpr auto kPeerGrace = std::chrono::milliseconds(20);
// A connection idle this long may be closed to make room when descriptors run out.
constexpr auto kEvictableIdle = std::chrono::milliseconds(250);
// Connections accepted per readiness of one window, so that one busy window cannot hog the loop.
constexpr int kAcceptBatch = 64;
constexpr std::size_t kReadChunk = 64 * 1024;

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

enum class TConnectResult { kConnected, kBusy, kNoWindow, kNoDescriptor };

// Connects a fresh non-blocking socket to a window's socket. kBusy: the window exists but its
// queue of connections is full for the moment; kNoDescriptor: this process has none left.
TConnectResult ConnectSocket(const std::string& path, int& fd) {
  fd = -1;
  sockaddr_un address{};
  if (!FillAddress(path, address)) return TConnectResult::kNoWindow;
  fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    const bool exhausted = errno == EMFILE || errno == ENFILE;
    SetLastErrorFromErrno();
    return exhausted ? TConnectResult::kNoDescriptor : TConnectResult::kNoWindow;
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

int MillisecondsUntil(std::chrono::steady_clock::time_point when) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(when - std::chrono::steady_clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

void DropAllNotifiers() { TWindowServer::Instance().DropNotifiers(); }

}  // namespace

std::optional<int> ParseStallLimit(std::string_view text) {
  if (text == "none") return -1;
  if (text.empty() || text.size() > 10) return std::nullopt;
  long long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

TWindowServer& TWindowServer::Instance() {
  static TWindowServer server;
  return server;
}

TWindowServer::TWindowServer() : scratch_(kReadChunk) {
  if (const char* limit = std::getenv(kStallLimitVariable); limit != nullptr && *limit != '\0') {
    if (const std::optional<int> value = ParseStallLimit(limit)) {
      stall_limit_ms_ = *value;
    } else {
      std::fprintf(stderr,
                   "%s: %s='%s' is not a positive whole number of milliseconds or 'none'; the default %d is "
                   "used\n",
                   program_invocation_short_name, kStallLimitVariable, limit, kDefaultStallLimitMs);
    }
  }
  epoll_fd_ = epoll_create1(EPOLL_CLOEXEC);
  sweep_fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  AddToSet(sweep_fd_);
}

TWindowServer::~TWindowServer() {
  // The process ends: its windows go, so that nobody finds sockets without a listener.
  for (auto& [handle, window] : windows_) {
    close(window->listen_fd);
    unlink(window->socket_path.c_str());
    unlink(window->info_path.c_str());
  }
  for (auto& [fd, incoming] : incoming_) close(fd);
  for (auto& incoming : ready_) close(incoming->fd);
  if (sweep_fd_ >= 0) close(sweep_fd_);
  if (epoll_fd_ >= 0) close(epoll_fd_);
}

bool TWindowServer::AddToSet(int fd) {
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = fd;
  return epoll_ctl(epoll_fd_, EPOLL_CTL_ADD, fd, &event) == 0;
}

void TWindowServer::RemoveFromSet(int fd) { epoll_ctl(epoll_fd_, EPOLL_CTL_DEL, fd, nullptr); }

void TWindowServer::EnsureNotifier() {
  if (notifier_) return;
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr || QThread::currentThread() != application->thread()) return;
  if (!post_routine_added_) {
    qAddPostRoutine(DropAllNotifiers);
    post_routine_added_ = true;
  }
  notifier_ = std::make_unique<QSocketNotifier>(epoll_fd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
    Pump(0);
    DeliverAll();
  });
}

void TWindowServer::DropNotifiers() {
  post_routine_added_ = false;
  delivery_scheduled_ = false;
  notifier_.reset();
}

void TWindowServer::ScheduleDelivery() {
  // At the nesting limit the delivery that unwinds it schedules again.
  if (delivery_scheduled_ || !notifier_ || ready_.empty() || depth_ >= kMaxNesting) return;
  delivery_scheduled_ = true;
  QMetaObject::invokeMethod(
      notifier_.get(),
      [this] {
        delivery_scheduled_ = false;
        DeliverAll();
      },
      Qt::QueuedConnection);
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
  // A window whose record could not be written completely would be found by nobody.
  {
    zeph::TSafeFile record(zeph::FileNameFromBytes(QByteArray::fromStdString(window->info_path)));
    record.setCreationMode(0600);
    if (!record.open(QIODevice::WriteOnly) || record.write(info.data(), static_cast<qint64>(info.size())) < 0 ||
        !record.commit()) {
      SetLastError(static_cast<std::uint32_t>(record.systemError() != 0 ? record.systemError() : EIO));
      return 0;
    }
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
  EnsureNotifier();
  listeners_[window->listen_fd] = handle;
  if (!accepting_paused_) AddToSet(window->listen_fd);
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
  listeners_.erase(window->listen_fd);
  RemoveFromSet(window->listen_fd);
  close(window->listen_fd);
  unlink(window->socket_path.c_str());
  unlink(window->info_path.c_str());
  // Messages not processed yet go unanswered: their senders see the window gone.
  std::vector<int> orphans;
  for (const auto& [fd, incoming] : incoming_) {
    if (incoming->target == handle) orphans.push_back(fd);
  }
  for (int fd : orphans) CloseIncoming(fd);
  for (auto it = ready_.begin(); it != ready_.end();) {
    if ((*it)->target != handle) {
      ++it;
      continue;
    }
    buffered_ -= (*it)->reader.Buffered();
    close((*it)->fd);
    it = ready_.erase(it);
  }
  ResumePaused();
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

bool TWindowServer::Watch(int fd, std::function<void()> onReadable) {
  if (fd < 0 || !onReadable) {
    SetLastError(EBADF);
    return false;
  }
  EnsureNotifier();
  Unwatch(fd);
  // Plain files and /dev/null cannot be watched: they are always readable.
  if (!AddToSet(fd)) {
    SetLastErrorFromErrno();
    return false;
  }
  auto watch = std::make_shared<TWatch>();
  watch->callback = std::move(onReadable);
  watches_[fd] = std::move(watch);
  return true;
}

void TWindowServer::Unwatch(int fd) {
  if (watches_.erase(fd) != 0) RemoveFromSet(fd);
}

void TWindowServer::Pump(int timeoutMs) {
  epoll_event events[32];
  int count = 0;
  do {
    count = epoll_wait(epoll_fd_, events, 32, timeoutMs);
  } while (count < 0 && errno == EINTR);
  for (int i = 0; i < count; ++i) {
    const int fd = events[i].data.fd;
    if (fd == sweep_fd_) {
      SweepIdle();
    } else if (const auto listener = listeners_.find(fd); listener != listeners_.end()) {
      AcceptAll(listener->second);
    } else if (incoming_.count(fd) != 0) {
      ReadIncoming(fd);
    } else if (const auto watch = watches_.find(fd); watch != watches_.end()) {
      // Out of the set while it runs: a callback that waits in a send must not see its own
      // descriptor as news again and again.
      const std::shared_ptr<TWatch> running = watch->second;
      RemoveFromSet(fd);
      running->callback();
      if (const auto still = watches_.find(fd); still != watches_.end() && still->second == running) AddToSet(fd);
    } else {
      RemoveFromSet(fd);
    }
  }
}

void TWindowServer::ArmSweep() {
  if (sweep_armed_) return;
  const int period_ms = std::clamp(limits_.IdleTimeoutMs / 4, 10, 1000);
  itimerspec period{};
  period.it_interval.tv_sec = period_ms / 1000;
  period.it_interval.tv_nsec = static_cast<long>(period_ms % 1000) * 1000000L;
  period.it_value = period.it_interval;
  timerfd_settime(sweep_fd_, 0, &period, nullptr);
  sweep_armed_ = true;
}

void TWindowServer::SweepIdle() {
  std::uint64_t expirations = 0;
  static_cast<void>(read(sweep_fd_, &expirations, sizeof expirations));
  const auto now = TClock::now();
  const auto limit = std::chrono::milliseconds(limits_.IdleTimeoutMs);
  std::vector<int> expired;
  for (const auto& [fd, incoming] : incoming_) {
    // Silent since it connected, or a message begun and not finished in time.
    const auto since = incoming->reader.Started() ? incoming->first_byte_at : incoming->accepted_at;
    if (now - since >= limit) expired.push_back(fd);
  }
  for (int fd : expired) CloseIncoming(fd);
  ResumeAccepting();
  if (incoming_.empty() && !accepting_paused_) {
    // The pressure is over: a later exhaustion is news again.
    exhaustion_reported_ = false;
    const itimerspec off{};
    timerfd_settime(sweep_fd_, 0, &off, nullptr);
    sweep_armed_ = false;
  }
}

bool TWindowServer::EvictIdleConnection() {
  const auto now = TClock::now();
  TIncoming* oldest = nullptr;
  for (const auto& [fd, incoming] : incoming_) {
    if (now - incoming->last_activity < kEvictableIdle) continue;
    if (oldest == nullptr || incoming->last_activity < oldest->last_activity) oldest = incoming.get();
  }
  if (oldest == nullptr) return false;
  CloseIncoming(oldest->fd);
  return true;
}

void TWindowServer::PauseAccepting() {
  if (!accepting_paused_) {
    accepting_paused_ = true;
    for (const auto& [fd, window] : listeners_) RemoveFromSet(fd);
    if (!exhaustion_reported_) {
      exhaustion_reported_ = true;
      std::fprintf(stderr, "lexivo: out of file descriptors; new connections wait until one is free\n");
    }
  }
  ArmSweep();
}

void TWindowServer::ResumeAccepting() {
  if (!accepting_paused_) return;
  accepting_paused_ = false;
  for (const auto& [fd, window] : listeners_) AddToSet(fd);
}

void TWindowServer::AcceptAll(HWND handle) {
  const auto found = windows_.find(handle);
  if (found == windows_.end()) return;
  const int listen_fd = found->second->listen_fd;
  for (int accepted = 0; accepted < kAcceptBatch;) {
    const int fd = accept4(listen_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) continue;
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
        // Out of descriptors: room from a connection that has long been silent, or none is
        // taken until one frees (the listening socket stays readable, so it leaves the set).
        if (EvictIdleConnection()) continue;
        PauseAccepting();
      }
      return;
    }
    if (!SocketPeerAllowed(fd)) {
      close(fd);
      continue;
    }
    ++accepted;
    auto incoming = std::make_unique<TIncoming>();
    incoming->fd = fd;
    incoming->target = handle;
    incoming->serial = next_serial_++;
    incoming->accepted_at = incoming->last_activity = TClock::now();
    incoming_[fd] = std::move(incoming);
    AddToSet(fd);
    ArmSweep();
    ReadIncoming(fd);
  }
}

void TWindowServer::CloseIncoming(int fd) {
  const auto found = incoming_.find(fd);
  if (found == incoming_.end()) return;
  buffered_ -= found->second->reader.Buffered();
  if (!found->second->paused) RemoveFromSet(fd);
  incoming_.erase(found);
  std::erase(paused_, fd);
  close(fd);
  ResumePaused();
  ResumeAccepting();
}

void TWindowServer::ResumePaused() {
  if (paused_.empty() || buffered_ >= limits_.MaxBufferedBytes) return;
  for (int fd : paused_) {
    if (const auto found = incoming_.find(fd); found != incoming_.end() && found->second->paused) {
      found->second->paused = false;
      AddToSet(fd);
    }
  }
  paused_.clear();
}

void TWindowServer::ReadIncoming(int fd) {
  const auto found = incoming_.find(fd);
  if (found == incoming_.end() || found->second->paused) return;
  TIncoming& incoming = *found->second;
  while (true) {
    std::size_t chunk = std::min(incoming.reader.Wanted(), scratch_.size());
    const std::size_t room = buffered_ < limits_.MaxBufferedBytes ? limits_.MaxBufferedBytes - buffered_ : 0;
    if (chunk > room) {
      // At the cap, the oldest message begun goes on (so that something always completes);
      // the others wait in their connections until held messages have been processed.
      bool oldest = incoming.reader.Started();
      for (const auto& [other_fd, other] : incoming_) {
        if (other_fd != fd && other->reader.Started() && other->serial < incoming.serial) oldest = false;
      }
      if (!oldest) chunk = room;
    }
    if (chunk == 0) {
      incoming.paused = true;
      paused_.push_back(fd);
      RemoveFromSet(fd);
      return;
    }
    const ssize_t count = recv(fd, scratch_.data(), chunk, 0);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (count <= 0) {
      // A probe of IsWindow, a sender that gave up, or a broken connection.
      CloseIncoming(fd);
      return;
    }
    const auto now = TClock::now();
    if (!incoming.reader.Started()) incoming.first_byte_at = now;
    incoming.last_activity = now;
    last_arrival_ = now;
    incoming.reader.Take(std::string_view(scratch_.data(), static_cast<std::size_t>(count)));
    buffered_ += static_cast<std::size_t>(count);
    if (incoming.reader.Status() == TFrameReader::TStatus::kInvalid) {
      CloseIncoming(fd);
      return;
    }
    if (incoming.reader.Status() == TFrameReader::TStatus::kComplete) {
      RemoveFromSet(fd);
      ready_.push_back(std::move(found->second));
      incoming_.erase(found);
      ScheduleDelivery();
      return;
    }
  }
}

bool TWindowServer::DeliverNext(std::optional<HWND> fromWindow) {
  if (depth_ >= kMaxNesting || ready_.empty()) return false;
  auto next = ready_.begin();
  if (fromWindow) {
    next = std::find_if(ready_.begin(), ready_.end(),
                        [&](const auto& incoming) { return incoming->reader.Header()->WParam == *fromWindow; });
    if (next == ready_.end()) return false;
  }
  std::unique_ptr<TIncoming> incoming = std::move(*next);
  ready_.erase(next);
  Deliver(*incoming);
  return true;
}

void TWindowServer::DeliverAll() {
  // Those waiting now; later ones after the event loop has had a turn.
  for (std::size_t count = ready_.size(); count > 0 && DeliverNext(); --count) {
  }
  ScheduleDelivery();
}

void TWindowServer::Deliver(TIncoming& incoming) {
  std::int64_t result = 0;
  const auto found = windows_.find(incoming.target);
  if (found != windows_.end()) {
    // A copy: the procedure may destroy its own window while it runs.
    const TWindowProc procedure = found->second->procedure ? found->second->procedure : DefWindowProc;
    const TFrameHeader& header = *incoming.reader.Header();
    const TCopyData data{header.DataWord, incoming.reader.Data()};
    const TWindowMessage message{header.Msg, header.WParam, &data};
    ++depth_;
    try {
      result = procedure(incoming.target, message);
    } catch (const std::exception& error) {
      qWarning("Window procedure failed: %s", error.what());
    } catch (...) {
      qWarning("Window procedure failed");
    }
    --depth_;
    // The sender waits for exactly these bytes, so they fit into the empty socket buffer at once.
    const std::string ack = EncodeAck(result);
    static_cast<void>(send(incoming.fd, ack.data(), ack.size(), MSG_NOSIGNAL | MSG_DONTWAIT));
  }
  buffered_ -= incoming.reader.Buffered();
  close(incoming.fd);
  ResumePaused();
  ResumeAccepting();
  ScheduleDelivery();
}

void TWindowServer::Serve(int timeoutMs) {
  Pump(ready_.empty() ? timeoutMs : 0);
  DeliverAll();
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
  EnsureNotifier();

  const std::uint64_t generation = cancel_generation_;
  std::optional<TClock::time_point> deadline;
  if (send_time_limit_ms_ >= 0) deadline = TClock::now() + std::chrono::milliseconds(send_time_limit_ms_);
  // Our own window can only answer when we process its messages, so there is no waiting for it.
  const bool own_target = Owns(target);
  auto last_progress = TClock::now();
  // The last sign of life of the peer, for the stall limit; processing others' messages meanwhile
  // is our time, not the peer's.
  auto last_sign = last_progress;
  const std::optional<std::chrono::milliseconds> stall_limit =
      stall_limit_ms_ >= 0 ? std::optional(std::chrono::milliseconds(stall_limit_ms_)) : std::nullopt;
  auto stall_deadline = [&] { return std::max(last_sign, last_arrival_) + *stall_limit; };
  int fd = -1;
  auto fail = [&](std::uint32_t error) -> std::optional<std::int64_t> {
    if (fd >= 0) close(fd);
    SetLastError(error);
    ScheduleDelivery();
    return std::nullopt;
  };
  // Processes a waiting message when the peer may need that to answer; true when one was.
  auto serve_meanwhile = [&] {
    const bool stalled = own_target || TClock::now() - last_progress >= kPeerGrace;
    const bool delivered = DeliverNext(target) || (stalled && DeliverNext());
    if (delivered) last_sign = TClock::now();
    return delivered;
  };
  // How long to wait for traffic before looking at the waiting messages again.
  auto wait_timeout = [&] {
    int timeout = deadline ? MillisecondsUntil(*deadline) : -1;
    if (stall_limit) {
      const int stall = MillisecondsUntil(stall_deadline());
      timeout = timeout < 0 ? stall : std::min(timeout, stall);
    }
    if (!ready_.empty() && depth_ < kMaxNesting) {
      const int grace = MillisecondsUntil(last_progress + kPeerGrace);
      timeout = timeout < 0 ? grace : std::min(timeout, grace);
    }
    return timeout;
  };
  auto stopped = [&]() -> std::optional<std::uint32_t> {
    if (cancel_generation_ != generation) return ECANCELED;
    if (deadline && TClock::now() >= *deadline) return ETIMEDOUT;
    if (stall_limit && TClock::now() >= stall_deadline()) return ETIMEDOUT;
    return std::nullopt;
  };

  const std::string path = WindowSocketPath(directory, target);
  while (true) {
    const TConnectResult connected = ConnectSocket(path, fd);
    if (connected == TConnectResult::kConnected) break;
    if (connected == TConnectResult::kNoWindow) return std::nullopt;
    // Out of descriptors: one from a connection that has long been silent, or the send fails.
    if (connected == TConnectResult::kNoDescriptor) {
      if (EvictIdleConnection()) continue;
      return std::nullopt;
    }
    // The receiver's queue is full; it may be one of ours, so keep ours moving meanwhile.
    if (const auto error = stopped()) return fail(*error);
    if (serve_meanwhile()) continue;
    const int timeout = wait_timeout();
    Pump(timeout < 0 ? 10 : std::min(timeout, 10));
  }
  const std::string frame = EncodeFrame(WM_COPYDATA, sender, dataWord, data);
  std::size_t written = 0;
  char ack[kAckSize];
  std::size_t ack_size = 0;
  while (true) {
    if (const auto error = stopped()) return fail(*error);
    if (serve_meanwhile()) continue;
    pollfd fds[2] = {pollfd{fd, static_cast<short>(written < frame.size() ? POLLOUT : POLLIN), 0},
                     pollfd{epoll_fd_, POLLIN, 0}};
    if (poll(fds, 2, wait_timeout()) < 0) {
      if (errno == EINTR) continue;
      return fail(static_cast<std::uint32_t>(errno));
    }
    if (fds[0].revents != 0) {
      if (written < frame.size()) {
        const ssize_t count = send(fd, frame.data() + written, frame.size() - written, MSG_NOSIGNAL);
        if (count > 0) {
          written += static_cast<std::size_t>(count);
          last_progress = last_sign = TClock::now();
        } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
          return fail(ECONNRESET);
        }
      } else {
        const ssize_t count = recv(fd, ack + ack_size, kAckSize - ack_size, 0);
        if (count > 0) {
          last_sign = TClock::now();
          ack_size += static_cast<std::size_t>(count);
          if (ack_size == kAckSize) {
            close(fd);
            const auto result = DecodeAck(std::string_view(ack, kAckSize));
            if (!result) SetLastError(EPROTO);
            ScheduleDelivery();
            return result;
          }
        } else if (count == 0 || (errno != EAGAIN && errno != EINTR)) {
          // The receiver went away before it had processed the message.
          return fail(ECONNRESET);
        }
      }
    }
    if (fds[1].revents != 0) Pump(0);
  }
}

}  // namespace platform
