#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "app/commandline.h"
#include "app/textlimits.h"

namespace {

TEST(TextLimitsTest, OverlongWordsAreCutIntoLinesAndOtherTextStays) {
  const QString normal = QStringLiteral("The characteristic curve of a varactor diode.");
  EXPECT_EQ(BreakOverlongWords(normal), normal);
  const QString limit(kLongestUnbrokenWord, QLatin1Char('w'));
  EXPECT_EQ(BreakOverlongWords(limit), limit);

  const QString word(2 * kLongestUnbrokenWord + 10, QLatin1Char('W'));
  const QString broken = BreakOverlongWords(QStringLiteral("see ") + word + QStringLiteral(" end"));
  const QStringList lines = broken.split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], QStringLiteral("see ") + word.left(kLongestUnbrokenWord));
  EXPECT_EQ(lines[1].size(), kLongestUnbrokenWord);
  EXPECT_EQ(lines[2], QString(10, QLatin1Char('W')) + QStringLiteral(" end"));
  EXPECT_EQ(QString(broken).remove(QLatin1Char('\n')), QStringLiteral("see ") + word + QStringLiteral(" end"));
}

TEST(TextLimitsTest, OverlongLinesAreBrokenAtASpaceAndShortOnesStay) {
  const QString normal = QStringLiteral("The characteristic curve.\nOf a varactor diode.");
  EXPECT_EQ(BreakOverlongLines(normal), normal);
  // Words of nine letters and a space: ten characters each.
  const qsizetype words = 3 * kLongestUnbrokenLine / 10;
  QString text;
  for (qsizetype i = 0; i < words; ++i) text += QStringLiteral("abcdefghi ");
  const QString broken = BreakOverlongLines(text);
  EXPECT_EQ(broken.size(), text.size());
  EXPECT_EQ(QString(broken).replace(QLatin1Char('\n'), QLatin1Char(' ')), text);
  const QStringList lines = broken.split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 4);
  for (const QString& line : lines) {
    EXPECT_LE(line.size(), kLongestUnbrokenLine);
    EXPECT_FALSE(line.startsWith(QLatin1Char(' ')));
  }
  // Long lines already broken by the words' cut stay as they are.
  const QString word(3 * kLongestUnbrokenWord, QLatin1Char('W'));
  EXPECT_EQ(BreakOverlongLines(BreakOverlongWords(word)), BreakOverlongWords(word));
}

TEST(TextLimitsTest, NoCutFallsBetweenTheHalvesOfACharacter) {
  // U+1D11E (musical G clef) is two UTF-16 units; the first falls right at the limit.
  const QString clef = QString::fromUcs4(U"\U0001D11E");
  const QString word = QString(kLongestUnbrokenWord - 1, QLatin1Char('a')) + clef + QString(100, QLatin1Char('b'));
  const QStringList lines = BreakOverlongWords(word).split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0].endsWith(clef));
  EXPECT_FALSE(lines[1].front().isLowSurrogate());

  const QString title = QString(kMaxWindowTitleLength - 1, QLatin1Char('T')) + clef;
  EXPECT_EQ(CutWindowTitle(title).size(), kMaxWindowTitleLength - 1);
  EXPECT_EQ(CutWindowTitle(QStringLiteral("Varactor Diode")), QStringLiteral("Varactor Diode"));
}

TEST(TextLimitsTest, LongCaptionsAndTitlesAreCutShortOnesKept) {
  QWidget form;
  form.setWindowTitle(QString(16 << 20, QLatin1Char('T')));
  auto* button = new QPushButton(QString(kMaxCaptionLength + 1, QLatin1Char('B')), &form);
  auto* label = new QLabel(QStringLiteral("linear"), &form);
  CutLongCaptions(&form);
  EXPECT_EQ(form.windowTitle().size(), kMaxWindowTitleLength);
  EXPECT_EQ(button->text().size(), kMaxCaptionLength);
  EXPECT_EQ(label->text(), QStringLiteral("linear"));
}

TEST(CommandLineTest, ARepeatedOutputIsRefused) {
  EXPECT_EQ(ParseCommandLine({"varactor", "--render", "a.png", "--render", "b.pdf"}).error,
            QStringLiteral("--render may be given only once"));
  EXPECT_EQ(ParseCommandLine({"varactor", "--export-csv=a.csv", "--export-csv", "-"}).error,
            QStringLiteral("--export-csv may be given only once"));
  EXPECT_TRUE(ParseCommandLine({"varactor", "--render", "a.png", "--export-csv", "a.csv"}).error.isEmpty());
}

}  // namespace
