#pragma once

#include <cstdint>
#include <functional>

// Handles of kernel objects (named mutexes, processes): non-zero 32-bit numbers that stand for
// descriptors this process holds.
namespace platform {

using THandle = std::uint32_t;

// Takes the descriptor over; the handle closes it. onClose, when given, runs when it is closed,
// just before the descriptor is.
THandle AddKernelObject(int fd, std::function<void(THandle)> onClose = {});
// The descriptor behind a handle, or -1.
int KernelObjectDescriptor(THandle handle);
// Closes the object; false (last error EBADF) for an unknown handle.
bool CloseHandle(THandle handle);

}  // namespace platform
