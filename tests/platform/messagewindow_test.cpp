#include "platform/messagewindow.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <fstream>
#include <thread>

#include "platform/isolated_runtime.h"
#include "platform/lasterror.h"
#include "platform/raw_peer.h"
#include "platform/windowfiles.h"

namespace {

using platform::HWND;

// Runs the event loop until done() or ten seconds have passed.
template <typename Done>
bool PumpUntil(Done done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

class MessageWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::RegisterClass("TestWindowClass"));
  }
  void TearDown() override {
    for (HWND window : windows_) platform::DestroyWindow(window);
    EXPECT_TRUE(platform::UnregisterClass("TestWindowClass"));
  }
  HWND Make(const std::string& title) {
    const HWND window = platform::CreateWindow("TestWindowClass", title);
    if (window != 0) windows_.push_back(window);
    return window;
  }
  void WriteInfo(HWND window, const std::string& className, const std::string& title) {
    std::ofstream(platform::WindowInfoPath(runtime_.RuntimeDir(), window), std::ios::binary)
        << className << '\0' << title;
  }

  TIsolatedRuntime runtime_;
  std::vector<HWND> windows_;
};

TEST_F(MessageWindowTest, WindowsAreFoundByClassAndTitleIgnoringCase) {
  const HWND first = Make("First Window");
  const HWND second = Make("");
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  EXPECT_NE(first, second);
  EXPECT_LE(first, 0x7FFFFFFFu);
  EXPECT_EQ(platform::FindWindow("testwindowCLASS", "FIRST window"), first);
  EXPECT_EQ(platform::FindWindow("TestWindowClass", ""), second);
  EXPECT_EQ(platform::FindWindow("TestWindowClass", "First"), 0u);
  EXPECT_EQ(platform::FindWindow("OtherClass", "First Window"), 0u);
  EXPECT_TRUE(platform::IsWindow(first));

  // Registering twice, unregistering with windows left and unknown classes fail with their texts.
  EXPECT_FALSE(platform::RegisterClass("TESTWINDOWCLASS"));
  EXPECT_EQ(platform::GetLastError(), platform::kErrorClassAlreadyExists);
  EXPECT_EQ(platform::FormatMessage(platform::GetLastError()), "Class already exists.");
  EXPECT_FALSE(platform::UnregisterClass("TestWindowClass"));
  EXPECT_EQ(platform::GetLastError(), platform::kErrorClassHasWindows);
  EXPECT_EQ(platform::CreateWindow("NoSuchClass", "x"), 0u);
  EXPECT_EQ(platform::GetLastError(), platform::kErrorCannotFindWndClass);

  ASSERT_TRUE(platform::DestroyWindow(first));
  windows_.erase(windows_.begin());
  EXPECT_FALSE(platform::IsWindow(first));
  EXPECT_EQ(platform::FindWindow("TestWindowClass", "First Window"), 0u);
  EXPECT_FALSE(platform::DestroyWindow(first));
}

TEST_F(MessageWindowTest, CopyDataCarriesBlockSenderAndResult) {
  const HWND receiver = Make("receiver");
  const HWND sender = Make("sender");
  std::vector<std::tuple<std::uint32_t, std::uint32_t, std::int32_t, std::string>> seen;
  platform::SetWindowProc(receiver, [&](HWND, const platform::TWindowMessage& message) -> std::int64_t {
    seen.emplace_back(message.Msg, message.WParam, message.CopyData->DataWord, std::string(message.CopyData->Data));
    return 40 + static_cast<std::int64_t>(seen.size());
  });
  EXPECT_EQ(platform::SendCopyData(receiver, sender, 4096, ""), 41);
  const std::string block("\0\1\2three", 8);
  EXPECT_EQ(platform::SendCopyData(receiver, sender, -7, block), 42);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_tuple(platform::WM_COPYDATA, sender, 4096, std::string()));
  EXPECT_EQ(seen[1], std::make_tuple(platform::WM_COPYDATA, sender, -7, block));

  // A large block travels whole, although the receiver reads it in the sender's own wait.
  const std::string large(3 << 20, 'x');
  EXPECT_EQ(platform::SendCopyData(receiver, sender, 1, large), 43);
  EXPECT_EQ(std::get<3>(seen.back()), large);

  EXPECT_FALSE(platform::SendCopyData(0, sender, 1, "x").has_value());
  EXPECT_FALSE(platform::SendCopyData(0x7FFFFFF0, sender, 1, "x").has_value());
}

TEST_F(MessageWindowTest, WaitingSenderServesMessagesForItsOwnWindows) {
  const HWND client = Make("client");
  const HWND server = Make("server");
  std::vector<std::string> trace;
  platform::SetWindowProc(server, [&](HWND self, const platform::TWindowMessage& message) -> std::int64_t {
    trace.push_back("server got " + std::string(message.CopyData->Data));
    // Answers by a message of its own to the sender, before it returns.
    platform::SendCopyData(message.WParam, self, 2, "reply");
    trace.push_back("server done");
    return 0;
  });
  platform::SetWindowProc(client, [&](HWND, const platform::TWindowMessage& message) -> std::int64_t {
    trace.push_back("client got " + std::string(message.CopyData->Data));
    return 0;
  });
  ASSERT_TRUE(platform::SendCopyData(server, client, 1, "request").has_value());
  EXPECT_EQ(trace, (std::vector<std::string>{"server got request", "client got reply", "server done"}));
}

TEST_F(MessageWindowTest, IdleWindowIsServedFromTheEventLoop) {
  const HWND window = Make("idle");
  std::string received;
  platform::SetWindowProc(window, [&](HWND, const platform::TWindowMessage& message) -> std::int64_t {
    received = std::string(message.CopyData->Data);
    return 5;
  });
  const std::string path = platform::WindowSocketPath(runtime_.RuntimeDir(), window);
  const std::string frame = platform::EncodeFrame(platform::WM_COPYDATA, 99, 3, "from afar");
  std::atomic<bool> done{false};
  std::string ack;
  std::thread peer([&] {
    const int fd = raw_peer::Connect(path);
    raw_peer::WriteAll(fd, frame);
    ack = raw_peer::ReadAll(fd);
    close(fd);
    done = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
  peer.join();
  EXPECT_EQ(received, "from afar");
  EXPECT_EQ(platform::DecodeAck(ack), 5);
}

TEST_F(MessageWindowTest, MalformedFramesAreDroppedUnprocessed) {
  const HWND window = Make("target");
  int calls = 0;
  platform::SetWindowProc(window, [&](HWND, const platform::TWindowMessage&) -> std::int64_t { return ++calls; });
  const std::string path = platform::WindowSocketPath(runtime_.RuntimeDir(), window);
  std::string oversized = platform::EncodeFrame(platform::WM_COPYDATA, 1, 1, "");
  oversized[16] = oversized[17] = oversized[18] = oversized[19] = '\xFF';
  std::string other_message = platform::EncodeFrame(platform::WM_COPYDATA, 1, 1, "");
  other_message[4] = 75;
  const std::vector<std::string> hostile = {
      std::string("GARBAGE-GARBAGE-GARBAGE"), oversized, other_message,
      // Announces ten bytes, delivers three, then hangs up.
      platform::EncodeFrame(platform::WM_COPYDATA, 1, 1, "0123456789").substr(0, platform::kFrameHeaderSize + 3),
      std::string("LXW")};
  for (const std::string& bytes : hostile) {
    std::atomic<bool> done{false};
    std::string answer;
    std::thread peer([&] {
      const int fd = raw_peer::Connect(path);
      raw_peer::WriteAll(fd, bytes);
      shutdown(fd, SHUT_WR);
      answer = raw_peer::ReadAll(fd);
      close(fd);
      done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
    peer.join();
    EXPECT_EQ(answer, "");
  }
  EXPECT_EQ(calls, 0);
  // The window still works afterwards.
  EXPECT_EQ(platform::SendCopyData(window, 0, 1, "fine"), 1);
}

TEST_F(MessageWindowTest, PeerDyingMidSendEndsTheSendWithoutAnswer) {
  const HWND fake = 0x00C0FFEE;
  const std::string path = platform::WindowSocketPath(runtime_.RuntimeDir(), fake);
  ASSERT_EQ(platform::RuntimeDirectory(), runtime_.RuntimeDir());
  WriteInfo(fake, "Dying", "Peer");
  const int listener = raw_peer::Listen(path);
  ASSERT_GE(listener, 0);
  std::thread peer([&] {
    const int fd = accept(listener, nullptr, nullptr);
    char header[platform::kFrameHeaderSize];
    static_cast<void>(recv(fd, header, sizeof header, MSG_WAITALL));
    close(fd);  // dies with the request half read
  });
  EXPECT_FALSE(platform::SendCopyData(fake, 0, 1, std::string(100000, 'y')).has_value());
  peer.join();
  // A window of another process counts as one while its socket accepts.
  EXPECT_EQ(platform::FindWindow("dying", "peer"), fake);
  close(listener);
  EXPECT_FALSE(platform::IsWindow(fake));
}

TEST_F(MessageWindowTest, StaleSocketOfAnEndedProcessIsNoWindow) {
  const HWND stale = 0x00BADBAD;
  WriteInfo(stale, "Crashed", "Server");
  ASSERT_EQ(platform::RuntimeDirectory(), runtime_.RuntimeDir());
  const std::string path = platform::WindowSocketPath(runtime_.RuntimeDir(), stale);
  close(raw_peer::Listen(path));  // the socket file stays, nobody listens
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_FALSE(platform::IsWindow(stale));
  EXPECT_EQ(platform::FindWindow("Crashed", "Server"), 0u);
  EXPECT_FALSE(platform::SendCopyData(stale, 0, 1, "x").has_value());
  // Making a window clears what ended processes left behind.
  ASSERT_NE(Make("new"), 0u);
  EXPECT_NE(stat(path.c_str(), &info), 0);
  EXPECT_NE(stat(platform::WindowInfoPath(runtime_.RuntimeDir(), stale).c_str(), &info), 0);
}

TEST_F(MessageWindowTest, WindowMayDestroyItselfWhileProcessingAMessage) {
  HWND window = Make("short-lived");
  HWND sender = Make("sender");
  platform::SetWindowProc(window, [&](HWND self, const platform::TWindowMessage&) -> std::int64_t {
    platform::DestroyWindow(self);
    return 9;
  });
  EXPECT_EQ(platform::SendCopyData(window, sender, 1, "bye"), 9);
  EXPECT_FALSE(platform::IsWindow(window));
  windows_ = {sender};
}

}  // namespace
