#pragma once

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/customdemon.h"

// What a server serves.
struct TServerSettings {
  // The text that names this server in its window's class and title and in the registry.
  std::string HandleText;
  // get-file answers the files below this directory (and nothing outside it).
  QString ServedDirectory;
  // The directory answered for "OstrelWorkArea"; started programs run in it.
  QString WorkArea;
  // Further variables, by name (letter case counts).
  std::map<std::string, std::string> Variables;
  // Answers of QueryString, by question.
  std::map<std::string, std::string> Strings;
};

// A server-side descendant of the custom demon: it owns the server window, keeps the registered
// participants and answers the clients' requests itself. The stand-in host server runs one.
class TkdbDemonServer : public TkdbCustomDemon {
  Q_OBJECT

 public:
  // ELexivo when its window cannot be made (another server with the same handle text runs in
  // this program).
  TkdbDemonServer(QObject* owner, TServerSettings settings);
  // Tells every participant that the server goes down, withdraws the handle from the registry
  // when it put it there, and ends the application.
  ~TkdbDemonServer() override;

  // Called for every request before it is answered (with its message type), and with lines
  // that tell what the server did.
  std::function<void(std::int32_t type)> OnRequest;
  std::function<void(const std::string& line)> OnLog;

  std::string GetWindowClassName() const override;
  std::string GetWindowName() const override;
  void ProcessMessage(std::unique_ptr<TLexivoMessageStream>& msg) override;

  std::unique_ptr<TEntity> FindEntityByTitle(const std::string& title) override;
  std::unique_ptr<TEntity> FindEntityByHandle(std::uint32_t handle) override;
  // Starts the program (a relative path with "/" below the served directory, a bare name from
  // PATH) in the work area, its parameters split as a shell would; 0 when it did not start.
  std::int32_t ExecuteProgram(const std::string& fileName, const std::string& params, bool wait,
                              std::int32_t value) override;
  std::unique_ptr<QBuffer> GetFileStream(const std::string& name) override;
  // The host's name for a client's file: its file-name part, as found in the served directory.
  std::string MapFileName(const std::string& name) override;
  std::string QueryString(const std::string& text) override;
  std::string GetVariable(const std::string& name) override;

  // Records the handle text as the registry's "ViewerHandle", where clients look for it.
  bool Publish();
  // Sends msgQuit to every participant; serverDown tells them not to unregister.
  void QuitClients(bool serverDown);
  // The participants in the order they registered; windows that went away are dropped first.
  const std::vector<std::unique_ptr<TEntity>>& Participants();

 private:
  void Answer(const TLexivoMessageStream& request, TLexivoMessageStream& reply);
  void Log(const std::string& line);
  void Prune();

  TServerSettings settings_;
  std::vector<std::unique_ptr<TEntity>> participants_;
  bool published_ = false;
};
