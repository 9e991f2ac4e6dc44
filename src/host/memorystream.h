#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A growable byte buffer with a read/write position. Reading past the end by ReadBuffer raises
// ELexivo "Stream read error"; nothing is ever allocated for bytes the buffer does not hold.
class TMemoryStream {
 public:
  TMemoryStream() = default;
  virtual ~TMemoryStream() = default;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;

  std::size_t Size() const { return bytes_.size(); }
  std::size_t Position() const { return position_; }
  // A position beyond the end is allowed; reading there gives nothing, writing fills the gap.
  void SetPosition(std::size_t position) { position_ = position; }
  std::size_t Remaining() const { return position_ < bytes_.size() ? bytes_.size() - position_ : 0; }
  const std::string& Bytes() const { return bytes_; }
  void Clear();

  // Reads up to count bytes; gives how many came.
  std::size_t Read(void* buffer, std::size_t count);
  void ReadBuffer(void* buffer, std::size_t count);
  // count bytes from the position, as one string; raises like ReadBuffer.
  std::string ReadBytes(std::size_t count);
  void Write(const void* buffer, std::size_t count);
  void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }

  std::uint8_t ReadByte();
  std::int32_t ReadInt32();
  void WriteByte(std::uint8_t value);
  void WriteInt32(std::int32_t value);

  // Why the stream holds less than a reader expects (a reply that never came, and why): the text
  // of the error that reading past the end raises instead of "Stream read error".
  void SetReadFailure(std::string reason) { read_failure_ = std::move(reason); }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
  std::string read_failure_;

  [[noreturn]] void RaiseReadError() const;
};
