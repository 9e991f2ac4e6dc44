#include "zeph/translation/itlstream_p.h"

#include <QIODevice>
#include <array>

#include "zeph/translation/babelfisherror.h"
#include "zeph/translation/itltext_p.h"

namespace zeph {

namespace {

constexpr qint64 kBlockSize = 256;

// Fills the block unless the stream ends first; returns how many bytes came.
qint64 ReadBlock(QIODevice& stream, std::array<char, kBlockSize>& block) {
  qint64 total = 0;
  while (total < kBlockSize) {
    const qint64 got = stream.read(block.data() + total, kBlockSize - total);
    if (got < 0) throw EBabelfish("Stream read error: " + stream.errorString().toStdString());
    if (got == 0) break;
    total += got;
  }
  return total;
}

}  // namespace

TReadUntilResult ReadUntil(QIODevice& stream, std::string_view delimiter) {
  if (delimiter.empty()) return {};
  const qint64 entry = stream.pos();
  const std::string loweredDelimiter = AsciiLowerCase(delimiter);
  std::string buffer;
  // The lowered copy grows with the buffer, and each search starts where a new occurrence could
  // begin, so long chunks cost linear time.
  std::string lowered;
  std::size_t searchFrom = 0;
  std::size_t hit = std::string::npos;
  std::array<char, kBlockSize> block{};
  for (;;) {
    const qint64 got = ReadBlock(stream, block);
    const std::string_view piece(block.data(), static_cast<std::size_t>(got));
    buffer.append(piece);
    lowered.append(AsciiLowerCase(piece));
    hit = lowered.find(loweredDelimiter, searchFrom);
    if (hit != std::string::npos || got < kBlockSize) break;
    searchFrom = lowered.size() >= loweredDelimiter.size() ? lowered.size() - loweredDelimiter.size() + 1 : 0;
  }
  if (hit == std::string::npos) return {};

  const std::size_t end = hit + delimiter.size();
  if (!stream.seek(entry + static_cast<qint64>(end)))
    throw EBabelfish("Stream seek error: " + stream.errorString().toStdString());
  buffer.resize(end);
  return {true, std::move(buffer)};
}

}  // namespace zeph
