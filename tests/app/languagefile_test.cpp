#include "app/languagefile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class LanguageFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    ASSERT_TRUE(QDir(root_.path()).mkpath("share/varactor"));
    ASSERT_TRUE(QDir(root_.path()).mkpath("config"));
    Write(Data("english.itl"));
    Write(Data("german.itl"));
    environment_ = {root_.filePath("config"), root_.filePath("share/varactor"), {}, {"", "", "", ""}};
  }

  QString Data(const QString& name) const { return root_.filePath("share/varactor/" + name); }

  static void Write(const QString& file) {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("[$dlglanguage$]=x|$$\r\n");
  }

  TLanguageChoice Choose() const { return ChooseLanguageFile(environment_); }

  QTemporaryDir root_;
  TLanguageEnvironment environment_;
};

TEST_F(LanguageFileTest, EnglishWhenNothingElseSays) {
  EXPECT_EQ(Choose().file, Data("english.itl"));
  EXPECT_TRUE(Choose().error.isEmpty());
  environment_.locale_variables = {"", "", "", "fr_FR.UTF-8"};
  EXPECT_EQ(Choose().file, Data("english.itl"));
}

TEST_F(LanguageFileTest, TheDesktopLocaleChoosesGerman) {
  for (const QStringList& variables : QList<QStringList>{{"", "", "", "de_DE.UTF-8"},
                                                         {"", "", "de_AT", "en_GB.UTF-8"},
                                                         {"", "de_CH.UTF-8", "en_US", "en_US"},
                                                         {"fr:de", "", "", "en_US.UTF-8"},
                                                         {"de", "", "", ""}}) {
    environment_.locale_variables = variables;
    EXPECT_EQ(Choose().file, Data("german.itl")) << variables.join('|').toStdString();
  }
  // LC_ALL outranks LC_MESSAGES and LANG; LANGUAGE's list is read in order.
  environment_.locale_variables = {"", "en_US.UTF-8", "de_DE", "de_DE"};
  EXPECT_EQ(Choose().file, Data("english.itl"));
  environment_.locale_variables = {"en:de", "", "", "de_DE"};
  EXPECT_EQ(Choose().file, Data("english.itl"));
  environment_.locale_variables = {"", "C", "", "de_DE"};
  EXPECT_EQ(Choose().file, Data("english.itl"));
}

TEST_F(LanguageFileTest, LanguageOptionOutranksTheLocale) {
  environment_.locale_variables = {"", "", "", "de_DE.UTF-8"};
  environment_.requested = "english";
  EXPECT_EQ(Choose().file, Data("english.itl"));
  environment_.locale_variables = {"", "", "", "en_US.UTF-8"};
  environment_.requested = "German";
  EXPECT_EQ(Choose().file, Data("german.itl"));

  const QString own = root_.filePath("mine.itl");
  Write(own);
  environment_.requested = own;
  EXPECT_EQ(Choose().file, own);
}

TEST_F(LanguageFileTest, TheUsersFileComesBeforeEverythingInstalled) {
  ASSERT_TRUE(QDir(environment_.config_home).mkpath("varactor"));
  const QString user_file = UserLanguageFile(environment_.config_home);
  EXPECT_EQ(user_file, root_.filePath("config/varactor/varactor.itl"));
  Write(user_file);
  environment_.locale_variables = {"", "", "", "de_DE.UTF-8"};
  EXPECT_EQ(Choose().file, user_file);
  environment_.requested = "german";
  EXPECT_EQ(Choose().file, user_file);
}

TEST_F(LanguageFileTest, UnknownLanguageOrMissingFileIsAnError) {
  environment_.requested = "klingon";
  const TLanguageChoice unknown = Choose();
  EXPECT_TRUE(unknown.file.isEmpty());
  EXPECT_EQ(unknown.error,
            "unknown language 'klingon': installed are english, german, or give the path of an itl file");
  environment_.requested = root_.filePath("missing.itl");
  EXPECT_TRUE(Choose().error.contains("missing.itl"));
  environment_.requested = "nowhere.itl";
  EXPECT_FALSE(Choose().error.isEmpty());
  // A folder is no language file.
  environment_.requested = root_.filePath("share/varactor/");
  EXPECT_FALSE(Choose().error.isEmpty());
  // Even a user's file does not hide a mistyped option.
  ASSERT_TRUE(QDir(environment_.config_home).mkpath("varactor"));
  Write(UserLanguageFile(environment_.config_home));
  environment_.requested = "klingon";
  EXPECT_FALSE(Choose().error.isEmpty());
}

TEST_F(LanguageFileTest, NothingInstalledLeavesTheKeys) {
  environment_.data_directory = root_.filePath("nowhere");
  EXPECT_TRUE(InstalledLanguages(environment_.data_directory).isEmpty());
  const TLanguageChoice choice = Choose();
  EXPECT_TRUE(choice.file.isEmpty());
  EXPECT_TRUE(choice.error.isEmpty());
  environment_.requested = "english";
  EXPECT_TRUE(Choose().error.contains("installed are none"));
  // Only German installed, an English desktop: the keys, not a language nobody asked for.
  QFile::remove(Data("english.itl"));
  environment_.data_directory = root_.filePath("share/varactor");
  environment_.requested.clear();
  EXPECT_EQ(InstalledLanguages(environment_.data_directory), QStringList{"german"});
  EXPECT_TRUE(Choose().file.isEmpty());
}

TEST(LocaleLanguageTest, ReadsTheVariablesInTheirOrder) {
  EXPECT_EQ(LocaleLanguage({"", "", "", ""}), "english");
  EXPECT_EQ(LocaleLanguage({"", "", "", "de_DE@euro"}), "german");
  EXPECT_EQ(LocaleLanguage({"pt_BR:fr", "", "", "de_DE"}), "german");
  EXPECT_EQ(LocaleLanguage({"", "POSIX", "", "de_DE"}), "english");
  EXPECT_EQ(LocaleLanguage({"", "", "", "C.UTF-8"}), "english");
  EXPECT_EQ(LocaleLanguage({}), "english");
}

}  // namespace
