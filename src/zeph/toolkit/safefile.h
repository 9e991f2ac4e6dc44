#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <string>
#include <string_view>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// An output file that is either written completely or not at all.
///
/// A regular file (or a name that does not exist yet) is written to a fresh file beside it, which
/// replaces the old one only when commit() has seen every write, the flush to the disk and the
/// close succeed; a replaced file keeps its owner, group and mode. On any failure the old file
/// stays as it was and nothing is left under the name or beside it. A name that stands for
/// something else (a character device such as /dev/null, a FIFO) is written in place, never
/// replaced. A symbolic link is followed: the file it names is replaced.
///
/// The first failure sticks: later writes are refused, and commit() and errorString() give the
/// system's reason ("No space left on device", "Read-only file system", ...). Writers that do not
/// check their own writes (image, PDF and SVG writers) are therefore safe to use on it.
/// \code
/// zeph::TSafeFile file(name);
/// if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
///   qWarning() << "cannot write" << name << ":" << file.errorString();
/// \endcode
class ZEPH_TOOLKIT_EXPORT TSafeFile : public QIODevice {
  Q_OBJECT

 public:
  /// Prepares to write fileName; nothing is touched before open().
  explicit TSafeFile(const QString& fileName, QObject* parent = nullptr);
  /// Discards what was written unless commit() succeeded.
  ~TSafeFile() override;

  /// The name given at construction.
  QString fileName() const { return file_name_; }
  /// The permission bits of a file that is created (not of one that is replaced); 0666 less the
  /// process's umask unless set before open().
  void setCreationMode(unsigned mode) {
    creation_mode_ = mode;
    creation_mode_set_ = true;
  }

  /// Opens for writing (mode must be QIODevice::WriteOnly, optionally with Truncate); false with
  /// the reason in errorString() when the file cannot be started.
  bool open(OpenMode mode) override;
  /// Finishes the file: flushes it to the disk, closes it and puts it in place. False, with the
  /// reason, when anything since open() failed; the old file is then untouched.
  bool commit();
  /// Drops what was written; the old file stays.
  void cancelWriting();
  /// Same as cancelWriting(): a file is finished only by commit().
  void close() override;

  /// The errno value of the first failure since open(), 0 while there is none.
  int systemError() const { return error_; }

  /// True for a device or FIFO written in place (no positioning there).
  bool isSequential() const override { return in_place_; }
  /// Moves the write position (a replacement file only); false for a device or FIFO.
  bool seek(qint64 position) override;
  /// The bytes written so far to a replacement file.
  qint64 size() const override;

  /// Removes the fresh files of every TSafeFile not finished yet, so that a program ended by a
  /// signal leaves nothing beside its output. Async-signal-safe: meant for a signal handler that
  /// ends the program right after it.
  static void RemoveUnfinishedFiles();

  /// The system's text for an error number, as strerror gives it ("No space left on device").
  static QString SystemReason(int error);
  /// Writes all of bytes to fd, repeating short writes; 0, or the errno value of the failure.
  static int WriteAll(int fd, std::string_view bytes);

 protected:
  /// Reading is not offered: always -1.
  qint64 readData(char* data, qint64 maxSize) override;
  /// Writes all of data or fails for good (see systemError()).
  qint64 writeData(const char* data, qint64 size) override;

 private:
  void Fail(int error);
  void Discard();

  QString file_name_;
  // The file that is replaced (the link's target for a link) and the fresh one beside it.
  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  int error_ = 0;
  unsigned creation_mode_ = 0;
  bool creation_mode_set_ = false;
  bool in_place_ = false;
};

/// Writes bytes to fileName as TSafeFile does; an empty text on success, else the system's
/// reason. mode is the permission bits of a newly created file (-1: 0666 less the umask).
ZEPH_TOOLKIT_EXPORT QString WriteFileSafely(const QString& fileName, QByteArrayView bytes, int mode = -1);

}  // namespace zeph
