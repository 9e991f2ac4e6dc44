#include "host/memorystream.h"

#include <cstring>

#include "host/elexivo.h"
#include "platform/littleendian.h"

using namespace zeph;

void TMemoryStream::Clear() {
  bytes_.clear();
  position_ = 0;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  const std::size_t available = std::min(count, Remaining());
  if (available > 0) std::memcpy(buffer, bytes_.data() + position_, available);
  position_ += available;
  return available;
}

void TMemoryStream::ReadBuffer(void* buffer, std::size_t count) {
  if (count > Remaining()) RaiseReadError();
  Read(buffer, count);
}

std::string TMemoryStream::ReadBytes(std::size_t count) {
  if (count > Remaining()) RaiseReadError();
  std::string result = bytes_.substr(position_, count);
  position_ += count;
  return result;
}

void TMemoryStream::RaiseReadError() const {
  throw ELexivo(read_failure_.empty() ? std::string("Stream read error") : read_failure_);
}

void TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return;
  if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
  std::memcpy(bytes_.data() + position_, buffer, count);
  position_ += count;
}

std::uint8_t TMemoryStream::ReadByte() {
  std::uint8_t value = 0;
  ReadBuffer(&value, 1);
  return value;
}

std::int32_t TMemoryStream::ReadInt32() {
  char bytes[4];
  ReadBuffer(bytes, 4);
  return static_cast<std::int32_t>(platform::ReadU32(bytes));
}

void TMemoryStream::WriteByte(std::uint8_t value) { Write(&value, 1); }

void TMemoryStream::WriteInt32(std::int32_t value) {
  std::string bytes;
  platform::AppendU32(bytes, static_cast<std::uint32_t>(value));
  Write(bytes);
}
