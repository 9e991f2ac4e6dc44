#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <string>

#include "app/chartexport.h"
#include "app/controls/ttrackbar.h"
#include "app/mainfrm.h"
#include "app/varactormodel.h"
#include "zeph/chart/zephchart.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double ReadBack(const QByteArray& text) {
  const std::string s = text.toStdString();
  char* end = nullptr;
  const double value = std::strtod(s.c_str(), &end);
  EXPECT_EQ(*end, '\0') << s;
  return value;
}

TEST(ExportCsvTest, WritesBothCurvesThatReadBackExactly) {
  QTemporaryDir dir;
  const QString path = dir.filePath("curves.csv");
  for (int position : {-1000, 0, 1000, 333}) {
    SCOPED_TRACE(position);
    ASSERT_EQ(ExportCurvesCsv(position, path), "");
    const QList<QByteArray> lines = ReadAll(path).split('\n');
    const auto capacitance = varactor::CapacitanceCurve(position);
    const auto profile = varactor::ProfileCurve(position);
    ASSERT_EQ(lines.size(), 1 + 300 + 1);  // header, rows, nothing after the last line break
    EXPECT_EQ(lines.first(), "U [V],C [pF],d [um],ND [10^16 cm^-3]");
    EXPECT_TRUE(lines.last().isEmpty());
    for (int row = 0; row < 300; ++row) {
      const QList<QByteArray> fields = lines[row + 1].split(',');
      ASSERT_EQ(fields.size(), 4) << row;
      if (row < 100) {
        EXPECT_EQ(ReadBack(fields[0]), capacitance[row].x);
        EXPECT_EQ(ReadBack(fields[1]), capacitance[row].y);
      } else {
        EXPECT_TRUE(fields[0].isEmpty() && fields[1].isEmpty()) << row;
      }
      EXPECT_EQ(ReadBack(fields[2]), profile[row].x);
      EXPECT_EQ(ReadBack(fields[3]), profile[row].y);
    }
  }
}

// The number of significant digits of a number written in plain or exponent form.
int SignificantDigits(const QByteArray& field) {
  QByteArray mantissa = field.split('e').first();
  mantissa.replace("-", "").replace(".", "");
  while (mantissa.startsWith('0')) mantissa.remove(0, 1);
  while (mantissa.endsWith('0')) mantissa.chop(1);
  return static_cast<int>(std::max<qsizetype>(mantissa.size(), 1));
}

TEST(ExportCsvTest, NumbersAreWrittenInTheirShortestExactForm) {
  QTemporaryDir dir;
  const QString path = dir.filePath("curves.csv");
  ASSERT_EQ(ExportCurvesCsv(0, path), "");
  const QList<QByteArray> lines = ReadAll(path).split('\n');
  // The first voltage and depth are 0.1 and 0.01 themselves.
  EXPECT_TRUE(lines[1].startsWith("0.1,")) << lines[1].toStdString();
  EXPECT_EQ(lines[1].split(',')[2], "0.01");
  int fields_checked = 0;
  for (int row = 1; row <= 300; ++row) {
    for (const QByteArray& field : lines[row].split(',')) {
      if (field.isEmpty()) continue;
      const double value = ReadBack(field);
      // One digit fewer does not read back as the same number: the form is the shortest.
      const int digits = SignificantDigits(field);
      if (digits > 1) {
        std::array<char, 64> shorter{};
        const auto result = std::to_chars(shorter.data(), shorter.data() + shorter.size() - 1, value,
                                          std::chars_format::general, digits - 1);
        ASSERT_EQ(result.ec, std::errc());
        EXPECT_NE(std::strtod(shorter.data(), nullptr), value) << field.toStdString();
      }
      EXPECT_LE(digits, 17);
      ++fields_checked;
    }
  }
  EXPECT_EQ(fields_checked, 2 * 100 + 2 * 300);
}

TEST(ExportCsvTest, UnwritablePlaceIsReportedAndNothingIsLeftBehind) {
  QTemporaryDir dir;
  const QString path = dir.filePath("missing/curves.csv");
  const QString error = ExportCurvesCsv(0, path);
  EXPECT_TRUE(error.contains(path)) << error.toStdString();
  EXPECT_FALSE(QFile::exists(path));
  // A directory of that name is not overwritten either.
  EXPECT_FALSE(ExportCurvesCsv(0, dir.path()).isEmpty());
  EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

class RenderTest : public ::testing::Test {
 protected:
  TForm1 form_{nullptr, TFormRole::ChartsOnly};
  QTemporaryDir dir_;
};

TEST_F(RenderTest, ImageHoldsBothChartsSideBySide) {
  const QString path = dir_.filePath("charts.png");
  ASSERT_EQ(RenderCharts(form_, 1000, QSize(900, 400), path), "");
  const QImage image(path);
  ASSERT_EQ(image.size(), QSize(900, 400));
  SaveArtefact(image, "render_position_1000.png");
  EXPECT_EQ(form_.TBDistribution->Position(), 1000);
  EXPECT_EQ(form_.ZCNd->size(), QSize(450, 400));
  EXPECT_EQ(form_.ZCCap->size(), QSize(450, 400));
  // The profile ND = d on the left, the capacitance on the right, each where its chart maps it.
  for (const varactor::CurvePoint& p : {varactor::CurvePoint{1.5, 1.5}, varactor::CurvePoint{2.5, 2.5}}) {
    const QPoint px = form_.ZCNd->WorldToPixel(1, p.x, p.y);
    EXPECT_TRUE(CountPixels(image, varactor::kCurveColor, px.x() - 1, px.y() - 1, px.x() + 2, px.y() + 2) > 0);
  }
  const auto capacitance = varactor::CapacitanceCurve(1000);
  const QPoint px = form_.ZCCap->WorldToPixel(1, capacitance[49].x, capacitance[49].y);
  EXPECT_GT(CountPixels(image, varactor::kCurveColor, 450 + px.x() - 1, px.y() - 1, 450 + px.x() + 2, px.y() + 2), 0);
  EXPECT_EQ(CountPixels(image, varactor::kCurveColor, 0, 0, 50, 400), 0);
  EXPECT_EQ(PixelAt(image, 450 + form_.ZCCap->LRim(), 100), clBlack);  // the right chart's frame
}

TEST_F(RenderTest, ScaleDrawsAtThatManyDevicePixels) {
  const QString path = dir_.filePath("charts@2.png");
  ASSERT_EQ(RenderCharts(form_, 1000, QSize(900, 400), path, 2), "");
  const QImage image(path);
  ASSERT_EQ(image.size(), QSize(1800, 800));
  SaveArtefact(image, "render_scale_2.png");
  // The charts keep their layout; every pixel of it is two each way.
  EXPECT_EQ(form_.ZCCap->size(), QSize(450, 400));
  const int frame_x = 2 * (450 + form_.ZCCap->LRim());
  EXPECT_EQ(PixelAt(image, frame_x, 200), clBlack);
  EXPECT_EQ(PixelAt(image, frame_x + 1, 200), clBlack);
  EXPECT_NE(PixelAt(image, frame_x - 1, 200), clBlack);
  const auto capacitance = varactor::CapacitanceCurve(1000);
  const QPoint px = form_.ZCCap->WorldToPixel(1, capacitance[49].x, capacitance[49].y);
  EXPECT_GT(CountPixels(image, varactor::kCurveColor, 2 * (450 + px.x()) - 2, 2 * px.y() - 2, 2 * (450 + px.x()) + 4,
                        2 * px.y() + 4),
            0);
  // A scale that ends in half a pixel leaves no stray pixels at the edges.
  const QString odd = dir_.filePath("odd.png");
  ASSERT_EQ(RenderCharts(form_, 0, QSize(687, 384), odd, 1.5), "");
  const QImage odd_image(odd);
  ASSERT_EQ(odd_image.size(), QSize(1031, 576));
  const TColor window = ColorToRGB(clBtnFace);
  for (int y = 0; y < odd_image.height(); y += 5) EXPECT_EQ(PixelAt(odd_image, odd_image.width() - 1, y), window) << y;
  for (int x = 0; x < odd_image.width(); x += 5) EXPECT_EQ(PixelAt(odd_image, x, odd_image.height() - 1), window) << x;
  // Too many pixels for one picture.
  const QString huge = RenderCharts(form_, 0, QSize(8000, 400), dir_.filePath("huge.png"), 4);
  EXPECT_TRUE(huge.contains("exceeds")) << huge.toStdString();
  EXPECT_FALSE(QFile::exists(dir_.filePath("huge.png")));
}

TEST_F(RenderTest, DefaultSizeIsTheDesignedChartArea) {
  const QSize size = DesignedChartsSize(form_);
  EXPECT_EQ(size, QSize(687, 489 - 49 - 56));
  const QString path = dir_.filePath("charts");  // no extension: PNG
  ASSERT_EQ(RenderCharts(form_, 0, size, path), "");
  EXPECT_TRUE(ReadAll(path).startsWith("\x89PNG"));
}

TEST_F(RenderTest, PdfPageIsAsLargeAsTheCharts) {
  const QString path = dir_.filePath("charts.pdf");
  ASSERT_EQ(RenderCharts(form_, -1000, QSize(800, 300), path), "");
  const QByteArray pdf = ReadAll(path);
  EXPECT_TRUE(pdf.startsWith("%PDF-"));
  const QRegularExpression media_box(QStringLiteral("/MediaBox \\[0 0 (\\d+(\\.\\d+)?) (\\d+(\\.\\d+)?)\\]"));
  const QRegularExpressionMatch m = media_box.match(QString::fromLatin1(pdf));
  ASSERT_TRUE(m.hasMatch());
  EXPECT_DOUBLE_EQ(m.captured(1).toDouble(), 800);
  EXPECT_DOUBLE_EQ(m.captured(3).toDouble(), 300);
  // Vector figures: the charts are drawn as lines and text, not embedded as pictures.
  EXPECT_FALSE(pdf.contains("/Subtype /Image"));
  EXPECT_TRUE(pdf.contains("/Font"));
}

TEST_F(RenderTest, FailuresAreReportedAndLeaveExistingFilesAlone) {
  const QString kept = dir_.filePath("charts.xyz");
  {
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep");
  }
  const QString unsupported = RenderCharts(form_, 0, QSize(800, 300), kept);
  EXPECT_TRUE(unsupported.contains("xyz")) << unsupported.toStdString();
  EXPECT_EQ(ReadAll(kept), "keep");

  const QString missing_dir = dir_.filePath("missing/charts.png");
  EXPECT_FALSE(RenderCharts(form_, 0, QSize(800, 300), missing_dir).isEmpty());
  EXPECT_FALSE(RenderCharts(form_, 0, QSize(800, 300), dir_.filePath("missing/charts.pdf")).isEmpty());
  EXPECT_FALSE(QFile::exists(missing_dir));

  const QString small = dir_.filePath("small.png");
  const QString too_small = RenderCharts(form_, 0, QSize(200, 50), small);
  EXPECT_TRUE(too_small.contains("too small")) << too_small.toStdString();
  EXPECT_FALSE(QFile::exists(small));
}

}  // namespace
