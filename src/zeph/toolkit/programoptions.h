#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// What a small tool program tells about itself on its command line.
struct ZEPH_TOOLKIT_EXPORT TProgramUsage {
  QString name;
  QString version;
  // The --help text, ending with a line break.
  QString help;
  // Its options without the leading "--": flags, and those that take the next argument as value.
  QStringList flags;
  QStringList valued;
};

// The command line as Qt strings, before any application object exists.
ZEPH_TOOLKIT_EXPORT QStringList ArgumentList(int argc, char** argv);

// Answers --help (or -h) and --version on standard output, exit code 0, and refuses a "--" option
// the program does not know, naming the nearest known one on standard error, exit code 2. None
// when the program goes on. Needs no application object, so no display either.
ZEPH_TOOLKIT_EXPORT std::optional<int> AnswerCommandLine(const QStringList& arguments, const TProgramUsage& usage);

}  // namespace zeph
