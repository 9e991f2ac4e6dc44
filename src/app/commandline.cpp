#include "app/commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include "app/languagefile.h"
#include "app/lesson/keptcurves.h"
#include "app/varactormodel.h"
#include "zeph/toolkit/nearestname.h"

using namespace zeph;

namespace {

struct Options {
  QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help and exits.")};
  QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                             QStringLiteral("Shows the program's version and exits.")};
  QCommandLineOption projector{QStringLiteral("projector"),
                               QStringLiteral("Draws for a projector: curves 3 pixels wide, a darker grid, text "
                                              "one and a half times as large (the window's context menu "
                                              "switches it and remembers it).")};
  QCommandLineOption render{QStringLiteral("render"),
                            QStringLiteral("Draws both charts off screen into FILE: a PDF when the name ends in "
                                           ".pdf, an SVG drawing for .svg, else an image in the format its "
                                           "extension names (or --format names); - writes it to standard "
                                           "output in the format --format names."),
                            QStringLiteral("FILE")};
  QCommandLineOption export_csv{QStringLiteral("export-csv"),
                                QStringLiteral("Writes both curves to FILE as comma-separated values; - writes "
                                               "them to standard output."),
                                QStringLiteral("FILE")};
  QCommandLineOption sonify{QStringLiteral("sonify"),
                            QStringLiteral("Writes both curves as sound to the WAV file FILE, the profile first, "
                                           "then the capacitance: pitch follows each curve over two seconds; - "
                                           "writes it to standard output."),
                            QStringLiteral("FILE")};
  QCommandLineOption handout{QStringLiteral("handout"),
                             QStringLiteral("Writes an A4 handout of the grading to the PDF file FILE: both "
                                            "charts, the laws and a table of values; - writes it to standard "
                                            "output."),
                             QStringLiteral("FILE")};
  QCommandLineOption position{QStringLiteral("position"),
                              QStringLiteral("The slider position, -1000 (hyperabrupt) to 1000 (linear), that "
                                             "the window opens at and the files are written for; 0 when not "
                                             "given."),
                              QStringLiteral("P")};
  QCommandLineOption keep{QStringLiteral("keep"),
                          QStringLiteral("Slider positions whose curves are kept beside the current ones to "
                                         "compare, up to four, separated by commas (for example -1000,1000)."),
                          QStringLiteral("P1,P2,...")};
  QCommandLineOption size{QStringLiteral("size"),
                          QStringLiteral("The size of the --render image in pixels (points for a PDF), for "
                                         "example 1200x500."),
                          QStringLiteral("WxH")};
  QCommandLineOption scale{QStringLiteral("scale"),
                           QStringLiteral("Draws the --render image at F times its pixels, everything as on a "
                                          "screen of that density (for slides and print): 1 to 4, 1 when not "
                                          "given."),
                           QStringLiteral("F")};
  QCommandLineOption format{QStringLiteral("format"),
                            QStringLiteral("The file format of --render: pdf, svg, or an image format such as png "
                                           "or jpg; by default the one the file's extension names."),
                            QStringLiteral("FORMAT")};
  QCommandLineOption language{QStringLiteral("language"),
                              QStringLiteral("The language of the window when no language file lies beside the "
                                             "program and the user has chosen none: english, german, or the "
                                             "path of an itl language file."),
                              QStringLiteral("NAME")};

  QList<QCommandLineOption> All() const {
    return {help,    version,  projector, render, export_csv, sonify,
            handout, position, keep,      size,   scale,      format, language};
  }

  void AddTo(QCommandLineParser& parser) const {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Varactor: a varactor diode's characteristic curve for a graded doping profile."));
    for (const QCommandLineOption& option : All()) parser.addOption(option);
  }
};

// The long names of the program's options, for suggestions.
QStringList LongNames(const Options& options) {
  QStringList names;
  for (const QCommandLineOption& option : options.All())
    for (const QString& name : option.names())
      if (name.size() > 1) names.append(name);
  return names;
}

struct TOwnArguments {
  QStringList arguments;
  QString error;
};

// Keeps the program's own options (with their values) and leaves the host's arguments alone:
// those in the host's form (beginning with "/") and everything after one, words that are no
// options, single-dash options, and everything after "--". A "--" option before any of the
// host's arguments that the program does not know is a mistyped option of its own.
TOwnArguments OwnArguments(const QStringList& arguments, const Options& options) {
  QSet<QString> flags;
  QSet<QString> valued;
  for (const QCommandLineOption& option : options.All())
    for (const QString& name : option.names()) (option.valueName().isEmpty() ? flags : valued).insert(name);

  TOwnArguments own{{arguments.value(0)}, {}};
  bool host_part = false;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--")) break;
    if (argument.startsWith(QLatin1Char('/'))) host_part = true;
    if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) continue;
    const bool long_option = argument.startsWith(QLatin1String("--"));
    QString name = argument.mid(long_option ? 2 : 1);
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    const bool inline_value = equals >= 0;
    if (inline_value) name.truncate(equals);
    if (flags.contains(name)) {
      own.arguments.append(argument);
    } else if (valued.contains(name)) {
      own.arguments.append(argument);
      if (!inline_value && i + 1 < arguments.size()) own.arguments.append(arguments[++i]);
    } else if (long_option && !host_part && own.error.isEmpty()) {
      own.error = QStringLiteral("unknown option '--%1'; did you mean '--%2'? (see varactor --help)")
                      .arg(name, NearestName(name, LongNames(options)));
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
  const TOwnArguments own = OwnArguments(arguments, options);
  if (!own.error.isEmpty()) {
    result.error = own.error;
    return result;
  }
  if (!parser.parse(own.arguments)) {
    result.error = parser.errorText();
    return result;
  }
  // Each option once: a second value would silently win over the first.
  for (const QCommandLineOption* single :
       {&options.render, &options.export_csv, &options.sonify, &options.handout, &options.position, &options.keep,
        &options.size, &options.scale, &options.format, &options.language}) {
    if (parser.values(*single).size() > 1) {
      result.error = QStringLiteral("--%1 may be given only once").arg(single->names().constFirst());
      return result;
    }
  }
  result.help = parser.isSet(options.help);
  result.version = parser.isSet(options.version);
  result.projector = parser.isSet(options.projector);
  result.render_file = parser.value(options.render);
  result.csv_file = parser.value(options.export_csv);
  result.sonify_file = parser.value(options.sonify);
  result.handout_file = parser.value(options.handout);
  result.language = parser.value(options.language);
  if (parser.isSet(options.language) && result.language.isEmpty()) {
    result.error = QStringLiteral("--language needs a language name or file");
    return result;
  }
  if (parser.isSet(options.render) && result.render_file.isEmpty()) {
    result.error = QStringLiteral("--render needs a file name");
    return result;
  }
  if (parser.isSet(options.export_csv) && result.csv_file.isEmpty()) {
    result.error = QStringLiteral("--export-csv needs a file name");
    return result;
  }
  if (parser.isSet(options.sonify) && result.sonify_file.isEmpty()) {
    result.error = QStringLiteral("--sonify needs a file name");
    return result;
  }
  if (parser.isSet(options.handout) && result.handout_file.isEmpty()) {
    result.error = QStringLiteral("--handout needs a file name");
    return result;
  }
  // Standard output takes one file.
  const int to_standard_output = (result.render_file == QLatin1String("-")) +
                                 (result.csv_file == QLatin1String("-")) + (result.sonify_file == QLatin1String("-")) +
                                 (result.handout_file == QLatin1String("-"));
  if (to_standard_output > 1) {
    result.error =
        QStringLiteral("only one of --render, --export-csv, --sonify and --handout can write to standard output (-)");
    return result;
  }
  if (parser.isSet(options.format)) {
    result.format = parser.value(options.format).trimmed().toLower();
    static const QRegularExpression format_pattern(QStringLiteral("^[a-z0-9]{1,16}$"));
    if (!format_pattern.match(result.format).hasMatch()) {
      result.error = QStringLiteral("invalid --format '%1': expected pdf, svg or an image format such as png")
                         .arg(parser.value(options.format));
      return result;
    }
    if (result.render_file.isEmpty()) {
      result.error = QStringLiteral("--format applies only to --render");
      return result;
    }
  }
  if (result.render_file == QLatin1String("-") && result.format.isEmpty()) {
    result.error = QStringLiteral("--render - writes the picture to standard output and needs its format: add "
                                  "--format png (or svg, pdf, ...)");
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
    result.position = position;
  }
  if (parser.isSet(options.keep)) {
    const QStringList positions = parser.value(options.keep).split(QLatin1Char(','));
    for (const QString& text : positions) {
      bool ok = false;
      const int position = text.trimmed().toInt(&ok);
      if (!ok || position < varactor::kSliderMin || position > varactor::kSliderMax ||
          positions.size() > static_cast<qsizetype>(TKeptCurves::kMaxKept)) {
        result.error = QStringLiteral("invalid --keep '%1': expected up to %2 whole numbers from %3 to %4, "
                                      "separated by commas")
                           .arg(parser.value(options.keep))
                           .arg(TKeptCurves::kMaxKept)
                           .arg(varactor::kSliderMin)
                           .arg(varactor::kSliderMax);
        return result;
      }
      result.keep.push_back(position);
    }
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
  if (parser.isSet(options.scale)) {
    bool ok = false;
    const double scale = parser.value(options.scale).trimmed().toDouble(&ok);
    if (!ok || !(scale >= kMinRenderScale && scale <= kMaxRenderScale)) {
      result.error = QStringLiteral("invalid --scale '%1': expected a number from %2 to %3")
                         .arg(parser.value(options.scale))
                         .arg(kMinRenderScale)
                         .arg(kMaxRenderScale);
      return result;
    }
    const QString suffix = result.format.isEmpty() ? QFileInfo(result.render_file).suffix().toLower() : result.format;
    if (result.render_file.isEmpty() || suffix == QLatin1String("pdf") || suffix == QLatin1String("svg")) {
      result.error = QStringLiteral("--scale applies only to --render of an image (PDF and SVG are drawn as vectors)");
      return result;
    }
    result.scale = scale;
  }
  return result;
}

QString CommandLineHelp() {
  const Options options;
  QCommandLineParser parser;
  options.AddTo(parser);
  return parser.helpText() +
         QStringLiteral(
             "\nArguments that begin with \"/\", and all that follow one, belong to the host\n"
             "e-learning server that started the program and are passed to it untouched, as\n"
             "are words that are no option and everything after \"--\".\n"
             "\nLanguage: the window's texts come from the first of these language files that\n"
             "exists:\n"
             "  1. varactor.itl beside the program (under a host: the file the host serves);\n"
             "  2. $XDG_CONFIG_HOME/varactor/varactor.itl (~/.config/varactor/varactor.itl),\n"
             "     the user's own choice, which nothing of the program ever overwrites;\n"
             "  3. the installed language that --language names, else the desktop's language\n"
             "     (LANGUAGE, LC_ALL, LC_MESSAGES, LANG: German for de*, else English);\n"
             "  4. English.\n"
             "  Installed languages are in %1.\n"
             "\nEnvironment:\n"
             "  DISPLAY, WAYLAND_DISPLAY  The desktop for the window; --help, --version,\n"
             "                       --render, --export-csv, --sonify and --handout need none.\n"
             "  LANGUAGE, LC_ALL, LC_MESSAGES, LANG  The desktop's language (see above).\n"
             "  XDG_CONFIG_HOME      Where the user's language file is looked for.\n"
             "  LEXIVO_STALL_LIMIT_MS  How long a request waits for a host that makes no\n"
             "                       progress: a positive whole number of milliseconds, or\n"
             "                       none for no limit (10000 when unset or invalid).\n"
             "  VARACTOR_STATE_FILE  A file that the simulation rewrites after each visible\n"
             "                       step with its window titles, about-box texts, icons,\n"
             "                       slider position and parameters (a diagnostic; off when\n"
             "                       unset).\n"
             "\nExit status: 0 done; 1 a file could not be written, no window could be opened,\n"
             "or the host is gone or not responding; 2 a wrong option or value; 128 + N ended\n"
             "by signal N (SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, ...) through the normal\n"
             "exit, which removes every unfinished file.\n")
             .arg(InstalledLanguageDirectory());
}
