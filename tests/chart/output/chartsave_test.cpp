#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "zeph/chart/picturefile.h"
#include "zeph/chart/zephchart.h"
#include "zeph/scales/zepherror.h"

using namespace zeph;

namespace {

const QString kTitle = QStringLiteral("Filter φ response");
const QString kAxis = QStringLiteral("Z / Ω");

// Standard output of a command line tool, empty when it failed.
QString ToolOutput(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Text as a reader finds it: an extractor or a renderer lays out words and font runs apart.
QString WithoutSpace(QString text) { return text.remove(QRegularExpression("\\s")); }

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ChartSaveTest : public ::testing::Test {
 protected:
  ChartSaveTest() {
    chart_.SetBounds(0, 0, 420, 300);
    chart_.SetCaption(kTitle);
    chart_.Scale1Y()->SetCaption(kAxis);
    chart_.Scale1X()->SetRange(0, 10);
    chart_.SetDataColor(clBlue);
    chart_.MoveTo(0, 0.1);
    chart_.DrawTo(10, 0.9);
    chart_.ShowGraf();
  }
  QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

  TZephChart chart_;
  QTemporaryDir dir_;
};

TEST_F(ChartSaveTest, PngHoldsTheScreensPixelsAtAnySizeAndScale) {
  chart_.Paint();
  const QImage screen = chart_.ControlImage().copy();
  chart_.SaveAs(Path("chart.png"));
  QImageReader reader(Path("chart.png"));
  EXPECT_EQ(reader.format(), "png");
  EXPECT_EQ(reader.read(), screen);

  // Another size and twice the pixels; the chart and its screen stay as they were.
  chart_.SaveAs(Path("big.PNG"), QSize(600, 400), 2);
  const QImage big(Path("big.PNG"));
  EXPECT_EQ(big.size(), QSize(1200, 800));
  EXPECT_EQ(chart_.size(), QSize(420, 300));
  EXPECT_EQ(chart_.ControlImage(), screen);
  // The curve runs across the whole chart area of the larger picture.
  const int area_right = 2 * (600 - chart_.RRim());
  int blue_columns = 0;
  for (int x = 2 * chart_.LRim(); x < area_right; ++x) {
    for (int y = 0; y < big.height(); ++y) {
      if (big.pixel(x, y) == qRgb(0, 0, 255)) {
        ++blue_columns;
        break;
      }
    }
  }
  EXPECT_GT(blue_columns, area_right - 2 * chart_.LRim() - 4);

  // No extension: PNG.
  chart_.SaveAs(Path("plain"));
  EXPECT_EQ(QImageReader(Path("plain")).format(), "png");
}

TEST_F(ChartSaveTest, PdfIsOnePageOfVectorsWithItsTextAndFontsEmbedded) {
  chart_.SaveAs(Path("chart.pdf"), QSize(500, 350));
  const QString info = ToolOutput("pdfinfo", {Path("chart.pdf")});
  EXPECT_TRUE(info.contains(QRegularExpression("Pages: +1\n"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page size: +500 x 350 pts"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Title: +" + kTitle))) << info.toStdString();
  // Text stays text, Unicode and all.
  const QString text = ToolOutput("pdftotext", {Path("chart.pdf"), "-"});
  EXPECT_TRUE(WithoutSpace(text).contains(WithoutSpace(kTitle))) << text.toStdString();
  EXPECT_TRUE(WithoutSpace(text).contains(WithoutSpace(kAxis))) << text.toStdString();
  // Every font is embedded, none is a bitmap font: the labels are outlines.
  const QStringList fonts = ToolOutput("pdffonts", {Path("chart.pdf")}).split('\n', Qt::SkipEmptyParts);
  ASSERT_GT(fonts.size(), 2);
  for (const QString& line : fonts.mid(2)) {
    const QStringList columns = line.split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(columns.size(), 5) << line.toStdString();
    EXPECT_NE(line.indexOf(QRegularExpression(" yes +(yes|no) +(yes|no) +\\d+ +\\d+$")), -1) << line.toStdString();
    EXPECT_NE(columns[1], "Type") << line.toStdString();
  }
}

TEST_F(ChartSaveTest, SvgIsAValidDrawingWithItsTextAsText) {
  chart_.SaveAs(Path("chart.svg"));
  QXmlStreamReader xml(ReadAll(Path("chart.svg")));
  QString texts;
  QString title;
  bool root_checked = false;
  int paths = 0;
  while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
    if (!xml.isStartElement()) continue;
    if (xml.name() == QLatin1String("svg") && !root_checked) {
      EXPECT_EQ(xml.attributes().value("viewBox"), QLatin1String("0 0 420 300"));
      root_checked = true;
    } else if (xml.name() == QLatin1String("title")) {
      title = xml.readElementText();
    } else if (xml.name() == QLatin1String("text")) {
      texts += xml.readElementText(QXmlStreamReader::IncludeChildElements);
    } else if (xml.name() == QLatin1String("polyline") || xml.name() == QLatin1String("path")) {
      ++paths;
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_TRUE(root_checked);
  EXPECT_EQ(title, kTitle);
  // A run of text in a font that lacks a character continues in another element.
  EXPECT_TRUE(WithoutSpace(texts).contains(WithoutSpace(kTitle))) << texts.toStdString();
  EXPECT_TRUE(WithoutSpace(texts).contains(WithoutSpace(kAxis))) << texts.toStdString();
  EXPECT_GT(paths, 0);
  EXPECT_FALSE(ReadAll(Path("chart.svg")).contains("<image"));
}

// EXPECT_THROW with a look at the message.
void ExpectRefused(const std::function<void()>& save, const QString& expected) {
  try {
    save();
    ADD_FAILURE() << "no exception, expected " << expected.toStdString();
  } catch (const EZephChartError& error) {
    EXPECT_TRUE(QString::fromStdString(error.Message()).contains(expected)) << error.Message();
  }
}

TEST_F(ChartSaveTest, FailuresRaiseAndLeaveAnExistingFileAlone) {
  QFile existing(Path("keep.png"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write("old content");
  existing.close();

  ExpectRefused([&] { chart_.SaveAs(Path("missing/chart.pdf")); }, "cannot write '" + Path("missing/chart.pdf") + "': ");
  ExpectRefused([&] { chart_.SaveAs(Path("missing/chart.png")); }, "cannot write");
  ExpectRefused([&] { chart_.SaveAs(Path("missing/chart.svg")); }, "cannot write");
  ExpectRefused([&] { chart_.SaveAs(Path("chart.xyz")); }, "unsupported image format 'xyz'");
  ExpectRefused([&] { chart_.SaveAs(Path("keep.png"), QSize(20, 20)); }, "is too small for the chart: at least");
  ExpectRefused([&] { chart_.SaveAs(Path("keep.png"), QSize(), 0); }, "the scale 0 is not a number above 0");
  ExpectRefused([&] { chart_.SaveAs(Path("keep.png"), QSize(), 100); }, "exceeds 16384 pixels each way");
  EXPECT_EQ(ReadAll(Path("keep.png")), "old content");
  // A folder in place of the file.
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.png"));
  ExpectRefused([&] { chart_.SaveAs(Path("folder.png")); }, "cannot write");
  // A failure while laid out at another size puts the chart back as well.
  ExpectRefused([&] { chart_.SaveAs(Path("missing/big.png"), QSize(600, 400)); }, "cannot write");
  EXPECT_EQ(chart_.size(), QSize(420, 300));
  EXPECT_FALSE(chart_.PaintSuspended());
}

TEST(SavePictureTest, AnyDrawingIsSavedAndAnEmptySizeIsRefused) {
  QTemporaryDir dir;
  const auto cross = [](TCanvas& canvas) {
    canvas.SetPenColor(clRed);
    canvas.MoveTo(0, 0);
    canvas.LineTo(40, 30);
  };
  TPictureInfo info;
  info.background = clYellow;
  SavePicture(dir.filePath("cross.png"), QSize(40, 30), 1.5, cross, info);
  const QImage image(dir.filePath("cross.png"));
  ASSERT_EQ(image.size(), QSize(60, 45));
  EXPECT_EQ(image.pixel(59, 0), qRgb(255, 255, 0));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  ExpectRefused([&] { SavePicture(dir.filePath("empty.png"), QSize(0, 30), 1, cross); }, "the size 0x30 is empty");
  EXPECT_FALSE(QFile::exists(dir.filePath("empty.png")));
}

}  // namespace
