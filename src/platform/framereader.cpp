#include "platform/framereader.h"

#include <algorithm>

namespace platform {

std::size_t TFrameReader::Wanted() const {
  if (status_ != TStatus::kNeedMore) return 0;
  const std::size_t total = kFrameHeaderSize + (header_ ? header_->Count : 0);
  return total - bytes_.size();
}

std::size_t TFrameReader::Take(std::string_view bytes) {
  std::size_t taken = 0;
  while (taken < bytes.size() && status_ == TStatus::kNeedMore) {
    const std::size_t count = std::min(Wanted(), bytes.size() - taken);
    bytes_.append(bytes.substr(taken, count));
    taken += count;
    if (!header_ && bytes_.size() == kFrameHeaderSize) {
      header_ = DecodeFrameHeader(bytes_);
      if (!header_) {
        status_ = TStatus::kInvalid;
        break;
      }
    }
    if (header_ && Wanted() == 0) status_ = TStatus::kComplete;
  }
  return taken;
}

std::string_view TFrameReader::Data() const {
  if (status_ != TStatus::kComplete) return {};
  return std::string_view(bytes_).substr(kFrameHeaderSize);
}

}  // namespace platform
