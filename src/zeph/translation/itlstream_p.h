#pragma once

#include <string>
#include <string_view>

class QIODevice;

namespace zeph {

struct TReadUntilResult {
  bool Found = false;
  // Everything from the starting position up to and including the delimiter; empty when the
  // delimiter was not found.
  std::string Chunk;
};

// Reads from the stream's current position in blocks of 256 bytes until the delimiter (compared
// without regard to ASCII letter case) has been read or the stream ends. When it was found, the
// stream is left on the first byte after it. An empty delimiter is never found.
// The stream must be open for reading and random-access; read and positioning failures raise
// EBabelfish.
TReadUntilResult ReadUntil(QIODevice& stream, std::string_view delimiter);

}  // namespace zeph
