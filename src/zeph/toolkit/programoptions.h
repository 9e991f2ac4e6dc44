#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// What a small tool program tells about itself on its command line.
///
/// The options named here are the ones AnswerCommandLine() lets pass; --help and --version are
/// always known.
struct ZEPH_TOOLKIT_EXPORT TProgramUsage {
  QString name;        ///< The program's name, for --version and messages.
  QString version;     ///< The version that --version prints after the name.
  /// The --help text, ending with a line break.
  QString help;
  /// Its options without the leading "--": flags, and those that take the next argument as value.
  QStringList flags;
  /// Its options that take a value, without the leading "--": as the next argument or after "=".
  QStringList valued;
};

/// The command line as Qt strings, before any application object exists.
///
/// All \a argc entries of \a argv, the program name first, decoded as UTF-8 without losing a byte:
/// bytes that are no UTF-8 are kept as FileNameFromBytes() keeps them, so that a file name given on
/// the command line reaches the file system as it was typed.
ZEPH_TOOLKIT_EXPORT QStringList ArgumentList(int argc, char** argv);

/// Answers --help (or -h) and --version on standard output, exit code 0, and refuses a "--" option
/// the program does not know, naming the nearest known one on standard error, exit code 2.
///
/// Returns the exit code the program should end with, or none when the program goes on.
/// \a arguments start with the program name, which is skipped; a "--" argument ends the options,
/// and arguments that do not begin with "--" pass. An option may carry its value after "=".
/// Needs no application object, so no display either.
ZEPH_TOOLKIT_EXPORT std::optional<int> AnswerCommandLine(const QStringList& arguments, const TProgramUsage& usage);

}  // namespace zeph
