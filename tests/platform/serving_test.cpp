#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <thread>

#include "platform/isolated_runtime.h"
#include "platform/lasterror.h"
#include "platform/messagewindow.h"
#include "platform/raw_peer.h"
#include "platform/serving.h"
#include "platform/windowfiles.h"

namespace {

using platform::HWND;

// Serves this process's windows until done() or ten seconds have passed.
template <typename Done>
bool ServeUntil(Done done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 10000) platform::ServeMessages(10);
  return done();
}

// Sends each frame on a connection of its own, all at once, and collects the acknowledgements.
class TFramePeer {
 public:
  TFramePeer(const std::string& path, std::vector<std::string> frames) {
    thread_ = std::thread([this, path, frames = std::move(frames)] {
      std::vector<int> fds;
      for (const std::string& frame : frames) {
        const int fd = raw_peer::Connect(path);
        raw_peer::WriteAll(fd, frame);
        fds.push_back(fd);
      }
      for (int fd : fds) {
        if (platform::DecodeAck(raw_peer::ReadAll(fd, platform::kAckSize))) ++acked_;
        close(fd);
      }
      done_ = true;
    });
  }
  ~TFramePeer() { thread_.join(); }
  bool Done() const { return done_; }
  int Acked() const { return acked_; }

 private:
  std::atomic<bool> done_{false};
  std::atomic<int> acked_{0};
  std::thread thread_;
};

class ServingTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(platform::RegisterClass("ServingTestClass")); }
  void TearDown() override {
    for (HWND window : windows_) platform::DestroyWindow(window);
    EXPECT_TRUE(platform::UnregisterClass("ServingTestClass"));
    platform::SetServingLimits(platform::TServingLimits{});
    platform::SetSendTimeLimit(-1);
  }
  HWND Make() {
    const HWND window = platform::CreateWindow("ServingTestClass", "window");
    if (window != 0) windows_.push_back(window);
    return window;
  }
  std::string PathOf(HWND window) const { return platform::WindowSocketPath(runtime_.RuntimeDir(), window); }
  // A window of "another process" that takes connections into its queue and never answers.
  int SilentWindow(HWND handle) {
    std::ofstream(platform::WindowInfoPath(runtime_.RuntimeDir(), handle), std::ios::binary) << "Silent" << '\0';
    return raw_peer::Listen(PathOf(handle), 1024);
  }

  TIsolatedRuntime runtime_;
  std::vector<HWND> windows_;
};

TEST_F(ServingTest, NestingStopsAtItsLimitWithASmallFixedFramePerLevel) {
  // Every request asks for an answer to a window that never takes it, as a hostile peer would:
  // each answer waits, and the next request is served inside that wait.
  const HWND silent = 0x00510E47;
  const int listener = SilentWindow(silent);
  ASSERT_GE(listener, 0);
  platform::SetSendTimeLimit(300);
  const HWND window = Make();
  int depth = 0;
  int deepest = 0;
  int served = 0;
  std::uintptr_t first_frame = 0;
  std::uintptr_t deepest_frame = 0;
  platform::SetWindowProc(window, [&](HWND self, const platform::TWindowMessage& message) -> std::int64_t {
    const char marker = 0;
    const auto here = reinterpret_cast<std::uintptr_t>(&marker);
    ++depth;
    ++served;
    if (depth == 1) first_frame = here;
    if (depth > deepest) {
      deepest = depth;
      deepest_frame = here;
    }
    platform::SendCopyData(message.WParam, self, 1, "answer");
    --depth;
    return 1;
  });
  constexpr int kRequests = platform::kMaxNesting + 44;
  std::vector<std::string> frames(kRequests, platform::EncodeFrame(platform::WM_COPYDATA, silent, 7, "request"));
  {
    TFramePeer peer(PathOf(window), frames);
    EXPECT_TRUE(ServeUntil([&] { return peer.Done(); }));
    EXPECT_EQ(peer.Acked(), kRequests);
  }
  close(listener);
  EXPECT_EQ(served, kRequests);
  EXPECT_EQ(deepest, platform::kMaxNesting);
  // The stack grows downwards; each level costs its procedure and the waiting send, no buffers.
  const std::uintptr_t per_level = (first_frame - deepest_frame) / (platform::kMaxNesting - 1);
  EXPECT_LT(per_level, 16u * 1024u);
}

TEST_F(ServingTest, MessagesAreProcessedInTheOrderTheyArrived) {
  // Each message is answered to a peer that takes a few milliseconds: the next message waits
  // for that instead of being served inside the wait.
  const HWND answers = 0x00A5B5C5;
  const int listener = SilentWindow(answers);
  std::thread answerer([&] {
    // Probes (a window being made looks for stale sockets) send nothing and are not counted.
    for (int answered = 0; answered < 3;) {
      const int fd = accept(listener, nullptr, nullptr);
      char header[platform::kFrameHeaderSize];
      if (recv(fd, header, sizeof header, MSG_WAITALL) == static_cast<ssize_t>(sizeof header)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        raw_peer::WriteAll(fd, platform::EncodeAck(0));
        ++answered;
      }
      close(fd);
    }
  });
  const HWND window = Make();
  std::vector<std::string> trace;
  platform::SetWindowProc(window, [&](HWND self, const platform::TWindowMessage& message) -> std::int64_t {
    const std::string name(message.CopyData->Data);
    trace.push_back("start " + name);
    platform::SendCopyData(answers, self, 1, "");
    trace.push_back("end " + name);
    return 0;
  });
  {
    TFramePeer peer(PathOf(window), {platform::EncodeFrame(platform::WM_COPYDATA, 1, 1, "A"),
                                     platform::EncodeFrame(platform::WM_COPYDATA, 2, 1, "B"),
                                     platform::EncodeFrame(platform::WM_COPYDATA, 3, 1, "C")});
    // All three are there before the first is served.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(ServeUntil([&] { return peer.Done(); }));
    EXPECT_EQ(peer.Acked(), 3);
  }
  answerer.join();
  close(listener);
  EXPECT_EQ(trace, (std::vector<std::string>{"start A", "end A", "start B", "end B", "start C", "end C"}));
}

TEST_F(ServingTest, SilentAndHalfSentConnectionsAreClosedAfterTheIdleTime) {
  platform::TServingLimits limits;
  limits.IdleTimeoutMs = 150;
  platform::SetServingLimits(limits);
  const HWND window = Make();
  const std::string half = platform::EncodeFrame(platform::WM_COPYDATA, 1, 1, "0123456789").substr(0, 23);
  std::atomic<int> closed{0};
  std::thread peer([&] {
    const int silent = raw_peer::Connect(PathOf(window));
    const int trickling = raw_peer::Connect(PathOf(window));
    raw_peer::WriteAll(trickling, half);
    // Both see the end of the connection, without an answer.
    if (raw_peer::ReadAll(silent).empty()) ++closed;
    if (raw_peer::ReadAll(trickling).empty()) ++closed;
    close(silent);
    close(trickling);
  });
  QElapsedTimer timer;
  timer.start();
  EXPECT_TRUE(ServeUntil([&] { return closed.load() == 2; }));
  EXPECT_GE(timer.elapsed(), 100);
  peer.join();
  // A message that completes in time is served as ever.
  platform::SetWindowProc(window, [](HWND, const platform::TWindowMessage&) -> std::int64_t { return 3; });
  EXPECT_EQ(platform::SendCopyData(window, 0, 1, "in time"), 3);
}

TEST_F(ServingTest, MessagesBeyondTheBufferCapWaitTheirTurnAndAllArrive) {
  platform::TServingLimits limits;
  limits.MaxBufferedBytes = 1 << 20;
  platform::SetServingLimits(limits);
  const HWND window = Make();
  std::vector<std::size_t> sizes;
  platform::SetWindowProc(window, [&](HWND, const platform::TWindowMessage& message) -> std::int64_t {
    sizes.push_back(message.CopyData->Data.size());
    return 1;
  });
  std::vector<std::string> frames;
  for (char fill : {'a', 'b', 'c', 'd'}) {
    frames.push_back(platform::EncodeFrame(platform::WM_COPYDATA, 1, 1, std::string(700 * 1024, fill)));
  }
  {
    TFramePeer peer(PathOf(window), frames);
    EXPECT_TRUE(ServeUntil([&] { return peer.Done(); }));
    EXPECT_EQ(peer.Acked(), 4);
  }
  EXPECT_EQ(sizes, std::vector<std::size_t>(4, 700 * 1024));
}

TEST_F(ServingTest, WatchedDescriptorIsServedInsideAWaitingSendWhichEndsByLimitOrCancel) {
  const HWND silent = 0x00DEAF00;
  const int listener = SilentWindow(silent);
  const HWND window = Make();
  int control[2];
  ASSERT_EQ(pipe2(control, O_CLOEXEC | O_NONBLOCK), 0);
  int commands = 0;
  ASSERT_TRUE(platform::WatchDescriptor(control[0], [&] {
    char byte = 0;
    while (read(control[0], &byte, 1) == 1) ++commands;
    platform::CancelSends();
  }));
  std::thread commander([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    static_cast<void>(write(control[1], "q", 1));
  });
  // No time limit: only the command can end this wait.
  EXPECT_FALSE(platform::SendCopyData(silent, window, 1, "never taken").has_value());
  EXPECT_EQ(platform::GetLastError(), static_cast<std::uint32_t>(ECANCELED));
  EXPECT_EQ(commands, 1);
  commander.join();
  platform::UnwatchDescriptor(control[0]);
  close(control[0]);
  close(control[1]);

  platform::SetSendTimeLimit(100);
  EXPECT_EQ(platform::SendTimeLimit(), 100);
  QElapsedTimer timer;
  timer.start();
  EXPECT_FALSE(platform::SendCopyData(silent, window, 1, "never taken").has_value());
  EXPECT_EQ(platform::GetLastError(), static_cast<std::uint32_t>(ETIMEDOUT));
  EXPECT_GE(timer.elapsed(), 90);
  close(listener);
  // A plain file is always readable and cannot be watched.
  const int file = open("/proc/self/stat", O_RDONLY | O_CLOEXEC);
  EXPECT_FALSE(platform::WatchDescriptor(file, [] {}));
  close(file);
}

}  // namespace
