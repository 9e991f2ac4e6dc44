// The stand-in host server: see UsageText() in options.cpp, or run it with --help.
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <cstdio>
#include <memory>

#include "controlinput.h"
#include "host/server/demonserver.h"
#include "options.h"
#include "platform/kernelobjects.h"
#include "platform/process.h"
#include "platform/serving.h"
#include "platform/spawn.h"

using namespace zeph;

namespace {

// How long the server waits for a participant to take an answer, and to take a quit.
constexpr int kAnswerTimeLimitMs = 5000;
constexpr int kQuitTimeLimitMs = 1000;

void Print(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QString error;
  const auto options = ParseOptions(application.arguments().mid(1), error);
  if (!options) {
    std::fprintf(stderr, "hostserver: %s\n(hostserver --help tells more)\n", qPrintable(error));
    return 2;
  }
  if (options->Help) {
    std::fputs(qPrintable(UsageText()), stdout);
    return 0;
  }
  TkdbCustomDemon::MessageHook() = [](const std::string& text) { std::fprintf(stderr, "hostserver: %s\n", text.c_str()); };

  QPointer<TkdbDemonServer> server;
  try {
    server = new TkdbDemonServer(nullptr, options->Settings);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "hostserver: %s\n", failure.what());
    return 1;
  }
  server->OnLog = Print;
  if (options->DieOn) {
    const std::int32_t fatal = *options->DieOn;
    server->OnRequest = [fatal](std::int32_t type) {
      if (type != fatal) return;
      Print("dying on " + std::to_string(type));
      _exit(3);
    };
  }
  if (options->Publish && !server->Publish()) {
    // A handle that clients cannot find is not announced: the server ends instead.
    std::fprintf(stderr, "hostserver: cannot write the registry value: %s\n",
                 TkdbCustomDemon::GetLastErrorString().c_str());
    platform::SetSendTimeLimit(kQuitTimeLimitMs);
    delete server.data();
    return 1;
  }
  Print("handle " + options->Settings.HandleText);

  // A participant answers at once; one that keeps the server waiting longer is broken or hostile.
  platform::SetSendTimeLimit(kAnswerTimeLimitMs);
  bool stopping = false;
  auto shut_down = [&stopping] {
    // This may run deep inside a send that waits: the waits end at once, and the server is
    // destroyed (telling its participants) once the event loop has been left.
    if (stopping) return;
    stopping = true;
    platform::CancelSends();
    platform::SetSendTimeLimit(kQuitTimeLimitMs);
    QCoreApplication::quit();
  };
  TControlInput control(STDIN_FILENO);
  control.OnTerminate = shut_down;
  control.OnLine = [&](const QString& line) {
    const QString command = line.trimmed();
    if (server.isNull()) return;
    if (command == QLatin1String("quit")) {
      const int answer_limit = platform::SendTimeLimit();
      platform::SetSendTimeLimit(kQuitTimeLimitMs);
      server->QuitClients(false);
      platform::SetSendTimeLimit(answer_limit);
    } else if (command == QLatin1String("shutdown")) {
      shut_down();
    } else if (command == QLatin1String("list")) {
      for (const auto& entity : server->Participants()) {
        Print("participant " + std::to_string(entity->Handle) + " " + entity->Title + " " + entity->ExeName);
      }
      Print("end of list");
    } else if (!command.isEmpty()) {
      std::fprintf(stderr, "hostserver: unknown command: %s\n", qPrintable(command));
    }
  };

  std::unique_ptr<QSocketNotifier> run_watch;
  platform::THandle run_process = 0;
  if (!options->Run.isEmpty()) {
    std::vector<std::string> arguments;
    for (const QString& argument : options->Run.mid(1)) arguments.push_back(argument.toStdString());
    arguments.push_back("/serverhandle=" + options->Settings.HandleText);
    const std::int64_t pid = platform::SpawnRecordedProcess(options->Run.front().toStdString(), arguments);
    run_process = pid == 0 ? 0 : platform::OpenProcess(pid);
    if (run_process == 0) {
      std::fprintf(stderr, "hostserver: cannot start %s\n", qPrintable(options->Run.front()));
      platform::SetSendTimeLimit(kQuitTimeLimitMs);
      delete server.data();
      return 1;
    }
    Print("running " + std::to_string(pid));
    run_watch = std::make_unique<QSocketNotifier>(platform::KernelObjectDescriptor(run_process), QSocketNotifier::Read);
    QObject::connect(run_watch.get(), &QSocketNotifier::activated, [&] {
      run_watch->setEnabled(false);
      shut_down();
    });
  }

  const int result = application.exec();
  run_watch.reset();
  if (run_process != 0) platform::CloseHandle(run_process);
  platform::SetSendTimeLimit(kQuitTimeLimitMs);
  delete server.data();
  platform::RemoveExitRecords();
  return result;
}
