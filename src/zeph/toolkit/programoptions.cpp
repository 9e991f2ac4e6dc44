#include "zeph/toolkit/programoptions.h"

#include <cstdio>

#include "zeph/toolkit/filenames.h"
#include "zeph/toolkit/nearestname.h"

namespace zeph {

namespace {

constexpr int kExitUsage = 2;

}  // namespace

QStringList ArgumentList(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(FileNameFromBytes(argv[i]));
  return arguments;
}

std::optional<int> AnswerCommandLine(const QStringList& arguments, const TProgramUsage& usage) {
  const QStringList known = QStringList{QStringLiteral("help"), QStringLiteral("version")} + usage.flags + usage.valued;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--")) break;
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
      std::fputs(usage.help.toLocal8Bit().constData(), stdout);
      return 0;
    }
    if (argument == QLatin1String("--version")) {
      std::printf("%s %s\n", qPrintable(usage.name), qPrintable(usage.version));
      return 0;
    }
    if (!argument.startsWith(QLatin1String("--"))) continue;
    const QString name = argument.mid(2).section(QLatin1Char('='), 0, 0);
    if (usage.valued.contains(name)) {
      if (!argument.contains(QLatin1Char('='))) ++i;
      continue;
    }
    if (known.contains(name)) continue;
    std::fprintf(stderr, "%s: unknown option '--%s'; did you mean '--%s'? (see %s --help)\n", qPrintable(usage.name),
                 qPrintable(name), qPrintable(NearestName(name, known)), qPrintable(usage.name));
    return kExitUsage;
  }
  return std::nullopt;
}

}  // namespace zeph
