#include "zeph/toolkit/ansi.h"

#include <array>

namespace zeph {

namespace {

// Unicode code points of the bytes 0x80..0x9F; 0 marks the five bytes the code page leaves unset,
// which are passed through as the C1 control characters of the same value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

QString AnsiToQString(std::string_view text) {
  QString result;
  result.reserve(static_cast<qsizetype>(text.size()));
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    char16_t unicode = byte;
    if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0) unicode = kHighControls[byte - 0x80];
    result.append(QChar(unicode));
  }
  return result;
}

std::string QStringToAnsi(const QString& text) {
  std::string result;
  result.reserve(static_cast<std::size_t>(text.size()));
  for (QChar ch : text) {
    const char16_t unicode = ch.unicode();
    if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF)) {
      result.push_back(static_cast<char>(unicode));
      continue;
    }
    char byte = '?';
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
      if (kHighControls[i] == unicode || (kHighControls[i] == 0 && unicode == 0x80 + i)) {
        byte = static_cast<char>(0x80 + i);
        break;
      }
    }
    result.push_back(byte);
  }
  return result;
}

}  // namespace zeph
