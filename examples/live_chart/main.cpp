// live_chart: a chart that follows a signal as it comes in. A QTimer adds one sample per tick
// (appended to two curve objects with a fixed history, then ShowGraf); the time axis scrolls on
// when the traces reach its end, and a dashed cross-hair marks the newest running mean.
//
//   live_chart [--snapshot FILE.png]
//
// With --snapshot the window runs through 260 samples at full speed, saves a picture of itself
// into FILE.png and ends: exit code 0, or 1 with a message when the picture cannot be written.

#include <QCommandLineParser>
#include <cstdio>

#include <zeph/toolkit/tapplication.h>

#include "livechartwindow.h"

namespace {

constexpr int kSnapshotSamples = 260;  // 13 s of signal: the time axis has scrolled once

}  // namespace

int main(int argc, char** argv) {
  // Qt's application object, with the chart's fonts and a message box for escaped exceptions.
  zeph::TApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("A chart that follows a signal as it comes in."));
  parser.addHelpOption();
  const QCommandLineOption snapshot(QStringLiteral("snapshot"),
                                    QStringLiteral("Runs through a few seconds of signal, saves the window into <file> (PNG) and ends."),
                                    QStringLiteral("file"));
  parser.addOption(snapshot);
  parser.process(app);

  TLiveChartWindow window;
  window.show();
  if (!parser.isSet(snapshot)) return QApplication::exec();

  const QString file = parser.value(snapshot);
  window.SetTickInterval(1);
  QObject::connect(&window, &TLiveChartWindow::SampleAdded, &window, [&](int count) {
    if (count != kSnapshotSamples) return;
    if (window.grab().save(file, "PNG")) {
      QApplication::exit(0);
    } else {
      std::fprintf(stderr, "live_chart: cannot write %s\n", qPrintable(file));
      QApplication::exit(1);
    }
  });
  return QApplication::exec();
}
