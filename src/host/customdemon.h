#pragma once

#include <QBuffer>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/elexivo.h"
#include "host/entity.h"
#include "host/messagestream.h"
#include "host/messagetypes.h"
#include "platform/messagewindow.h"
#include "zeph/toolkit/component.h"
#include "zeph/translation/babelfish2000.h"



// The running program as the host integration sees it.
struct THostProcess {
  // The command line; entry 0 is the program as it was called.
  std::vector<std::string> Arguments;
  // The executable's full path, for files.
  QString ExePath;
  // The application's title.
  std::string Title;
};

// The base of the host-integration components: all state, the hidden window, the messaging with
// the host server and with other instances, and the life cycle. The queries are abstract here;
// TkdbDemonClient asks the server, a server-side descendant answers them itself.
//
// A component is a QObject owned by its form and must live on the heap: a quit message from the
// server destroys it (when nothing of it is still running, else as soon as that has returned).
// Destroying it ends the application through TerminateHook().
class TkdbCustomDemon : public QObject, public zeph::TComponentLoading {
  Q_OBJECT
  Q_PROPERTY(bool AutoTranslate READ AutoTranslate WRITE SetAutoTranslate)
  Q_PROPERTY(bool AutoCreateItlFile READ AutoCreateItlFile WRITE SetAutoCreateItlFile)
  Q_PROPERTY(bool MultiStart READ MultiStart WRITE SetMultiStart)
  Q_PROPERTY(bool UseOstrelServer READ UseOstrelServer WRITE SetUseOstrelServer)

 public:
  using TGotAMessageEvent = std::function<void(QObject* sender, TLexivoMessageStream& msg)>;
  using TOnQuitMsgReceived = std::function<void(QObject* sender, bool serverDown, bool& allowQuit)>;
  using TNotifyEvent = std::function<void(QObject* sender)>;

  ~TkdbCustomDemon() override;

  // A message of a type the component does not handle itself; the message is freed afterwards.
  TGotAMessageEvent OnGotAMessage;
  // The server asks the program to quit; clearing allowQuit keeps it running.
  TOnQuitMsgReceived OnQuitMsgReceived;
  // Params were replaced by another start of the program.
  TNotifyEvent OnParamsChange;

  bool AutoTranslate() const { return auto_translate_; }
  void SetAutoTranslate(bool value) { auto_translate_ = value; }
  // The translation engine's flag of that name.
  bool AutoCreateItlFile() const { return Babelfish_->AutoCreateItlFile(); }
  void SetAutoCreateItlFile(bool value) { Babelfish_->SetAutoCreateItlFile(value); }
  bool MultiStart() const { return multi_start_; }
  void SetMultiStart(bool value) { multi_start_ = value; }
  bool UseOstrelServer() const { return use_ostrel_server_; }
  void SetUseOstrelServer(bool value) { use_ostrel_server_ = value; }

  zeph::TBabelfish2000* Babelfish() const { return Babelfish_.get(); }
  TEntity& OwnEntity() const { return *OwnEntity_; }
  TEntity& ServerEntity() const { return *ServerEntity_; }
  bool ServerDown() const { return ServerDown_; }
  const std::vector<std::string>& Params() const { return Params_; }
  // Received replies not collected yet. Those that answer no request under way (late, doubled
  // or unasked for) are kept up to kMaxStrayReplies and kMaxStrayReplyBytes; beyond, the oldest go.
  const std::vector<std::unique_ptr<TLexivoMessageStream>>& Replies() const { return Replies_; }
  static constexpr std::size_t kMaxStrayReplies = 64;
  static constexpr std::size_t kMaxStrayReplyBytes = 1 << 20;

  // The dispatch of a received message; may take the message over (msg is then null).
  virtual void ProcessMessage(std::unique_ptr<TLexivoMessageStream>& msg);
  virtual std::string GetWindowClassName() const = 0;
  virtual std::string GetWindowName() const = 0;
  // The queries (see TkdbDemonClient); a returned entity or stream belongs to the caller.
  virtual std::unique_ptr<TEntity> FindEntityByTitle(const std::string& title) = 0;
  virtual std::unique_ptr<TEntity> FindEntityByHandle(std::uint32_t handle) = 0;
  virtual std::int32_t ExecuteProgram(const std::string& fileName, const std::string& params, bool wait,
                                      std::int32_t value) = 0;
  virtual std::unique_ptr<QBuffer> GetFileStream(const std::string& name) = 0;
  virtual std::string MapFileName(const std::string& name) = 0;
  virtual std::string QueryString(const std::string& text) = 0;
  virtual std::string GetVariable(const std::string& name) = 0;

  // The number of parameters after the program path.
  int ParamCount() const;
  // 0: the executable's path; else that parameter. ELexivo for an index out of range.
  std::string ParamStr(int index) const;

  // Stamps msg with the local time and transmits it; reply, when given, gets the answer.
  void SendAMessage(TEntity& target, TLexivoMessageStream& msg, TLexivoMessageStream* reply);
  // Sends msg as it is and waits until the target has processed it. Without a window of its own
  // the component sends nothing; reply then stays empty.
  void TransmitMessage(TEntity& target, TLexivoMessageStream& msg, TLexivoMessageStream* reply);
  // Takes the first held reply with that stamp out of Replies.
  std::unique_ptr<TLexivoMessageStream> FindReply(const TTimeStamp& stamp);
  // The hidden window's procedure.
  std::int64_t WndProc(const platform::TWindowMessage& message);
  // Turns one received block into a message and dispatches it; ELexivo for a block too short
  // to be a message (nothing is dispatched then).
  void WMCopyData(std::uint32_t senderWindow, const platform::TCopyData& data);

  // The system's text for the last error, or "(GetLastErrorString failed)".
  static std::string GetLastErrorString();

  // Replaceable for tests and for programs without a desktop:
  // the running program (command line, executable, title);
  static std::function<THostProcess()>& ProcessHook();
  // showing an error text (an exception out of the hidden window's procedure), by default the
  // application's exception box, or a warning on the console without widgets;
  static std::function<void(const std::string&)>& MessageHook();
  // asking the application to end its main loop (posted, so it also ends one not yet running);
  static std::function<void()>& TerminateHook();
  // ending the process at once (a second instance that is not wanted), with its exit code;
  static std::function<void(int)>& ExitProcessHook();
  // the language file to read when none lies beside the program and no host is used (none by
  // default: the keys are shown then).
  static std::function<QString()>& LanguageFileHook();

 protected:
  explicit TkdbCustomDemon(QObject* owner);

  // Creates the hidden window with the class and title of the most derived class; every
  // descendant's constructor calls it once.
  void CreateWindowHandle();
  // The base's end-of-loading step: the single-instance check.
  void Loaded() override;
  void CheckMultiStart();

  void DoGotAMessage(TLexivoMessageStream& msg);
  void DoQuitMsgReceived(bool serverDown, bool& allowQuit);
  void DoParamsChange();
  // Whether the destruction has begun (no messages are sent on to events then).
  bool Destroying() const { return destroying_; }
  // Whether the host let a request wait out the stall limit: it is not asked again, so that a
  // stopped host costs one wait, not one per request.
  bool HostStalled() const { return host_stalled_; }
  void BeginDestruction() { destroying_ = true; }
  static void ShowMessage(const std::string& text);

  THostProcess process_;
  std::unique_ptr<TEntity> ServerEntity_;
  std::vector<std::unique_ptr<TLexivoMessageStream>> Replies_;
  std::vector<std::string> Params_;
  std::unique_ptr<TEntity> OwnEntity_;
  bool ServerDown_ = false;
  std::unique_ptr<zeph::TBabelfish2000> Babelfish_;

 private:
  void RegisterWindowClass(const std::string& name);
  // Destroys the hidden window (its socket and record go with it) and unregisters its class.
  void ReleaseWindowHandle();
  // Drops the oldest replies that answer no request under way, down to the bounds.
  void TrimStrayReplies();
  // Shows the error of a message that failed; while one box is open, further errors go to
  // standard error with the sending window, so that a flood of bad messages cannot pile boxes up.
  void ReportMessageError(std::uint32_t senderWindow, const std::string& text);
  // After a quit was allowed: destroys the component once nothing of it runs any more.
  void DestroyWhenIdle();

  bool auto_translate_ = true;
  bool multi_start_ = false;
  bool use_ostrel_server_ = true;
  std::string registered_class_;
  platform::TWindowProc previous_procedure_;
  // Window procedures and sends of this component under way; it is not destroyed inside them.
  int busy_ = 0;
  // The time stamps of the requests under way (sends nest), whose replies are awaited.
  std::vector<TTimeStamp> awaited_;
  bool quit_requested_ = false;
  bool destroying_ = false;
  bool host_stalled_ = false;
  bool constructed_ = false;
};
