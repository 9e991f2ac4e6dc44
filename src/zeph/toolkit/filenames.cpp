#include "zeph/toolkit/filenames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zeph {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at bytes[i] and its code point, or 0 when the bytes there
// are no valid sequence (overlong forms, surrogates and values above U+10FFFF included).
int Utf8Sequence(QByteArrayView bytes, qsizetype i, char32_t& code) {
  const auto byte = [&bytes](qsizetype at) { return static_cast<unsigned char>(bytes[at]); };
  const unsigned char first = byte(i);
  int length = 0;
  char32_t minimum = 0;
  if (first < 0x80) {
    code = first;
    return 1;
  }
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
    code = first & 0x1F;
    minimum = 0x80;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    code = first & 0x0F;
    minimum = 0x800;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    code = first & 0x07;
    minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + length > bytes.size()) return 0;
  for (int k = 1; k < length; ++k) {
    const unsigned char next = byte(i + k);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(QByteArray& out, char32_t code) {
  if (code < 0x80) {
    out.append(static_cast<char>(code));
  } else if (code < 0x800) {
    out.append(static_cast<char>(0xC0 | (code >> 6)));
    out.append(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.append(static_cast<char>(0xE0 | (code >> 12)));
    out.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.append(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.append(static_cast<char>(0xF0 | (code >> 18)));
    out.append(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.append(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// The bytes of the text; a character that cannot be represented is replaced by replacement, or
// ends the conversion with none when replacement is 0.
std::optional<QByteArray> Encode(const QString& text, char32_t replacement) {
  QByteArray out;
  out.reserve(text.size());
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t unit = text[i].unicode();
    if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(text[i + 1].unicode())) {
      AppendUtf8(out, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
      ++i;
    } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
      out.append(static_cast<char>(unit - kEscapeBase));
    } else if (QChar::isSurrogate(unit) || unit == 0) {
      if (replacement == 0) return std::nullopt;
      AppendUtf8(out, replacement);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

}  // namespace

QString FileNameFromBytes(QByteArrayView bytes) {
  QString text;
  text.reserve(bytes.size());
  for (qsizetype i = 0; i < bytes.size();) {
    char32_t code = 0;
    const int length = Utf8Sequence(bytes, i, code);
    if (length == 0) {
      text.append(QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i]))));
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      text.append(QChar(QChar::highSurrogate(code)));
      text.append(QChar(QChar::lowSurrogate(code)));
    } else {
      text.append(QChar(static_cast<char16_t>(code)));
    }
    i += length;
  }
  return text;
}

std::optional<QByteArray> FileNameBytes(const QString& name) { return Encode(name, 0); }

QByteArray DisplayBytes(const QString& text) { return *Encode(text, 0xFFFD); }

bool IsReadableFileName(const QString& name) {
  const std::optional<QByteArray> bytes = FileNameBytes(name);
  if (!bytes || bytes->isEmpty()) return false;
  struct stat info {};
  return ::stat(bytes->constData(), &info) == 0 && S_ISREG(info.st_mode) && ::access(bytes->constData(), R_OK) == 0;
}

std::unique_ptr<QFile> OpenFileForReading(const QString& name) {
  const std::optional<QByteArray> bytes = FileNameBytes(name);
  if (!bytes || bytes->isEmpty()) return nullptr;
  int fd = -1;
  do {
    fd = ::open(bytes->constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return nullptr;
  auto file = std::make_unique<QFile>();
  if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return nullptr;
  }
  return file;
}

}  // namespace zeph
