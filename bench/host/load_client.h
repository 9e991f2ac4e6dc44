#pragma once

#include <chrono>
#include <optional>
#include <string>

// One participant of the load benchmark: a window of its own (a listening socket in the runtime
// directory) and requests to the server spoken on the sockets directly, as another process
// would, so that many of them can run as threads of one program.
class TLoadClient {
 public:
  TLoadClient(const std::string& runtimeDirectory, std::uint32_t serverWindow, std::uint32_t index);
  ~TLoadClient();
  TLoadClient(const TLoadClient&) = delete;
  TLoadClient& operator=(const TLoadClient&) = delete;

  bool Ready() const { return listener_ >= 0; }
  // Asks the server for a variable and gives the answer, or none when the request failed.
  std::optional<std::string> GetVariable(const std::string& name);

 private:
  // Takes the server's reply on our window: reads its frame and acknowledges it.
  std::optional<std::string> TakeReply();

  std::string runtime_directory_;
  std::uint32_t server_window_;
  std::uint32_t window_ = 0;
  std::uint32_t index_;
  std::int32_t sequence_ = 0;
  int listener_ = -1;
  std::string socket_path_;
};
