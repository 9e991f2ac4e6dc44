#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Starting a program for somebody else (the host server does that for its clients): the child is
// reaped by a thread of this process, which first records its exit code, so that whoever waits
// for it by its identifier can read the code.
namespace platform {

// The process identifier, or 0 with the last error when the program could not be started.
// A program name without "/" is looked for in PATH.
std::int64_t SpawnRecordedProcess(const std::string& program, const std::vector<std::string>& arguments,
                                  const std::string& workingDirectory = {});

}  // namespace platform
