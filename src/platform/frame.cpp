#include "platform/frame.h"

#include "platform/littleendian.h"

namespace platform {
namespace {

constexpr std::string_view kFrameMagic = "LXWM";
constexpr std::string_view kAckMagic = "LXWA";

}  // namespace

std::string EncodeFrame(std::uint32_t msg, std::uint32_t wParam, std::int32_t dataWord,
                        std::string_view data) {
  std::string out;
  out.reserve(kFrameHeaderSize + data.size());
  out.append(kFrameMagic);
  AppendU32(out, msg);
  AppendU32(out, wParam);
  AppendU32(out, static_cast<std::uint32_t>(dataWord));
  AppendU32(out, static_cast<std::uint32_t>(data.size()));
  out.append(data);
  return out;
}

std::optional<TFrameHeader> DecodeFrameHeader(std::string_view bytes) {
  if (bytes.size() < kFrameHeaderSize || bytes.substr(0, 4) != kFrameMagic) return std::nullopt;
  TFrameHeader header;
  header.Msg = ReadU32(bytes.data() + 4);
  header.WParam = ReadU32(bytes.data() + 8);
  header.DataWord = static_cast<std::int32_t>(ReadU32(bytes.data() + 12));
  header.Count = ReadU32(bytes.data() + 16);
  if (header.Msg != WM_COPYDATA || header.Count > kMaxCopyDataBytes) return std::nullopt;
  return header;
}

std::string EncodeAck(std::int64_t result) {
  std::string out(kAckMagic);
  AppendI64(out, result);
  return out;
}

std::optional<std::int64_t> DecodeAck(std::string_view bytes) {
  if (bytes.size() != kAckSize || bytes.substr(0, 4) != kAckMagic) return std::nullopt;
  return ReadI64(bytes.data() + 4);
}

}  // namespace platform
