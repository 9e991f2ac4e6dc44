// Feeds arbitrary bytes to the receiving side of the host protocol: as a copy-data block into
// the component's window procedure (with a message type taken from the first byte), and as a
// payload into the entity, string and string-list readers.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/ostreldemon.h"
#include "host/records.h"
#include "fuzz_scratch.h"

using namespace zeph;

namespace {

// Opens its protected state so each input starts from the same component.
class TFuzzClient : public TkdbDemonClient {
 public:
  void Reset() {
    Replies_.clear();
    Params_.clear();
    ServerDown_ = false;
  }
};

TFuzzClient* Client() {
  static TFuzzClient* client = [] {
    FuzzScratchDirectory("host_protocol_fuzz");
    TkdbCustomDemon::ProcessHook() = [] {
      THostProcess process;
      process.Arguments = {"/fuzz/prog"};
      process.ExePath = QStringLiteral("/fuzz/prog");
      process.Title = "fuzz";
      return process;
    };
    TkdbCustomDemon::MessageHook() = [](const std::string&) {};
    TkdbCustomDemon::TerminateHook() = [] {};
    TkdbCustomDemon::ExitProcessHook() = [](int) {};
    auto* created = new TFuzzClient();
    // A quit is refused, so the one component serves every input.
    created->OnQuitMsgReceived = [](QObject*, bool, bool& allowQuit) { allowQuit = false; };
    created->OnGotAMessage = [](QObject*, TLexivoMessageStream& msg) {
      try {
        TEntity entity(nullptr);
        entity.ReadFromStream(msg);
        msg.ReadString();
      } catch (const ELexivo&) {
      }
    };
    return created;
  }();
  return client;
}

void ReadPayload(std::string_view bytes) {
  TMemoryStream stream;
  stream.Write(bytes);
  stream.SetPosition(0);
  try {
    ReadEntityRecord(stream);
  } catch (const ELexivo&) {
  }
  stream.SetPosition(0);
  try {
    while (stream.Remaining() > 0) ReadStringRecord(stream);
  } catch (const ELexivo&) {
  }
  SplitStringListText(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadPayload(bytes.substr(1));

  TFuzzClient* client = Client();
  const platform::TCopyData copy{msgQuit + static_cast<std::int32_t>(data[0] % 12), bytes.substr(1)};
  const platform::TWindowMessage message{platform::WM_COPYDATA, 0, &copy};
  try {
    client->WndProc(message);
  } catch (const ELexivo&) {
  }
  client->Reset();
  return 0;
}
