// The grading in numbers and the link's words, in English and in the shipped German (decimal
// comma), as readouts, tooltips and the screen reader give them.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QBuffer>
#include <QFile>

#include "app/lesson/depletion.h"
#include "app/lesson/lessonwords.h"
#include "app/controls/ttrackbar.h"
#include "app/forms_fixture.h"
#include "zeph/translation/babelfish2000.h"

using namespace zeph;

namespace {

struct Words {
  int position;
  QString english;
  QString german;
};

class LessonWordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(german_.LoadFromFile(qEnvironmentVariable("VARACTOR_SOURCE_DIR") +
                                     QStringLiteral("/resources/lggerman.itl")));
  }
  TBabelfish2000 german_;
};

TEST_F(LessonWordsTest, GradingNumbersStateTheExponentAndBothLaws) {
  for (const Words& w : {Words{400, QStringLiteral("m = 0.4; ND ∝ d^0.4; Cj ∝ (U + 0.7 V)^−0.417"),
                              QStringLiteral("m = 0,4; ND ∝ d^0,4; Cj ∝ (U + 0,7 V)^−0,417")},
                         Words{-1000, QStringLiteral("m = −1; ND ∝ d^−1; Cj ∝ (U + 0.7 V)^−1"),
                               QStringLiteral("m = −1; ND ∝ d^−1; Cj ∝ (U + 0,7 V)^−1")},
                         Words{0, QStringLiteral("m = 0; ND ∝ d^0; Cj ∝ (U + 0.7 V)^−0.5"),
                               QStringLiteral("m = 0; ND ∝ d^0; Cj ∝ (U + 0,7 V)^−0,5")},
                         Words{1000, QStringLiteral("m = 1; ND ∝ d^1; Cj ∝ (U + 0.7 V)^−0.333"),
                               QStringLiteral("m = 1; ND ∝ d^1; Cj ∝ (U + 0,7 V)^−0,333")},
                         Words{-125, QStringLiteral("m = −0.125; ND ∝ d^−0.125; Cj ∝ (U + 0.7 V)^−0.533"),
                               QStringLiteral("m = −0,125; ND ∝ d^−0,125; Cj ∝ (U + 0,7 V)^−0,533")}}) {
    EXPECT_EQ(GradingNumbers(w.position, nullptr), w.english);
    EXPECT_EQ(GradingNumbers(w.position, &german_), w.german);
  }
}

TEST_F(LessonWordsTest, LinkWordsNameTheWidthAndTheVoltageThatReachesADepth) {
  EXPECT_EQ(WidthWords(0, 1, nullptr), QStringLiteral("w = 0.471 µm"));
  EXPECT_EQ(WidthWords(0, 1, &german_), QStringLiteral("w = 0,471 µm"));
  const double depth = varactor::DepletionWidth(0, 1);
  EXPECT_EQ(EdgeWords(0, depth, nullptr).value_or(QString()), QStringLiteral("depletion edge here at U 1.00 V"));
  EXPECT_EQ(EdgeWords(0, depth, &german_).value_or(QString()),
            QStringLiteral("Rand der Sperrschicht hier bei U 1,00 V"));
  EXPECT_FALSE(EdgeWords(0, 2.5, nullptr).has_value());
  EXPECT_EQ(VoltageWords(2.346, nullptr), QStringLiteral("U = 2.35 V"));
  EXPECT_EQ(VoltageWords(2.346, &german_), QStringLiteral("U = 2,35 V"));
}

}  // namespace

using GradingNumbersTest = FormsTest;

// The slider's tooltip and its description state the grading in numbers, in the window's language.
TEST_F(GradingNumbersTest, TheSliderStatesTheExponentAndTheLawsInItsTooltipAndDescription) {
  QFile german(qEnvironmentVariable("VARACTOR_SOURCE_DIR") + QStringLiteral("/resources/lggerman.itl"));
  ASSERT_TRUE(german.open(QIODevice::ReadOnly));
  struct Case {
    QByteArray dictionary;
    QString numbers;
  };
  for (const Case& c : {Case{{}, QStringLiteral("m = −0.4; ND ∝ d^−0.4; Cj ∝ (U + 0.7 V)^−0.625")},
                        Case{german.readAll(), QStringLiteral("m = −0,4; ND ∝ d^−0,4; Cj ∝ (U + 0,7 V)^−0,625")}}) {
    if (!c.dictionary.isEmpty()) LoadDictionary(c.dictionary);
    form().TBDistribution->SetPosition(-400);
    EXPECT_EQ(form().TBDistribution->toolTip(), c.numbers);
    // As a screen reader asks for it.
    const QString description =
        QAccessible::queryAccessibleInterface(form().TBDistribution)->text(QAccessible::Description);
    EXPECT_TRUE(description.endsWith(QStringLiteral(". ") + c.numbers + '.')) << description.toStdString();
    form().TBDistribution->SetPosition(0);
  }
}
