#include "options.h"

#include <QDir>
#include <QRandomGenerator>

#include "zeph/toolkit/ansi.h"

using namespace zeph;

namespace {

bool SplitAssignment(const QString& text, std::map<std::string, std::string>& into) {
  const qsizetype equals = text.indexOf(QLatin1Char('='));
  if (equals <= 0) return false;
  into[QStringToAnsi(text.left(equals))] = QStringToAnsi(text.mid(equals + 1));
  return true;
}

}  // namespace

QString UsageText() {
  return QStringLiteral(
      "Usage: hostserver [options] [--run PROGRAM [ARGUMENTS...]]\n"
      "\n"
      "A stand-in for the Lexivo host server. It owns the server window under a handle text,\n"
      "records that text as the registry value ViewerHandle, keeps the programs that register,\n"
      "and answers their requests: find-entity, get-file, map-file-name, query-string,\n"
      "get-variable and execute.\n"
      "\n"
      "Options:\n"
      "  --serve DIR          answer get-file with the files below DIR (default: current directory)\n"
      "  --work-area DIR      the work area (OstrelWorkArea); started programs run in it\n"
      "                       (default: the served directory); OstrelHomeDir is the served directory\n"
      "  --handle TEXT        the handle text (default: eight random hex digits)\n"
      "  --set NAME=VALUE     answer get-variable NAME with VALUE (repeatable)\n"
      "  --string TEXT=ANSWER answer query-string TEXT with ANSWER (repeatable)\n"
      "  --no-registry        do not record the handle text in the registry\n"
      "  --die-on TYPE        for tests: end at once, without answering, on a request of message\n"
      "                       type TYPE (4098..4106)\n"
      "  --run PROGRAM ARGS   start PROGRAM with ARGS and /serverhandle=TEXT, and shut down when\n"
      "                       it ends (run the simulation under the server)\n"
      "  --help               show this text\n"
      "\n"
      "Standard input takes one command per line:\n"
      "  quit       tell every registered program to quit (it unregisters first)\n"
      "  shutdown   tell them the server goes down, then end the server\n"
      "  list       print the registered programs\n"
      "SIGINT and SIGTERM shut the server down as well. Commands and signals are answered at\n"
      "once, also while the server waits for a participant: a participant gets 5 seconds to take\n"
      "an answer and 1 second to take a quit, and is given up after that.\n"
      "\n"
      "Standard output: first \"handle TEXT\", then one line per event (register, unregister,\n"
      "get-file, execute, quit). A handle that cannot be recorded (window record or registry\n"
      "value not written, with the reason on standard error) is never announced: the server\n"
      "ends with status 1 instead. LEXIVO_RUNTIME_DIR and LEXIVO_REGISTRY_DIR choose the runtime\n"
      "directory and the registry store, as for the programs.\n");
}

std::optional<THostServerOptions> ParseOptions(const QStringList& arguments, QString& error) {
  THostServerOptions options;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    auto value = [&]() -> std::optional<QString> {
      if (i + 1 >= arguments.size()) {
        error = argument + QStringLiteral(" needs a value");
        return std::nullopt;
      }
      return arguments[++i];
    };
    if (argument == QLatin1String("--help")) {
      options.Help = true;
    } else if (argument == QLatin1String("--no-registry")) {
      options.Publish = false;
    } else if (argument == QLatin1String("--run")) {
      options.Run = arguments.mid(i + 1);
      if (options.Run.isEmpty()) {
        error = QStringLiteral("--run needs a program");
        return std::nullopt;
      }
      break;
    } else if (argument == QLatin1String("--serve") || argument == QLatin1String("--work-area") ||
               argument == QLatin1String("--handle") || argument == QLatin1String("--set") ||
               argument == QLatin1String("--string") || argument == QLatin1String("--die-on")) {
      const auto text = value();
      if (!text) return std::nullopt;
      bool ok = true;
      if (argument == QLatin1String("--serve")) {
        options.Settings.ServedDirectory = QDir(*text).absolutePath();
      } else if (argument == QLatin1String("--work-area")) {
        options.Settings.WorkArea = QDir(*text).absolutePath();
      } else if (argument == QLatin1String("--handle")) {
        options.Settings.HandleText = QStringToAnsi(*text);
        ok = !text->isEmpty();
      } else if (argument == QLatin1String("--set")) {
        ok = SplitAssignment(*text, options.Settings.Variables);
      } else if (argument == QLatin1String("--string")) {
        ok = SplitAssignment(*text, options.Settings.Strings);
      } else {
        options.DieOn = text->toInt(&ok);
      }
      if (!ok) {
        error = QStringLiteral("bad value for %1: %2").arg(argument, *text);
        return std::nullopt;
      }
    } else {
      error = QStringLiteral("unknown argument: ") + argument;
      return std::nullopt;
    }
  }
  if (options.Settings.HandleText.empty()) {
    options.Settings.HandleText =
        QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, QLatin1Char('0')).toStdString();
  }
  return options;
}
