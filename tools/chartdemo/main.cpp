// An example program for developers who reuse the chart control: layers, a logarithmic axis,
// cross-hairs, text labels, two charts sharing one item list, and every mouse mode.
//
//   chartdemo [--mode NAME] [--screenshot FILE] [--help] [--version]
//
// --mode preselects a mouse mode by its name (maPan, maZoomWind, ...). With --screenshot the
// window is shown, grabbed into FILE (PNG) and the program ends.

#include <QMetaEnum>
#include <QStringList>
#include <QTimer>
#include <cstdio>

#include "zeph/chart/zephchart.h"
#include "zeph/toolkit/displayguard.h"
#include "zeph/toolkit/programoptions.h"
#include "zeph/toolkit/tapplication.h"
#include "demowindow.h"

using namespace zeph;

namespace {

// The value after an option, or an empty string with a message when it is missing.
bool OptionValue(const QStringList& args, const QString& option, QString& value) {
  const qsizetype at = args.indexOf(option);
  if (at < 0) return true;
  if (at + 1 >= args.size()) {
    std::fprintf(stderr, "chartdemo: %s needs a value\n", qPrintable(option));
    return false;
  }
  value = args.at(at + 1);
  return true;
}

const TProgramUsage kUsage{
    QStringLiteral("chartdemo"), QStringLiteral(VARACTOR_VERSION),
    QStringLiteral("Usage: chartdemo [--mode NAME] [--screenshot FILE]\n"
                   "What the chart control can do: layers with joined time axes, a logarithmic axis,\n"
                   "cross-hairs, text labels, two charts sharing data, and every mouse mode.\n\n"
                   "  --mode NAME        Starts in that mouse mode (maNone, maPan, maZoom, maZoomWind, ...).\n"
                   "  --screenshot FILE  Shows the window, saves it into FILE (PNG) and ends.\n"
                   "  -h, --help         Shows this help and ends.\n"
                   "  --version          Shows the version and ends.\n"),
    {},
    {QStringLiteral("mode"), QStringLiteral("screenshot")}};

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> answered = AnswerCommandLine(ArgumentList(argc, argv), kUsage)) return *answered;
  const std::unique_ptr<TApplication> app = StartWindowApplication(argc, argv, kUsage.name);
  const QStringList args = QApplication::arguments();
  QString screenshot;
  QString mode;
  if (!OptionValue(args, QStringLiteral("--screenshot"), screenshot) ||
      !OptionValue(args, QStringLiteral("--mode"), mode)) {
    return 2;
  }

  TDemoWindow window;
  if (!mode.isEmpty()) {
    bool known = false;
    const int value = QMetaEnum::fromType<ZephEnums::TMouseActMode>().keyToValue(qPrintable(mode), &known);
    if (!known || !window.SetMouseMode(static_cast<TMouseActMode>(value))) {
      std::fprintf(stderr, "chartdemo: unknown mouse mode %s\n", qPrintable(mode));
      return 2;
    }
  }
  window.show();
  if (screenshot.isEmpty()) return QApplication::exec();

  int result = 0;
  QTimer::singleShot(300, &window, [&] {
    if (!window.grab().save(screenshot, "PNG")) {
      std::fprintf(stderr, "chartdemo: cannot write %s\n", qPrintable(screenshot));
      result = 1;
    }
    QApplication::quit();
  });
  QApplication::exec();
  return result;
}
