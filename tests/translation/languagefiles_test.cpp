#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "zeph/toolkit/tmemo.h"
#include "zeph/translation/babelfish2000.h"
#include "translation/itl_helpers.h"
#include "zeph/translation/itltext_p.h"

using namespace zeph;

using ::testing::Each;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// The keys the program looks up or carries as a "BF_" caption; its spoken words are keyed by their
// English text and must stand in every shipped file alike.
const char* const kProgramKeys[] = {"Varactor Diode", "Exit",        "About",
                                     "MMInfo",         "HomePage",    "OK",
                                     "HomePageURL",    "$dlglanguage$", "Grading of the doping profile"};

QByteArray ShippedFile(const char* name) {
  const QString sourceDir = qEnvironmentVariable("VARACTOR_SOURCE_DIR");
  if (sourceDir.isEmpty()) ADD_FAILURE() << "VARACTOR_SOURCE_DIR must name the source tree (ctest sets it)";
  QFile file(sourceDir + "/resources/" + name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// Checks one shipped file and gives its keys, sorted, through keys.
void ExpectCompleteDictionary(const char* name, const std::string& language, std::vector<std::string>& keys) {
  SCOPED_TRACE(name);
  const QByteArray bytes = ShippedFile(name);
  ASSERT_FALSE(bytes.isEmpty());
  // One entry per CR LF line, as the engine writes them.
  const QList<QByteArray> lines = bytes.split('\n');
  EXPECT_TRUE(lines.back().isEmpty());
  for (qsizetype i = 0; i + 1 < lines.size(); ++i) EXPECT_TRUE(lines[i].endsWith("|$$\r")) << lines[i].toStdString();

  TBabelfish2000 engine;
  LoadBytes(engine, bytes);
  for (const char* key : kProgramKeys) {
    const std::string lowered = AsciiLowerCase(key);
    EXPECT_EQ(std::count(engine.Keys().begin(), engine.Keys().end(), lowered), 1) << key;
  }
  EXPECT_THAT(engine.Values(), Each(Not(std::string())));
  EXPECT_EQ(AsciiLowerCase(engine.Translate("$dlglanguage$")), language);
  EXPECT_THAT(engine.Translate("HomePageURL"), ::testing::StartsWith("https://"));
  EXPECT_THAT(engine.Translate("MMInfo"), HasSubstr("hyperabrupt"));
  keys = engine.Keys();
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end()) << "a key stands twice";
}

TEST(LanguageFilesTest, EnglishAndGermanHoldEveryKeyOfTheProgram) {
  std::vector<std::string> english;
  std::vector<std::string> german;
  ExpectCompleteDictionary("english.itl", "english", english);
  ExpectCompleteDictionary("lggerman.itl", "lggerman", german);
  EXPECT_EQ(english, german);
}

TEST(LanguageFilesTest, GermanTextsAreWindows1252AndShowTheirUmlauts) {
  const QByteArray bytes = ShippedFile("lggerman.itl");
  // Umlauts are single bytes, not UTF-8 sequences.
  EXPECT_TRUE(bytes.contains('\xE4'));
  EXPECT_FALSE(bytes.contains('\xC3'));

  TBabelfish2000 engine;
  LoadBytes(engine, bytes);
  QWidget window;
  window.setWindowTitle("BF_Varactor Diode");
  auto* exitButton = new QPushButton("BF_Exit", &window);
  auto* memo = new TMemo(&window);
  memo->SetLines({"BF_MMInfo"});
  engine.TranslateComponent(&window);
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Kapazitätsdiode"));
  EXPECT_EQ(exitButton->text(), "Beenden");
  EXPECT_TRUE(memo->toPlainText().contains(QString::fromUtf8("Störstellenkonzentration")));
}

}  // namespace
