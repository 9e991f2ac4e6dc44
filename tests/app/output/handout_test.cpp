// The handout: its title in both languages, a PDF written where the user chose, nothing when the
// choice is cancelled, and a failure told in the window's language.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/output/handout.h"
#include "app/output/handoutdialog.h"
#include "zeph/translation/babelfish2000.h"

namespace {

class HandoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(german_.LoadFromFile(qEnvironmentVariable("VARACTOR_SOURCE_DIR") +
                                     QStringLiteral("/resources/lggerman.itl")));
    saved_choose_ = THandoutDialog::ChooseFileHook();
    saved_report_ = THandoutDialog::ReportHook();
    THandoutDialog::ReportHook() = [this](QWidget*, const QString& text) { reports_.append(text); };
  }
  void TearDown() override {
    THandoutDialog::ChooseFileHook() = saved_choose_;
    THandoutDialog::ReportHook() = saved_report_;
  }

  zeph::TBabelfish2000 german_;
  QTemporaryDir dir_;
  QStringList reports_;
  THandoutDialog::TChooseFile saved_choose_;
  THandoutDialog::TReport saved_report_;
};

TEST_F(HandoutTest, TitleNamesTheGradingInTheWindowsLanguage) {
  EXPECT_EQ(HandoutTitle({400, {}, nullptr}),
            QStringLiteral("Varactor Diode: m = 0.4 (between abrupt and linear, 400)"));
  EXPECT_EQ(HandoutTitle({-1000, {}, &german_}), QString::fromUtf8("Kapazitätsdiode: m = −1 (hyperabrupt, -1000)"));
}

TEST_F(HandoutTest, SavedWhereChosenNothingWhenCancelledAndAFailureIsTold) {
  struct Case {
    QString chosen;
    bool written;
    bool reported;
  };
  for (const Case& c : {Case{dir_.filePath(QStringLiteral("handout.pdf")), true, false}, Case{QString(), false, false},
                        Case{dir_.filePath(QStringLiteral("missing/handout.pdf")), false, true}}) {
    reports_.clear();
    THandoutDialog::ChooseFileHook() = [&c](QWidget*, const QString& caption) {
      EXPECT_EQ(caption, QString::fromUtf8("Handout speichern…"));
      return c.chosen;
    };
    THandoutDialog::Save(nullptr, {250, {-1000}, &german_});
    QFile file(c.chosen);
    EXPECT_EQ(!c.chosen.isEmpty() && file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-", c.written)
        << c.chosen.toStdString();
    ASSERT_EQ(reports_.size(), c.reported ? 1 : 0) << c.chosen.toStdString();
    if (c.reported) {
      EXPECT_TRUE(reports_[0].startsWith(QStringLiteral("Das Handout wurde nicht geschrieben: cannot write")))
          << reports_[0].toStdString();
    }
  }
}

}  // namespace
