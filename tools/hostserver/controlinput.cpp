#include "controlinput.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace {

int signal_pipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  static_cast<void>(write(signal_pipe[1], &byte, 1));
}

}  // namespace

TControlInput::TControlInput(int fd, QObject* parent) : QObject(parent), fd_(fd) {
  lines_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  connect(lines_.get(), &QSocketNotifier::activated, this, [this] { ReadLines(); });
  if (signal_pipe[0] < 0 && pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) == 0) {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
  }
  if (signal_pipe[0] >= 0) {
    signals_ = std::make_unique<QSocketNotifier>(signal_pipe[0], QSocketNotifier::Read);
    connect(signals_.get(), &QSocketNotifier::activated, this, [this] { ReadSignal(); });
  }
}

TControlInput::~TControlInput() = default;

void TControlInput::ReadLines() {
  char buffer[4096];
  const ssize_t count = read(fd_, buffer, sizeof buffer);
  if (count <= 0) {
    // End of input (or no input at all): the server goes on, commanded by signals only.
    lines_->setEnabled(false);
    return;
  }
  pending_.append(buffer, static_cast<std::size_t>(count));
  std::size_t end = 0;
  while ((end = pending_.find('\n')) != std::string::npos) {
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (OnLine) OnLine(QString::fromLocal8Bit(line));
  }
}

void TControlInput::ReadSignal() {
  char buffer[64];
  while (read(signal_pipe[0], buffer, sizeof buffer) > 0) {
  }
  if (OnTerminate) OnTerminate();
}
