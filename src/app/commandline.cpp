#include "app/commandline.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QSet>

#include "app/varactormodel.h"

namespace {

struct Options {
  QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help and exits.")};
  QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                             QStringLiteral("Shows the program's version and exits.")};
  QCommandLineOption render{QStringLiteral("render"),
                            QStringLiteral("Draws both charts off screen into FILE: a PDF when the name ends in "
                                           ".pdf, else an image in the format its extension names."),
                            QStringLiteral("FILE")};
  QCommandLineOption export_csv{QStringLiteral("export-csv"),
                                QStringLiteral("Writes both curves to FILE as comma-separated values."),
                                QStringLiteral("FILE")};
  QCommandLineOption position{QStringLiteral("position"),
                              QStringLiteral("The slider position for --render and --export-csv, -1000 "
                                             "(hyperabrupt) to 1000 (linear); 0 when not given."),
                              QStringLiteral("P")};
  QCommandLineOption size{QStringLiteral("size"),
                          QStringLiteral("The size of the --render image in pixels (points for a PDF), for "
                                         "example 1200x500."),
                          QStringLiteral("WxH")};

  QList<QCommandLineOption> All() const { return {help, version, render, export_csv, position, size}; }

  void AddTo(QCommandLineParser& parser) const {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Varactor: the characteristic curve of a varactor diode for a graded doping profile."));
    for (const QCommandLineOption& option : All()) parser.addOption(option);
  }
};

// Keeps the program's own options (with their values) and drops everything else, so that the
// host's parameters and options meant for others never count as errors.
QStringList OwnArguments(const QStringList& arguments, const Options& options) {
  QSet<QString> flags;
  QSet<QString> valued;
  for (const QCommandLineOption& option : options.All())
    for (const QString& name : option.names()) (option.valueName().isEmpty() ? flags : valued).insert(name);

  QStringList own{arguments.value(0)};
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) continue;
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    const bool inline_value = equals >= 0;
    if (inline_value) name.truncate(equals);
    if (flags.contains(name)) {
      own.append(argument);
    } else if (valued.contains(name)) {
      own.append(argument);
      if (!inline_value && i + 1 < arguments.size()) own.append(arguments[++i]);
    }
  }
  return own;
}

QString PositionError(const QString& text) {
  return QStringLiteral("invalid --position '%1': expected a whole number from %2 to %3")
      .arg(text)
      .arg(varactor::kSliderMin)
      .arg(varactor::kSliderMax);
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments) {
  const Options options;
  QCommandLineParser parser;
  options.AddTo(parser);
  TCommandLine result;
  if (!parser.parse(OwnArguments(arguments, options))) {
    result.error = parser.errorText();
    return result;
  }
  result.help = parser.isSet(options.help);
  result.version = parser.isSet(options.version);
  result.render_file = parser.value(options.render);
  result.csv_file = parser.value(options.export_csv);
  if (parser.isSet(options.render) && result.render_file.isEmpty()) {
    result.error = QStringLiteral("--render needs a file name");
    return result;
  }
  if (parser.isSet(options.export_csv) && result.csv_file.isEmpty()) {
    result.error = QStringLiteral("--export-csv needs a file name");
    return result;
  }
  if (parser.isSet(options.position)) {
    const QString text = parser.value(options.position).trimmed();
    bool ok = false;
    const int position = text.toInt(&ok);
    if (!ok || position < varactor::kSliderMin || position > varactor::kSliderMax) {
      result.error = PositionError(parser.value(options.position));
      return result;
    }
    if (!result.Batch()) {
      result.error = QStringLiteral("--position applies only to --render and --export-csv");
      return result;
    }
    result.position = position;
  }
  if (parser.isSet(options.size)) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,9})\\s*[xX]\\s*(\\d{1,9})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(parser.value(options.size));
    const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
    const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
    if (width < 1 || height < 1 || width > kMaxRenderExtent || height > kMaxRenderExtent) {
      result.error = QStringLiteral("invalid --size '%1': expected WIDTHxHEIGHT, each from 1 to %2")
                         .arg(parser.value(options.size))
                         .arg(kMaxRenderExtent);
      return result;
    }
    if (result.render_file.isEmpty()) {
      result.error = QStringLiteral("--size applies only to --render");
      return result;
    }
    result.size = QSize(width, height);
  }
  return result;
}

QString CommandLineHelp() {
  const Options options;
  QCommandLineParser parser;
  options.AddTo(parser);
  return parser.helpText() +
         QStringLiteral(
             "\nEnvironment:\n"
             "  VARACTOR_STATE_FILE  A file that the simulation rewrites after each visible step\n"
             "                       with its window titles, about-box texts, icons, slider\n"
             "                       position and parameters (a diagnostic; off when unset).\n");
}
