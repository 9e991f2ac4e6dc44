#pragma once

#include <cstdint>
#include <string>

// Little-endian integers inside byte strings, as the window messages and their payloads carry them.
namespace platform {

inline void AppendU32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

inline void AppendI64(std::string& out, std::int64_t value) {
  const auto bits = static_cast<std::uint64_t>(value);
  for (int shift = 0; shift < 64; shift += 8) out.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

// Reads 4 bytes at bytes[0..3].
inline std::uint32_t ReadU32(const char* bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

inline std::int64_t ReadI64(const char* bytes) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return static_cast<std::int64_t>(value);
}

}  // namespace platform
