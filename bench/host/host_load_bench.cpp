// The stand-in host server under load: many participants at once, each asking for a variable
// again and again for a fixed time. Reports throughput, the median and 99th-percentile request
// time, errors, and the server's memory and descriptors before the load and after it has gone.
//
// HOST_LOAD_CLIENTS (default 150) and HOST_LOAD_SECONDS (default 30) change the load.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <barrier>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "host/hostnames.h"
#include "load_client.h"
#include "platform/messagewindow.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int EnvironmentNumber(const char* name, int fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : fallback;
}

long MemoryKib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string field;
  long value = -1;
  while (status >> field) {
    if (field == "VmRSS:") {
      status >> value;
      break;
    }
  }
  return value;
}

int Descriptors(pid_t pid) {
  int count = 0;
  if (DIR* listing = opendir(("/proc/" + std::to_string(pid) + "/fd").c_str())) {
    while (const dirent* entry = readdir(listing)) count += entry->d_name[0] != '.';
    closedir(listing);
  }
  return count;
}

// The hostserver beside this program, with its commands on a pipe.
struct TServer {
  pid_t pid = 0;
  int commands = -1;
  platform::HWND window = 0;
};

TServer StartServer(const std::string& handle) {
  const std::string program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "hostserver";
  int input[2];
  if (pipe2(input, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> texts{program, "--no-registry", "--handle", handle, "--set", "V1=value-1"};
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  TServer server;
  if (posix_spawn(&server.pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) server.pid = 0;
  posix_spawn_file_actions_destroy(&actions);
  close(input[0]);
  server.commands = input[1];
  for (int i = 0; i < 500 && server.pid != 0 && server.window == 0; ++i) {
    server.window = platform::FindWindow(kServerWindowClass + handle, kServerWindowTitle + handle);
    if (server.window == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return server;
}

void StopServer(const TServer& server) {
  static_cast<void>(write(server.commands, "shutdown\n", 9));
  close(server.commands);
  int status = 0;
  waitpid(server.pid, &status, 0);
}

double Percentile(const std::vector<double>& sorted, double share) {
  if (sorted.empty()) return 0;
  const auto index = static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1));
  return sorted[index];
}

void HostServerUnderLoad(benchmark::State& state) {
  const int clients = EnvironmentNumber("HOST_LOAD_CLIENTS", 150);
  const int seconds = EnvironmentNumber("HOST_LOAD_SECONDS", 30);
  const std::string runtime = std::filesystem::temp_directory_path() / ("host_load_bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  setenv("LEXIVO_RUNTIME_DIR", runtime.c_str(), 1);
  const TServer server = StartServer("10ad");
  if (server.window == 0) {
    state.SkipWithError("the host server did not start");
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const long memory_before = MemoryKib(server.pid);
  const int descriptors_before = Descriptors(server.pid);

  std::atomic<long> errors{0};
  std::vector<std::vector<double>> times(static_cast<std::size_t>(clients));
  for (auto _ : state) {
    std::barrier start(clients + 1);
    Clock::time_point end;
    std::vector<std::thread> threads;
    for (int index = 0; index < clients; ++index) {
      threads.emplace_back([&, index] {
        TLoadClient client(runtime, server.window, static_cast<std::uint32_t>(index));
        start.arrive_and_wait();
        if (!client.Ready()) {
          ++errors;
          return;
        }
        std::vector<double>& mine = times[static_cast<std::size_t>(index)];
        while (Clock::now() < end) {
          const auto began = Clock::now();
          const auto answer = client.GetVariable("V1");
          mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - began).count());
          if (answer != "value-1") ++errors;
        }
      });
    }
    end = Clock::now() + std::chrono::seconds(seconds);
    start.arrive_and_wait();
    for (std::thread& thread : threads) thread.join();
  }
  // Give the server a moment to drop what the participants left.
  std::this_thread::sleep_for(std::chrono::seconds(2));
  const long memory_after = MemoryKib(server.pid);
  const int descriptors_after = Descriptors(server.pid);
  StopServer(server);
  std::filesystem::remove_all(runtime);

  std::vector<double> all;
  for (const auto& mine : times) all.insert(all.end(), mine.begin(), mine.end());
  std::sort(all.begin(), all.end());
  const double throughput = static_cast<double>(all.size()) / seconds;
  state.counters["requests"] = static_cast<double>(all.size());
  state.counters["requests_per_s"] = throughput;
  state.counters["errors"] = static_cast<double>(errors.load());
  state.counters["median_ms"] = Percentile(all, 0.5);
  state.counters["p99_ms"] = Percentile(all, 0.99);
  state.counters["rss_before_kib"] = static_cast<double>(memory_before);
  state.counters["rss_after_kib"] = static_cast<double>(memory_after);
  state.counters["fds_before"] = descriptors_before;
  state.counters["fds_after"] = descriptors_after;
  std::printf(
      "host load: %d clients for %d s\n"
      "  requests      %zu (%.0f/s), errors %ld\n"
      "  request time  median %.2f ms, 99th percentile %.2f ms\n"
      "  server memory %ld KiB before, %ld KiB after\n"
      "  server fds    %d before, %d after\n",
      clients, seconds, all.size(), throughput, errors.load(), Percentile(all, 0.5), Percentile(all, 0.99),
      memory_before, memory_after, descriptors_before, descriptors_after);
}

BENCHMARK(HostServerUnderLoad)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
