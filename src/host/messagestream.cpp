#include "host/messagestream.h"

#include "host/customdemon.h"
#include "host/records.h"

using namespace zeph;

TLexivoMessageStream::TLexivoMessageStream(TkdbCustomDemon* demon)
    : Sender(std::make_unique<TEntity>(demon)), Demon(demon) {}

void TLexivoMessageStream::AssignMessage(const TLexivoMessageStream& other) {
  TimeStamp = other.TimeStamp;
  Sender->Assign(other.Sender.get());
  MsgType = other.MsgType;
  Clear();
  Write(other.Bytes());
  SetPosition(0);
}

void TLexivoMessageStream::WriteString(std::string_view text) { WriteStringRecord(*this, text); }

std::string TLexivoMessageStream::ReadString() { return ReadStringRecord(*this); }

void TLexivoMessageStream::SendTo(TEntity& target, TLexivoMessageStream* reply) {
  if (Demon != nullptr) Demon->SendAMessage(target, *this, reply);
}
