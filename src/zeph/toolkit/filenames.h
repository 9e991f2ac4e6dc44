#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <memory>
#include <optional>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// File names as the file system has them: bytes, not text.
//
// A name read from the command line or the environment is any sequence of bytes. Qt's own
// conversion maps bytes that are no UTF-8 to U+FFFD, so two different names would become one
// text and open the same file. These functions keep every byte instead: valid UTF-8 becomes its
// characters, and each byte of an invalid sequence becomes the code unit U+DC80 + byte (a lone
// low surrogate, as Python's "surrogateescape" does), which FileNameBytes() turns back into that
// byte.
//
// const QString name = zeph::FileNameFromBytes(argv[1]);   // "rep\xff.csv" stays that name
// const std::optional<QByteArray> bytes = zeph::FileNameBytes(name);

/// The text for a file name's bytes, without losing any: valid UTF-8 as its characters, each byte
/// of an invalid sequence as the code unit U+DC80 + byte, so that FileNameBytes() gives the same
/// bytes back and two different names never become one text.
ZEPH_TOOLKIT_EXPORT QString FileNameFromBytes(QByteArrayView bytes);

/// The bytes of a file name: UTF-8, with the escapes of FileNameFromBytes() turned back into
/// their bytes. None for a name that no file can have: one with a NUL character, or with a lone
/// surrogate that is no such escape.
ZEPH_TOOLKIT_EXPORT std::optional<QByteArray> FileNameBytes(const QString& name);

/// Bytes for showing a text that may hold file names (a message on standard error): the escaped
/// bytes as they were, whatever cannot be represented as U+FFFD. Never fails.
ZEPH_TOOLKIT_EXPORT QByteArray DisplayBytes(const QString& text);

/// Whether the name is that of a regular file this process can read (checked on its bytes).
ZEPH_TOOLKIT_EXPORT bool IsReadableFileName(const QString& name);

/// The file opened for reading by its bytes; none when it cannot be opened.
ZEPH_TOOLKIT_EXPORT std::unique_ptr<QFile> OpenFileForReading(const QString& name);

}  // namespace zeph
