// An example program for developers who reuse the chart control: layers, a logarithmic axis,
// cross-hairs, text labels, two charts sharing one item list, and every mouse mode.
//
//   chartdemo [--mode NAME] [--navigation] [--antialiased] [--dark] [--legend] [--screenshot FILE]
//             [--help] [--version]
//
// --mode preselects a mouse mode by its name (maPan, maZoomWind, ...). With --screenshot the
// window is shown, grabbed into FILE (PNG) and the program ends.

#include <QMetaEnum>
#include <QPalette>
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
    QStringLiteral("Usage: chartdemo [--mode NAME] [--navigation] [--antialiased] [--dark] [--legend]\n"
                   "                 [--screenshot FILE]\n"
                   "What the chart control can do: layers with joined time axes, a logarithmic axis,\n"
                   "cross-hairs, text labels, two charts sharing data, and every mouse mode.\n\n"
                   "  --mode NAME        Starts in that mouse mode (maNone, maPan, maZoom, maZoomWind, ...).\n"
                   "  --navigation       Wheel zoom, panning, zoom windows, home view and keys switched on.\n"
                   "  --antialiased      Draws the curves, marks and grid anti-aliased.\n"
                   "  --dark             A dark window palette, and the charts in the palette's colours.\n"
                   "  --legend           Shows the legends (a click on a line hides that curve).\n"
                   "  --screenshot FILE  Shows the window, saves it into FILE (PNG) and ends.\n"
                   "  -h, --help         Shows this help and ends.\n"
                   "  --version          Shows the version and ends.\n"),
    {QStringLiteral("navigation"), QStringLiteral("antialiased"), QStringLiteral("dark"), QStringLiteral("legend")},
    {QStringLiteral("mode"), QStringLiteral("screenshot")}};

// A dark palette as dark desktop themes have it.
QPalette DarkPalette() {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x30));
  dark.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
  dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
  dark.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
  dark.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x40));
  dark.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xe8));
  dark.setColor(QPalette::Dark, QColor(0x10, 0x10, 0x10));
  dark.setColor(QPalette::Highlight, QColor(0x26, 0x4f, 0x78));
  return dark;
}

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

  if (args.contains(QStringLiteral("--dark"))) QApplication::setPalette(DarkPalette());
  TDemoWindow window;
  window.SetNavigation(args.contains(QStringLiteral("--navigation")));
  window.SetAntialiased(args.contains(QStringLiteral("--antialiased")));
  window.SetPaletteColors(args.contains(QStringLiteral("--dark")));
  window.SetLegend(args.contains(QStringLiteral("--legend")));
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
