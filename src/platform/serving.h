#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

// How this process serves its hidden windows: what a peer may cost it, descriptors served beside
// the windows, and time limits for sends. The limits keep a hostile or broken peer from taking
// the stack, the memory or the descriptors of the process.
namespace platform {

// Messages are processed inside the processing of others (a window procedure that sends waits
// and serves meanwhile) up to this depth. A message that completes deeper waits, read, until the
// stack has unwound; each level costs a small fixed stack frame, buffers live on the heap.
constexpr int kMaxNesting = 256;

struct TServingLimits {
  // A connection that sends nothing this long, or leaves a frame incomplete this long, is closed.
  int IdleTimeoutMs = 30000;
  // Bytes of received messages held at once over all connections. Reading pauses at the cap
  // until held messages are processed, except for the oldest message begun, so that one always
  // completes. Per connection the cap is one message: at most kMaxCopyDataBytes (64 MiB), never
  // reserved before its bytes have arrived.
  std::size_t MaxBufferedBytes = std::size_t{128} << 20;
};
TServingLimits ServingLimits();
void SetServingLimits(const TServingLimits& limits);

// Waits up to timeoutMs (-1: without limit) for traffic on this process's windows and watched
// descriptors and serves it: for programs without a Qt event loop, and for tests.
void ServeMessages(int timeoutMs);

// Serves a descriptor (standard input, a signal pipe) from the event loop and also while a send
// waits, so that a program stays commandable while a peer keeps it waiting. The callback runs
// when the descriptor is readable, never inside itself. False for a descriptor that cannot be
// watched (a plain file is always readable).
bool WatchDescriptor(int fd, std::function<void()> onReadable);
void UnwatchDescriptor(int fd);

// Sends give up after this many milliseconds without an answer (-1, the default: no limit).
void SetSendTimeLimit(int milliseconds);
int SendTimeLimit();

// A send also gives up (last error ETIMEDOUT: the peer is not responding) when its peer has
// taken no byte and sent none for this long: neither on the send's own connection nor as a
// message to one of this process's windows (replies arrive that way). Counted as no progress,
// not as total time, so that large transfers and a peer that is busy answering still work; the
// time spent processing other messages meanwhile does not count. 10 seconds unless the
// environment variable LEXIVO_STALL_LIMIT_MS gives another: a positive whole number of
// milliseconds, or "none" for no limit; any other value is refused with a warning on standard
// error that names the default, which is used then.
constexpr int kDefaultStallLimitMs = 10000;
constexpr const char* kStallLimitVariable = "LEXIVO_STALL_LIMIT_MS";
// The stall limit a value of LEXIVO_STALL_LIMIT_MS gives (-1 for "none"); none for a value that
// is no positive whole number of milliseconds (1 to 2147483647) and not "none".
std::optional<int> ParseStallLimit(std::string_view text);
void SetStallLimit(int milliseconds);
int StallLimit();
// Ends every send under way at once without an answer (last error ECANCELED).
void CancelSends();

}  // namespace platform
