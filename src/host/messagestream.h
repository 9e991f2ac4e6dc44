#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "host/entity.h"
#include "host/memorystream.h"
#include "host/timestamp.h"

class TkdbCustomDemon;

// One message of the host protocol: its type, its time stamp, the sending participant (of a
// received message) and the payload, which is the stream's bytes.
class TLexivoMessageStream : public TMemoryStream {
 public:
  explicit TLexivoMessageStream(TkdbCustomDemon* demon);

  TTimeStamp TimeStamp;
  // In a received message, Sender->Handle is the sending window.
  std::unique_ptr<TEntity> Sender;
  // The component that created the message (not owned); set again when it is sent.
  TkdbCustomDemon* Demon;
  std::int32_t MsgType = 0;

  // Copies time stamp, sender, type and payload; the position is 0 afterwards.
  void AssignMessage(const TLexivoMessageStream& other);
  void WriteString(std::string_view text);
  // Raises ELexivo when the stored length runs past the payload.
  std::string ReadString();
  // Demon->SendAMessage of target, this message and the reply.
  void SendTo(TEntity& target, TLexivoMessageStream* reply);
};
