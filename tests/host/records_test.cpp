#include "host/records.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include "host/elexivo.h"

using namespace zeph;

namespace {

TEST(StringRecordTest, LengthZeroIsFourZeroBytesAndNegativeLengthsReadEmpty) {
  TMemoryStream stream;
  WriteStringRecord(stream, "");
  EXPECT_EQ(stream.Bytes(), std::string(4, '\0'));
  WriteStringRecord(stream, "abc");
  stream.WriteInt32(-1);
  stream.WriteInt32(-2000000000);
  stream.Write("tail");
  stream.SetPosition(0);
  EXPECT_EQ(ReadStringRecord(stream), "");
  EXPECT_EQ(ReadStringRecord(stream), "abc");
  EXPECT_EQ(ReadStringRecord(stream), "");
  EXPECT_EQ(ReadStringRecord(stream), "");
  // A negative length takes no text bytes: what follows is still there.
  EXPECT_EQ(stream.ReadBytes(4), "tail");
}

TEST(StringRecordTest, LengthBeyondThePayloadIsAnErrorNotAnAllocation) {
  TMemoryStream stream;
  stream.WriteInt32(0x7FFFFFFF);
  stream.Write("short");
  stream.SetPosition(0);
  try {
    ReadStringRecord(stream);
    FAIL() << "no error";
  } catch (const ELexivo& error) {
    EXPECT_STREQ(error.what(), "Stream read error");
  }
  TMemoryStream truncated;
  truncated.Write("\x03\x00", 2);
  truncated.SetPosition(0);
  EXPECT_THROW(ReadStringRecord(truncated), ELexivo);
}

TEST(EntityRecordTest, RoundTripsAndRefusesATruncatedRecord) {
  TEntityRecord record{0x12345678, 4, "/opt/sim/varsim", "Varsim \xE4"};
  TMemoryStream stream;
  WriteEntityRecord(stream, record);
  EXPECT_EQ(stream.Size(), 8u + 4u + 15u + 4u + 8u);
  EXPECT_EQ(stream.Bytes().substr(0, 4), std::string("\x78\x56\x34\x12", 4));
  stream.SetPosition(0);
  const TEntityRecord read = ReadEntityRecord(stream);
  EXPECT_EQ(read.Handle, record.Handle);
  EXPECT_EQ(read.MutexHandle, record.MutexHandle);
  EXPECT_EQ(read.ExeName, record.ExeName);
  EXPECT_EQ(read.Title, record.Title);

  for (std::size_t cut : std::vector<std::size_t>{0, 3, 8, 11, 20, stream.Size() - 1}) {
    TMemoryStream partial;
    partial.Write(stream.Bytes().substr(0, cut));
    partial.SetPosition(0);
    EXPECT_THROW(ReadEntityRecord(partial), ELexivo) << "cut at " << cut;
  }
}

TEST(TransportBlockTest, CarriesTheStampInEightBytesBeforeThePayload) {
  const TTimeStamp stamp{3600000, 738000};
  const std::string empty = EncodeTransportBlock(stamp, "");
  ASSERT_EQ(empty.size(), 8u);
  EXPECT_EQ(empty, std::string("\x80\xEE\x36\x00\xD0\x42\x0B\x00", 8));
  const TTransportBlock decoded = DecodeTransportBlock(empty);
  EXPECT_EQ(decoded.Stamp, stamp);
  EXPECT_TRUE(decoded.Payload.empty());
  EXPECT_EQ(DecodeTransportBlock(EncodeTransportBlock(stamp, "xyz")).Payload, "xyz");
  for (std::size_t size = 0; size < 8; ++size) {
    EXPECT_THROW(DecodeTransportBlock(std::string(size, 'a')), ELexivo) << size;
  }
}

TEST(TimeStampTest, CountsDaysFromYearOneAndMillisecondsFromMidnight) {
  EXPECT_EQ(DateTimeToTimeStamp(QDateTime(QDate(1, 1, 1), QTime(0, 0))), (TTimeStamp{0, 1}));
  EXPECT_EQ(DateTimeToTimeStamp(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), (TTimeStamp{0, 693594}));
  EXPECT_EQ(DateTimeToTimeStamp(QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15, 16))).Time,
            ((13 * 60 + 14) * 60 + 15) * 1000 + 16);
}

TEST(StringListTextTest, LinesEndAtCrLfCrOrLf) {
  EXPECT_EQ(StringListText({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(SplitStringListText("one\r\ntwo\rthree\n"), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(SplitStringListText("x\n\ny"), (std::vector<std::string>{"x", "", "y"}));
  EXPECT_TRUE(SplitStringListText("").empty());
}

}  // namespace
