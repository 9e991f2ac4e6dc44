#include "host/records.h"

#include "host/elexivo.h"
#include "platform/littleendian.h"

using namespace zeph;

void WriteStringRecord(TMemoryStream& stream, std::string_view text) {
  stream.WriteInt32(static_cast<std::int32_t>(text.size()));
  stream.Write(text);
}

std::string ReadStringRecord(TMemoryStream& stream) {
  const std::int32_t length = stream.ReadInt32();
  if (length <= 0) return {};
  // ReadBytes checks the length against what the message holds before it takes anything.
  return stream.ReadBytes(static_cast<std::size_t>(length));
}

void WriteEntityRecord(TMemoryStream& stream, const TEntityRecord& record) {
  stream.WriteInt32(static_cast<std::int32_t>(record.Handle));
  stream.WriteInt32(static_cast<std::int32_t>(record.MutexHandle));
  WriteStringRecord(stream, record.ExeName);
  WriteStringRecord(stream, record.Title);
}

TEntityRecord ReadEntityRecord(TMemoryStream& stream) {
  TEntityRecord record;
  record.Handle = static_cast<std::uint32_t>(stream.ReadInt32());
  record.MutexHandle = static_cast<std::uint32_t>(stream.ReadInt32());
  record.ExeName = ReadStringRecord(stream);
  record.Title = ReadStringRecord(stream);
  return record;
}

std::string EncodeTransportBlock(const TTimeStamp& stamp, std::string_view payload) {
  std::string block;
  block.reserve(kTimeStampBytes + payload.size());
  platform::AppendU32(block, static_cast<std::uint32_t>(stamp.Time));
  platform::AppendU32(block, static_cast<std::uint32_t>(stamp.Date));
  block.append(payload);
  return block;
}

TTransportBlock DecodeTransportBlock(std::string_view block) {
  if (block.size() < kTimeStampBytes) {
    throw ELexivo("Invalid message: a block of " + std::to_string(block.size()) +
                  " bytes holds no time stamp");
  }
  TTransportBlock result;
  result.Stamp.Time = static_cast<std::int32_t>(platform::ReadU32(block.data()));
  result.Stamp.Date = static_cast<std::int32_t>(platform::ReadU32(block.data() + 4));
  result.Payload = block.substr(kTimeStampBytes);
  return result;
}

std::string StringListText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> SplitStringListText(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}
