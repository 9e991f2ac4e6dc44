#include "platform/spawn.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/lasterror.h"
#include "platform/process.h"
#include "platform/runtimedir.h"

extern char** environ;

namespace platform {
namespace {

void ReapAndRecord(pid_t pid, const std::string& runtimeDirectory) {
  siginfo_t info{};
  while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
  }
  // Still unreaped: the start time read now belongs to this child and no later process.
  const auto start_time = ProcessStartTime(pid);
  const std::int32_t code = info.si_code == CLD_EXITED ? info.si_status : 128 + info.si_status;
  if (start_time) RecordExitCodeIn(runtimeDirectory, pid, *start_time, code);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

std::int64_t SpawnRecordedProcess(const std::string& program, const std::vector<std::string>& arguments,
                                  const std::string& workingDirectory) {
  std::vector<std::string> texts{program};
  texts.insert(texts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!workingDirectory.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    SetLastError(static_cast<std::uint32_t>(error));
    return 0;
  }
  std::thread(ReapAndRecord, pid, RuntimeDirectory()).detach();
  return pid;
}

}  // namespace platform
