#include <gtest/gtest.h>

#include <string>

#include "host/host_fixture.h"
#include "platform/messagewindow.h"

using namespace zeph;

namespace {

class HostileMessagesTest : public HostTest {};

TEST_F(HostileMessagesTest, StrayRepliesAreKeptUpToTheirBoundsOldestGoingFirst) {
  auto* requester = new TTestPeer("RequesterClass");
  auto* answerer = new TTestPeer("AnswererClass");
  const std::size_t flood = TkdbCustomDemon::kMaxStrayReplies + 100;
  answerer->OnGotAMessage = [&](QObject*, TLexivoMessageStream& request) {
    // Replies nobody asked for, also many with the awaited stamp, then the real answer.
    for (std::size_t i = 0; i < flood; ++i) {
      answerer->Post(request.Sender->Handle, msgReply, "stray " + std::to_string(i),
                     TTimeStamp{static_cast<std::int32_t>(i), 1});
    }
    answerer->Post(request.Sender->Handle, msgReply, "the answer", request.TimeStamp);
    for (int i = 0; i < 3; ++i) answerer->Post(request.Sender->Handle, msgReply, "echo", request.TimeStamp);
  };
  TLexivoMessageStream request(requester);
  request.MsgType = msgQueryString;
  TLexivoMessageStream reply(requester);
  requester->SendAMessage(answerer->OwnEntity(), request, &reply);
  EXPECT_EQ(reply.Bytes(), "the answer");
  ASSERT_EQ(requester->Replies().size(), TkdbCustomDemon::kMaxStrayReplies);
  // The newest are kept: the three echoes and the last strays.
  EXPECT_EQ(requester->Replies().back()->Bytes(), "echo");
  EXPECT_EQ(requester->Replies().front()->Bytes(),
            "stray " + std::to_string(flood - TkdbCustomDemon::kMaxStrayReplies + 3));

  // Large strays are bounded by their bytes as well.
  const std::string large(TkdbCustomDemon::kMaxStrayReplyBytes / 2 + 1, 'L');
  for (int i = 0; i < 3; ++i) answerer->Post(requester->OwnEntity().Handle, msgReply, large, TTimeStamp{-1, i});
  std::size_t bytes = 0;
  for (const auto& held : requester->Replies()) bytes += held->Size();
  EXPECT_LE(bytes, TkdbCustomDemon::kMaxStrayReplyBytes);
  EXPECT_EQ(requester->Replies().back()->TimeStamp, (TTimeStamp{-1, 2}));
  delete requester;
  delete answerer;
}

TEST_F(HostileMessagesTest, WhileAnErrorBoxIsOpenFurtherErrorsGoToStandardError) {
  auto* component = new TTestPeer("TargetClass");
  auto* sender = new TTestPeer("SenderClass");
  const platform::HWND target = component->OwnEntity().Handle;
  const platform::HWND from = sender->OwnEntity().Handle;
  int boxes = 0;
  TkdbCustomDemon::MessageHook() = [&](const std::string& text) {
    ++boxes;
    messages_.push_back(text);
    // Blocks too short to be messages keep arriving while the box is open.
    if (boxes == 1) {
      for (int i = 0; i < 3; ++i) platform::SendCopyData(target, from, 4200, "bad");
    }
  };
  testing::internal::CaptureStderr();
  platform::SendCopyData(target, from, 4200, "bad");
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(boxes, 1);
  ASSERT_EQ(messages_.size(), 1u);
  const std::string line = "Varsim: " + messages_[0] + " (message from window " + std::to_string(from) + ")\n";
  EXPECT_EQ(said, line + line + line);
  // Once the box is closed, the next error gets a box of its own.
  platform::SendCopyData(target, from, 4200, "bad");
  EXPECT_EQ(boxes, 2);
  delete component;
  delete sender;
}

}  // namespace
