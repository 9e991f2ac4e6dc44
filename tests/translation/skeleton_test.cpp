#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <string>

#include "zeph/toolkit/tapplication.h"
#include "zeph/translation/babelfish2000.h"
#include "zeph/translation/babelfisherror.h"
#include "translation/itl_helpers.h"
#include "zeph/translation/itlfilename.h"

using namespace zeph;

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

// The test program is translation_tests, so its skeleton is translation_tests.itl.
const char kSkeletonName[] = "translation_tests.itl";

QByteArray ReadFile(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

TEST(SkeletonTest, ItlFileNamesReplaceOrAppendTheExtension) {
  EXPECT_EQ(ItlPathFor("sim.exe"), "sim.itl");
  EXPECT_EQ(ItlPathFor("varactor"), "varactor.itl");
  EXPECT_EQ(ItlPathFor("/opt/sims/varactor"), "/opt/sims/varactor.itl");
  EXPECT_EQ(ItlPathFor("/opt/v1.2/varactor"), "/opt/v1.2/varactor.itl");
  EXPECT_EQ(ItlPathFor("/opt/.hidden"), "/opt/.hidden.itl");
  EXPECT_EQ(TBabelfish2000::ItlFileName(), kSkeletonName);
}

TEST(SkeletonTest, MissingKeysAreCollectedOnceIgnoringLetterCaseOnlyWhenAsked) {
  ScopedWorkingDirectory workDir;
  TBabelfish2000 engine;
  engine.Translate("Exit");
  EXPECT_THAT(engine.NewEntries(), IsEmpty());

  engine.SetAutoCreateItlFile(true);
  engine.Translate("Exit");
  engine.Translate("Exit");
  engine.Translate("EXIT");
  engine.Translate("About");
  EXPECT_THAT(engine.NewEntries(), ElementsAre("[Exit]=Exit|$$", "[About]=About|$$"));
  engine.SetAutoCreateItlFile(false);
}

TEST(SkeletonTest, DestructionWritesMissingKeysThenTheDictionaryAndTheFileLoadsBack) {
  ScopedWorkingDirectory workDir;
  {
    TBabelfish2000 engine("Varactor");
    LoadBytes(engine, "[Exit]=Beenden|$$\r\n[Info  Text]=line\\nbreak <%appname%>|$$\r\n");
    engine.SetAutoCreateItlFile(true);
    engine.Translate("Exit");
    engine.Translate("Missing Key");
    engine.Translate("Second");
  }
  const QByteArray written = ReadFile(kSkeletonName);
  EXPECT_EQ(written,
            "[Missing Key]=Missing Key|$$\r\n[Second]=Second|$$\r\n[exit]=Beenden|$$\r\n"
            "[info text]=line\nbreak Varactor|$$\r\n");

  TBabelfish2000 reloaded;
  LoadBytes(reloaded, written);
  EXPECT_THAT(reloaded.Keys(), ElementsAre("missing key", "second", "exit", "info text"));
  // The raw line break written for the escape reads back as a space.
  EXPECT_EQ(reloaded.Translate("info text"), "line break Varactor");
  EXPECT_EQ(reloaded.Translate("Missing Key"), "Missing Key");
}

TEST(SkeletonTest, AnEngineThatIsNotAskedWritesNothing) {
  ScopedWorkingDirectory workDir;
  { TBabelfish2000 engine; engine.Translate("Exit"); }
  EXPECT_FALSE(QFile::exists(kSkeletonName));
}

TEST(SkeletonTest, AFileThatCannotBeCreatedIsReported) {
  ScopedWorkingDirectory workDir;
  ASSERT_TRUE(QDir().mkdir(kSkeletonName));
  QString shown;
  TApplication::MessageHook() = [&shown](const QString& message) { shown = message; };
  {
    TBabelfish2000 engine;
    engine.SetAutoCreateItlFile(true);
    engine.Translate("Exit");
    EXPECT_THROW(engine.WriteItlFile(), EBabelfish);
  }
  TApplication::MessageHook() = nullptr;
  EXPECT_THAT(shown.toStdString(), HasSubstr("Cannot create file \"translation_tests.itl\""));
}

}  // namespace
