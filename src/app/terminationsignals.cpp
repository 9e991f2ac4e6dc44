#include "app/terminationsignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <csignal>

#include "platform/serving.h"

namespace {

constexpr int kEndingSendLimitMs = 1000;

int signal_pipe[2] = {-1, -1};
int received = 0;

void OnSignal(int number) {
  const char byte = static_cast<char>(number);
  static_cast<void>(write(signal_pipe[1], &byte, 1));
}

void ReadSignals() {
  char numbers[64];
  ssize_t count = 0;
  int last = 0;
  while ((count = read(signal_pipe[0], numbers, sizeof numbers)) > 0) last = numbers[count - 1];
  if (last == 0) return;
  received = last;
  // A request to the host under way ends now, and the host gets a second for each message still
  // to come (leaving it); the modal loops end too (an about box that is open), not only the
  // main one.
  platform::CancelSends();
  platform::SetSendTimeLimit(kEndingSendLimitMs);
  QCoreApplication::exit(128 + last);
}

}  // namespace

int TerminationSignal() { return received; }

std::vector<int> EndingSignals() {
  std::vector<int> numbers = {SIGHUP,  SIGINT,  SIGQUIT,   SIGUSR1, SIGUSR2, SIGALRM, SIGTERM,
                              SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR,  SIGSTKFLT};
  for (int number = SIGRTMIN; number <= SIGRTMAX; ++number) numbers.push_back(number);
  return numbers;
}

void IgnoreWriteSignals() {
  signal(SIGPIPE, SIG_IGN);
  signal(SIGXFSZ, SIG_IGN);
}

void EndOnTerminationSignals() {
  if (signal_pipe[0] >= 0 || pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  if (!platform::WatchDescriptor(signal_pipe[0], ReadSignals)) return;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (const int number : EndingSignals()) sigaction(number, &action, nullptr);
}
