#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "platform/isolated_runtime.h"
#include "platform/lasterror.h"
#include "platform/namedmutex.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/spawn.h"

namespace {

TEST(NamedMutexTest, ExistsWhileItsOwnerHoldsIt) {
  TIsolatedRuntime runtime;
  const std::string name = "Lexivo_some prog/with:odd\\chars";
  EXPECT_EQ(platform::OpenMutex(name), 0u);
  EXPECT_EQ(platform::GetLastError(), static_cast<std::uint32_t>(ENOENT));
  const platform::THandle owned = platform::CreateOwnedMutex(name);
  ASSERT_NE(owned, 0u);
  EXPECT_EQ(platform::GetLastError(), platform::kErrorSuccess);

  const platform::THandle opened = platform::OpenMutex(name);
  EXPECT_NE(opened, 0u);
  const platform::THandle second = platform::CreateOwnedMutex(name);
  EXPECT_NE(second, 0u);
  EXPECT_EQ(platform::GetLastError(), platform::kErrorAlreadyExists);
  EXPECT_EQ(platform::OpenMutex("Lexivo_other"), 0u);

  EXPECT_TRUE(platform::CloseHandle(opened));
  EXPECT_TRUE(platform::CloseHandle(second));
  EXPECT_TRUE(platform::CloseHandle(owned));
  EXPECT_FALSE(platform::CloseHandle(owned));
  // The owner took its lock file along; the mutex is gone.
  EXPECT_EQ(platform::OpenMutex(name), 0u);
}

TEST(RegistryTest, ReadsWhatWasWrittenWithKeyNamesInAnyCase) {
  TIsolatedRuntime runtime;
  const std::string key = "\\Software\\Tarnell\\ostrel\\demon";
  EXPECT_FALSE(platform::ReadRegistryString(platform::kHkeyLocalMachine, key, "ViewerHandle").has_value());
  ASSERT_TRUE(platform::WriteRegistryString(platform::kHkeyLocalMachine, key, "ViewerHandle", "1a2b"));
  EXPECT_EQ(platform::ReadRegistryString(platform::kHkeyLocalMachine, "\\SOFTWARE\\tarnell\\Ostrel\\Demon",
                                         "viewerhandle"),
            "1a2b");
  ASSERT_TRUE(platform::WriteRegistryString(platform::kHkeyLocalMachine, key, "ViewerHandle", "00000000"));
  EXPECT_EQ(platform::ReadRegistryString(platform::kHkeyLocalMachine, key, "ViewerHandle"), "00000000");
  // Names that would mean something to a path stay names.
  ASSERT_TRUE(platform::WriteRegistryString(platform::kHkeyLocalMachine, "..\\..", "a/b", std::string("x\0y", 3)));
  EXPECT_EQ(platform::ReadRegistryString(platform::kHkeyLocalMachine, "..\\..", "a/b"), std::string("x\0y", 3));
  EXPECT_FALSE(platform::ReadRegistryString(platform::kHkeyLocalMachine, "", "a/b").has_value());
}

TEST(ProcessTest, WaitsForAStartedProgramAndReadsItsExitCode) {
  TIsolatedRuntime runtime;
  const std::int64_t pid = platform::SpawnRecordedProcess("sh", {"-c", "sleep 0.2; exit 7"});
  ASSERT_GT(pid, 0);
  const platform::THandle process = platform::OpenProcess(pid);
  ASSERT_NE(process, 0u);
  EXPECT_TRUE(platform::WaitForProcess(process));
  EXPECT_EQ(platform::GetExitCodeProcess(process), 7);
  EXPECT_TRUE(platform::CloseHandle(process));
  EXPECT_FALSE(platform::WaitForProcess(process));

  EXPECT_EQ(platform::SpawnRecordedProcess("/no/such/program", {}), 0);
  EXPECT_EQ(platform::OpenProcess(0), 0u);
}

TEST(ProcessTest, ProcessReapedBeforeItWasOpenedIsKnownByItsRecord) {
  TIsolatedRuntime runtime;
  const std::int64_t pid = platform::SpawnRecordedProcess("sh", {"-c", "exit 4"});
  ASSERT_GT(pid, 0);
  // Wait until the reaper has recorded and reaped it; then only the record is left.
  for (int i = 0; i < 500 && kill(static_cast<pid_t>(pid), 0) == 0; ++i) usleep(10000);
  const platform::THandle process = platform::OpenProcess(pid);
  ASSERT_NE(process, 0u);
  EXPECT_TRUE(platform::WaitForProcess(process));
  EXPECT_EQ(platform::GetExitCodeProcess(process), 4);
  platform::CloseHandle(process);
}

TEST(ProcessTest, ExitCodeOfAProcessOfAnotherParentComesFromItsRecord) {
  TIsolatedRuntime runtime;
  // Our own parent runs on; it stands for any process that is not our child.
  const std::int64_t parent = getppid();
  const auto start_time = platform::ProcessStartTime(parent);
  ASSERT_TRUE(start_time.has_value());
  platform::RecordExitCode(parent, *start_time, 42);
  const platform::THandle process = platform::OpenProcess(parent);
  ASSERT_NE(process, 0u);
  EXPECT_EQ(platform::GetExitCodeProcess(process), 42);
  // The record goes once read; the handle still knows the code.
  const std::string record =
      runtime.RuntimeDir() + "/exit/" + std::to_string(parent) + "-" + std::to_string(*start_time);
  EXPECT_NE(access(record.c_str(), F_OK), 0);
  EXPECT_EQ(platform::GetExitCodeProcess(process), 42);
  platform::CloseHandle(process);
}

TEST(ProcessTest, RecordsNobodyReadGoWithTheirWriter) {
  TIsolatedRuntime runtime;
  platform::RecordExitCode(4000001, 1, 3);
  platform::RecordExitCode(4000002, 2, 4);
  const std::string records = runtime.RuntimeDir() + "/exit/";
  EXPECT_EQ(access((records + "4000001-1").c_str(), F_OK), 0);
  platform::RemoveExitRecords();
  EXPECT_NE(access((records + "4000001-1").c_str(), F_OK), 0);
  EXPECT_NE(access((records + "4000002-2").c_str(), F_OK), 0);
}

TEST(LastErrorTest, GivesTheSystemTextOrNone) {
  platform::SetLastError(ENOENT);
  EXPECT_EQ(platform::GetLastError(), static_cast<std::uint32_t>(ENOENT));
  EXPECT_EQ(platform::FormatMessage(ENOENT), "No such file or directory.");
  EXPECT_EQ(platform::FormatMessage(platform::kErrorCannotFindWndClass), "Cannot find window class.");
  EXPECT_FALSE(platform::FormatMessage(99999).has_value());
}

}  // namespace
