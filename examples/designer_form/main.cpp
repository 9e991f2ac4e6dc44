// designer_form: a form laid out in Qt Designer, with the chart and the scale control placed from
// the widget box of the ZephChart Designer plugin and built by uic: the Bode plot of an RC
// low-pass filter, magnitude and phase on two y axes.
//
//   designer_form [--snapshot FILE.png] [--save-chart FILE.png|FILE.pdf|FILE.svg]
//
// --snapshot saves a picture of the whole window, --save-chart the chart alone through SaveAs (a
// PDF or SVG in vectors); either ends the program: exit code 0, or 1 with a message when the file
// cannot be written.

#include <QCommandLineParser>
#include <cstdio>

#include <zeph/scales/zepherror.h>
#include <zeph/toolkit/tapplication.h>

#include "bodeform.h"

int main(int argc, char** argv) {
  zeph::TApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("A Bode plot on a form made in Qt Designer."));
  parser.addHelpOption();
  const QCommandLineOption snapshot(QStringLiteral("snapshot"), QStringLiteral("Saves the window into <file> (PNG) and ends."),
                                    QStringLiteral("file"));
  const QCommandLineOption save_chart(QStringLiteral("save-chart"),
                                      QStringLiteral("Saves the chart into <file> (PNG, PDF or SVG) and ends."),
                                      QStringLiteral("file"));
  parser.addOption(snapshot);
  parser.addOption(save_chart);
  parser.process(app);

  TBodeForm form;
  form.show();
  if (!parser.isSet(snapshot) && !parser.isSet(save_chart)) return QApplication::exec();

  if (parser.isSet(save_chart)) {
    try {
      form.Chart()->SaveAs(parser.value(save_chart));
    } catch (const zeph::EZephChartError& error) {
      std::fprintf(stderr, "designer_form: %s\n", error.what());
      return 1;
    }
  }
  if (parser.isSet(snapshot) && !form.grab().save(parser.value(snapshot), "PNG")) {
    std::fprintf(stderr, "designer_form: cannot write %s\n", qPrintable(parser.value(snapshot)));
    return 1;
  }
  return 0;
}
