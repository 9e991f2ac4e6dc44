// log_and_time_axes: cell counts of a bacterial culture on a logarithmic axis against a date/time
// axis, with two cross-hairs (one reads the curve where it is dragged to, one marks a level) and
// the mouse modes that zoom into a window, pan, and drag the cross-hairs.
//
//   log_and_time_axes [--snapshot FILE.png]
//
// With --snapshot the window is shown, saved into FILE.png and the program ends: exit code 0, or 1
// with a message when the picture cannot be written.

#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

#include <zeph/toolkit/tapplication.h>

#include "growthwindow.h"

int main(int argc, char** argv) {
  // Qt's application object, with the chart's fonts and a message box for escaped exceptions.
  zeph::TApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("A logarithmic and a date/time axis with cross-hairs and mouse zoom."));
  parser.addHelpOption();
  const QCommandLineOption snapshot(QStringLiteral("snapshot"),
                                    QStringLiteral("Shows the window, saves it into <file> (PNG) and ends."),
                                    QStringLiteral("file"));
  parser.addOption(snapshot);
  parser.process(app);

  TGrowthWindow window;
  window.show();
  if (!parser.isSet(snapshot)) return QApplication::exec();

  const QString file = parser.value(snapshot);
  // Once the window has been laid out and painted.
  QTimer::singleShot(0, &window, [&] {
    if (window.grab().save(file, "PNG")) {
      QApplication::exit(0);
    } else {
      std::fprintf(stderr, "log_and_time_axes: cannot write %s\n", qPrintable(file));
      QApplication::exit(1);
    }
  });
  return QApplication::exec();
}
