#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "zeph/toolkit/fonts_p.h"
#include "zeph/toolkit/tcanvas.h"

using namespace zeph;

namespace {

// How dark a column of the image is at its darkest, from 0 (white) to 1 (black).
double ColumnInk(const QImage& image, int x) {
  int darkest = 255;
  for (int y = 0; y < image.height(); ++y) darkest = std::min(darkest, qGray(image.pixel(x, y)));
  return (255 - darkest) / 255.0;
}

// The ink-weighted centre of the first (or last) run of inked columns: where a stem stands, to a
// fraction of a pixel.
double StemCentre(const QImage& image, bool last) {
  const int step = last ? -1 : 1;
  int x = last ? image.width() - 1 : 0;
  while (x >= 0 && x < image.width() && ColumnInk(image, x) < 0.02) x += step;
  double sum = 0;
  double weight = 0;
  for (; x >= 0 && x < image.width(); x += step) {
    const double ink = ColumnInk(image, x);
    if (ink < 0.02) break;
    sum += ink * x;
    weight += ink;
  }
  return weight > 0 ? sum / weight : -1;
}

// The widest run of ink-free columns between the first and the last inked one.
int WidestGap(const QImage& image) {
  int first = -1;
  int last = -1;
  for (int x = 0; x < image.width(); ++x) {
    if (ColumnInk(image, x) < 0.12) continue;
    if (first < 0) first = x;
    last = x;
  }
  int widest = 0;
  int run = 0;
  for (int x = first; x >= 0 && x <= last; ++x) {
    run = ColumnInk(image, x) < 0.12 ? run + 1 : 0;
    widest = std::max(widest, run);
  }
  return widest;
}

// The advance of the text as the font was designed, no hinting moving the letters.
double DesignedAdvance(const TFont& font, const QString& word) {
  QFont design = font.ToQFont();
  design.setHintingPreference(QFont::PreferNoHinting);
  return QFontMetricsF(design).horizontalAdvance(word);
}

struct Sample {
  const char* face;
  int points;
  bool bold;
  bool monospaced = false;
};

// Draws the text in black on white at (4, 2) on a bitmap of the ratio.
QImage Draw(const TFont& font, const QString& text, qreal ratio) {
  TBitmap bitmap(font.PixelHeight() * 16, font.PixelHeight() * 2, ratio);
  TCanvas& canvas = bitmap.Canvas();
  canvas.SetBrushColor(clWhite);
  canvas.SetPenColor(clWhite);
  canvas.Rectangle(0, 0, bitmap.Width(), bitmap.Height());
  canvas.SetFont(font);
  canvas.SetBrushStyle(bsClear);
  canvas.TextOut(4, 2, text);
  return bitmap.Image();
}

class TextWidthTest : public ::testing::TestWithParam<qreal> {
 protected:
  static void SetUpTestSuite() { RegisterFontSubstitutions(); }
};

// Words of the charts, the scales and the about box, at the sizes the program and the demos use.
TEST_P(TextWidthTest, WordsStandAtTheFontsAdvancesWithoutGaps) {
  const qreal ratio = GetParam();
  const QStringList words{"amplitude", "Capacitance", "logarithmic", "Damped", "Impurity", "Concentration"};
  const Sample samples[] = {{"MS Sans Serif", 8, false}, {"MS Sans Serif", 10, false}, {"Arial", 10, false},
                            {"Arial", 12, true},         {"Courier New", 10, true, true},  {"Arial", 23, false}};
  for (const Sample& sample : samples) {
    TFont font;
    font.Name = QString::fromLatin1(sample.face);
    font.Size = sample.points;
    if (sample.bold) font.Style.Include(fsBold);
    font.Color = clBlack;
    const int device_pixels = static_cast<int>(std::lround(font.PixelHeight() * ratio));
    for (const QString& word : words) {
      SCOPED_TRACE(QStringLiteral("%1 %2pt %3 at %4").arg(font.Name).arg(font.Size).arg(word).arg(ratio).toStdString());
      // The word between two stems: how far apart they are drawn is the word's drawn width.
      const QString framed = QStringLiteral("l ") + word + QStringLiteral(" l");
      const QImage image = Draw(font, framed, ratio);
      const double drawn = StemCentre(image, true) - StemCentre(image, false);
      // Unhinted advances grow in proportion to the size.
      const double designed =
          (DesignedAdvance(font, framed) - DesignedAdvance(font, QStringLiteral("l"))) * ratio;
      EXPECT_LE(std::abs(drawn - designed), 1.0) << drawn << " drawn, " << designed << " designed";
      // Letters of a proportional font's word are no further apart than its own spacing (a
      // sixth of the size); a typewriter font's narrow letters stand in wide cells.
      if (!sample.monospaced) {
        EXPECT_LE(WidestGap(Draw(font, word, ratio)), std::max(1, device_pixels / 6));
      }
      // The canvas measures the word as the font does, in its own pixels, at every ratio.
      TBitmap measure(1, 1, ratio);
      measure.Canvas().SetFont(font);
      EXPECT_NEAR(measure.Canvas().TextWidth(word), DesignedAdvance(font, word), 1.0) << measure.Canvas().TextWidth(word);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, TextWidthTest, ::testing::Values(1.0, 1.5, 2.0));

}  // namespace
