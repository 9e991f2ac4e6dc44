#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/frame.h"

// Hidden message windows, as the window system offers them to programs that talk to each other
// by WM_COPYDATA. Here a window is a Unix-domain socket in the runtime directory, named by its
// handle, with its class and title recorded beside it. Class and title are 8-bit texts compared
// without regard to letter case. All calls belong to the thread that runs the Qt event loop (or
// to the one thread of a program without one); the idle windows are served from that loop.
namespace platform {

// A window handle: a non-zero 32-bit number, unique among the windows of this user.
using HWND = std::uint32_t;

struct TCopyData {
  std::int32_t DataWord = 0;
  std::string_view Data;
};

struct TWindowMessage {
  std::uint32_t Msg = 0;
  // For WM_COPYDATA: the window of the sender.
  std::uint32_t WParam = 0;
  // For WM_COPYDATA: the block; valid while the procedure runs.
  const TCopyData* CopyData = nullptr;
};

// A window procedure; its result is the message's result. It should deal with its own errors:
// an exception that escapes is reported as a warning and the message completes with result 0.
using TWindowProc = std::function<std::int64_t(HWND, const TWindowMessage&)>;

// Classes belong to this process; a name can be registered once until it is unregistered.
// Failures set the last error (kErrorClassAlreadyExists, kErrorClassDoesNotExist,
// kErrorClassHasWindows).
bool RegisterClass(const std::string& name);
bool UnregisterClass(const std::string& name);

// A hidden window of a registered class; 0 with the last error when it cannot be made. Its
// procedure is DefWindowProc until SetWindowProc replaces it.
HWND CreateWindow(const std::string& className, const std::string& title);
// Destroys a window of this process; a message being processed completes.
bool DestroyWindow(HWND window);
// Replaces the procedure of a window of this process and gives the previous one.
TWindowProc SetWindowProc(HWND window, TWindowProc procedure);
TWindowProc GetWindowProc(HWND window);
std::int64_t DefWindowProc(HWND window, const TWindowMessage& message);

// A window of this user (in any process) with that class and title; 0 when there is none. A
// socket left behind by a process that ended is no window.
HWND FindWindow(const std::string& className, const std::string& title);
bool IsWindow(HWND window);

// Sends WM_COPYDATA to target and waits until the receiver has processed it (without a time
// limit unless SetSendTimeLimit gives one, see serving.h). Meanwhile it processes the messages
// that arrive for this process's own windows: those from the target at once, the others in the
// order they arrived once the target has kept it waiting a moment; and it serves the watched
// descriptors. Gives the receiver's result, or none (with the last error) when the target does
// not exist, refuses us, goes away before it has answered, or the send ran out of time or was
// cancelled.
std::optional<std::int64_t> SendCopyData(HWND target, HWND sender, std::int32_t dataWord,
                                         std::string_view data);

}  // namespace platform
