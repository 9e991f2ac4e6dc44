#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QPalette>
#include <QSvgGenerator>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

#include "common/image_probe.h"
#include "zeph/chart/zephchart.h"
#include "zeph/toolkit/exception.h"

using namespace zeph;

namespace {

// WCAG's relative luminance and contrast ratio of two colours.
double Luminance(QRgb rgb) {
  const auto channel = [](int c) {
    const double v = c / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}
double Contrast(QRgb a, QRgb b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
// The strongest contrast any pixel of a part of the image has against a background colour: the
// text's own colour, however its edges are smoothed.
double BestContrast(const QImage& image, const QRect& part, QRgb background) {
  double best = 1;
  for (int y = part.top(); y <= part.bottom(); ++y)
    for (int x = part.left(); x <= part.right(); ++x) best = std::max(best, Contrast(image.pixel(x, y), background));
  return best;
}

// Colours other than black and white inside a part of an image: blended edges.
int BlendedPixels(const QImage& image, const QRect& part) {
  int count = 0;
  for (int y = part.top(); y <= part.bottom(); ++y)
    for (int x = part.left(); x <= part.right(); ++x) {
      const QRgb p = image.pixel(x, y) & 0xFFFFFF;
      if (p != 0 && p != 0xFFFFFF) ++count;
    }
  return count;
}

// A chart of 400 x 300 (chart area x 50..380, y 20..260) with a diagonal, a mark and a grid.
class ChartLooksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_.SetBounds(0, 0, 400, 300);
    chart_.SetLayerRange(1, 0, 0, 10, 1);
    chart_.ClearGraf();
    chart_.MoveTo(0, 0);
    chart_.DrawTo(10, 0.7);
    chart_.Mark(5, 0.8, 3);
    chart_.ShowGraf();
  }
  QImage Area() const { return chart_.ControlImage().copy(50, 20, 331, 241); }

  TZephChart chart_;
};

TEST_F(ChartLooksTest, AntialiasingIsOffByDefaultAndSmoothsCurvesMarksAndGridWhenOn) {
  EXPECT_FALSE(chart_.Antialiased());
  const QImage exact = chart_.ControlImage().copy();
  // The classic pixels: a diagonal of pure black pixels on white.
  EXPECT_EQ(BlendedPixels(Area(), QRect(1, 1, 329, 239)), 0);

  chart_.SetGridStyle(gsLines);
  chart_.SetGridDx(2);
  chart_.SetGridDy(0.25);
  chart_.SetGridColor(clBlack);
  chart_.SetAntialiased(true);
  const QImage smooth = Area();
  // The diagonal and the mark's circle have blended edges; a grid line on a whole pixel column
  // stays crisp (x = 2 lies at control column 116, chart-area column 66).
  EXPECT_GT(BlendedPixels(smooth, QRect(1, 1, 329, 239)), 300);
  for (int y = 10; y < 230; y += 17) EXPECT_EQ(PixelAt(smooth, 66, y), clBlack) << y;
  // Along the diagonal every column holds pixels darker than half grey near the ideal line.
  for (int x = 20; x < 320; x += 25) {
    const int ideal = 240 - static_cast<int>(std::lround(x * 0.7 * 240 / 330.0));
    EXPECT_GT(CountDark(smooth, x, ideal - 2, x + 1, ideal + 3), 0) << x;
  }
  SaveArtefact(chart_.ControlImage(), QStringLiteral("antialiased.png"));

  // Exports draw the same: a plain image from PaintTo holds the control's pixels.
  QImage exported(400, 300, QImage::Format_RGB32);
  {
    TCanvas canvas(&exported);
    chart_.PaintTo(canvas, 0, 0);
  }
  EXPECT_EQ(exported, chart_.ControlImage());

  // Off again, the classic pixels are back exactly.
  chart_.SetGridStyle(gsNone);
  chart_.SetAntialiased(false);
  EXPECT_EQ(chart_.ControlImage(), exact);
}

TEST_F(ChartLooksTest, PaletteColorsMakeLabelsReadableOnADarkTheme) {
  const QPalette saved = QApplication::palette();
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
  dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
  dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
  dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
  dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
  dark.setColor(QPalette::Dark, QColor(0x10, 0x10, 0x10));
  QApplication::setPalette(dark);
  chart_.setPalette(dark);
  chart_.SetCaption(QStringLiteral("Bode plot"));
  chart_.Scale1Y()->SetCaption(QStringLiteral("|H|"));
  chart_.Paint();
  // The y labels stand in the left rim, x 0..49, beside the chart area's height.
  const QRect labels(2, 15, 45, 250);
  const QRgb rim = QColor(0x35, 0x35, 0x35).rgb();
  ASSERT_EQ(chart_.ControlImage().pixel(1, 290) & 0xFFFFFF, rim & 0xFFFFFF);
  // By default the labels stay black: hardly readable on the dark rim.
  EXPECT_LT(BestContrast(chart_.ControlImage(), labels, rim), 2.0);

  chart_.SetPaletteColors(true);
  const QImage themed = chart_.ControlImage();
  SaveArtefact(themed, QStringLiteral("dark_palette.png"));
  EXPECT_EQ(themed.pixel(1, 290) & 0xFFFFFF, rim & 0xFFFFFF);
  EXPECT_GE(BestContrast(themed, labels, rim), 7.0);
  // The caption, the chart area's background and its frame follow the theme too.
  EXPECT_GE(BestContrast(themed, QRect(250, 2, 130, 16), rim), 7.0);
  EXPECT_EQ(themed.pixel(300, 30) & 0xFFFFFF, 0x202020u);
  EXPECT_EQ(themed.pixel(50, 100) & 0xFFFFFF, 0xEEEEEEu);
  // The curve keeps its own colour.
  EXPECT_EQ(chart_.DataColor(), clBlack);

  // Off again: the colour properties.
  chart_.SetPaletteColors(false);
  EXPECT_EQ(PixelAt(chart_.ControlImage(), 300, 30), clWhite);
  QApplication::setPalette(saved);
}

TEST_F(ChartLooksTest, UnicodeTextKeepsItsCharactersAndLimitInItemsLabelsAndExports) {
  chart_.ClearGraf();
  chart_.Text(5, 0.5, QStringLiteral("φ(ω)=Ω·µ ∑漢字 \U0001D465ÿ and more"), 12);
  const TZephChartItem item = chart_.Items()[0];
  // Seventeen characters, the one outside the Basic Multilingual Plane counted once.
  EXPECT_EQ(QString::fromUcs4(item.Text), QStringLiteral("φ(ω)=Ω·µ ∑漢字 \U0001D465ÿ a"));
  chart_.Text(2, 0.2, QStringLiteral("Ω"), 12);
  chart_.TextLabel(1)->SetMode(tlBox);
  chart_.TextLabel(1)->SetPosX(8);
  chart_.TextLabel(1)->SetPosY(0.9);
  chart_.TextLabel(1)->SetCaption(QStringLiteral("Δf = 3 kΩ"));
  chart_.SetCaption(QStringLiteral("Phase φ in °"));
  chart_.Scale1X()->SetCaption(QStringLiteral("ω [rad/s]"));
  chart_.ShowGraf();
  // The Ω item is drawn: dark strokes around its point (x 116, y 212).
  EXPECT_GT(CountDark(chart_.ControlImage(), 106, 202, 127, 222), 5);

  // An SVG export holds the texts as text.
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(400, 300));
    svg.setViewBox(QRect(0, 0, 400, 300));
    TCanvas canvas(&svg, true);
    chart_.PaintTo(canvas, 0, 0);
  }
  // Qt writes a text as one element per font it takes the glyphs from (Greek and Han come from
  // fallback fonts): the elements in order spell the texts.
  QString spelled;
  QXmlStreamReader reader(buffer.data());
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("text"))
      spelled += reader.readElementText(QXmlStreamReader::IncludeChildElements);
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  for (const QString& expected : {QStringLiteral("φ(ω)=Ω·µ ∑漢字 \U0001D465ÿ a"), QStringLiteral("Ω"), QStringLiteral("Δf = 3 kΩ"),
                                  QStringLiteral("Phase φ in °"), QStringLiteral("ω [rad/s]")}) {
    EXPECT_TRUE(spelled.contains(expected)) << expected.toStdString() << " in " << spelled.toStdString();
  }
}

TEST_F(ChartLooksTest, QtColoursAndFontsAreTakenWhereverAColourOrFontIsSet) {
  chart_.SetWindColor(QColor(10, 20, 30));
  EXPECT_EQ(chart_.WindColor(), RGBColor(10, 20, 30));
  EXPECT_EQ(ColorToQColor(chart_.WindColor()), QColor(10, 20, 30));
  // A Qt colour name is the colour, not a number.
  chart_.SetGridColor(Qt::red);
  EXPECT_EQ(chart_.GridColor(), clRed);
  chart_.SetDataColor(QColor(Qt::blue));
  EXPECT_EQ(chart_.DataColor(), clBlue);
  chart_.Scale1X()->SetColorScale(Qt::darkGreen);
  EXPECT_EQ(chart_.Scale1X()->ColorScale(), RGBColor(0, 128, 0));
  chart_.CrossHair(1)->SetColor(QColor(255, 0, 255));
  EXPECT_EQ(chart_.CrossHair(1)->Color(), clFuchsia);
  // Colours are drawn opaque: a translucent one is refused and the colour stays.
  EXPECT_THROW(chart_.CrossHair(1)->SetColor(QColor(0, 0, 255, 10)), Exception);
  EXPECT_EQ(chart_.CrossHair(1)->Color(), clFuchsia);
  chart_.TextLabel(3)->SetColorBkg(Qt::yellow);
  EXPECT_EQ(chart_.TextLabel(3)->ColorBkg(), clYellow);

  QFont qfont(QStringLiteral("Liberation Serif"));
  qfont.setPointSize(14);
  qfont.setBold(true);
  qfont.setItalic(true);
  chart_.SetFont(qfont);
  EXPECT_EQ(chart_.Font().Name, QStringLiteral("Liberation Serif"));
  EXPECT_EQ(chart_.Font().Size, 14);
  EXPECT_EQ(chart_.Font().Style, (TFontStyles{fsBold, fsItalic}));
  const QFont back = chart_.Font();
  EXPECT_EQ(back.family(), QStringLiteral("Liberation Serif"));
  EXPECT_TRUE(back.bold());
  EXPECT_TRUE(back.italic());
  // A font sized in pixels counts them at 96 dots per inch.
  QFont pixels(QStringLiteral("Arial"));
  pixels.setPixelSize(16);
  chart_.Scale1Y()->SetFont(pixels);
  EXPECT_EQ(chart_.Scale1Y()->Font().Size, 12);
}

}  // namespace
