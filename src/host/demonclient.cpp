#include "host/demonclient.h"

#include <QBuffer>
#include <QFile>

#include "platform/kernelobjects.h"
#include "platform/process.h"
#include "zeph/toolkit/ansi.h"
#include "zeph/toolkit/filenames.h"
#include "zeph/translation/itlfilename.h"

using namespace zeph;

TkdbDemonClient::TkdbDemonClient(QObject* owner) : TkdbCustomDemon(owner) { CreateWindowHandle(); }

TkdbDemonClient::~TkdbDemonClient() {
  BeginDestruction();
  // A host that did not answer within the limit is not waited for again.
  if (ServerDown_ || HostStalled()) return;
  try {
    UnregisterClient();
  } catch (const std::exception& error) {
    ShowMessage(error.what());
  }
}

void TkdbDemonClient::Loaded() {
  Connect();
  TkdbCustomDemon::Loaded();
}

void TkdbDemonClient::Connect() {
  if (UseOstrelServer()) {
    if (ServerEntity_->Handle == 0) throw ELexivo(std::string("Lexivo server application is not running"));
    RegisterClient();
  }
  LoadLanguageFile();
}

void TkdbDemonClient::RegisterClient() {
  TLexivoMessageStream msg(this);
  msg.MsgType = msgRegister;
  OwnEntity_->WriteToStream(msg);
  SendAMessage(*ServerEntity_, msg, nullptr);
  // Said at once: the start-up goes no further with a host that does not respond.
  if (HostStalled()) throw ELexivo(std::string("host not responding"));
}

void TkdbDemonClient::UnregisterClient() {
  TLexivoMessageStream msg(this);
  msg.MsgType = msgUnregister;
  OwnEntity_->WriteToStream(msg);
  SendAMessage(*ServerEntity_, msg, nullptr);
}

void TkdbDemonClient::LoadLanguageFile() {
  std::unique_ptr<QIODevice> stream;
  if (UseOstrelServer()) {
    stream = GetFileStream(LanguageFileName(MapFileName(OwnEntity_->ExeName)));
  } else {
    // The language file beside the program wins; without one the program's chosen file, else
    // the keys are shown.
    // The chosen file's name is taken as bytes (see FileNameFromBytes).
    auto file = std::make_unique<QFile>(ItlPathFor(process_.ExePath));
    if (file->exists()) {
      if (file->open(QIODevice::ReadOnly)) stream = std::move(file);
    } else if (LanguageFileHook()) {
      stream = OpenFileForReading(LanguageFileHook()());
    }
  }
  if (stream) Babelfish_->LoadFromStream(*stream);
  if (AutoTranslate() && Babelfish_ && parent() != nullptr) Babelfish_->TranslateComponent(parent());
}

std::unique_ptr<TLexivoMessageStream> TkdbDemonClient::Ask(std::int32_t type,
                                                           const std::function<void(TLexivoMessageStream&)>& fill) {
  TLexivoMessageStream request(this);
  request.MsgType = type;
  fill(request);
  auto reply = std::make_unique<TLexivoMessageStream>(this);
  SendAMessage(*ServerEntity_, request, reply.get());
  reply->SetPosition(0);
  return reply;
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntityByTitle(const std::string& title) {
  const auto reply = Ask(msgFindEntity, [&](TLexivoMessageStream& msg) {
    msg.WriteByte(kFindByTitle);
    msg.WriteString(title);
  });
  if (reply->Size() == 0) return nullptr;
  auto entity = std::make_unique<TEntity>(this);
  entity->ReadFromStream(*reply);
  return entity;
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntityByHandle(std::uint32_t handle) {
  const auto reply = Ask(msgFindEntity, [&](TLexivoMessageStream& msg) {
    msg.WriteByte(kFindByHandle);
    msg.WriteInt32(static_cast<std::int32_t>(handle));
  });
  if (reply->Size() == 0) return nullptr;
  auto entity = std::make_unique<TEntity>(this);
  entity->ReadFromStream(*reply);
  return entity;
}

std::int32_t TkdbDemonClient::ExecuteProgram(const std::string& fileName, const std::string& params, bool wait,
                                             std::int32_t value) {
  const auto reply = Ask(msgExecute, [&](TLexivoMessageStream& msg) {
    msg.WriteString(fileName);
    msg.WriteString(params);
    msg.WriteByte(wait ? 1 : 0);
    msg.WriteInt32(value);
  });
  const std::int32_t pid = reply->ReadInt32();
  const std::string failure = "Could not execute \"" + fileName + ".\"";
  if (pid == 0) throw ELexivo(failure);
  if (!wait) return pid;
  const platform::THandle process = platform::OpenProcess(pid);
  if (process == 0) throw ELexivo(failure);
  // The program's thread is blocked until the started program ends.
  platform::WaitForProcess(process);
  const std::int32_t code = platform::GetExitCodeProcess(process).value_or(0);
  platform::CloseHandle(process);
  return code;
}

std::unique_ptr<QBuffer> TkdbDemonClient::GetFileStream(const std::string& name) {
  const auto reply = Ask(msgGetFile, [&](TLexivoMessageStream& msg) { msg.WriteString(name); });
  if (reply->ReadByte() == 0) return nullptr;
  auto stream = std::make_unique<QBuffer>();
  const std::string contents = reply->ReadBytes(reply->Remaining());
  stream->setData(contents.data(), static_cast<qsizetype>(contents.size()));
  stream->open(QIODevice::ReadWrite);
  return stream;
}

std::string TkdbDemonClient::MapFileName(const std::string& name) {
  return Ask(msgMapFileName, [&](TLexivoMessageStream& msg) { msg.WriteString(name); })->ReadString();
}

std::string TkdbDemonClient::QueryString(const std::string& text) {
  return Ask(msgQueryString, [&](TLexivoMessageStream& msg) { msg.WriteString(text); })->ReadString();
}

std::string TkdbDemonClient::GetVariable(const std::string& name) {
  if (UseOstrelServer()) {
    return Ask(msgGetVariable, [&](TLexivoMessageStream& msg) { msg.WriteString(name); })->ReadString();
  }
  if (name == kWorkAreaVariable || name == kHomeDirVariable) return ProgramDirectory(ParamStr(0));
  return {};
}
