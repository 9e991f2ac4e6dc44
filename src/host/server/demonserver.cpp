#include "host/server/demonserver.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "host/hostnames.h"
#include "host/records.h"
#include "platform/frame.h"
#include "platform/kernelobjects.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/spawn.h"
#include "zeph/toolkit/ansi.h"

using namespace zeph;

namespace {

// A file must fit into one message with its found byte and time stamp.
constexpr qint64 kMaxServedFileBytes = platform::kMaxCopyDataBytes - 16;

QString WithSeparator(const QString& directory) {
  return directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
}

}  // namespace

TkdbDemonServer::TkdbDemonServer(QObject* owner, TServerSettings settings)
    : TkdbCustomDemon(owner), settings_(std::move(settings)) {
  if (settings_.ServedDirectory.isEmpty()) settings_.ServedDirectory = QDir::currentPath();
  if (settings_.WorkArea.isEmpty()) settings_.WorkArea = settings_.ServedDirectory;
  SetMultiStart(true);
  SetUseOstrelServer(false);
  SetAutoTranslate(false);
  CreateWindowHandle();
}

TkdbDemonServer::~TkdbDemonServer() {
  QuitClients(true);
  BeginDestruction();
  if (published_ && platform::ReadRegistryString(platform::kHkeyLocalMachine, kLexivoRegistryKey,
                                                 kViewerHandleValue) == settings_.HandleText) {
    platform::WriteRegistryString(platform::kHkeyLocalMachine, kLexivoRegistryKey, kViewerHandleValue,
                                  kNoServerHandle);
  }
}

std::string TkdbDemonServer::GetWindowClassName() const { return kServerWindowClass + settings_.HandleText; }

std::string TkdbDemonServer::GetWindowName() const { return kServerWindowTitle + settings_.HandleText; }

bool TkdbDemonServer::Publish() {
  published_ = platform::WriteRegistryString(platform::kHkeyLocalMachine, kLexivoRegistryKey, kViewerHandleValue,
                                             settings_.HandleText);
  return published_;
}

void TkdbDemonServer::Log(const std::string& line) {
  if (OnLog) OnLog(line);
}

void TkdbDemonServer::Prune() {
  std::erase_if(participants_, [](const std::unique_ptr<TEntity>& entity) { return !entity->IsValid(); });
}

const std::vector<std::unique_ptr<TEntity>>& TkdbDemonServer::Participants() {
  Prune();
  return participants_;
}

void TkdbDemonServer::QuitClients(bool serverDown) {
  // A copy: participants that unregister while they quit change the list.
  std::vector<std::uint32_t> windows;
  for (const auto& entity : participants_) windows.push_back(entity->Handle);
  for (std::uint32_t window : windows) {
    TEntity target(this);
    target.Handle = window;
    TLexivoMessageStream msg(this);
    msg.MsgType = msgQuit;
    msg.WriteByte(serverDown ? 1 : 0);
    SendAMessage(target, msg, nullptr);
    Log("quit " + std::to_string(window) + (serverDown ? " server-down" : ""));
  }
  if (serverDown) participants_.clear();
}

void TkdbDemonServer::Answer(const TLexivoMessageStream& request, TLexivoMessageStream& reply) {
  reply.MsgType = msgReply;
  reply.TimeStamp = request.TimeStamp;
  TEntity requester(this);
  requester.Handle = request.Sender->Handle;
  TransmitMessage(requester, reply, nullptr);
}

void TkdbDemonServer::ProcessMessage(std::unique_ptr<TLexivoMessageStream>& msg) {
  const std::int32_t type = msg->MsgType;
  if (type < msgRegister || type > msgGetVariable || type == msgParams) {
    TkdbCustomDemon::ProcessMessage(msg);
    return;
  }
  if (OnRequest) OnRequest(type);
  TLexivoMessageStream reply(this);
  switch (type) {
    case msgRegister: {
      auto entity = std::make_unique<TEntity>(this);
      entity->ReadFromStream(*msg);
      std::erase_if(participants_, [&](const auto& known) { return known->Handle == entity->Handle; });
      Log("register " + std::to_string(entity->Handle) + " " + entity->Title);
      participants_.push_back(std::move(entity));
      return;
    }
    case msgUnregister: {
      TEntity entity(this);
      entity.ReadFromStream(*msg);
      std::erase_if(participants_, [&](const auto& known) { return known->Handle == entity.Handle; });
      Log("unregister " + std::to_string(entity.Handle));
      return;
    }
    case msgFindEntity: {
      std::unique_ptr<TEntity> found;
      const std::uint8_t selector = msg->ReadByte();
      if (selector == kFindByHandle) {
        found = FindEntityByHandle(static_cast<std::uint32_t>(msg->ReadInt32()));
      } else if (selector == kFindByTitle) {
        const std::string title = msg->ReadString();
        // A program that looks for its running instance must not find itself.
        Prune();
        for (const auto& entity : participants_) {
          if (entity->Handle != msg->Sender->Handle && LowerAscii(entity->Title) == LowerAscii(title)) {
            found = std::make_unique<TEntity>(this);
            found->Assign(entity.get());
            break;
          }
        }
      }
      if (found) found->WriteToStream(reply);
      break;
    }
    case msgExecute: {
      const std::string file = msg->ReadString();
      const std::string params = msg->ReadString();
      msg->ReadByte();
      const std::int32_t value = msg->ReadInt32();
      // The requester waits for the program itself, so the server only starts it.
      const std::int32_t pid = ExecuteProgram(file, params, false, value);
      Log("execute " + file + " -> " + std::to_string(pid));
      reply.WriteInt32(pid);
      break;
    }
    case msgGetFile: {
      const std::string name = msg->ReadString();
      const std::unique_ptr<QBuffer> file = GetFileStream(name);
      reply.WriteByte(file ? 1 : 0);
      if (file) reply.Write(file->data().constData(), static_cast<std::size_t>(file->size()));
      Log("get-file " + name + (file ? " found" : " missing"));
      break;
    }
    case msgMapFileName:
      reply.WriteString(MapFileName(msg->ReadString()));
      break;
    case msgQueryString:
      reply.WriteString(QueryString(msg->ReadString()));
      break;
    case msgGetVariable:
      reply.WriteString(GetVariable(msg->ReadString()));
      break;
    default:
      break;
  }
  Answer(*msg, reply);
}

std::unique_ptr<TEntity> TkdbDemonServer::FindEntityByTitle(const std::string& title) {
  for (const auto& entity : Participants()) {
    if (LowerAscii(entity->Title) == LowerAscii(title)) {
      auto found = std::make_unique<TEntity>(this);
      found->Assign(entity.get());
      return found;
    }
  }
  return nullptr;
}

std::unique_ptr<TEntity> TkdbDemonServer::FindEntityByHandle(std::uint32_t handle) {
  for (const auto& entity : Participants()) {
    if (entity->Handle == handle) {
      auto found = std::make_unique<TEntity>(this);
      found->Assign(entity.get());
      return found;
    }
  }
  return nullptr;
}

std::int32_t TkdbDemonServer::ExecuteProgram(const std::string& fileName, const std::string& params, bool wait,
                                             std::int32_t) {
  QString program = AnsiToQString(fileName);
  if (program.contains(QLatin1Char('/')) && QFileInfo(program).isRelative()) {
    program = QDir(settings_.ServedDirectory).filePath(program);
  }
  std::vector<std::string> arguments;
  for (const QString& argument : QProcess::splitCommand(AnsiToQString(params))) {
    arguments.push_back(argument.toStdString());
  }
  const std::int64_t pid =
      platform::SpawnRecordedProcess(program.toStdString(), arguments, settings_.WorkArea.toStdString());
  if (pid == 0 || !wait) return static_cast<std::int32_t>(pid);
  const platform::THandle process = platform::OpenProcess(pid);
  if (process == 0) return 0;
  platform::WaitForProcess(process);
  const std::int32_t code = platform::GetExitCodeProcess(process).value_or(0);
  platform::CloseHandle(process);
  return code;
}

std::unique_ptr<QBuffer> TkdbDemonServer::GetFileStream(const std::string& name) {
  const QString relative = AnsiToQString(name);
  if (relative.isEmpty() || QDir::isAbsolutePath(relative)) return nullptr;
  const QString root = QFileInfo(settings_.ServedDirectory).canonicalFilePath();
  const QString path = QFileInfo(QDir(root).filePath(relative)).canonicalFilePath();
  // Nothing outside the served directory, neither by ".." nor through a link.
  if (root.isEmpty() || path.isEmpty() || !path.startsWith(WithSeparator(root))) return nullptr;
  QFile file(path);
  if (!QFileInfo(path).isFile() || file.size() > kMaxServedFileBytes || !file.open(QIODevice::ReadOnly)) {
    return nullptr;
  }
  auto stream = std::make_unique<QBuffer>();
  stream->setData(file.readAll());
  stream->open(QIODevice::ReadWrite);
  return stream;
}

std::string TkdbDemonServer::MapFileName(const std::string& name) { return name.substr(name.find_last_of('/') + 1); }

std::string TkdbDemonServer::QueryString(const std::string& text) {
  const auto found = settings_.Strings.find(text);
  return found == settings_.Strings.end() ? std::string() : found->second;
}

std::string TkdbDemonServer::GetVariable(const std::string& name) {
  if (name == kWorkAreaVariable) return QStringToAnsi(WithSeparator(settings_.WorkArea));
  if (name == kHomeDirVariable) return QStringToAnsi(WithSeparator(settings_.ServedDirectory));
  const auto found = settings_.Variables.find(name);
  return found == settings_.Variables.end() ? std::string() : found->second;
}
