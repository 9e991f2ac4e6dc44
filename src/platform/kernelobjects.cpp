#include "platform/kernelobjects.h"

#include <unistd.h>

#include <cerrno>
#include <map>
#include <utility>

#include "platform/lasterror.h"

namespace platform {
namespace {

struct TKernelObject {
  int fd = -1;
  std::function<void(THandle)> on_close;
};

struct TKernelObjects {
  std::map<THandle, TKernelObject> descriptors;
  // Steps of four, as the window system hands them out; never 0.
  THandle next = 4;
};

TKernelObjects& Objects() {
  static TKernelObjects objects;
  return objects;
}

}  // namespace

THandle AddKernelObject(int fd, std::function<void(THandle)> onClose) {
  TKernelObjects& objects = Objects();
  while (objects.next == 0 || objects.descriptors.count(objects.next) != 0) objects.next += 4;
  const THandle handle = objects.next;
  objects.next += 4;
  objects.descriptors.emplace(handle, TKernelObject{fd, std::move(onClose)});
  return handle;
}

int KernelObjectDescriptor(THandle handle) {
  const auto& descriptors = Objects().descriptors;
  const auto found = descriptors.find(handle);
  return found == descriptors.end() ? -1 : found->second.fd;
}

bool CloseHandle(THandle handle) {
  auto& descriptors = Objects().descriptors;
  const auto found = descriptors.find(handle);
  if (found == descriptors.end()) {
    SetLastError(EBADF);
    return false;
  }
  TKernelObject object = std::move(found->second);
  descriptors.erase(found);
  // First onClose, while the descriptor is still open (a lock file is removed under its lock).
  if (object.on_close) object.on_close(handle);
  if (object.fd >= 0) close(object.fd);
  return true;
}

}  // namespace platform
