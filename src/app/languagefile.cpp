#include "app/languagefile.h"

#include <QDir>
#include <QFileInfo>

#include "zeph/toolkit/filenames.h"
#include "zeph/translation/itlfilename.h"

using namespace zeph;

namespace {

const QString kItlSuffix = QStringLiteral(".itl");

// Checked on the name's bytes: a name that is no UTF-8 is still that file.
bool IsReadableFile(const QString& file) { return IsReadableFileName(file); }

// A --language value that names a file rather than an installed language.
bool IsFilePath(const QString& requested) {
  return requested.contains(QLatin1Char('/')) || requested.endsWith(kItlSuffix, Qt::CaseInsensitive);
}

QString InstalledFile(const QString& data_directory, const QString& language) {
  return QDir(data_directory).filePath(language + kItlSuffix);
}

QString LanguageOfLocale(const QString& locale) {
  if (locale.startsWith(QLatin1String("de"))) return QLatin1String(kGermanLanguage);
  if (locale.startsWith(QLatin1String("en")) || locale == QLatin1String("C") ||
      locale.startsWith(QLatin1String("C.")) || locale == QLatin1String("POSIX"))
    return QLatin1String(kDefaultLanguage);
  return {};
}

}  // namespace

QString UserLanguageFile(const QString& config_home) {
  return QDir(config_home).filePath(QStringLiteral("varactor/varactor.itl"));
}

QStringList InstalledLanguages(const QString& data_directory) {
  QStringList languages;
  const QStringList files = QDir(data_directory).entryList({QStringLiteral("*") + kItlSuffix}, QDir::Files, QDir::Name);
  for (const QString& file : files) languages.append(file.chopped(kItlSuffix.size()));
  return languages;
}

QString LocaleLanguage(const QStringList& locale_variables) {
  QStringList candidates = locale_variables.value(0).split(QLatin1Char(':'), Qt::SkipEmptyParts);
  // Of LC_ALL, LC_MESSAGES and LANG the first that is set decides, as for every program.
  for (qsizetype i = 1; i < locale_variables.size(); ++i) {
    if (!locale_variables[i].isEmpty()) {
      candidates.append(locale_variables[i]);
      break;
    }
  }
  for (const QString& candidate : candidates) {
    const QString language = LanguageOfLocale(candidate);
    if (!language.isEmpty()) return language;
  }
  return QLatin1String(kDefaultLanguage);
}

TLanguageChoice ChooseLanguageFile(const TLanguageEnvironment& environment) {
  QString wanted;
  if (!environment.requested.isEmpty()) {
    if (IsFilePath(environment.requested)) {
      if (!IsReadableFile(environment.requested))
        return {{}, QStringLiteral("--language: cannot read the language file '%1'").arg(environment.requested)};
      wanted = environment.requested;
    } else {
      const QString name = environment.requested.toLower();
      const QStringList installed = InstalledLanguages(environment.data_directory);
      if (!installed.contains(name)) {
        return {{},
                QStringLiteral("unknown language '%1': installed are %2, or give the path of an itl file")
                    .arg(environment.requested,
                         installed.isEmpty() ? QStringLiteral("none") : installed.join(QLatin1String(", ")))};
      }
      wanted = InstalledFile(environment.data_directory, name);
    }
  }
  const QString user_file = UserLanguageFile(environment.config_home);
  if (IsReadableFile(user_file)) return {user_file, {}};
  if (!wanted.isEmpty()) return {wanted, {}};
  const QString by_locale = InstalledFile(environment.data_directory, LocaleLanguage(environment.locale_variables));
  if (IsReadableFile(by_locale)) return {by_locale, {}};
  const QString english = InstalledFile(environment.data_directory, QLatin1String(kDefaultLanguage));
  if (IsReadableFile(english)) return {english, {}};
  return {};
}

QString InstalledLanguageDirectory() {
  const QString program_directory = QFileInfo(ExecutablePath()).absolutePath();
  return QDir::cleanPath(QDir(program_directory).filePath(QStringLiteral(VARACTOR_DATA_FROM_BIN)));
}

TLanguageEnvironment CurrentLanguageEnvironment(const QString& requested) {
  // The folders' names keep their bytes.
  QString config_home = FileNameFromBytes(qgetenv("XDG_CONFIG_HOME"));
  // A relative XDG_CONFIG_HOME is invalid and is to be ignored, as for every XDG program.
  if (config_home.isEmpty() || QDir::isRelativePath(config_home)) {
    const QByteArray home = qgetenv("HOME");
    config_home = (home.startsWith('/') ? FileNameFromBytes(home) : QDir::homePath()) + QStringLiteral("/.config");
  }
  QStringList locale_variables;
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
    locale_variables.append(qEnvironmentVariable(name));
  return {config_home, InstalledLanguageDirectory(), requested, locale_variables};
}
