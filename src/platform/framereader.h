#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/frame.h"

namespace platform {

// Collects one frame from the bytes of a connection as they arrive, in pieces of any size. It
// holds only what has arrived: the size a header announces is checked, never reserved.
class TFrameReader {
 public:
  enum class TStatus { kNeedMore, kComplete, kInvalid };

  // How many more bytes the frame needs (0 once it is complete or invalid).
  std::size_t Wanted() const;
  // Takes up to Wanted() bytes from the front of bytes; gives how many it took.
  std::size_t Take(std::string_view bytes);

  TStatus Status() const { return status_; }
  bool Started() const { return !bytes_.empty(); }
  // The bytes held so far.
  std::size_t Buffered() const;
  // Valid once the header has arrived.
  const std::optional<TFrameHeader>& Header() const { return header_; }
  // The copy-data bytes of a complete frame.
  std::string_view Data() const;

 private:
  // The header, and once complete the whole frame.
  std::string bytes_;
  // The data received while the frame is incomplete.
  std::vector<std::string> pieces_;
  std::size_t received_ = 0;
  std::optional<TFrameHeader> header_;
  TStatus status_ = TStatus::kNeedMore;
};

}  // namespace platform
