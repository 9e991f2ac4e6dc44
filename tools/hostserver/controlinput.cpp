#include "controlinput.h"

#include <fcntl.h>
#include <unistd.h>

#include <QTimer>
#include <cerrno>
#include <csignal>

#include "platform/serving.h"

namespace {

int signal_pipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  static_cast<void>(write(signal_pipe[1], &byte, 1));
}

}  // namespace

TControlInput::TControlInput(int fd, QObject* parent) : QObject(parent), fd_(fd) {
  watching_lines_ = platform::WatchDescriptor(fd_, [this] { ReadLines(); });
  if (!watching_lines_) {
    // Commands from a plain file: read them all once the event loop runs.
    QTimer::singleShot(0, this, [this] {
      while (ReadLines()) {
      }
    });
  }
  if (signal_pipe[0] < 0 && pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) == 0) {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
  }
  if (signal_pipe[0] >= 0) watching_signals_ = platform::WatchDescriptor(signal_pipe[0], [this] { ReadSignal(); });
}

TControlInput::~TControlInput() {
  if (watching_lines_) platform::UnwatchDescriptor(fd_);
  if (watching_signals_) platform::UnwatchDescriptor(signal_pipe[0]);
}

bool TControlInput::ReadLines() {
  char buffer[4096];
  const ssize_t count = read(fd_, buffer, sizeof buffer);
  if (count <= 0) {
    // End of input (or no input at all): the server goes on, commanded by signals only.
    if (count == 0 || (errno != EAGAIN && errno != EINTR)) {
      if (watching_lines_) platform::UnwatchDescriptor(fd_);
      watching_lines_ = false;
    }
    return false;
  }
  pending_.append(buffer, static_cast<std::size_t>(count));
  std::size_t end = 0;
  while ((end = pending_.find('\n')) != std::string::npos) {
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (OnLine) OnLine(QString::fromLocal8Bit(line));
  }
  return true;
}

void TControlInput::ReadSignal() {
  char buffer[64];
  while (read(signal_pipe[0], buffer, sizeof buffer) > 0) {
  }
  if (OnTerminate) OnTerminate();
}
