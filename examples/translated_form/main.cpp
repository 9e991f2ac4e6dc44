// translated_form: a small form whose labels, buttons, window title and chart captions are
// written as marked texts ("BF_Refresh") and translated by TBabelfish2000 from an itl language
// file, English or German; texts made at run time are looked up with arguments.
//
//   translated_form [--language english|german] [--snapshot FILE.png]
//
// Without --language the desktop's language decides (German, else English). With --snapshot the
// form is shown, saved into FILE.png and the program ends: exit code 0, or 1 with a message when
// the picture cannot be written; an unknown language ends the program with exit code 2.

#include <QCommandLineParser>
#include <QFile>
#include <QLocale>
#include <QTimer>
#include <cstdio>

#include <zeph/toolkit/tapplication.h>
#include <zeph/translation/babelfish2000.h>

#include "weatherform.h"

namespace {

// Loads the language's itl file from the program's resources; false when there is none.
bool LoadLanguage(zeph::TBabelfish2000& babelfish, const QString& language) {
  QFile file(QStringLiteral(":/languages/%1.itl").arg(language));
  if (!file.open(QIODevice::ReadOnly)) return false;
  babelfish.LoadFromStream(file);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // Qt's application object, with the chart's fonts and a message box for escaped exceptions.
  zeph::TApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("A form translated from an itl language file."));
  parser.addHelpOption();
  const QCommandLineOption language(QStringLiteral("language"), QStringLiteral("english or german."),
                                    QStringLiteral("name"));
  const QCommandLineOption snapshot(QStringLiteral("snapshot"),
                                    QStringLiteral("Shows the form, saves it into <file> (PNG) and ends."),
                                    QStringLiteral("file"));
  parser.addOption(language);
  parser.addOption(snapshot);
  parser.process(app);

  const QString name = parser.isSet(language) ? parser.value(language)
                       : QLocale().language() == QLocale::German ? QStringLiteral("german")
                                                                 : QStringLiteral("english");
  zeph::TBabelfish2000 babelfish;
  if (!LoadLanguage(babelfish, name)) {
    std::fprintf(stderr, "translated_form: no language %s (english, german)\n", qPrintable(name));
    return 2;
  }

  TWeatherForm form(babelfish);
  form.show();
  if (!parser.isSet(snapshot)) return QApplication::exec();

  const QString file = parser.value(snapshot);
  // Once the form has been laid out and painted.
  QTimer::singleShot(0, &form, [&] {
    if (form.grab().save(file, "PNG")) {
      QApplication::exit(0);
    } else {
      std::fprintf(stderr, "translated_form: cannot write %s\n", qPrintable(file));
      QApplication::exit(1);
    }
  });
  return QApplication::exec();
}
