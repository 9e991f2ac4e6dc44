// Feeds arbitrary bytes to the stand-in host server through real sockets: the window server's
// frame reader gets them split at arbitrary points and interleaved over several connections,
// and whatever forms a frame is dispatched to the server's request handling.
//
// Input: byte 0 chooses how the rest is cut into pieces and frames, byte 1 whether each part
// travels as a frame built around it (message type from its first byte) or as raw bytes.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_scratch.h"
#include "host/server/demonserver.h"
#include "platform/frame.h"
#include "platform/messagewindow.h"
#include "platform/runtimedir.h"
#include "platform/serving.h"
#include "platform/windowfiles.h"

using namespace zeph;

namespace {

// Never starts a program, whatever a request asks for.
class TFuzzServer : public TkdbDemonServer {
 public:
  using TkdbDemonServer::TkdbDemonServer;
  std::int32_t ExecuteProgram(const std::string&, const std::string&, bool, std::int32_t) override { return 0; }
};

TFuzzServer* Server() {
  static TFuzzServer* server = [] {
    const std::string root = FuzzScratchDirectory("host_frames_fuzz");
    QDir().mkpath(QString::fromStdString(root + "/serve"));
    std::ofstream(root + "/serve/served.txt") << "served file";
    TkdbCustomDemon::ProcessHook() = [] {
      THostProcess process;
      process.Arguments = {"/fuzz/server"};
      process.ExePath = QStringLiteral("/fuzz/server");
      process.Title = "fuzz server";
      return process;
    };
    TkdbCustomDemon::MessageHook() = [](const std::string&) {};
    TkdbCustomDemon::TerminateHook() = [] {};
    TkdbCustomDemon::ExitProcessHook() = [](int) {};
    // Answers to windows that never take them must not stall the run.
    platform::SetSendTimeLimit(50);
    TServerSettings settings;
    settings.HandleText = "f022";
    settings.ServedDirectory = QString::fromStdString(root + "/serve");
    auto* created = new TFuzzServer(nullptr, settings);
    created->OnQuitMsgReceived = [](QObject*, bool, bool& allowQuit) { allowQuit = false; };
    return created;
  }();
  return server;
}

int Connect(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

struct TConnection {
  int fd = -1;
  std::string bytes;
  std::size_t written = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  TFuzzServer* server = Server();
  const std::uint8_t cut = data[0];
  const std::uint8_t framing = data[1];
  const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);

  // One to three parts, each sent on a connection of its own.
  const std::size_t parts = 1 + cut % 3;
  const std::string path = platform::WindowSocketPath(platform::RuntimeDirectory(), server->OwnEntity().Handle);
  std::vector<TConnection> connections;
  for (std::size_t part = 0; part < parts; ++part) {
    const std::size_t begin = rest.size() * part / parts;
    const std::string_view bytes = rest.substr(begin, rest.size() * (part + 1) / parts - begin);
    TConnection connection;
    connection.fd = Connect(path);
    if (connection.fd < 0) continue;
    if ((framing >> part) & 1) {
      connection.bytes.assign(bytes);
    } else {
      // A frame around the part; replies go to the server itself or to a window that is none.
      const std::int32_t type = msgQuit + (bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes[0]) % 12);
      const std::uint32_t sender = (framing & 0x80) != 0 ? server->OwnEntity().Handle : 0x0BADF00D;
      connection.bytes = platform::EncodeFrame(platform::WM_COPYDATA, sender, type, bytes.substr(bytes.empty() ? 0 : 1));
    }
    connections.push_back(std::move(connection));
  }
  // Pieces of 1 to 16 bytes, round robin over the connections, with the server reading between.
  std::size_t piece = 1 + (cut >> 4);
  for (bool more = true; more;) {
    more = false;
    for (TConnection& connection : connections) {
      if (connection.written >= connection.bytes.size()) continue;
      const std::size_t count = std::min(piece, connection.bytes.size() - connection.written);
      const ssize_t sent = send(connection.fd, connection.bytes.data() + connection.written, count, MSG_NOSIGNAL);
      if (sent > 0) connection.written += static_cast<std::size_t>(sent);
      if (sent < 0 && errno != EAGAIN) connection.written = connection.bytes.size();
      more = more || connection.written < connection.bytes.size();
      platform::ServeMessages(0);
    }
    piece = piece % 16 + 1;
  }
  for (TConnection& connection : connections) shutdown(connection.fd, SHUT_WR);
  for (int round = 0; round < 4; ++round) platform::ServeMessages(0);
  for (TConnection& connection : connections) close(connection.fd);
  platform::ServeMessages(0);
  // Every input starts from a server without participants.
  server->QuitClients(true);
  return 0;
}
