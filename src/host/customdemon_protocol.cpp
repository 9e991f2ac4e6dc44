#include "host/customdemon.h"
#include "host/records.h"

#include <algorithm>
#include <cerrno>

#include "platform/lasterror.h"

using namespace zeph;

namespace {

// What a reader of a reply that never came is told.
std::string NoReplyReason(const std::string& peer, bool sent, std::uint32_t sendError) {
  if (sent) return peer + " sent no answer";
  switch (sendError) {
    case ETIMEDOUT:
      return peer == "host" ? "host not responding" : peer + " is not responding";
    case ECONNRESET:
      return peer + " ended the connection before it answered";
    case platform::kErrorInvalidWindowHandle:
      return peer == "host" ? "Lexivo server application is not running" : peer + " is not running";
    default:
      return peer + " cannot be asked: " +
             platform::FormatMessage(sendError).value_or("error " + std::to_string(sendError));
  }
}

}  // namespace

void TkdbCustomDemon::SendAMessage(TEntity& target, TLexivoMessageStream& msg, TLexivoMessageStream* reply) {
  msg.TimeStamp = CurrentTimeStamp();
  TransmitMessage(target, msg, reply);
}

void TkdbCustomDemon::TransmitMessage(TEntity& target, TLexivoMessageStream& msg, TLexivoMessageStream* reply) {
  msg.Demon = this;
  if (reply != nullptr) reply->Demon = this;
  if (!OwnEntity_->IsValid()) return;
  const bool to_host = &target == ServerEntity_.get();
  if (to_host && host_stalled_) {
    // One stall, one wait: the host already failed to answer within the limit.
    if (reply != nullptr) reply->SetReadFailure(NoReplyReason("host", false, ETIMEDOUT));
    return;
  }
  msg.SetPosition(0);
  const std::string block = EncodeTransportBlock(msg.TimeStamp, msg.Bytes());
  ++busy_;
  awaited_.push_back(msg.TimeStamp);
  // The answer, if any, arrives as a msgReply while we wait here; a failed send leaves none.
  const bool sent = platform::SendCopyData(target.Handle, OwnEntity_->Handle, msg.MsgType, block).has_value();
  const std::uint32_t send_error = platform::GetLastError();
  if (to_host && !sent && send_error == ETIMEDOUT) host_stalled_ = true;
  awaited_.pop_back();
  --busy_;
  if (std::unique_ptr<TLexivoMessageStream> found = FindReply(msg.TimeStamp); found && reply != nullptr) {
    reply->AssignMessage(*found);
  } else if (reply != nullptr) {
    reply->SetReadFailure(NoReplyReason(to_host ? "host" : "the other program", sent, send_error));
  }
  // A quit that arrived meanwhile: the caller still uses the component, so it goes later.
  if (quit_requested_ && busy_ == 0 && !destroying_) deleteLater();
}

std::unique_ptr<TLexivoMessageStream> TkdbCustomDemon::FindReply(const TTimeStamp& stamp) {
  for (auto it = Replies_.begin(); it != Replies_.end(); ++it) {
    if ((*it)->TimeStamp == stamp) {
      std::unique_ptr<TLexivoMessageStream> found = std::move(*it);
      Replies_.erase(it);
      return found;
    }
  }
  return nullptr;
}

std::int64_t TkdbCustomDemon::WndProc(const platform::TWindowMessage& message) {
  if (message.Msg == platform::WM_COPYDATA && message.CopyData != nullptr) {
    WMCopyData(message.WParam, *message.CopyData);
    return 0;
  }
  return platform::DefWindowProc(OwnEntity_->Handle, message);
}

void TkdbCustomDemon::WMCopyData(std::uint32_t senderWindow, const platform::TCopyData& data) {
  const TTransportBlock block = DecodeTransportBlock(data.Data);
  auto msg = std::make_unique<TLexivoMessageStream>(this);
  msg->MsgType = data.DataWord;
  msg->TimeStamp = block.Stamp;
  msg->Write(block.Payload);
  msg->SetPosition(0);
  msg->Sender->Handle = senderWindow;
  // A component on its way out still collects answers, but runs no events any more.
  if (Destroying() && msg->MsgType != msgReply) return;
  ProcessMessage(msg);
}

void TkdbCustomDemon::ProcessMessage(std::unique_ptr<TLexivoMessageStream>& msg) {
  switch (msg->MsgType) {
    case msgQuit: {
      ServerDown_ = msg->ReadByte() != 0;
      bool allow_quit = true;
      DoQuitMsgReceived(ServerDown_, allow_quit);
      if (allow_quit) DestroyWhenIdle();
      break;
    }
    case msgReply:
      Replies_.push_back(std::move(msg));
      TrimStrayReplies();
      break;
    case msgParams:
      Params_ = SplitStringListText(msg->Bytes());
      DoParamsChange();
      break;
    default:
      msg->SetPosition(0);
      DoGotAMessage(*msg);
      break;
  }
}

void TkdbCustomDemon::TrimStrayReplies() {
  // The first held reply for each request under way is what that request collects; every
  // other one is stray.
  auto stray = [this](std::size_t index) {
    const TTimeStamp& stamp = Replies_[index]->TimeStamp;
    if (std::find(awaited_.begin(), awaited_.end(), stamp) == awaited_.end()) return true;
    for (std::size_t earlier = 0; earlier < index; ++earlier) {
      if (Replies_[earlier]->TimeStamp == stamp) return true;
    }
    return false;
  };
  std::size_t count = 0;
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < Replies_.size(); ++i) {
    if (!stray(i)) continue;
    ++count;
    bytes += Replies_[i]->Size();
  }
  for (std::size_t i = 0; i < Replies_.size() && (count > kMaxStrayReplies || bytes > kMaxStrayReplyBytes);) {
    if (!stray(i)) {
      ++i;
      continue;
    }
    --count;
    bytes -= Replies_[i]->Size();
    Replies_.erase(Replies_.begin() + static_cast<std::ptrdiff_t>(i));
  }
}
