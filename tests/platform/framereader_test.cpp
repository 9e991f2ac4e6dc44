#include "platform/framereader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::TFrameReader;

TEST(FrameReaderTest, FrameSplitAtAnyPointArrivesWhole) {
  const std::string data = std::string("payload\0with zero", 17) + std::string(70000, 'z');
  const std::string frame = platform::EncodeFrame(platform::WM_COPYDATA, 77, -5, data);
  for (std::size_t split : {std::size_t{1}, std::size_t{3}, std::size_t{19}, std::size_t{20}, std::size_t{21},
                            std::size_t{4096}, frame.size() - 1}) {
    TFrameReader reader;
    std::size_t offset = 0;
    while (offset < frame.size()) {
      EXPECT_EQ(reader.Status(), TFrameReader::TStatus::kNeedMore);
      const std::size_t piece = std::min(split, frame.size() - offset);
      ASSERT_EQ(reader.Take(std::string_view(frame).substr(offset, piece)), piece);
      offset += piece;
      // What it holds is what has arrived, never what the header announced.
      if (reader.Status() == TFrameReader::TStatus::kNeedMore) {
        EXPECT_EQ(reader.Buffered(), offset);
      }
    }
    ASSERT_EQ(reader.Status(), TFrameReader::TStatus::kComplete) << "split " << split;
    EXPECT_EQ(reader.Header()->WParam, 77u);
    EXPECT_EQ(reader.Header()->DataWord, -5);
    EXPECT_EQ(reader.Data(), data);
    EXPECT_EQ(reader.Wanted(), 0u);
  }
}

TEST(FrameReaderTest, TakesNothingBeyondItsFrame) {
  const std::string frame = platform::EncodeFrame(platform::WM_COPYDATA, 1, 2, "abc");
  TFrameReader reader;
  EXPECT_EQ(reader.Take(frame + "next frame"), frame.size());
  EXPECT_EQ(reader.Data(), "abc");

  TFrameReader empty;
  EXPECT_EQ(empty.Take(platform::EncodeFrame(platform::WM_COPYDATA, 1, 2, "")), platform::kFrameHeaderSize);
  EXPECT_EQ(empty.Status(), TFrameReader::TStatus::kComplete);
  EXPECT_EQ(empty.Data(), "");
}

TEST(FrameReaderTest, HeaderThatIsNoFrameOrTooLargeEndsTheReading) {
  std::string oversized = platform::EncodeFrame(platform::WM_COPYDATA, 1, 1, "");
  oversized[19] = '\x7F';  // announces 2 GiB
  std::string other_message = platform::EncodeFrame(platform::WM_COPYDATA, 1, 1, "");
  other_message[4] = 75;
  for (const std::string& bytes : {oversized, other_message, std::string("GARBAGE-GARBAGE-GARBAGE!")}) {
    TFrameReader reader;
    reader.Take(bytes);
    EXPECT_EQ(reader.Status(), TFrameReader::TStatus::kInvalid);
    EXPECT_EQ(reader.Wanted(), 0u);
    EXPECT_EQ(reader.Buffered(), platform::kFrameHeaderSize);
    EXPECT_EQ(reader.Data(), "");
  }
  // The largest frame the platform carries is announced without any cost beyond the header.
  std::string largest = platform::EncodeFrame(platform::WM_COPYDATA, 1, 1, "");
  const std::uint32_t count = platform::kMaxCopyDataBytes;
  for (int i = 0; i < 4; ++i) largest[16 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
  TFrameReader reader;
  reader.Take(largest + "x");
  EXPECT_EQ(reader.Status(), TFrameReader::TStatus::kNeedMore);
  EXPECT_EQ(reader.Wanted(), count - 1);
  EXPECT_EQ(reader.Buffered(), platform::kFrameHeaderSize + 1);
}

}  // namespace
