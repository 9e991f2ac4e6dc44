#include "platform/framereader.h"

#include <algorithm>

namespace platform {
namespace {

// The data of a frame being read is held in pieces of this size and joined once complete, so a
// frame costs what has arrived and never twice that (as a doubling buffer would).
constexpr std::size_t kPieceBytes = 64 * 1024;

}  // namespace

std::size_t TFrameReader::Wanted() const {
  if (status_ != TStatus::kNeedMore) return 0;
  if (!header_) return kFrameHeaderSize - bytes_.size();
  return header_->Count - received_;
}

std::size_t TFrameReader::Take(std::string_view bytes) {
  std::size_t taken = 0;
  while (taken < bytes.size() && status_ == TStatus::kNeedMore) {
    const std::size_t count = std::min(Wanted(), bytes.size() - taken);
    const std::string_view part = bytes.substr(taken, count);
    taken += count;
    if (!header_) {
      bytes_.append(part);
      if (bytes_.size() < kFrameHeaderSize) continue;
      header_ = DecodeFrameHeader(bytes_);
      if (!header_) {
        status_ = TStatus::kInvalid;
        break;
      }
    } else {
      for (std::size_t offset = 0; offset < part.size();) {
        if (pieces_.empty() || pieces_.back().size() == kPieceBytes) {
          pieces_.emplace_back();
          pieces_.back().reserve(std::min<std::size_t>(kPieceBytes, header_->Count - received_));
        }
        const std::size_t room = std::min(kPieceBytes - pieces_.back().size(), part.size() - offset);
        pieces_.back().append(part.substr(offset, room));
        offset += room;
        received_ += room;
      }
    }
    if (Wanted() == 0) {
      // Everything is there: one block of exactly the announced size.
      bytes_.reserve(kFrameHeaderSize + header_->Count);
      for (const std::string& piece : pieces_) bytes_ += piece;
      pieces_.clear();
      status_ = TStatus::kComplete;
    }
  }
  return taken;
}

std::size_t TFrameReader::Buffered() const { return bytes_.size() + (status_ == TStatus::kComplete ? 0 : received_); }

std::string_view TFrameReader::Data() const {
  if (status_ != TStatus::kComplete) return {};
  return std::string_view(bytes_).substr(kFrameHeaderSize);
}

}  // namespace platform
