#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/frame.h"
#include "platform/messagewindow.h"

class QSocketNotifier;

namespace platform {

// This process's side of the hidden windows: the windows it owns, the connections on which
// messages for them arrive, and the loop that waits for an answer while serving those windows.
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

  // Deletes every socket notifier (the application object is going away).
  void DropNotifiers();

 private:
  struct TWindow;
  struct TIncoming;

  TWindowServer() = default;
  ~TWindowServer();

  // Calls that may run window procedures nest; notifiers retired inside them die at the end.
  void Enter() { ++depth_; }
  void Leave();
  void Retire(std::unique_ptr<QSocketNotifier> notifier);
  std::unique_ptr<QSocketNotifier> MakeNotifier(int fd, std::function<void()> onReadable);

  void AcceptAll(HWND window);
  void ReadIncoming(int fd);
  void DropIncoming(int fd);
  void Deliver(TIncoming& incoming);
  // Waits up to timeoutMs for traffic on this process's windows and serves it.
  void ServeOnce(int timeoutMs);
  void SweepStale(const std::string& directory);

  std::map<std::string, std::string> classes_;
  std::map<HWND, std::unique_ptr<TWindow>> windows_;
  std::map<int, std::unique_ptr<TIncoming>> incoming_;
  int depth_ = 0;
  std::vector<std::unique_ptr<QSocketNotifier>> retired_;
  bool post_routine_added_ = false;
};

}  // namespace platform
