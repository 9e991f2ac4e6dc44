// hostclient: a program that carries TkdbDemonClient on a form, as a simulation does.
//
// Its command-line arguments are the component's parameters. HOSTCLIENT_MULTISTART=1 and
// HOSTCLIENT_USE_SERVER=1 set the component's MultiStart and UseOstrelServer (both off by
// default, as on the simulation's main window). It prints its state after loading and every
// event, and takes queries on standard input, one per line:
//   var NAME | file NAME | map NAME | query TEXT | find TITLE | handle HWND |
//   exec PROGRAM WAIT [PARAMS] | param INDEX | exit
#include <unistd.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <cstdio>

#include "demoform.h"
#include "host/ostreldemon.h"
#include "zeph/toolkit/ansi.h"

using namespace zeph;

namespace {

// One output line from its parts (appended one by one).
template <typename... Parts>
void Print(const Parts&... parts) {
  std::string line;
  ((line += parts), ...);
  line += '\n';
  std::fputs(line.c_str(), stdout);
  std::fflush(stdout);
}

bool Flag(const char* name) { return qEnvironmentVariable(name) == QLatin1String("1"); }

std::string Entity(const std::unique_ptr<TEntity>& entity) {
  if (!entity) return "none";
  std::string text = std::to_string(entity->Handle);
  text += ' ';
  text += entity->Title;
  text += ' ';
  text += entity->ExeName;
  return text;
}

void Answer(TkdbDemonClient& client, const QString& line) {
  const QString command = line.section(QLatin1Char(' '), 0, 0);
  const std::string rest = QStringToAnsi(line.section(QLatin1Char(' '), 1));
  if (command == QLatin1String("var")) {
    Print("var ", client.GetVariable(rest));
  } else if (command == QLatin1String("file")) {
    const std::unique_ptr<QBuffer> file = client.GetFileStream(rest);
    if (file) {
      Print("file ", std::to_string(file->size()), " ", file->data().toStdString());
    } else {
      Print("file none");
    }
  } else if (command == QLatin1String("map")) {
    Print("map ", client.MapFileName(rest));
  } else if (command == QLatin1String("query")) {
    Print("query ", client.QueryString(rest));
  } else if (command == QLatin1String("find")) {
    Print("find ", Entity(client.FindEntityByTitle(rest)));
  } else if (command == QLatin1String("handle")) {
    Print("handle ", Entity(client.FindEntityByHandle(static_cast<std::uint32_t>(std::stoul(rest)))));
  } else if (command == QLatin1String("exec")) {
    const QString program = line.section(QLatin1Char(' '), 1, 1);
    const bool wait = line.section(QLatin1Char(' '), 2, 2) == QLatin1String("1");
    const std::string params = QStringToAnsi(line.section(QLatin1Char(' '), 3));
    Print("exec ", std::to_string(client.ExecuteProgram(QStringToAnsi(program), params, wait, 7)));
  } else if (command == QLatin1String("param")) {
    Print("param ", client.ParamStr(std::stoi(rest)));
  } else if (command == QLatin1String("exit")) {
    QCoreApplication::quit();
  } else {
    Print("unknown ", QStringToAnsi(command));
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  TkdbCustomDemon::MessageHook() = [](const std::string& text) { Print("message ", text); };
  TDemoForm form;
  TkdbDemonClient* client = nullptr;
  try {
    client = new TkdbDemonClient(&form);
    client->setObjectName(QStringLiteral("cliDemon"));
    BeginFormLoading(&form);
    client->SetMultiStart(Flag("HOSTCLIENT_MULTISTART"));
    client->SetUseOstrelServer(Flag("HOSTCLIENT_USE_SERVER"));
    client->OnParamsChange = [client](QObject*) {
      Print("params changed ", std::to_string(client->ParamCount()), " ",
            client->ParamCount() >= 1 ? client->ParamStr(1) : std::string());
    };
    client->OnQuitMsgReceived = [](QObject*, bool serverDown, bool&) {
      Print("quit server-down ", serverDown ? "1" : "0");
    };
    EndFormLoading(&form);
  } catch (const std::exception& error) {
    Print("error ", error.what());
    return 1;
  }
  Print("caption ", QStringToAnsi(form.Caption()));
  Print("params ", std::to_string(client->ParamCount()));
  for (int i = 1; i <= client->ParamCount(); ++i) Print("param ", client->ParamStr(i));
  Print("ready ", std::to_string(client->OwnEntity().Handle));

  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  std::string pending;
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char buffer[4096];
    const ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
      input.setEnabled(false);
      return;
    }
    pending.append(buffer, static_cast<std::size_t>(count));
    std::size_t end = 0;
    while ((end = pending.find('\n')) != std::string::npos) {
      const QString line = AnsiToQString(pending.substr(0, end));
      pending.erase(0, end + 1);
      try {
        Answer(*client, line);
      } catch (const std::exception& error) {
        Print("error ", error.what());
      }
    }
  });
  const int result = application.exec();
  Print("ended");
  return result;
}
