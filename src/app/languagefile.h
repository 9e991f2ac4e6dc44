#pragma once

#include <QString>
#include <QStringList>

// The language of the window when no language file lies beside the program and no host serves
// one: the user's own file, else the installed language asked for by --language or else by the
// desktop's locale, else English.

// What the choice depends on; CurrentLanguageEnvironment fills it from the running process.
struct TLanguageEnvironment {
  // $XDG_CONFIG_HOME, or ~/.config when it is not set.
  QString config_home;
  // The folder of the installed language files (NAME.itl each).
  QString data_directory;
  // The value of --language: a language name, an itl file's path, or empty when not given.
  QString requested;
  // The values of LANGUAGE, LC_ALL, LC_MESSAGES and LANG, in this order (empty when unset).
  QStringList locale_variables;
};

struct TLanguageChoice {
  // The file to read; empty when none is there (the keys are shown then).
  QString file;
  // Set when --language names no installed language and no readable file; nothing else counts then.
  QString error;
};

inline constexpr const char* kDefaultLanguage = "english";
inline constexpr const char* kGermanLanguage = "german";

TLanguageChoice ChooseLanguageFile(const TLanguageEnvironment& environment);

// The user's language file: config_home/varactor/varactor.itl.
QString UserLanguageFile(const QString& config_home);

// The names of the installed languages (file names without ".itl"), sorted.
QStringList InstalledLanguages(const QString& data_directory);

// The language the locale variables ask for: german for the first that begins with "de", english
// for one that begins with "en" or is "C" or "POSIX"; LANGUAGE may list several, separated by
// ":". English when none of them says.
QString LocaleLanguage(const QStringList& locale_variables);

// The installed language files' folder, found from the program's own folder the way the install
// lays them out (also in the build tree), so an installed tree can be moved as a whole.
QString InstalledLanguageDirectory();

TLanguageEnvironment CurrentLanguageEnvironment(const QString& requested);
