#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <QPointer>
#include <thread>

#include "host_fixture.h"
#include "host/records.h"
#include "platform/raw_peer.h"
#include "platform/serving.h"
#include "platform/windowfiles.h"

using namespace zeph;

namespace {

class ProtocolTest : public HostTest {};

TEST_F(ProtocolTest, EmptyPayloadTravelsAsEightBytesAndArrivesEmpty) {
  ASSERT_TRUE(platform::RegisterClass("RawWindowClass"));
  const platform::HWND raw = platform::CreateWindow("RawWindowClass", "raw");
  std::string block;
  std::int32_t word = 0;
  platform::SetWindowProc(raw, [&](platform::HWND, const platform::TWindowMessage& message) -> std::int64_t {
    block = std::string(message.CopyData->Data);
    word = message.CopyData->DataWord;
    return 0;
  });
  auto* sender = new TTestPeer("SenderClass");
  auto* receiver = new TTestPeer("ReceiverClass");
  std::vector<std::pair<std::uint32_t, std::size_t>> got;
  receiver->OnGotAMessage = [&](QObject*, TLexivoMessageStream& msg) {
    got.emplace_back(msg.Sender->Handle, msg.Size());
    EXPECT_EQ(msg.MsgType, 5000);
  };

  TEntity target(sender);
  target.Handle = raw;
  TLexivoMessageStream msg(sender);
  msg.MsgType = 5000;
  sender->SendAMessage(target, msg, nullptr);
  EXPECT_EQ(word, 5000);
  EXPECT_EQ(block, EncodeTransportBlock(msg.TimeStamp, ""));
  EXPECT_EQ(block.size(), 8u);
  EXPECT_NE(msg.TimeStamp.Date, 0);

  msg.SendTo(receiver->OwnEntity(), nullptr);
  EXPECT_EQ(got, (std::vector<std::pair<std::uint32_t, std::size_t>>{{sender->OwnEntity().Handle, 0u}}));

  delete sender;
  delete receiver;
  platform::DestroyWindow(raw);
  platform::UnregisterClass("RawWindowClass");
}

TEST_F(ProtocolTest, ReplyIsTiedToItsRequestByTheTimeStamp) {
  auto* requester = new TTestPeer("RequesterClass");
  auto* answerer = new TTestPeer("AnswererClass");
  answerer->OnGotAMessage = [&](QObject*, TLexivoMessageStream& request) {
    // First an answer to nobody's request, then the real one, both before returning.
    answerer->Post(request.Sender->Handle, msgReply, "stray", TTimeStamp{1, 2});
    answerer->Post(request.Sender->Handle, msgReply, "answer to " + request.ReadString(), request.TimeStamp);
  };
  TLexivoMessageStream request(requester);
  request.MsgType = msgQueryString;
  request.WriteString("question");
  TLexivoMessageStream reply(requester);
  requester->SendAMessage(answerer->OwnEntity(), request, &reply);
  EXPECT_EQ(reply.Bytes(), "answer to question");
  EXPECT_EQ(reply.Position(), 0u);
  EXPECT_EQ(reply.MsgType, msgReply);
  EXPECT_EQ(reply.TimeStamp, request.TimeStamp);
  EXPECT_EQ(reply.Sender->Handle, answerer->OwnEntity().Handle);
  // The unmatched reply waits until the component goes (and is freed with it).
  ASSERT_EQ(requester->Replies().size(), 1u);
  EXPECT_EQ(requester->Replies()[0]->Bytes(), "stray");
  EXPECT_EQ(requester->FindReply(TTimeStamp{9, 9}), nullptr);
  delete requester;
  delete answerer;
}

TEST_F(ProtocolTest, EmptyAndNegativeLengthStringsReadAsEmptyText) {
  auto* client = new TkdbDemonClient();
  auto* peer = new TTestPeer("StringServer");
  client->ServerEntity().Handle = peer->OwnEntity().Handle;
  std::vector<std::string> answers = {std::string(4, '\0'), std::string(4, '\xFF'), std::string("\x02\0\0\0ok", 6)};
  std::vector<std::string> questions;
  peer->OnGotAMessage = [&](QObject*, TLexivoMessageStream& request) {
    if (request.MsgType == msgUnregister) return;
    questions.push_back(request.Bytes());
    peer->Post(request.Sender->Handle, msgReply, answers[questions.size() - 1], request.TimeStamp);
  };
  EXPECT_EQ(client->QueryString(""), "");
  EXPECT_EQ(client->MapFileName("x"), "");
  EXPECT_EQ(client->QueryString("q"), "ok");
  // The empty question travels as a length of four zero bytes.
  EXPECT_EQ(questions, (std::vector<std::string>{std::string(4, '\0'), std::string("\x01\0\0\0x", 5),
                                                 std::string("\x01\0\0\0q", 5)}));
  delete client;
  delete peer;
}

TEST_F(ProtocolTest, ParamsMessageOfThreeLinesReplacesParamsAndFiresOnce) {
  process_.Arguments = {"/opt/sims/varsim.exe", "old"};
  auto* client = new TkdbDemonClient();
  auto* peer = new TTestPeer("PeerClass");
  int changes = 0;
  client->OnParamsChange = [&](QObject* sender) {
    ++changes;
    EXPECT_EQ(sender, client);
  };
  peer->Post(client->OwnEntity().Handle, msgParams, "/other/varsim.exe\r\nfirst\nsecond\r\n", TTimeStamp{});
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(client->Params(), (std::vector<std::string>{"/other/varsim.exe", "first", "second"}));
  EXPECT_EQ(client->ParamCount(), 2);
  EXPECT_EQ(client->ParamStr(1), "first");
  EXPECT_EQ(client->ParamStr(0), "/opt/sims/varsim.exe");
  delete peer;
  delete client;
}

TEST_F(ProtocolTest, QuitWithServerDownDestroysWithoutUnregistering) {
  TkdbDemonServer* server = StartServer();
  QPointer<TkdbDemonClient> client = new TkdbDemonClient();
  client->EndLoading();
  ASSERT_EQ(server->Participants().size(), 1u);
  const std::string window = std::to_string(client->OwnEntity().Handle);
  bool event_down = false;
  client->OnQuitMsgReceived = [&](QObject*, bool serverDown, bool&) { event_down = serverDown; };
  server->QuitClients(true);
  EXPECT_TRUE(client.isNull());
  EXPECT_TRUE(event_down);
  EXPECT_EQ(terminations_, 1);
  EXPECT_EQ(ParticipantLog(),
            (std::vector<std::string>{"register " + window + " Varsim", "quit " + window + " server-down"}));
  delete server;
}

TEST_F(ProtocolTest, QuitWithoutServerDownUnregistersFirst) {
  TkdbDemonServer* server = StartServer();
  QPointer<TkdbDemonClient> client = new TkdbDemonClient();
  client->EndLoading();
  const std::string window = std::to_string(client->OwnEntity().Handle);
  server->QuitClients(false);
  EXPECT_TRUE(client.isNull());
  EXPECT_EQ(ParticipantLog(), (std::vector<std::string>{"register " + window + " Varsim", "unregister " + window,
                                                      "quit " + window}));
  EXPECT_TRUE(server->Participants().empty());
  delete server;
}

TEST_F(ProtocolTest, QuitRefusedByItsHandlerLeavesTheProgramRunning) {
  TkdbDemonServer* server = StartServer();
  QPointer<TkdbDemonClient> client = new TkdbDemonClient();
  client->EndLoading();
  client->OnQuitMsgReceived = [](QObject*, bool, bool& allowQuit) { allowQuit = false; };
  server->QuitClients(true);
  Pump();
  ASSERT_FALSE(client.isNull());
  EXPECT_TRUE(client->ServerDown());
  EXPECT_EQ(terminations_, 0);
  delete client.data();
  // It knows the server went down: no unregister on the way out.
  EXPECT_EQ(ParticipantLog().size(), 2u);
  EXPECT_EQ(terminations_, 1);
  delete server;
}

TEST_F(ProtocolTest, QuitArrivingDuringARequestWaitsUntilTheRequestHasReturned) {
  QPointer<TkdbDemonClient> client = new TkdbDemonClient();
  auto* peer = new TTestPeer("ImpatientServer");
  client->ServerEntity().Handle = peer->OwnEntity().Handle;
  client->SetUseOstrelServer(true);
  peer->OnGotAMessage = [&](QObject*, TLexivoMessageStream& request) {
    peer->Post(request.Sender->Handle, msgQuit, std::string(1, '\0'), TTimeStamp{});
    TLexivoMessageStream answer(peer);
    answer.WriteString("still here");
    peer->Post(request.Sender->Handle, msgReply, answer.Bytes(), request.TimeStamp);
  };
  EXPECT_EQ(client->GetVariable("anything"), "still here");
  ASSERT_FALSE(client.isNull());
  EXPECT_TRUE(PumpUntil([&] { return client.isNull(); }));
  EXPECT_EQ(terminations_, 1);
  delete peer;
}

TEST_F(ProtocolTest, MalformedBlocksRaiseAndDispatchNothing) {
  auto* client = new TkdbDemonClient();
  int dispatched = 0;
  client->OnGotAMessage = [&](QObject*, TLexivoMessageStream&) { ++dispatched; };
  client->OnQuitMsgReceived = [&](QObject*, bool, bool&) { ++dispatched; };
  const platform::HWND window = client->OwnEntity().Handle;
  for (std::size_t size = 0; size < 8; ++size) {
    EXPECT_TRUE(platform::SendCopyData(window, 0, 5000, std::string(size, 'x')).has_value());
  }
  EXPECT_EQ(messages_.size(), 8u);
  EXPECT_EQ(messages_[0], "Invalid message: a block of 0 bytes holds no time stamp");
  // A quit without its byte is refused when it is read, before any event.
  platform::SendCopyData(window, 0, msgQuit, EncodeTransportBlock(TTimeStamp{}, ""));
  EXPECT_EQ(messages_.back(), "Stream read error");
  EXPECT_EQ(dispatched, 0);
  EXPECT_EQ(terminations_, 0);
  delete client;
}

TEST_F(ProtocolTest, ASilentServerEndsEachRequestAsNotResponding) {
  // A stopped server: the kernel takes the requests into its queue, nobody ever answers.
  const platform::HWND stopped = 0x0057091D;
  const int listener = raw_peer::Listen(platform::WindowSocketPath(runtime_.RuntimeDir(), stopped), 16);
  ASSERT_GE(listener, 0);
  platform::SetStallLimit(200);
  auto* client = new TkdbDemonClient();
  client->SetUseOstrelServer(true);
  client->ServerEntity().Handle = stopped;
  QElapsedTimer timer;
  timer.start();
  try {
    client->GetVariable("OstrelWorkArea");
    ADD_FAILURE() << "no error";
  } catch (const ELexivo& error) {
    EXPECT_STREQ(error.what(), "host not responding");
  }
  EXPECT_THROW(client->MapFileName("varactor"), ELexivo);
  EXPECT_EQ(client->FindEntityByTitle("Varsim"), nullptr);
  EXPECT_LT(timer.elapsed(), 5000);
  platform::SetStallLimit(platform::kDefaultStallLimitMs);
  close(listener);
  delete client;
}

TEST_F(ProtocolTest, ServerDyingMidRequestLeavesTheReplyEmpty) {
  const platform::HWND fake = 0x00DEAD00;
  ASSERT_EQ(platform::RuntimeDirectory(), runtime_.RuntimeDir());
  const int listener = raw_peer::Listen(platform::WindowSocketPath(runtime_.RuntimeDir(), fake));
  ASSERT_GE(listener, 0);
  std::thread server([&] {
    for (int i = 0; i < 3; ++i) {
      const int fd = accept(listener, nullptr, nullptr);
      char header[platform::kFrameHeaderSize];
      static_cast<void>(recv(fd, header, sizeof header, MSG_WAITALL));
      close(fd);
    }
  });
  auto* client = new TkdbDemonClient();
  client->SetUseOstrelServer(true);
  client->ServerEntity().Handle = fake;
  try {
    client->GetVariable("OstrelWorkArea");
    ADD_FAILURE() << "no error";
  } catch (const ELexivo& error) {
    // The reason the reply never came, not a bare "Stream read error".
    EXPECT_STREQ(error.what(), "host ended the connection before it answered");
  }
  EXPECT_EQ(client->FindEntityByTitle("Varsim"), nullptr);
  EXPECT_THROW(client->GetFileStream("x.itl"), ELexivo);
  server.join();
  close(listener);
  delete client;
}

}  // namespace
