#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <string>

#include "zeph/translation/babelfish2000.h"

// Loads the bytes into the engine through an in-memory stream, as the host hands them over.
inline void LoadBytes(zeph::TBabelfish2000& engine, const QByteArray& bytes) {
  QBuffer stream;
  stream.setData(bytes);
  stream.open(QIODevice::ReadOnly);
  engine.LoadFromStream(stream);
}

inline QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// Runs a test inside a fresh temporary directory, since the itl skeleton goes into the current
// directory.
class ScopedWorkingDirectory {
 public:
  ScopedWorkingDirectory() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
  ~ScopedWorkingDirectory() { QDir::setCurrent(previous_); }
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;
  QString Path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  QString previous_;
};
