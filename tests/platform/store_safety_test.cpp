#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/isolated_runtime.h"
#include "platform/lasterror.h"
#include "platform/problemreport.h"
#include "platform/registry.h"
#include "platform/runtimedir.h"

namespace {

const std::string kKey = "\\Software\\Tarnell\\ostrel\\demon";
constexpr uid_t kOtherUser = 65534;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// Unsets an environment variable for the scope.
class TUnsetVariable {
 public:
  explicit TUnsetVariable(const char* name) : name_(name), saved_(qgetenv(name)) { qunsetenv(name); }
  ~TUnsetVariable() {
    if (!saved_.isNull()) qputenv(name_, saved_);
  }

 private:
  const char* name_;
  QByteArray saved_;
};

TEST(RegistryStoreTest, WithoutHomeTheStoreLiesInTheHomeOfThePasswordDatabase) {
  TUnsetVariable store(platform::kRegistryDirVariable);
  TUnsetVariable config("XDG_CONFIG_HOME");
  TUnsetVariable home("HOME");
  const passwd* entry = getpwuid(getuid());
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(platform::RegistryStoreDirectory(), std::string(entry->pw_dir) + "/.config/lexivo/registry");
}

TEST(RegistryStoreTest, PlantedLinksWriteNothingOutsideTheStore) {
  TIsolatedRuntime runtime;
  const std::string store = runtime.Root() + "/registry";
  const std::string outside = runtime.Root() + "/outside";
  const std::string victim = runtime.Root() + "/victim.txt";
  ASSERT_EQ(mkdir(store.c_str(), 0700), 0);
  ASSERT_EQ(mkdir(outside.c_str(), 0700), 0);
  std::ofstream(victim) << "precious";

  // A key directory that is a link to elsewhere is refused.
  ASSERT_EQ(symlink(outside.c_str(), (store + "/hkey_local_machine").c_str()), 0);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(platform::WriteRegistryString(platform::kHkeyLocalMachine, kKey, "ViewerHandle", "1a2b"));
  EXPECT_EQ(platform::GetLastError(), static_cast<std::uint32_t>(EACCES));
  EXPECT_NE(testing::internal::GetCapturedStderr().find(store + "/hkey_local_machine is not a directory"),
            std::string::npos);
  EXPECT_EQ(rmdir(outside.c_str()), 0) << "something was written outside the store";
  ASSERT_EQ(unlink((store + "/hkey_local_machine").c_str()), 0);

  // A value that is a link is not read through, and writing replaces the link, not its target.
  ASSERT_TRUE(platform::WriteRegistryString(platform::kHkeyLocalMachine, kKey, "ViewerHandle", "first"));
  const std::string directory = store + "/hkey_local_machine/software/tarnell/ostrel/demon";
  const std::string value = directory + "/viewerhandle.value";
  ASSERT_EQ(unlink(value.c_str()), 0);
  ASSERT_EQ(symlink(victim.c_str(), value.c_str()), 0);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(platform::ReadRegistryString(platform::kHkeyLocalMachine, kKey, "ViewerHandle").has_value());
  EXPECT_NE(testing::internal::GetCapturedStderr().find("is a symbolic link"), std::string::npos);
  // The temporary name of the value, as a writer of this process could have chosen it.
  const std::string guessed = directory + "/.viewerhandle.value." + std::to_string(getpid());
  ASSERT_EQ(symlink(victim.c_str(), guessed.c_str()), 0);
  ASSERT_TRUE(platform::WriteRegistryString(platform::kHkeyLocalMachine, kKey, "ViewerHandle", "second"));
  EXPECT_EQ(platform::ReadRegistryString(platform::kHkeyLocalMachine, kKey, "ViewerHandle"), "second");
  EXPECT_EQ(ReadFile(victim), "precious");

  // A directory of ours that others can enter is closed when written to.
  ASSERT_EQ(chmod(directory.c_str(), 0777), 0);
  ASSERT_TRUE(platform::WriteRegistryString(platform::kHkeyLocalMachine, kKey, "ViewerHandle", "third"));
  struct stat info {};
  ASSERT_EQ(stat(directory.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(RegistryStoreTest, ValuesAndDirectoriesOfAnotherUserAreRefused) {
  if (geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
  TIsolatedRuntime runtime;
  ASSERT_TRUE(platform::WriteRegistryString(platform::kHkeyLocalMachine, kKey, "ViewerHandle", "mine"));
  const std::string directory = runtime.Root() + "/registry/hkey_local_machine/software/tarnell/ostrel/demon";
  const std::string value = directory + "/viewerhandle.value";
  ASSERT_EQ(chown(value.c_str(), kOtherUser, kOtherUser), 0);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(platform::ReadRegistryString(platform::kHkeyLocalMachine, kKey, "ViewerHandle").has_value());
  EXPECT_EQ(platform::GetLastError(), static_cast<std::uint32_t>(EACCES));
  EXPECT_FALSE(platform::WriteRegistryString(platform::kHkeyLocalMachine, kKey, "ViewerHandle", "theirs"));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find(value + " is not a file of this user"), std::string::npos) << said;
  EXPECT_NE(said.find("belongs to user 65534"), std::string::npos) << said;

  ASSERT_EQ(unlink(value.c_str()), 0);
  ASSERT_EQ(chown(directory.c_str(), kOtherUser, kOtherUser), 0);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(platform::WriteRegistryString(platform::kHkeyLocalMachine, kKey, "ViewerHandle", "mine"));
  EXPECT_NE(testing::internal::GetCapturedStderr().find(directory + " belongs to user 65534"), std::string::npos);
}

TEST(RuntimeDirectoryTest, UnusableDirectoryIsNamedWithItsReasonOnce) {
  TIsolatedRuntime runtime;
  const std::string directory = runtime.RuntimeDir();
  ASSERT_EQ(chmod(directory.c_str(), 0755), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(platform::RuntimeDirectory(), "");
  EXPECT_EQ(platform::RuntimeDirectory(), "");
  const std::string said = testing::internal::GetCapturedStderr();
  const std::string line = "lexivo: the runtime directory " + directory +
                           " has mode 0755; other users must not have access to it (0700)\n";
  EXPECT_EQ(said, line);
  ASSERT_EQ(chmod(directory.c_str(), 0700), 0);
  EXPECT_EQ(platform::RuntimeDirectory(), directory);

  const unsigned mode = S_IFDIR | 0700;
  EXPECT_EQ(platform::DirectoryProblem("the runtime directory", "/d", mode, getuid(), 0), "");
  EXPECT_EQ(platform::DirectoryProblem("the runtime directory", "/d", mode, getuid() + 1, 0),
            "the runtime directory /d belongs to user " + std::to_string(getuid() + 1) + ", not to this user (" +
                std::to_string(getuid()) + ")");
  EXPECT_EQ(platform::DirectoryProblem("the runtime directory", "/d", S_IFLNK | 0777, getuid(), 0),
            "the runtime directory /d is a symbolic link, not a directory");
  EXPECT_EQ(platform::DirectoryProblem("the runtime directory", "/d", S_IFREG | 0600, getuid(), 0),
            "the runtime directory /d is not a directory");
  // Readers of the registry allow others to look, not to write.
  EXPECT_EQ(platform::DirectoryProblem("x", "/d", S_IFDIR | 0755, getuid(), 055), "");
  EXPECT_NE(platform::DirectoryProblem("x", "/d", S_IFDIR | 0775, getuid(), 055), "");
}

}  // namespace
