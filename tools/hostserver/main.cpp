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
#include "platform/spawn.h"

namespace {

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
  if (options->Publish && !server->Publish()) std::fprintf(stderr, "hostserver: cannot write the registry value\n");
  Print("handle " + options->Settings.HandleText);

  auto shut_down = [&server] {
    // Destroying the server tells its clients and ends the event loop.
    delete server.data();
  };
  TControlInput control(STDIN_FILENO);
  control.OnTerminate = shut_down;
  control.OnLine = [&](const QString& line) {
    const QString command = line.trimmed();
    if (server.isNull()) return;
    if (command == QLatin1String("quit")) {
      server->QuitClients(false);
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
  delete server.data();
  return result;
}
