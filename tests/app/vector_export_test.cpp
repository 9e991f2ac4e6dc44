#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>

#include "app/chartexport.h"
#include "app/mainfrm.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The decoded content of every stream of a PDF: flate streams inflated, others as they are.
QByteArrayList PdfStreams(const QByteArray& pdf) {
  QByteArrayList streams;
  qsizetype at = 0;
  while ((at = pdf.indexOf("stream\n", at)) >= 0) {
    const qsizetype dictionary = pdf.lastIndexOf("<<", at);
    const qsizetype begin = at + 7;
    const qsizetype end = pdf.indexOf("endstream", begin);
    if (end < 0) break;
    QByteArray data = pdf.mid(begin, end - begin);
    if (pdf.mid(dictionary, at - dictionary).contains("/FlateDecode")) {
      // qUncompress wants the expected length in front of the zlib data; a generous guess does.
      QByteArray framed(4, '\0');
      qToBigEndian<quint32>(16u << 20, framed.data());
      data = qUncompress(framed + data);
    }
    streams.append(data);
    at = end;
  }
  return streams;
}

// A text string of the PDF's information dictionary, UTF-16 with its byte-order mark.
QString InfoString(const QByteArray& pdf, const char* key) {
  const qsizetype at = pdf.indexOf(QByteArray("/") + key + " (");
  if (at < 0) return {};
  const qsizetype begin = pdf.indexOf('(', at) + 1;
  const QByteArray raw = pdf.mid(begin, pdf.indexOf(")\n", begin) - begin);
  if (!raw.startsWith("\xfe\xff")) return QString::fromLatin1(raw);
  QString text;
  for (qsizetype i = 2; i + 1 < raw.size(); i += 2)
    text.append(QChar(static_cast<char16_t>((static_cast<uchar>(raw[i]) << 8) | static_cast<uchar>(raw[i + 1]))));
  return text;
}

class VectorExportTest : public ::testing::Test {
 protected:
  TForm1 form_{nullptr, TFormRole::ChartsOnly};
  QTemporaryDir dir_;
};

TEST_F(VectorExportTest, PdfHoldsTheScreensDrawingTitledAfterThePosition) {
  const QString path = dir_.filePath("charts.pdf");
  ASSERT_EQ(RenderCharts(form_, 250, QSize(900, 400), path), "");
  const QByteArray pdf = ReadAll(path);
  EXPECT_EQ(InfoString(pdf, "Title"), "Varactor diode, slider position 250");
  EXPECT_EQ(InfoString(pdf, "Creator"), "Varactor 1.0");

  // One family for every text of both charts (a subset prefix aside).
  QSet<QString> families;
  const QRegularExpression base_font(QStringLiteral("/BaseFont /(?:[A-Z]{6}\\+)?([A-Za-z-]+)"));
  for (auto it = base_font.globalMatch(QString::fromLatin1(pdf)); it.hasNext();) families.insert(it.next().captured(1));
  EXPECT_EQ(families.size(), 1) << QStringList(families.values()).join(' ').toStdString();

  // Every stroke is as wide as on the screen, one pixel to the point: no hairlines.
  QByteArray content;
  for (const QByteArray& stream : PdfStreams(pdf))
    if (stream.contains(" re") || stream.contains(" l\n") || stream.contains(" l ")) content += stream;
  ASSERT_FALSE(content.isEmpty());
  const QRegularExpression width(QStringLiteral("(?:^|\\s)(-?[0-9.]+) w(?=\\s)"));
  int widths = 0;
  for (auto it = width.globalMatch(QString::fromLatin1(content)); it.hasNext(); ++widths)
    EXPECT_DOUBLE_EQ(it.next().captured(1).toDouble(), 1.0);
  EXPECT_GT(widths, 0);
  EXPECT_FALSE(pdf.contains("/Subtype /Image"));

  // The curves (stroked in blue) keep fractions of a point: no kinks from rounding to a grid.
  int curves = 0;
  for (qsizetype at = content.indexOf("0 0 1 SCN"); at >= 0; at = content.indexOf("0 0 1 SCN", at + 1)) {
    const qsizetype end = content.indexOf("\nS\n", at);
    ASSERT_GT(end, at);
    const QRegularExpression point(QStringLiteral("(-?[0-9.]+) (-?[0-9.]+) [ml]\n"));
    int points = 0;
    int off_grid = 0;
    for (auto it = point.globalMatch(QString::fromLatin1(content.mid(at, end - at))); it.hasNext(); ++points) {
      const QRegularExpressionMatch m = it.next();
      for (int c : {1, 2}) {
        const double v = m.captured(c).toDouble() * 2;
        if (std::abs(v - std::round(v)) > 1e-3) ++off_grid;
      }
    }
    EXPECT_GE(points, 99);
    EXPECT_GT(off_grid, points);
    ++curves;
  }
  EXPECT_EQ(curves, 2);
}

TEST_F(VectorExportTest, SvgHoldsTheSameDrawing) {
  const QString path = dir_.filePath("charts.svg");
  ASSERT_EQ(RenderCharts(form_, -500, QSize(800, 360), path), "");
  const QString svg = QString::fromUtf8(ReadAll(path));
  ASSERT_TRUE(svg.contains("<svg")) << svg.left(200).toStdString();
  EXPECT_TRUE(svg.contains("<title>Varactor diode, slider position -500</title>"));
  EXPECT_TRUE(svg.contains("viewBox=\"0 0 800 360\""));
  for (const char* text : {"Impurity Concentration Profile", "Capacitance of Varactor Diode", "C [pF]", "U [V]"})
    EXPECT_TRUE(svg.contains(QString::fromUtf8(text))) << text;
  // Each text stands in a group that names its font: one family for all of them.
  QSet<QString> families;
  const QRegularExpression text_group(QStringLiteral("font-family=\"([^\"]+)\"[^<]*>\\s*<text"));
  for (auto it = text_group.globalMatch(svg); it.hasNext();) families.insert(it.next().captured(1));
  ASSERT_EQ(families.size(), 1) << QStringList(families.values()).join(',').toStdString();
  // The family is the one the texts were measured and drawn in, not the designed name that a
  // viewer would look up on its own, with a generic family after it; fontconfig, which viewers
  // ask, finds that family under its name.
  const QString family = QFontInfo(form_.ZCCap->Font().ToQFont()).family();
  EXPECT_EQ(*families.begin(), family + ", sans-serif");
  EXPECT_NE(form_.ZCCap->Font().Name, family);
  QProcess fc_match;
  fc_match.start(QStringLiteral("fc-match"), {QStringLiteral("-f"), QStringLiteral("%{family[0]}"), family});
  ASSERT_TRUE(fc_match.waitForFinished(10000)) << "fc-match (Debian package fontconfig) did not run";
  EXPECT_EQ(QString::fromUtf8(fc_match.readAllStandardOutput()), family);
  // Strokes at the screen's width.
  const QRegularExpression stroke(QStringLiteral("stroke-width=\"([0-9.]+)\""));
  int strokes = 0;
  for (auto it = stroke.globalMatch(svg); it.hasNext(); ++strokes)
    EXPECT_DOUBLE_EQ(it.next().captured(1).toDouble(), 1.0);
  EXPECT_GT(strokes, 0);
  EXPECT_FALSE(svg.contains("<image"));
}

TEST_F(VectorExportTest, VectorRendersNeedNoPictureOfTheCharts) {
  // The charts are laid out at the page's size but draw only onto the page.
  ASSERT_EQ(RenderCharts(form_, 0, QSize(6000, 5000), dir_.filePath("large.pdf")), "");
  EXPECT_EQ(form_.ZCNd->size(), QSize(3000, 5000));
  EXPECT_LT(form_.ZCNd->ChartAreaImage().width(), 3000);
  EXPECT_LT(form_.ZCCap->ControlImage().width(), 3000);
  ASSERT_EQ(RenderCharts(form_, 0, QSize(6000, 5000), dir_.filePath("large.svg")), "");
  EXPECT_LT(form_.ZCCap->ChartAreaImage().height(), 5000);
}

}  // namespace
