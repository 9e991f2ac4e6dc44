// The program entry: the simulation's window, or, with --render or --export-csv, its charts or
// curves written to files without a window.

#include <QIcon>
#include <QStringList>
#include <cstdio>
#include <memory>

#include "app/aboutbox.h"
#include "app/appresources.h"
#include "app/chartexport.h"
#include "app/commandline.h"
#include "app/mainfrm.h"
#include "toolkit/ansi.h"
#include "toolkit/tapplication.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

void ReportError(const QString& message) {
  std::fprintf(stderr, "varactor: %s\n", message.toLocal8Bit().constData());
}

// Work without a window needs no display: on a machine without one it runs off screen.
void UseOffscreenWithoutDisplay() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

int RunWithoutWindow(const TCommandLine& command) {
  if (!command.render_file.isEmpty()) {
    // Only the charts: such a run meets no host and may run beside the simulation.
    TForm1 form(nullptr, TFormRole::ChartsOnly);
    const QString error = RenderCharts(form, command.position, command.size.value_or(DesignedChartsSize(form)),
                                       command.render_file);
    if (!error.isEmpty()) {
      ReportError(error);
      return kExitFailure;
    }
  }
  if (!command.csv_file.isEmpty()) {
    const QString error = ExportCurvesCsv(command.position, command.csv_file);
    if (!error.isEmpty()) {
      ReportError(error);
      return kExitFailure;
    }
  }
  return 0;
}

int RunSimulation(TApplication& application) {
  EnsureAppResources();
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/varactor_icon.png")));
  std::unique_ptr<TForm1> main_window;
  try {
    main_window = std::make_unique<TForm1>();
  } catch (const std::exception& error) {
    // The host that started the program is gone, or the host component could not be made: the
    // user learns why, and the program ends.
    TApplication::ShowException(AnsiToQString(error.what()));
    return kExitFailure;
  }
  Form1 = main_window.get();
  TFrmAbout about_box(main_window.get());
  FrmAbout = &about_box;
  main_window->show();
  const int result = application.exec();
  FrmAbout = nullptr;
  Form1 = nullptr;
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  const TCommandLine command = ParseCommandLine(arguments);
  if (!command.error.isEmpty()) {
    ReportError(command.error);
    return kExitUsage;
  }
  if (command.Windowless()) UseOffscreenWithoutDisplay();

  TApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("varactor"));
  QApplication::setApplicationVersion(QStringLiteral("1.0"));
  if (command.help) {
    std::fputs(CommandLineHelp().toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (command.version) {
    std::printf("varactor 1.0\n");
    return 0;
  }
  if (command.Batch()) return RunWithoutWindow(command);
  return RunSimulation(application);
}
