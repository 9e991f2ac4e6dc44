#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <thread>

#include "platform/isolated_runtime.h"
#include "platform/kernelobjects.h"
#include "platform/lasterror.h"
#include "platform/lockfile.h"
#include "platform/messagewindow.h"
#include "platform/namedmutex.h"
#include "platform/raw_peer.h"
#include "platform/serving.h"
#include "platform/windowfiles.h"

namespace {

using platform::HWND;

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

class StallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::RegisterClass("StallTestClass"));
    window_ = platform::CreateWindow("StallTestClass", "waiting");
    ASSERT_NE(window_, 0u);
  }
  void TearDown() override {
    platform::DestroyWindow(window_);
    platform::UnregisterClass("StallTestClass");
    platform::SetStallLimit(platform::kDefaultStallLimitMs);
  }
  std::string PathOf(HWND window) const { return platform::WindowSocketPath(runtime_.RuntimeDir(), window); }

  TIsolatedRuntime runtime_;
  HWND window_ = 0;
};

TEST_F(StallTest, APeerThatTakesAMessageAndNeverAnswersIsGivenUpOn) {
  if (qEnvironmentVariableIsEmpty(platform::kStallLimitVariable)) {
    EXPECT_EQ(platform::StallLimit(), platform::kDefaultStallLimitMs);
  }
  // A stopped process: the kernel queues the connection and takes the bytes, nobody answers.
  const HWND stopped = 0x0057091D;
  const int listener = raw_peer::Listen(PathOf(stopped));
  ASSERT_GE(listener, 0);
  platform::SetStallLimit(300);
  QElapsedTimer timer;
  timer.start();
  EXPECT_FALSE(platform::SendCopyData(stopped, window_, 1, "are you there").has_value());
  EXPECT_EQ(platform::GetLastError(), static_cast<std::uint32_t>(ETIMEDOUT));
  EXPECT_GE(timer.elapsed(), 290);
  EXPECT_LT(timer.elapsed(), 3000);
  close(listener);
}

TEST_F(StallTest, APeerThatKeepsTalkingIsWaitedForLongerThanTheLimit) {
  const HWND busy = 0x00B05111;
  const int listener = raw_peer::Listen(PathOf(busy));
  ASSERT_GE(listener, 0);
  platform::SetStallLimit(300);
  int progress_messages = 0;
  platform::SetWindowProc(window_, [&](HWND, const platform::TWindowMessage&) -> std::int64_t {
    ++progress_messages;
    return 0;
  });
  // Takes the request, sends a message to the waiting window every 100 ms for a second (as a
  // host sends the parts of an answer), then acknowledges the request.
  std::thread peer([&] {
    const int request = accept(listener, nullptr, nullptr);
    for (int i = 0; i < 10; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      const int fd = raw_peer::Connect(PathOf(window_));
      raw_peer::WriteAll(fd, platform::EncodeFrame(platform::WM_COPYDATA, busy, 2, "part"));
      raw_peer::ReadAll(fd, platform::kAckSize);
      close(fd);
    }
    raw_peer::WriteAll(request, platform::EncodeAck(7));
    close(request);
  });
  QElapsedTimer timer;
  timer.start();
  const auto result = platform::SendCopyData(busy, window_, 1, "long question");
  peer.join();
  ASSERT_TRUE(result.has_value()) << "gave up after " << timer.elapsed() << " ms";
  EXPECT_EQ(*result, 7);
  EXPECT_GE(timer.elapsed(), 900);
  EXPECT_EQ(progress_messages, 10);
  close(listener);
}

TEST(LockFileTest, TheLastHolderRemovesItsLockFile) {
  TIsolatedRuntime runtime;
  const std::string name = "Lexivo_varactor";
  const std::string lock = runtime.RuntimeDir() + "/mutex-" + name + ".lock";
  const platform::THandle owned = platform::CreateOwnedMutex(name);
  ASSERT_NE(owned, 0u);
  EXPECT_TRUE(Exists(lock));
  const platform::THandle other = platform::OpenMutex(name);
  ASSERT_NE(other, 0u);
  EXPECT_TRUE(platform::CloseHandle(other));
  EXPECT_TRUE(Exists(lock));
  EXPECT_TRUE(platform::CloseHandle(owned));
  EXPECT_FALSE(Exists(lock));

  // One left by an owner that ended without closing is no mutex, and goes when it is found.
  std::ofstream(lock).put('\n');
  EXPECT_EQ(platform::OpenMutex(name), 0u);
  EXPECT_EQ(platform::GetLastError(), static_cast<std::uint32_t>(ENOENT));
  EXPECT_FALSE(Exists(lock));
  // The runtime directory's own lock goes as well.
  EXPECT_FALSE(Exists(runtime.RuntimeDir() + "/.lock"));
}

TEST(LockFileTest, AWaiterOnARemovedFileLocksTheNewOne) {
  TIsolatedRuntime runtime;
  const std::string path = runtime.RuntimeDir() + "/test.lock";
  int holder = -1;
  ASSERT_EQ(platform::LockFile(path, true, true, holder), platform::TLockResult::kLocked);
  int busy = -1;
  EXPECT_EQ(platform::LockFile(path, true, false, busy), platform::TLockResult::kBusy);

  std::atomic<int> waiter{-1};
  std::thread second([&] {
    int fd = -1;
    if (platform::LockFile(path, true, true, fd) == platform::TLockResult::kLocked) waiter = fd;
  });
  // The waiter has opened the old file and waits for its lock; the holder removes it and goes.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  platform::RemoveLockFile(path, holder);
  close(holder);
  second.join();
  ASSERT_GE(waiter.load(), 0);
  struct stat held {};
  struct stat named {};
  ASSERT_EQ(fstat(waiter, &held), 0);
  ASSERT_EQ(stat(path.c_str(), &named), 0);
  EXPECT_EQ(held.st_ino, named.st_ino) << "the waiter holds a lock on a file nobody else can find";
  platform::RemoveLockFile(path, waiter);
  close(waiter);
  EXPECT_FALSE(Exists(path));
}

TEST(RuntimeDirTest, APathTooLongForASocketIsRefusedWithTheReason) {
  TIsolatedRuntime runtime;
  const std::string deep = runtime.Root() + "/" + std::string(120, 'd');
  qputenv(platform::kRuntimeDirVariable, QByteArray::fromStdString(deep));
  testing::internal::CaptureStderr();
  EXPECT_EQ(platform::RuntimeDirectory(), "");
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(platform::GetLastError(), static_cast<std::uint32_t>(ENAMETOOLONG));
  EXPECT_NE(said.find("is too long for a socket"), std::string::npos) << said;
}

}  // namespace

namespace {

TEST(StallLimitValueTest, APositiveWholeNumberOrNoneAndNothingElse) {
  EXPECT_EQ(platform::ParseStallLimit("1"), 1);
  EXPECT_EQ(platform::ParseStallLimit("1500"), 1500);
  EXPECT_EQ(platform::ParseStallLimit("2147483647"), 2147483647);
  EXPECT_EQ(platform::ParseStallLimit("none"), -1);
  for (const char* refused : {"0", "-1", "-5", "2147483648", "99999999999", "abc", "1500ms", "", " 10", "+10", "None",
                              "1e3", "10.5"})
    EXPECT_FALSE(platform::ParseStallLimit(refused).has_value()) << refused;
}

}  // namespace
