#pragma once

#include <string>

// Problems of the environment that a user has to fix (a directory of the wrong owner, mode or
// type), told on standard error: each distinct text once per process, since the same check runs
// again at every use.
namespace platform {

void ReportProblem(const std::string& text);

// Why a directory that must belong to this user alone cannot be used; empty when it can. mode,
// owner and type come from lstat or fstat; maxOpenBits are the permission bits allowed for others.
std::string DirectoryProblem(const std::string& what, const std::string& path, unsigned mode, unsigned owner,
                             unsigned maxOpenBits);

}  // namespace platform
