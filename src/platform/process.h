#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/kernelobjects.h"

// Waiting for a process by its identifier, through a process descriptor. Only a process's parent
// can read its exit code from the kernel; a parent that starts programs for others (the host
// server) records each exit code in the runtime directory, where every waiter can read it.
namespace platform {

// A handle for waiting on the process; 0 with the last error when it cannot be opened.
THandle OpenProcess(std::int64_t pid);
// Waits without limit until the process has ended; false for a handle that is no process.
bool WaitForProcess(THandle process);
// The exit code of the ended process, when it can be read: from the kernel for a child of this
// process, else from its parent's exit record. A record that is late is waited for a short while.
std::optional<std::int32_t> GetExitCodeProcess(THandle process);

// The kernel's start time of a process (or of an unreaped child), which tells a process from a
// later one with the same identifier.
std::optional<std::uint64_t> ProcessStartTime(std::int64_t pid);
// For a parent: records the exit code of its child, before it reaps the child.
void RecordExitCode(std::int64_t pid, std::uint64_t startTime, std::int32_t code);
// The same into the records of a runtime directory named beforehand (by a thread that must not
// read the environment while others may change it).
void RecordExitCodeIn(const std::string& runtimeDirectory, std::int64_t pid, std::uint64_t startTime,
                      std::int32_t code);
// Removes the exit record of a process.
void RemoveExitRecord(std::int64_t pid, std::uint64_t startTime);
// Removes every exit record this process has written and nobody has read (a parent that ends
// cleans up after its children). A record is also removed when a waiter has read it.
void RemoveExitRecords();

}  // namespace platform
