#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/memorystream.h"
#include "host/timestamp.h"

// The byte formats of the host protocol, free of any window: strings and participant records in
// payloads, and the transport block that carries a time stamp and a payload. Every reader checks
// its lengths against the bytes there are and raises ELexivo rather than read or allocate beyond.

// A signed 32-bit little-endian length N, then N bytes. A length of 0 or less reads as the empty
// string; a length beyond the remaining bytes is an error.
void WriteStringRecord(TMemoryStream& stream, std::string_view text);
std::string ReadStringRecord(TMemoryStream& stream);

struct TEntityRecord {
  std::uint32_t Handle = 0;
  std::uint32_t MutexHandle = 0;
  std::string ExeName;
  std::string Title;
};

void WriteEntityRecord(TMemoryStream& stream, const TEntityRecord& record);
TEntityRecord ReadEntityRecord(TMemoryStream& stream);

constexpr std::size_t kTimeStampBytes = 8;

// Time (4 bytes), Date (4 bytes), then the payload.
std::string EncodeTransportBlock(const TTimeStamp& stamp, std::string_view payload);

struct TTransportBlock {
  TTimeStamp Stamp;
  std::string_view Payload;
};
// The parts of a received block; the payload refers into block. Raises ELexivo for a block of
// fewer than 8 bytes.
TTransportBlock DecodeTransportBlock(std::string_view block);

// The toolkit's string-list text: every line followed by CR LF.
std::string StringListText(const std::vector<std::string>& lines);
// The lines of a string-list text; a line ends at CR LF, CR or LF, and a last line needs none.
std::vector<std::string> SplitStringListText(std::string_view text);
