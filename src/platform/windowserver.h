#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/framereader.h"
#include "platform/messagewindow.h"
#include "platform/serving.h"

class QSocketNotifier;

namespace platform {

// This process's side of the hidden windows: the windows it owns, the connections on which
// messages for them arrive, and the loop that waits for an answer while serving those windows.
//
// Everything it serves sits in one epoll set, so the Qt event loop and a waiting send watch the
// same thing. Complete messages queue in the order they arrived and are processed from the front;
// a waiting send processes them only when its own peer keeps it waiting (or when the peer is
// this process), so that nesting, and with it the newest-first order, stays the exception.
class TWindowServer {
 public:
  static TWindowServer& Instance();

  bool RegisterClass(const std::string& name);
  bool UnregisterClass(const std::string& name);
  HWND CreateWindow(const std::string& className, const std::string& title);
  bool DestroyWindow(HWND window);
  bool Owns(HWND window) const { return windows_.count(window) != 0; }
  TWindowProc SetWindowProc(HWND window, TWindowProc procedure);
  TWindowProc GetWindowProc(HWND window) const;
  std::optional<std::int64_t> Send(HWND target, HWND sender, std::int32_t dataWord, std::string_view data);

  void Serve(int timeoutMs);
  bool Watch(int fd, std::function<void()> onReadable);
  void Unwatch(int fd);
  TServingLimits& Limits() { return limits_; }
  int& SendTimeLimit() { return send_time_limit_ms_; }
  int& StallLimit() { return stall_limit_ms_; }
  void CancelSends() { ++cancel_generation_; }

  // Deletes the socket notifier (the application object is going away).
  void DropNotifiers();

 private:
  using TClock = std::chrono::steady_clock;
  struct TWindow;
  struct TIncoming;
  struct TWatch;

  TWindowServer();
  ~TWindowServer();

  void EnsureNotifier();
  void ScheduleDelivery();
  bool AddToSet(int fd);
  void RemoveFromSet(int fd);

  // Reads what has arrived everywhere (waiting up to timeoutMs for something), accepts new
  // connections, runs watches and the idle sweep; processes no message.
  void Pump(int timeoutMs);
  void AcceptAll(HWND window);
  bool EvictIdleConnection();
  void PauseAccepting();
  void ResumeAccepting();
  void ReadIncoming(int fd);
  void CloseIncoming(int fd);
  void ResumePaused();
  void SweepIdle();
  void ArmSweep();

  // Processes the oldest complete message (the oldest one from fromWindow, when given); false
  // when there is none or the nesting limit is reached.
  bool DeliverNext(std::optional<HWND> fromWindow = std::nullopt);
  void DeliverAll();
  void Deliver(TIncoming& incoming);
  void SweepStale(const std::string& directory);

  std::map<std::string, std::string> classes_;
  std::map<HWND, std::unique_ptr<TWindow>> windows_;
  std::map<int, HWND> listeners_;
  std::map<int, std::unique_ptr<TIncoming>> incoming_;
  std::deque<std::unique_ptr<TIncoming>> ready_;
  std::vector<int> paused_;
  std::map<int, std::shared_ptr<TWatch>> watches_;
  std::size_t buffered_ = 0;
  std::uint64_t next_serial_ = 0;
  int depth_ = 0;
  int epoll_fd_ = -1;
  int sweep_fd_ = -1;
  bool sweep_armed_ = false;
  bool accepting_paused_ = false;
  bool exhaustion_reported_ = false;
  bool delivery_scheduled_ = false;
  std::unique_ptr<QSocketNotifier> notifier_;
  bool post_routine_added_ = false;
  TServingLimits limits_;
  int send_time_limit_ms_ = -1;
  int stall_limit_ms_ = kDefaultStallLimitMs;
  // When a byte of a message for one of our windows last arrived: a peer answering a request.
  TClock::time_point last_arrival_;
  std::uint64_t cancel_generation_ = 0;
  // Reading scratch space, shared: reading never nests.
  std::vector<char> scratch_;
};

}  // namespace platform
