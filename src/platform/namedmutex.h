#pragma once

#include <string>

#include "platform/kernelobjects.h"

// Named mutexes that other processes of this user can open by name: an exclusive lock on a lock
// file in the runtime directory. The lock dies with the process that holds it, so a mutex exists
// exactly while its owner runs (or until the owner closes its handle).
namespace platform {

// A handle to the mutex of that name when one exists, else 0 with the last error ENOENT.
THandle OpenMutex(const std::string& name);

// Creates the mutex owned by this process. When another process holds it already, the handle
// refers to that mutex without owning it and the last error is kErrorAlreadyExists; 0 on failure.
THandle CreateOwnedMutex(const std::string& name);

}  // namespace platform
