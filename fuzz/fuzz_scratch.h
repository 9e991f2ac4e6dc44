#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// A temporary folder for one fuzzing run (runtime directory, registry, served files), removed
// when the run ends, so that fuzzing leaves nothing behind.
inline std::string FuzzScratchDirectory(const char* name) {
  static std::string root;
  std::string pattern = std::filesystem::temp_directory_path().string() + "/" + name + "-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  root = pattern;
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  });
  setenv("LEXIVO_RUNTIME_DIR", (root + "/run").c_str(), 1);
  setenv("LEXIVO_REGISTRY_DIR", (root + "/registry").c_str(), 1);
  return root;
}
