#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What travels over a hidden window's socket: one frame per message (the message number, the
// sender's window as first parameter, the copy-data word and byte count, then the bytes), and
// one acknowledgement with the message's result once the receiver has processed it.
namespace platform {

constexpr std::uint32_t WM_COPYDATA = 74;
constexpr std::size_t kFrameHeaderSize = 20;
constexpr std::size_t kAckSize = 12;
// Larger blocks are refused before anything is allocated for them.
constexpr std::uint32_t kMaxCopyDataBytes = 64u << 20;

struct TFrameHeader {
  std::uint32_t Msg = WM_COPYDATA;
  std::uint32_t WParam = 0;
  std::int32_t DataWord = 0;
  std::uint32_t Count = 0;
};

// Header followed by the data; Count is taken from data.
std::string EncodeFrame(std::uint32_t msg, std::uint32_t wParam, std::int32_t dataWord,
                        std::string_view data);
// The header from its first kFrameHeaderSize bytes; none when the bytes are too few, are no
// frame, or announce a message or a size this platform does not carry.
std::optional<TFrameHeader> DecodeFrameHeader(std::string_view bytes);

std::string EncodeAck(std::int64_t result);
std::optional<std::int64_t> DecodeAck(std::string_view bytes);

}  // namespace platform
