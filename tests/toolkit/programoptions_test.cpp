#include "zeph/toolkit/programoptions.h"

#include <gtest/gtest.h>

#include "zeph/toolkit/nearestname.h"

using namespace zeph;

namespace {

TEST(NearestNameTest, EditDistanceCountsEachKindOfEdit) {
  EXPECT_EQ(EditDistance("render", "render"), 0);
  EXPECT_EQ(EditDistance("rendr", "render"), 1);    // one left out
  EXPECT_EQ(EditDistance("renderr", "render"), 1);  // one too many
  EXPECT_EQ(EditDistance("rander", "render"), 1);   // one replaced
  EXPECT_EQ(EditDistance("redner", "render"), 1);   // two neighbours swapped
  EXPECT_EQ(EditDistance("", "size"), 4);
  EXPECT_EQ(EditDistance("size", ""), 4);
  EXPECT_EQ(EditDistance("Size", "size"), 1);
}

TEST(NearestNameTest, PicksTheClosestAndPrefersCutShortNames) {
  const QStringList options{"help", "version", "render", "export-csv", "position", "size", "language"};
  EXPECT_EQ(NearestName("rendr", options), "render");
  EXPECT_EQ(NearestName("exportcsv", options), "export-csv");
  EXPECT_EQ(NearestName("positon", options), "position");
  EXPECT_EQ(NearestName("lang", options), "language");
  EXPECT_EQ(NearestName("scren", {"mode", "screenshot"}), "screenshot");
  // Equally close: the first wins.
  EXPECT_EQ(NearestName("xx", {"ab", "cd"}), "ab");
  EXPECT_EQ(NearestName("anything", {}), "");
}

class AnswerCommandLineTest : public ::testing::Test {
 protected:
  const TProgramUsage usage_{"demo", "2.5", "Usage: demo [--shot FILE]\n", {"quiet"}, {"shot"}};

  std::optional<int> Answer(const QStringList& arguments) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const std::optional<int> result = AnswerCommandLine(QStringList{"demo"} + arguments, usage_);
    out_ = testing::internal::GetCapturedStdout();
    err_ = testing::internal::GetCapturedStderr();
    return result;
  }

  std::string out_;
  std::string err_;
};

TEST_F(AnswerCommandLineTest, HelpAndVersionAnswerOnStandardOutput) {
  EXPECT_EQ(Answer({"--help"}), 0);
  EXPECT_EQ(out_, "Usage: demo [--shot FILE]\n");
  EXPECT_EQ(Answer({"--shot", "a.png", "-h"}), 0);
  EXPECT_EQ(out_, "Usage: demo [--shot FILE]\n");
  EXPECT_EQ(Answer({"--version"}), 0);
  EXPECT_EQ(out_, "demo 2.5\n");
  EXPECT_TRUE(err_.empty());
}

TEST_F(AnswerCommandLineTest, KnownOptionsAndTheirValuesGoOn) {
  EXPECT_EQ(Answer({}), std::nullopt);
  EXPECT_EQ(Answer({"--quiet", "--shot", "--file-that-looks-like-an-option", "--shot=b.png", "word", "-x"}),
            std::nullopt);
  // After "--" nothing is an option.
  EXPECT_EQ(Answer({"--", "--help", "--unknown"}), std::nullopt);
  EXPECT_TRUE(out_.empty());
  EXPECT_TRUE(err_.empty());
}

TEST_F(AnswerCommandLineTest, UnknownOptionNamesTheNearestAndFails) {
  EXPECT_EQ(Answer({"--shto", "a.png"}), 2);
  EXPECT_EQ(err_, "demo: unknown option '--shto'; did you mean '--shot'? (see demo --help)\n");
  EXPECT_EQ(Answer({"--verison=1"}), 2);
  EXPECT_NE(err_.find("'--version'"), std::string::npos) << err_;
  EXPECT_TRUE(out_.empty());
}

}  // namespace
