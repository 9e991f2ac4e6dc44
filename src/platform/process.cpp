#include "platform/process.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/lasterror.h"
#include "platform/runtimedir.h"
#include "zeph/toolkit/filenames.h"
#include "zeph/toolkit/safefile.h"

namespace platform {
namespace {

// How long a waiter gives the parent to publish the exit code after the process has ended.
constexpr int kRecordWaitMs = 2000;

struct TProcessInfo {
  std::int64_t pid = 0;
  std::optional<std::uint64_t> start_time;
  // Read once: its record is removed when it has been read.
  std::optional<std::int32_t> exit_code;
};

// The records this process wrote (its reaping threads write them), removed when it ends.
std::mutex& WrittenRecordsLock() {
  static std::mutex lock;
  return lock;
}

std::vector<std::string>& WrittenRecords() {
  static std::vector<std::string> records;
  return records;
}

// Identity of the processes behind the open process handles.
std::map<THandle, TProcessInfo>& Processes() {
  static std::map<THandle, TProcessInfo> processes;
  return processes;
}

std::string RecordDirectoryIn(const std::string& directory) {
  if (directory.empty()) return {};
  const std::string records = directory + "/exit";
  if (mkdir(records.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return records;
}

std::string RecordDirectory() { return RecordDirectoryIn(RuntimeDirectory()); }

std::string RecordName(std::int64_t pid, std::uint64_t startTime) {
  return std::to_string(pid) + "-" + std::to_string(startTime);
}

// Reads a record and removes it: each is read by the one waiter it was written for.
std::optional<std::int32_t> ReadRecord(const std::string& path) {
  std::ifstream in(path);
  long long code = 0;
  if (!(in >> code)) return std::nullopt;
  unlink(path.c_str());
  return static_cast<std::int32_t>(code);
}

std::optional<std::int32_t> WaitForRecord(const TProcessInfo& info) {
  if (!info.start_time) return std::nullopt;
  const std::string directory = RecordDirectory();
  if (directory.empty()) return std::nullopt;
  const std::string name = RecordName(info.pid, *info.start_time);
  const std::string path = directory + "/" + name;
  const int notify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (notify >= 0) inotify_add_watch(notify, directory.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRecordWaitMs);
  std::optional<std::int32_t> code = ReadRecord(path);
  while (!code && notify >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{notify, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) > 0) {
      char events[4096];
      while (read(notify, events, sizeof events) > 0) {
      }
    }
    code = ReadRecord(path);
  }
  if (notify >= 0) close(notify);
  return code;
}

// The start time of the latest process with that identifier that left an exit record: a child
// that its parent has reaped already is still known by its record.
std::optional<std::uint64_t> LatestRecordedStart(std::int64_t pid) {
  const std::string directory = RecordDirectory();
  if (directory.empty()) return std::nullopt;
  const std::string prefix = std::to_string(pid) + "-";
  std::optional<std::uint64_t> latest;
  if (DIR* listing = opendir(directory.c_str())) {
    while (const dirent* entry = readdir(listing)) {
      const std::string name = entry->d_name;
      if (name.compare(0, prefix.size(), prefix) != 0 || name.size() == prefix.size() ||
          name.find_first_not_of("0123456789", prefix.size()) != std::string::npos) {
        continue;
      }
      const std::uint64_t start = std::stoull(name.substr(prefix.size()));
      if (!latest || start > *latest) latest = start;
    }
    closedir(listing);
  }
  return latest;
}

}  // namespace

std::optional<std::uint64_t> ProcessStartTime(std::int64_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  // The command name in parentheses may hold spaces; the fields after it are plain.
  const auto close_paren = line.rfind(')');
  if (close_paren == std::string::npos) return std::nullopt;
  std::istringstream fields(line.substr(close_paren + 1));
  std::string field;
  // The start time is field 22 of the line; field 3 is the first after the name.
  for (int index = 3; index <= 22; ++index) {
    if (!(fields >> field)) return std::nullopt;
  }
  try {
    return std::stoull(field);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

THandle OpenProcess(std::int64_t pid) {
  if (pid <= 0) {
    SetLastError(EINVAL);
    return 0;
  }
  const long fd = syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0);
  if (fd < 0) {
    const int error = errno;
    if (error == ESRCH) {
      if (const auto start_time = LatestRecordedStart(pid)) {
        // Ended and reaped already: a handle without descriptor, whose wait is over at once.
        const THandle handle = AddKernelObject(-1, [](THandle closed) { Processes().erase(closed); });
        Processes()[handle] = TProcessInfo{pid, start_time, std::nullopt};
        return handle;
      }
    }
    SetLastError(static_cast<std::uint32_t>(error));
    return 0;
  }
  fcntl(static_cast<int>(fd), F_SETFD, FD_CLOEXEC);
  const THandle handle =
      AddKernelObject(static_cast<int>(fd), [](THandle closed) { Processes().erase(closed); });
  auto start_time = ProcessStartTime(pid);
  // Reaped between the two calls: a recording parent wrote its record before reaping it.
  if (!start_time) start_time = LatestRecordedStart(pid);
  Processes()[handle] = TProcessInfo{pid, start_time, std::nullopt};
  return handle;
}

bool WaitForProcess(THandle process) {
  if (Processes().count(process) == 0) {
    SetLastError(EBADF);
    return false;
  }
  pollfd p{KernelObjectDescriptor(process), POLLIN, 0};
  if (p.fd < 0) return true;
  while (true) {
    const int ready = poll(&p, 1, -1);
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) {
      SetLastErrorFromErrno();
      return false;
    }
  }
}

std::optional<std::int32_t> GetExitCodeProcess(THandle process) {
  const auto found = Processes().find(process);
  if (found == Processes().end()) {
    SetLastError(EBADF);
    return std::nullopt;
  }
  siginfo_t info{};
  const int fd = KernelObjectDescriptor(process);
  // WNOWAIT: whoever reaps this child (its own parent code) still finds it.
  if (fd >= 0 &&
      waitid(static_cast<idtype_t>(P_PIDFD), static_cast<id_t>(fd), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
      info.si_pid != 0) {
    return info.si_code == CLD_EXITED ? info.si_status : 128 + info.si_status;
  }
  if (!found->second.exit_code) found->second.exit_code = WaitForRecord(found->second);
  return found->second.exit_code;
}

void RecordExitCode(std::int64_t pid, std::uint64_t startTime, std::int32_t code) {
  RecordExitCodeIn(RuntimeDirectory(), pid, startTime, code);
}

void RecordExitCodeIn(const std::string& runtimeDirectory, std::int64_t pid, std::uint64_t startTime,
                      std::int32_t code) {
  const std::string directory = RecordDirectoryIn(runtimeDirectory);
  if (directory.empty()) return;
  const std::string name = RecordName(pid, startTime);
  const std::string path = directory + "/" + name;
  zeph::TSafeFile record(zeph::FileNameFromBytes(QByteArray::fromStdString(path)));
  record.setCreationMode(0600);
  const std::string text = std::to_string(code) + "\n";
  if (!record.open(QIODevice::WriteOnly) || record.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
      !record.commit()) {
    // Said at once, from whichever thread reaps: the waiter would otherwise read a wrong 0.
    std::fprintf(stderr, "lexivo: cannot record the exit code of process %lld in %s: %s\n",
                 static_cast<long long>(pid), directory.c_str(), qPrintable(record.errorString()));
    return;
  }
  const std::lock_guard<std::mutex> hold(WrittenRecordsLock());
  WrittenRecords().push_back(path);
}

void RemoveExitRecords() {
  const std::lock_guard<std::mutex> hold(WrittenRecordsLock());
  for (const std::string& path : WrittenRecords()) unlink(path.c_str());
  WrittenRecords().clear();
}

void RemoveExitRecord(std::int64_t pid, std::uint64_t startTime) {
  const std::string directory = RecordDirectory();
  if (directory.empty()) return;
  unlink((directory + "/" + RecordName(pid, startTime)).c_str());
}

}  // namespace platform
