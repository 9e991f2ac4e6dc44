#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <string>
#include <string_view>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// An output file that is either written completely or not at all, and never loses what the old
/// file was.
///
/// One rule for every name, in this order:
/// - A name that stands for an already open descriptor of this process ("/dev/stdout",
///   "/dev/stderr", "/dev/fd/N", "/proc/self/fd/N") writes to that descriptor as it is open: an
///   appending descriptor appends, another one writes at its position. A regular file behind it
///   gets the bytes at commit(), after all of them were produced.
/// - A symbolic link is followed; a dangling one gets the file it names created.
/// - A file the process may not write is refused ("it is read-only", "it belongs to another
///   user"), even where the folder would allow replacing it.
/// - A regular file that would lose something by being replaced (it has more than one name, its
///   owner or group cannot be given to a new file, its extended attributes or ACLs cannot be
///   copied, or its folder is not writable) is written in place at commit(), after the whole
///   content was produced in memory: a failure before then leaves the old content; a failure of
///   that write itself is reported.
/// - Otherwise (the usual case, and every new file) the content goes to a fresh file beside it,
///   which replaces the old one only when commit() has seen every write, the flush to the disk and
///   the close succeed; it keeps the old file's owner, group, mode, ACLs and extended attributes.
///   The fresh file has no name (O_TMPFILE) where the file system allows, so that nothing is left
///   even when the process is killed; elsewhere its name is short (".zeph-PID.XXXXXX", so that
///   names up to the file system's limit work) and a later write to the folder removes such files
///   of processes that are gone.
/// - A device or FIFO is written in place, never replaced; a FIFO nobody reads is refused.
///
/// File names are taken as bytes (see FileNameBytes()); a name that no file can have is refused.
/// The first failure sticks: later writes are refused, and commit() and errorString() give the
/// reason ("No space left on device", "the reader went away", ...). Writers that do not check
/// their own writes (image, PDF and SVG writers) are therefore safe to use on it.
/// \code
/// zeph::TSafeFile file(name);
/// if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
///   qWarning() << "cannot write" << name << ":" << file.errorString();
/// \endcode
class ZEPH_TOOLKIT_EXPORT TSafeFile : public QIODevice {
  Q_OBJECT

 public:
  /// How an open file is written.
  enum class TWay {
    kReplace,     ///< a fresh file replaces the old one at commit()
    kInPlace,     ///< the regular file itself is overwritten at commit()
    kDescriptor,  ///< an open descriptor of the process that is a regular file, written at commit()
    kStream,      ///< a device, FIFO, pipe, socket or terminal, written as the bytes come
  };

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
  /// reason, when anything since open() failed; the old file is then untouched (unless the
  /// failure was that of an in-place write itself).
  bool commit();
  /// Drops what was written; the old file stays.
  void cancelWriting();
  /// Same as cancelWriting(): a file is finished only by commit().
  void close() override;

  /// The errno value of the first failure since open(), 0 while there is none (EACCES for a
  /// refusal of this class's own).
  int systemError() const { return error_; }
  /// How the file is written; meaningful after a successful open().
  TWay Way() const { return way_; }

  /// True for a file written as the bytes come (no positioning there).
  bool isSequential() const override { return way_ == TWay::kStream; }
  /// Moves the write position; false for a file written as the bytes come.
  bool seek(qint64 position) override;
  /// The bytes written so far.
  qint64 size() const override;

  /// Removes the named fresh files of every TSafeFile not finished yet, so that a program ended by
  /// a signal leaves nothing beside its output. Async-signal-safe: meant for a signal handler that
  /// ends the program right after it.
  static void RemoveUnfinishedFiles();

  /// Whether fresh files may be unnamed (O_TMPFILE); true unless set otherwise. False makes every
  /// fresh file a named one, as on a file system without unnamed files: for tests.
  static void SetUnnamedFilesAllowed(bool allowed);

  /// Puts /dev/null on standard input, output and error where they are closed, so that no file
  /// the program opens takes their numbers, and remembers them: writing to "/dev/stdout" then
  /// says that standard output is closed. Call first thing in main().
  static void NoteClosedStandardStreams();
  /// Whether the descriptor (0, 1 or 2) was closed when NoteClosedStandardStreams() ran.
  static bool WasClosedAtStart(int fd);

  /// The system's text for an error number, as strerror gives it ("No space left on device"),
  /// except EPIPE: "the reader went away", and ENOMEM: "not enough memory for the file's content".
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
  void Refuse(const QString& reason);
  void Discard();
  bool OpenDescriptor(int number);
  bool OpenStream(const std::string& path, bool fifo);
  bool OpenRegular(const std::string& path, bool exists);
  bool OpenInPlace();
  int CreateFresh(const std::string& directory);
  bool CopyIdentity(unsigned owner, unsigned group, unsigned mode);
  bool CommitReplacement();
  bool CommitInPlace();
  bool CommitDescriptor();

  QString file_name_;
  // The file that is written or replaced (the link's target for a link).
  std::string target_;
  // The named fresh file, while it has a name (empty for an unnamed one).
  std::string temporary_;
  QByteArray buffer_;
  int fd_ = -1;
  int error_ = 0;
  unsigned creation_mode_ = 0;
  bool creation_mode_set_ = false;
  bool unnamed_ = false;
  bool existed_ = false;
  TWay way_ = TWay::kReplace;
};

/// Writes bytes to fileName as TSafeFile does; an empty text on success, else the reason. mode is
/// the permission bits of a newly created file (-1: 0666 less the umask).
ZEPH_TOOLKIT_EXPORT QString WriteFileSafely(const QString& fileName, QByteArrayView bytes, int mode = -1);

}  // namespace zeph
