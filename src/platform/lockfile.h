#pragma once

#include <string>

// Lock files that do not outlive their last holder. The holder removes the file while it still
// holds the lock; whoever gets a lock checks afterwards that the file it locked is still the one
// under the name (else it was removed meanwhile, and it tries again with the new one). So a file
// is never removed under a process that is about to lock it, and two processes never believe
// they both hold the lock.
namespace platform {

enum class TLockResult { kLocked, kBusy, kFailed };

// Locks path exclusively, creating it when create is set (mode 0600). Without wait, kBusy when
// another process holds it. fd is the locked descriptor on kLocked, else -1; kFailed leaves
// errno set (ENOENT when the file is missing and create is not set).
TLockResult LockFile(const std::string& path, bool create, bool wait, int& fd);

// Removes the file when it is still the one fd holds locked; the caller closes fd afterwards.
void RemoveLockFile(const std::string& path, int fd);

}  // namespace platform
