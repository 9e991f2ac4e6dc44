#include "platform/peercred.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "platform/isolated_runtime.h"
#include "platform/messagewindow.h"
#include "platform/raw_peer.h"
#include "platform/windowfiles.h"

namespace {

TEST(PeerCredentialsTest, OnlyTheSameUserIsAllowed) {
  EXPECT_TRUE(platform::PeerAllowed(1000u, 1000u));
  EXPECT_FALSE(platform::PeerAllowed(1001u, 1000u));
  EXPECT_FALSE(platform::PeerAllowed(0u, 1000u));
  EXPECT_FALSE(platform::PeerAllowed(std::nullopt, 1000u));

  int pair[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
  EXPECT_EQ(platform::PeerUid(pair[0]), getuid());
  EXPECT_TRUE(platform::SocketPeerAllowed(pair[0]));
  close(pair[0]);
  close(pair[1]);
  EXPECT_FALSE(platform::PeerUid(-1).has_value());
}

// A process of another user that reaches a window's socket gets no hearing.
TEST(PeerCredentialsTest, WindowRefusesAPeerOfAnotherUser) {
  if (geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
  TIsolatedRuntime runtime;
  ASSERT_TRUE(platform::RegisterClass("GuardedClass"));
  const platform::HWND window = platform::CreateWindow("GuardedClass", "");
  ASSERT_NE(window, 0u);
  bool processed = false;
  platform::SetWindowProc(window, [&](platform::HWND, const platform::TWindowMessage&) -> std::int64_t {
    processed = true;
    return 1;
  });
  // Open the way through the directories, which otherwise keep every other user out.
  const std::string path = platform::WindowSocketPath(runtime.RuntimeDir(), window);
  chmod(runtime.Root().c_str(), 0711);
  chmod(runtime.RuntimeDir().c_str(), 0711);
  chmod(path.c_str(), 0777);
  const std::string frame = platform::EncodeFrame(platform::WM_COPYDATA, 1, 1, "intruder");
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(10);
    const int fd = raw_peer::Connect(path);
    if (fd < 0) _exit(11);
    raw_peer::WriteAll(fd, frame);
    char ack[platform::kAckSize];
    _exit(recv(fd, ack, sizeof ack, MSG_WAITALL) == static_cast<ssize_t>(sizeof ack) ? 1 : 0);
  }
  int status = 0;
  QElapsedTimer timer;
  timer.start();
  while (waitpid(child, &status, WNOHANG) == 0 && timer.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  chmod(runtime.RuntimeDir().c_str(), 0700);
  chmod(runtime.Root().c_str(), 0700);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: answered; 10: could not change user; 11: could not connect";
  EXPECT_FALSE(processed);
  platform::DestroyWindow(window);
  platform::UnregisterClass("GuardedClass");
}

}  // namespace
