#include "host/customdemon.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "host/hostnames.h"
#include "host/records.h"
#include "platform/kernelobjects.h"
#include "platform/lasterror.h"
#include "platform/namedmutex.h"
#include "zeph/toolkit/ansi.h"
#include "zeph/toolkit/tapplication.h"

using namespace zeph;

namespace {

THostProcess DefaultProcess() {
  THostProcess process;
  for (const QString& argument : QCoreApplication::arguments()) process.Arguments.push_back(QStringToAnsi(argument));
  process.ExePath = QCoreApplication::applicationFilePath();
  process.Title = QStringToAnsi(QCoreApplication::applicationName());
  return process;
}

}  // namespace

std::function<THostProcess()>& TkdbCustomDemon::ProcessHook() {
  static std::function<THostProcess()> hook = DefaultProcess;
  return hook;
}

std::function<void(const std::string&)>& TkdbCustomDemon::MessageHook() {
  static std::function<void(const std::string&)> hook = [](const std::string& text) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
      TApplication::ShowException(AnsiToQString(text));
    } else {
      qWarning("%s", text.c_str());
    }
  };
  return hook;
}

std::function<void()>& TkdbCustomDemon::TerminateHook() {
  static std::function<void()> hook = [] {
    if (QCoreApplication* application = QCoreApplication::instance()) {
      QMetaObject::invokeMethod(application, &QCoreApplication::quit, Qt::QueuedConnection);
    }
  };
  return hook;
}

std::function<QString()>& TkdbCustomDemon::LanguageFileHook() {
  static std::function<QString()> hook;
  return hook;
}

std::function<void(int)>& TkdbCustomDemon::ExitProcessHook() {
  static std::function<void(int)> hook = [](int code) {
    std::fflush(nullptr);
    std::_Exit(code);
  };
  return hook;
}

void TkdbCustomDemon::ShowMessage(const std::string& text) {
  if (MessageHook()) MessageHook()(text);
}

void TkdbCustomDemon::ReportMessageError(std::uint32_t senderWindow, const std::string& text) {
  // One box for the whole program: boxes are modal, and messages keep arriving while one is open.
  static bool box_open = false;
  if (box_open) {
    std::fprintf(stderr, "%s: %s (message from window %u)\n", process_.Title.c_str(), text.c_str(), senderWindow);
    return;
  }
  box_open = true;
  try {
    ShowMessage(text);
  } catch (...) {
    box_open = false;
    throw;
  }
  box_open = false;
}

std::string TkdbCustomDemon::GetLastErrorString() {
  return platform::FormatMessage(platform::GetLastError()).value_or("(GetLastErrorString failed)");
}

TkdbCustomDemon::TkdbCustomDemon(QObject* owner)
    : QObject(owner),
      process_(ProcessHook() ? ProcessHook()() : THostProcess{}),
      Babelfish_(std::make_unique<TBabelfish2000>(std::string())) {
  OwnEntity_ = std::make_unique<TEntity>(this);
  ServerEntity_ = std::make_unique<TEntity>(this);
  // Looked for once: a server that starts later is not found by this component.
  ServerEntity_->Handle = FindServerWindow(process_.Arguments);
  Params_ = ReadParams(process_.Arguments);
}

void TkdbCustomDemon::RegisterWindowClass(const std::string& name) {
  if (!platform::RegisterClass(name)) throw ELexivo(GetLastErrorString());
  registered_class_ = name;
}

void TkdbCustomDemon::CreateWindowHandle() {
  RegisterWindowClass(GetWindowClassName());
  const platform::HWND window = platform::CreateWindow(registered_class_, GetWindowName());
  if (window == 0) {
    const std::string reason = GetLastErrorString();
    platform::UnregisterClass(registered_class_);
    registered_class_.clear();
    throw ELexivo("Could not create window handle: " + reason);
  }
  OwnEntity_->Handle = window;
  OwnEntity_->Title = process_.Title;
  OwnEntity_->ExeName = QStringToAnsi(process_.ExePath);
  previous_procedure_ = platform::SetWindowProc(window, [this](platform::HWND, const platform::TWindowMessage& message) {
    ++busy_;
    std::int64_t result = 0;
    // As the toolkit does for every window: an error inside the procedure is shown, and the
    // program goes on.
    try {
      result = WndProc(message);
    } catch (const std::exception& error) {
      ReportMessageError(message.WParam, error.what());
    }
    --busy_;
    // The last thing this procedure does: nothing of the component runs any more.
    if (quit_requested_ && busy_ == 0 && !destroying_) delete this;
    return result;
  });
  constructed_ = true;
}

void TkdbCustomDemon::ReleaseWindowHandle() {
  if (OwnEntity_->Handle == 0) return;
  platform::SetWindowProc(OwnEntity_->Handle, previous_procedure_);
  platform::DestroyWindow(OwnEntity_->Handle);
  platform::UnregisterClass(registered_class_);
  OwnEntity_->Handle = 0;
}

TkdbCustomDemon::~TkdbCustomDemon() {
  destroying_ = true;
  Replies_.clear();
  ReleaseWindowHandle();
  if (OwnEntity_->MutexHandle != 0) {
    platform::CloseHandle(OwnEntity_->MutexHandle);
    OwnEntity_->MutexHandle = 0;
  }
  // Writes the translators' itl file when that is asked for.
  Babelfish_.reset();
  if (constructed_ && TerminateHook()) TerminateHook()();
}

void TkdbCustomDemon::Loaded() { CheckMultiStart(); }

void TkdbCustomDemon::CheckMultiStart() {
  if (multi_start_) return;
  const std::string name = OwnEntity_->GetMutexName();
  platform::THandle mutex = platform::OpenMutex(name);
  if (mutex == 0) {
    mutex = platform::CreateOwnedMutex(name);
    // Another instance may have created it since we looked; then it is the running one.
    if (mutex == 0 || platform::GetLastError() != platform::kErrorAlreadyExists) {
      OwnEntity_->MutexHandle = mutex;
      return;
    }
  }
  platform::CloseHandle(mutex);
  // Another instance runs: hand it our parameters, when the server knows it, and end.
  if (const std::unique_ptr<TEntity> running = FindEntityByTitle(process_.Title)) {
    TLexivoMessageStream msg(this);
    msg.MsgType = msgParams;
    msg.Write(StringListText(Params_));
    SendAMessage(*running, msg, nullptr);
  }
  // The process ends at once, without destructors: what it registered goes first.
  ReleaseWindowHandle();
  if (ExitProcessHook()) ExitProcessHook()(0);
}

int TkdbCustomDemon::ParamCount() const { return static_cast<int>(Params_.size()) - 1; }

std::string TkdbCustomDemon::ParamStr(int index) const {
  if (index < 0 || index > ParamCount()) {
    throw ELexivo("Illegal \"ParamStr\" parameter: " + std::to_string(index));
  }
  if (index == 0) return QStringToAnsi(process_.ExePath);
  return Params_[static_cast<std::size_t>(index)];
}

void TkdbCustomDemon::DoGotAMessage(TLexivoMessageStream& msg) {
  if (OnGotAMessage) OnGotAMessage(this, msg);
}

void TkdbCustomDemon::DoQuitMsgReceived(bool serverDown, bool& allowQuit) {
  if (OnQuitMsgReceived) OnQuitMsgReceived(this, serverDown, allowQuit);
}

void TkdbCustomDemon::DoParamsChange() {
  if (OnParamsChange) OnParamsChange(this);
}

void TkdbCustomDemon::DestroyWhenIdle() {
  if (destroying_) return;
  quit_requested_ = true;
  // Inside a window procedure, the procedure destroys the component when it returns; otherwise
  // the event loop does, once the caller is done.
  if (busy_ == 0) deleteLater();
}
