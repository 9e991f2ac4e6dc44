#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextLayout>
#include <QWidget>

#include "app/controls/formgeometry.h"
#include "forms_fixture.h"
#include "zeph/toolkit/tmemo.h"

// The formulas of the information text ("N ~ 1/d", "N ~ d") stay on one line as the main window's
// memo wraps the shipped English and German texts, on screens of device pixel ratio 1, 1.5 and 2.

namespace {

QByteArray ShippedFile(const QString& name) {
  QFile file(qEnvironmentVariable("VARACTOR_SOURCE_DIR") + QStringLiteral("/resources/") + name);
  if (!file.open(QIODevice::ReadOnly)) ADD_FAILURE() << "cannot read " << name.toStdString();
  return file.readAll();
}

// A formula with ordinary or non-breaking spaces.
const QRegularExpression& FormulaPattern() {
  static const QRegularExpression pattern(QStringLiteral("N[ \\x{a0}]~[ \\x{a0}](1/)?d"));
  return pattern;
}

struct FormulaLines {
  int formulas = 0;
  int broken = 0;     // formulas whose characters lie on two lines
  int lines = 0;      // visual lines of the text
  QString first_break;
};

// Counts the formulas of one laid-out paragraph and those a line end cuts.
void CountFormulas(const QString& text, const QTextLayout& layout, FormulaLines& result) {
  result.lines += layout.lineCount();
  auto line_of = [&layout](int position) {
    for (int i = 0; i < layout.lineCount(); ++i) {
      const QTextLine line = layout.lineAt(i);
      if (position < line.textStart() + line.textLength()) return i;
    }
    return layout.lineCount() - 1;
  };
  for (QRegularExpressionMatchIterator it = FormulaPattern().globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    ++result.formulas;
    if (line_of(m.capturedStart()) != line_of(m.capturedEnd() - 1)) {
      ++result.broken;
      if (result.first_break.isEmpty()) {
        const QTextLine line = layout.lineAt(line_of(m.capturedStart()));
        result.first_break = m.captured() + " / " + text.mid(line.textStart(), line.textLength());
      }
    }
  }
}

// The formulas of a memo as its own document layout has wrapped them.
FormulaLines MemoFormulas(const zeph::TMemo& memo) {
  FormulaLines result;
  for (QTextBlock block = memo.document()->begin(); block.isValid(); block = block.next())
    CountFormulas(block.text(), *block.layout(), result);
  return result;
}

// The formulas of a text wrapped at a width as the memo wraps it (words, else anywhere).
FormulaLines WrappedFormulas(const QString& text, const QFont& font, qreal width) {
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) line.setLineWidth(width);
  layout.endLayout();
  FormulaLines result;
  CountFormulas(text, layout, result);
  return result;
}

class InfoTextLayoutTest : public FormsTest {
 protected:
  // Starts the main window with a shipped language file at its designed size, checks its memo
  // and keeps a picture of the window.
  void CheckLanguage(const char* file, const char* language) {
    SCOPED_TRACE(language);
    WriteDictionary(ShippedFile(QString::fromLatin1(file)));
    ShowAndStartUp();
    TForm1& f = form();
    EXPECT_EQ(OuterWidth(&f), 687);
    Pump();
    const FormulaLines lines = MemoFormulas(*f.Memo1);
    EXPECT_EQ(lines.formulas, 2);
    EXPECT_GE(lines.lines, 2) << "the text is not wrapped at all";
    EXPECT_EQ(lines.broken, 0) << "\"" << lines.first_break.toStdString() << "\" is broken across lines at ratio "
                               << f.devicePixelRatioF();

    const QString artefacts = qEnvironmentVariable("VARACTOR_ARTEFACTS");
    if (!artefacts.isEmpty() && QDir().mkpath(artefacts)) {
      const QString name = QStringLiteral("/info_text_%1_scale_%2.png").arg(QLatin1String(language)).arg(f.devicePixelRatioF());
      EXPECT_TRUE(f.grab().save(artefacts + name));
    }
    DestroyForms();
  }
};

TEST_F(InfoTextLayoutTest, FormulasStayOnOneLineInTheMainWindow) {
  // Run again by the scaled-screen test below with QT_SCALE_FACTOR set: then the ratio shows.
  const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
  if (!factor.isEmpty()) {
    EXPECT_DOUBLE_EQ(QWidget().devicePixelRatioF(), factor.toDouble());
  }
  CheckLanguage("english.itl", "english");
  CheckLanguage("lggerman.itl", "german");
}

TEST(InfoTextScaledScreensTest, FormulasStayOnOneLineAtRatioOneAndAHalfAndTwo) {
  for (const char* factor : {"1.5", "2"}) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(factor));
    // The child runs its two tests whole and writes no report over the parent's.
    for (const char* name : {"GTEST_OUTPUT", "GTEST_TOTAL_SHARDS", "GTEST_SHARD_INDEX", "GTEST_SHARD_STATUS_FILE"})
      environment.remove(QString::fromLatin1(name));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=InfoTextLayoutTest.*:InfoTextWrapTest.*")});
    ASSERT_TRUE(child.waitForFinished(120000)) << factor;
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << factor;
    EXPECT_EQ(child.exitCode(), 0) << "at ratio " << factor << ":\n" << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 2 tests")) << output.toStdString();
  }
}

TEST(InfoTextWrapTest, FormulasHoldTogetherAtEveryMemoWidthWhereOrdinarySpacesBreakThem) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(13);
  int broken_plain = 0;
  for (const char* file : {"english.itl", "lggerman.itl"}) {
    SCOPED_TRACE(file);
    const QByteArray bytes = ShippedFile(QString::fromLatin1(file));
    const qsizetype start = bytes.indexOf("[MMInfo]=") + 9;
    const QString text = QString::fromLatin1(bytes.mid(start, bytes.indexOf("|$$", start) - start));
    ASSERT_TRUE(text.contains(QChar(0xA0)));
    QString plain = text;
    plain.replace(QChar(0xA0), QLatin1Char(' '));
    // Every width the memo can have: the window is at least 640 pixels wide. (Much narrower, the
    // line breaking rules of Unicode allow a break after the slash of "1/d", which no character
    // of Windows-1252 can prevent.)
    for (int width = 600; width <= 1600; ++width) {
      const FormulaLines shipped = WrappedFormulas(text, font, width);
      ASSERT_EQ(shipped.formulas, 2);
      EXPECT_EQ(shipped.broken, 0) << "\"" << shipped.first_break.toStdString() << "\" at width " << width;
      broken_plain += WrappedFormulas(plain, font, width).broken;
    }
  }
  // Ordinary spaces let the same texts break inside their formulas at many of these widths.
  EXPECT_GT(broken_plain, 20);
}

}  // namespace
