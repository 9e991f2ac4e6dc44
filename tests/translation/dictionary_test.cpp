#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryFile>
#include <string>
#include <vector>

#include "zeph/translation/babelfish2000.h"
#include "zeph/translation/babelfisherror.h"
#include "translation/itl_helpers.h"
#include "zeph/translation/itlstream_p.h"

using namespace zeph;

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

TEST(DictionaryTest, KeysAreFoundWithoutRegardToLetterCaseAndWithSpacesNormalised) {
  TBabelfish2000 engine;
  LoadBytes(engine, "[MMInfo]=Info|$$\r\n[Two  words]=two|$$\r\n[   lead]=leading|$$\r\n[trail ]=trailing|$$\r\n"
                    "[Multi\r\nLine\tKey]=multi|$$\r\n");
  EXPECT_THAT(engine.Keys(), ElementsAre("mminfo", "two words", "lead", "trail ", "multi line key"));
  EXPECT_EQ(engine.Translate("MMInfo"), "Info");
  EXPECT_EQ(engine.Translate("mminfo"), "Info");
  EXPECT_EQ(engine.Translate("MMINFO"), "Info");
  EXPECT_EQ(engine.Translate("Two words"), "two");
  // The lookup key is only lower-cased, not normalised.
  EXPECT_EQ(engine.Translate("Two  words"), "Two  words");
  EXPECT_EQ(engine.Translate("LEAD"), "leading");
  EXPECT_EQ(engine.Translate("trail"), "trail");
  EXPECT_EQ(engine.Translate("trail "), "trailing");
  EXPECT_EQ(engine.Translate("multi line key"), "multi");
}

TEST(DictionaryTest, TextsExpandEscapesLineBreaksAndTheApplicationName) {
  const QByteArray file = "[escape]=first\\nsecond|$$\r\n[wrapped]=first\r\nsecond|$$\r\n"
                          "[brackets]=a [b]=c|$$\r\n[app]=<%AppName%> and <%APPNAME%>|$$\r\n";
  TBabelfish2000 engine("Varactor");
  LoadBytes(engine, file);
  EXPECT_EQ(engine.Translate("escape"), "first\nsecond");
  EXPECT_EQ(engine.Translate("wrapped"), "first  second");
  EXPECT_EQ(engine.Translate("brackets"), "a [b]=c");
  EXPECT_EQ(engine.Translate("app"), "Varactor and Varactor");

  // The host's engine has no application name.
  TBabelfish2000 hostEngine;
  LoadBytes(hostEngine, file);
  EXPECT_EQ(hostEngine.Translate("app"), " and ");
}

TEST(DictionaryTest, ArgumentsAreSubstitutedInNumberOrderWithoutReplacingInsertedText) {
  TBabelfish2000 engine;
  LoadBytes(engine, "[swap]=<%2%> <%1%>|$$[self]=<%1%>!|$$");
  EXPECT_EQ(engine.Translate("swap", {"A", "B"}), "B A");
  // The first argument carries token 2 into the text; the second pass replaces it.
  EXPECT_EQ(engine.Translate("swap", {"x<%2%>", "B"}), "B xB");
  // Inserted text is not searched again, so an argument may hold its own token.
  EXPECT_EQ(engine.Translate("self", {"<%1%><%1%>"}), "<%1%><%1%>!");
  // Missing arguments leave their tokens; a missing key still takes the arguments.
  EXPECT_EQ(engine.Translate("swap", {"A"}), "<%2%> A");
  EXPECT_EQ(engine.Translate("Hello <%1%>", {"World"}), "Hello World");

  std::string value = "self";
  engine.Translate(value, {"same string"}, value);
  EXPECT_EQ(value, "same string!");
}

TEST(DictionaryTest, FirstOfDuplicateKeysWins) {
  TBabelfish2000 engine;
  LoadBytes(engine, "[Exit]=first|$$\r\n[EXIT]=second|$$\r\n");
  EXPECT_THAT(engine.Keys(), ElementsAre("exit", "exit"));
  EXPECT_THAT(engine.Values(), ElementsAre("first", "second"));
  EXPECT_EQ(engine.Translate("exit"), "first");
}

TEST(DictionaryTest, EmptyUnterminatedAndMalformedInput) {
  TBabelfish2000 engine;
  LoadBytes(engine, "");
  EXPECT_THAT(engine.Keys(), IsEmpty());
  EXPECT_EQ(engine.Translate("Exit"), "Exit");

  LoadBytes(engine, "[Exit]=Beenden\r\n[About]=Info\r\n");
  EXPECT_THAT(engine.Keys(), IsEmpty());

  // The last entry lacks its end; text between entries is ignored.
  LoadBytes(engine, "notes\r\n[a]=1|$$ stray words \r\n[b]=2|$$\r\n[c]=3");
  EXPECT_THAT(engine.Keys(), ElementsAre("a", "b"));
  EXPECT_THAT(engine.Values(), ElementsAre("1", "2"));

  // No "]=": empty key. No "[": the key runs from the entry's first byte.
  LoadBytes(engine, "[broken|$$plain]=text|$$]=|$$");
  EXPECT_THAT(engine.Keys(), ElementsAre("", "plain", ""));
  EXPECT_THAT(engine.Values(), ElementsAre("broken", "text", ""));
}

TEST(DictionaryTest, EntriesLongerThanOneBlockAndDelimitersAcrossBlocks) {
  for (std::size_t fill : {250u, 251u, 252u, 253u, 254u, 255u, 256u, 700u}) {
    const std::string text(fill, 'x');
    TBabelfish2000 engine;
    LoadBytes(engine, Bytes("[k]=" + text + "|$$[next]=n|$$"));
    EXPECT_EQ(engine.Translate("k"), text) << fill;
    EXPECT_EQ(engine.Translate("next"), "n") << fill;
  }
}

TEST(DictionaryTest, ReadUntilLeavesTheStreamBehindTheDelimiter) {
  QBuffer stream;
  stream.setData("abc|$$" + QByteArray(300, 'y') + "|$$tail");
  stream.open(QIODevice::ReadOnly);
  const TReadUntilResult first = ReadUntil(stream, "|$$");
  EXPECT_TRUE(first.Found);
  EXPECT_EQ(first.Chunk, "abc|$$");
  EXPECT_EQ(stream.pos(), 6);
  const TReadUntilResult second = ReadUntil(stream, "|$$");
  EXPECT_TRUE(second.Found);
  EXPECT_EQ(second.Chunk.size(), 303u);
  EXPECT_EQ(stream.pos(), 309);
  EXPECT_FALSE(ReadUntil(stream, "|$$").Found);
  // Letters of the delimiter match in either case.
  QBuffer words;
  words.setData("oneENDtwo");
  words.open(QIODevice::ReadOnly);
  EXPECT_EQ(ReadUntil(words, "end").Chunk, "oneEND");
  EXPECT_FALSE(ReadUntil(words, "").Found);
}

TEST(DictionaryTest, LoadingReplacesTheDictionaryFromTheStreamStartAndKeepsCollectedKeys) {
  ScopedWorkingDirectory workDir;
  TBabelfish2000 engine;
  engine.SetAutoCreateItlFile(true);
  EXPECT_EQ(engine.Translate("Missing"), "Missing");
  LoadBytes(engine, "[a]=1|$$");

  QBuffer stream;
  stream.setData("[b]=2|$$");
  stream.open(QIODevice::ReadOnly);
  stream.seek(stream.size());
  engine.LoadFromStream(stream);
  EXPECT_THAT(engine.Keys(), ElementsAre("b"));
  EXPECT_THAT(engine.NewEntries(), ElementsAre("[Missing]=Missing|$$"));
  engine.SetAutoCreateItlFile(false);
}

TEST(DictionaryTest, UnreadableStreamsRaiseAndKeepTheDictionary) {
  TBabelfish2000 engine;
  LoadBytes(engine, "[a]=1|$$");
  QBuffer closed;
  closed.setData("[b]=2|$$");
  EXPECT_THROW(engine.LoadFromStream(closed), EBabelfish);
  QBuffer writeOnly;
  writeOnly.open(QIODevice::WriteOnly);
  EXPECT_THROW(engine.LoadFromStream(writeOnly), EBabelfish);
  EXPECT_EQ(engine.Translate("a"), "1");
}

TEST(DictionaryTest, LoadFromFileReportsAFileThatCannotBeOpened) {
  TBabelfish2000 engine;
  LoadBytes(engine, "[a]=1|$$");
  EXPECT_FALSE(engine.LoadFromFile("/nonexistent/varactor.itl"));
  EXPECT_EQ(engine.Translate("a"), "1");

  QTemporaryFile file;
  ASSERT_TRUE(file.open());
  file.write("[b]=2|$$");
  file.close();
  EXPECT_TRUE(engine.LoadFromFile(file.fileName()));
  EXPECT_THAT(engine.Keys(), ElementsAre("b"));
}

TEST(DictionaryTest, OnTranslateSeesFoundKeysInTheirOwnCaseAndMayChangeTheText) {
  TBabelfish2000 engine;
  LoadBytes(engine, "[exit]=Beenden <%1%>|$$");
  std::vector<std::string> seen;
  engine.OnTranslate = [&](TBabelfish2000* sender, const std::string& key, std::string& value) {
    EXPECT_EQ(sender, &engine);
    seen.push_back(key + "=" + value);
    value += "!";
  };
  EXPECT_EQ(engine.Translate("EXIT", {"now"}), "Beenden now!");
  EXPECT_EQ(engine.Translate("Unknown"), "Unknown");
  EXPECT_THAT(seen, ElementsAre("EXIT=Beenden now"));
}

}  // namespace
