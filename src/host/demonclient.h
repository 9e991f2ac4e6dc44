#pragma once

#include "host/customdemon.h"
#include "host/hostnames.h"

// The host-integration component a program puts on its main window (as cliDemon): it registers
// with the host server when UseOstrelServer is set, loads the itl language file and translates
// its form at the end of loading, keeps the program single-instance, and asks the server for
// files, variables, participants and the start of programs.
//
// On the main window: create it with the form as owner, set the four stored properties and
// OnParamsChange while the form loads; its Loaded (run by EndFormLoading) does the rest.
class TkdbDemonClient : public TkdbCustomDemon {
  Q_OBJECT

 public:
  // ELexivo when its window class cannot be registered (a second component in one program) or
  // its window cannot be made.
  explicit TkdbDemonClient(QObject* owner = nullptr);
  // Unregisters from the server (unless the server said it is going down) and ends the
  // application.
  ~TkdbDemonClient() override;

  std::string GetWindowClassName() const override { return kClientWindowClass; }
  std::string GetWindowName() const override { return {}; }

  // A participant the server knows by its title or its window; none when it knows none.
  std::unique_ptr<TEntity> FindEntityByTitle(const std::string& title) override;
  std::unique_ptr<TEntity> FindEntityByHandle(std::uint32_t handle) override;
  // Has the server start a program; gives its process identifier, or with wait its exit code
  // (0 when that cannot be read). ELexivo "Could not execute "<name>."" when it did not start.
  std::int32_t ExecuteProgram(const std::string& fileName, const std::string& params, bool wait,
                              std::int32_t value) override;
  // The server's file of that name, positioned at 0; none when it has no such file.
  std::unique_ptr<QBuffer> GetFileStream(const std::string& name) override;
  std::string MapFileName(const std::string& name) override;
  std::string QueryString(const std::string& text) override;
  // With UseOstrelServer the server's variable; otherwise "OstrelWorkArea" and "OstrelHomeDir"
  // give the program's own directory and every other name the empty text.
  std::string GetVariable(const std::string& name) override;

  // The end-of-loading steps, in order; public so that a program without stored forms can run
  // them by hand.
  void Connect();
  void LoadLanguageFile();

 protected:
  void Loaded() override;

 private:
  void RegisterClient();
  void UnregisterClient();
  // Sends a request of that type to the server; the reply, positioned at 0, comes back.
  std::unique_ptr<TLexivoMessageStream> Ask(std::int32_t type, const std::function<void(TLexivoMessageStream&)>& fill);
};
