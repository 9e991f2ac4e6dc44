#pragma once

#include <sys/stat.h>

#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>
#include <string>

#include "platform/registry.h"
#include "platform/runtimedir.h"

// Gives a test its own runtime directory and registry store, so that its windows, mutexes and
// registry values meet nobody else's (other tests, a program the developer is running).
class TIsolatedRuntime {
 public:
  TIsolatedRuntime()
      : saved_runtime_(qgetenv(platform::kRuntimeDirVariable)), saved_registry_(qgetenv(platform::kRegistryDirVariable)) {
    qputenv(platform::kRuntimeDirVariable, (root_.path() + "/run").toUtf8());
    qputenv(platform::kRegistryDirVariable, (root_.path() + "/registry").toUtf8());
    mkdir(RuntimeDir().c_str(), 0700);
  }
  ~TIsolatedRuntime() {
    Restore(platform::kRuntimeDirVariable, saved_runtime_);
    Restore(platform::kRegistryDirVariable, saved_registry_);
  }
  TIsolatedRuntime(const TIsolatedRuntime&) = delete;
  TIsolatedRuntime& operator=(const TIsolatedRuntime&) = delete;

  std::string Root() const { return root_.path().toStdString(); }
  std::string RuntimeDir() const { return Root() + "/run"; }

 private:
  static void Restore(const char* name, const QByteArray& value) {
    if (value.isNull()) {
      qunsetenv(name);
    } else {
      qputenv(name, value);
    }
  }

  QTemporaryDir root_;
  QByteArray saved_runtime_;
  QByteArray saved_registry_;
};
