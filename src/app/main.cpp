// The program entry: the simulation's window, or, with --render or --export-csv, its charts or
// curves written to files without a window.

#include <QCoreApplication>
#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "app/aboutbox.h"
#include "app/appresources.h"
#include "app/chartcaptions.h"
#include "app/chartexport.h"
#include "app/commandline.h"
#include "app/controls/ttrackbar.h"
#include "app/lesson/keptcurves.h"
#include "app/lesson/projectorlook.h"
#include "app/languagefile.h"
#include "app/mainfrm.h"
#include "app/output/handout.h"
#include "app/sonify.h"
#include "app/terminationsignals.h"
#include "host/customdemon.h"
#include "zeph/toolkit/ansi.h"
#include "zeph/toolkit/displayguard.h"
#include "zeph/toolkit/filenames.h"
#include "zeph/toolkit/programoptions.h"
#include "zeph/toolkit/safefile.h"
#include "zeph/toolkit/tapplication.h"

using namespace zeph;

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

// File names in the message keep their bytes (see FileNameFromBytes).
void ReportError(const QString& message) { std::fprintf(stderr, "varactor: %s\n", DisplayBytes(message).constData()); }

int RunWithoutWindow(const TCommandLine& command, const QString& language_file) {
  const std::unique_ptr<TBabelfish2000> dictionary = LoadLanguageFile(language_file);
  if (!command.render_file.isEmpty()) {
    // Only the charts: such a run meets no host and may run beside the simulation.
    TForm1 form(nullptr, TFormRole::ChartsOnly);
    TranslateChartsOnly(form, dictionary.get());
    for (const int kept : command.keep) form.KeptCurves()->Keep(kept);
    form.Projector()->SetOn(command.projector);
    const QSize size = command.size.value_or(DesignedChartsSize(form));
    if (const QString problem = RenderSizeProblem(form, size, command.scale); !problem.isEmpty()) {
      ReportError(problem);
      return kExitUsage;
    }
    const QString error =
        RenderCharts(form, command.position, size, command.render_file, command.scale, command.format);
    if (!error.isEmpty()) {
      ReportError(error);
      return kExitFailure;
    }
  }
  if (!command.csv_file.isEmpty()) {
    const QString error = ExportCurvesCsv(command.position, command.csv_file, command.keep);
    if (!error.isEmpty()) {
      ReportError(error);
      return kExitFailure;
    }
  }
  if (!command.handout_file.isEmpty()) {
    const QString error = WriteHandout({command.position, command.keep, dictionary.get()}, command.handout_file);
    if (!error.isEmpty()) {
      ReportError(error);
      return kExitFailure;
    }
  }
  if (!command.sonify_file.isEmpty()) {
    TForm1 form(nullptr, TFormRole::ChartsOnly);
    const QString error = SonifyCurves(form, command.position, command.sonify_file);
    if (!error.isEmpty()) {
      ReportError(error);
      return kExitFailure;
    }
  }
  return 0;
}

int RunSimulation(TApplication& application, const TCommandLine& command) {
  QApplication::setWindowIcon(ProgramIcon());
  std::unique_ptr<TForm1> main_window;
  // From here on: the start-up may already wait on the host.
  EndOnTerminationSignals();
  try {
    main_window = std::make_unique<TForm1>();
  } catch (const std::exception& error) {
    if (TerminationSignal() != 0) return 128 + TerminationSignal();
    // The host that started the program is gone or silent, or the host component could not be
    // made: the user learns why (and a log of the host's too), and the program ends.
    ReportError(AnsiToQString(error.what()));
    TApplication::ShowException(AnsiToQString(error.what()));
    return kExitFailure;
  }
  if (TerminationSignal() != 0) return 128 + TerminationSignal();
  Form1 = main_window.get();
  // The slider starts where it was asked to; the curves follow once the about box is closed, as
  // at every start.
  const TNotifyEvent change = std::exchange(main_window->TBDistribution->OnChange, {});
  main_window->TBDistribution->SetPosition(command.position);
  main_window->TBDistribution->OnChange = change;
  for (const int kept : command.keep) main_window->KeptCurves()->Keep(kept);
  main_window->Projector()->SetOn(command.projector || TProjectorLook::Remembered());
  TFrmAbout about_box(main_window.get());
  FrmAbout = &about_box;
  main_window->show();
  const int result = application.exec();
  FrmAbout = nullptr;
  Form1 = nullptr;
  return result;
}

// Batch runs use no runtime directory: Qt's notices about XDG_RUNTIME_DIR (unset, not a folder,
// of the wrong mode) mean nothing to them and would be the only line on standard error.
QtMessageHandler previous_message_handler = nullptr;

void DropRuntimeDirectoryNotice(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:"))) return;
  if (previous_message_handler != nullptr) {
    previous_message_handler(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  }
}

// A batch run ended by a signal leaves no unfinished file beside its output.
void EndBatchOnSignal(int number) {
  TSafeFile::RemoveUnfinishedFiles();
  signal(number, SIG_DFL);
  raise(number);
}

// Every signal that would end a batch run removes its unfinished files first: the asynchronous
// ones of EndingSignals() and the faults, which end it right after.
void EndBatchOnEverySignal() {
  std::vector<int> numbers = EndingSignals();
  for (const int fault : {SIGABRT, SIGBUS, SIGFPE, SIGILL, SIGSEGV, SIGSYS, SIGTRAP}) numbers.push_back(fault);
  struct sigaction action {};
  action.sa_handler = EndBatchOnSignal;
  sigemptyset(&action.sa_mask);
  for (const int number : numbers) sigaction(number, &action, nullptr);
}

void NameApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("varactor"));
  QCoreApplication::setApplicationVersion(QStringLiteral(VARACTOR_VERSION));
}

}  // namespace

int main(int argc, char** argv) {
  // A closed standard stream is noticed before any file could take its number.
  TSafeFile::NoteClosedStandardStreams();
  // A reader that goes away and a file size limit are failures of the write, said as such.
  IgnoreWriteSignals();
  const TCommandLine command = ParseCommandLine(ArgumentList(argc, argv));
  if (!command.error.isEmpty()) {
    ReportError(command.error);
    return kExitUsage;
  }
  const TLanguageChoice language = ChooseLanguageFile(CurrentLanguageEnvironment(command.language));
  if (!language.error.isEmpty()) {
    ReportError(language.error);
    return kExitUsage;
  }

  if (command.help || command.version) {
    // Text only: no window system is touched.
    QCoreApplication application(argc, argv);
    NameApplication();
    if (command.help)
      std::fputs(CommandLineHelp().toLocal8Bit().constData(), stdout);
    else
      std::printf("varactor %s\n", VARACTOR_VERSION);
    return 0;
  }

  if (command.Batch()) {
    // Drawn off screen whatever display there is, so the files do not depend on one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previous_message_handler = qInstallMessageHandler(DropRuntimeDirectoryNotice);
    EndBatchOnEverySignal();
    TApplication application(argc, argv);
    NameApplication();
    return RunWithoutWindow(command, language.file);
  }

  const std::unique_ptr<TApplication> application =
      StartWindowApplication(argc, argv, QStringLiteral("varactor"),
                             QStringLiteral("varactor --render FILE.png draws the charts without one"));
  NameApplication();
  // The desktop finds the entry, and so the menu's icon and name, for the window by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(VARACTOR_DESKTOP_ID));
  TkdbCustomDemon::LanguageFileHook() = [file = language.file] { return file; };
  return RunSimulation(*application, command);
}
