// The chart in words and in sound: descriptions built from templates, and curves as pitch.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>

#include "zeph/chart/chartsound.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

class ChartWordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_.SetBounds(0, 0, 343, 346);
    chart_.Scale1X()->SetCaption(QStringLiteral("U [V]"));
    chart_.Scale1Y()->SetCaption(QStringLiteral("C [pF]"));
  }

  template <typename F>
  void Plot(double from, double to, int count, F f) {
    chart_.ClearGraf();
    for (int i = 0; i < count; ++i) {
      const double x = from + (to - from) * i / (count - 1);
      if (i == 0)
        chart_.MoveTo(x, f(x));
      else
        chart_.DrawTo(x, f(x));
    }
    chart_.ShowGraf();
  }

  TZephChart chart_;
};

TEST_F(ChartWordsTest, TheDescriptionTellsTrendShapeAndWhatLiesOutside) {
  chart_.SetLayerRange(1, 0, 1, 10, 100);
  chart_.Scale1Y()->SetLogarithmic(true);
  Plot(0.1, 10, 100, [](double u) { return 40 / (u + 0.7); });
  EXPECT_EQ(chart_.CurveDescription(),
            "U [V] from 0 to 10.0; C [pF] from 1.00 to 100, logarithmic; C falls from 50.0 pF at U 0.100 V to "
            "3.74 pF at U 10.0 V, steepest near U 0.100 V, levelling off towards U 10.0 V");

  // A straight line on the screen; a level one.
  chart_.Scale1Y()->SetLogarithmic(false);
  chart_.SetLayerRange(1, 0, 0, 10, 10);
  Plot(0, 10, 11, [](double u) { return u / 2; });
  EXPECT_EQ(chart_.CurveSummary(), "C rises from 0 pF at U 0 V to 5.00 pF at U 10.0 V, at an even slope");
  Plot(0, 10, 11, [](double) { return 1.0; });
  EXPECT_EQ(chart_.CurveSummary(), "C stays at 1.00 pF from U 0 V to U 10.0 V");

  // The hyperabrupt profile: above the top of the axis at first.
  chart_.Scale1Y()->SetCaption(QStringLiteral("ND * 10^16"));
  Plot(0.01, 3, 300, [](double d) { return 1 / d; });
  const QString profile = chart_.CurveSummary();
  EXPECT_TRUE(profile.startsWith("ND * 10^16 falls from 100 at U 0.0100 V to 0.333 at U 3.00 V")) << profile.toStdString();
  EXPECT_TRUE(profile.contains("starts at 100, above the top of the axis at 10.0")) << profile.toStdString();

  // A peak in between, and a stretch below the axis in the middle.
  chart_.Scale1Y()->SetCaption(QStringLiteral("C [pF]"));
  Plot(0, 10, 101, [](double u) { return 12 - (u - 5) * (u - 5); });
  const QString peak = chart_.CurveSummary();
  EXPECT_TRUE(peak.startsWith("C rises from -13.0 pF at U 0 V to a maximum of 12.0 pF at U 5.00 V, then falls to "
                              "-13.0 pF at U 10.0 V"))
      << peak.toStdString();
  EXPECT_TRUE(peak.contains("starts at -13.0 pF, below the bottom of the axis at 0")) << peak.toStdString();
  EXPECT_TRUE(peak.contains("ends at -13.0 pF, below the bottom of the axis at 0")) << peak.toStdString();
  EXPECT_TRUE(peak.contains("above the top of the axis at 10.0 from U 3.60 V to U 6.40 V")) << peak.toStdString();

  chart_.ClearGraf();
  chart_.ShowGraf();
  EXPECT_TRUE(chart_.CurveDescription().endsWith("; no curve"));
}

TEST_F(ChartWordsTest, TranslatedTemplatesMayReorderAndUseAnotherDecimalSeparator) {
  EXPECT_EQ(FillTemplate(QStringLiteral("%2 vor %1, %3 bleibt"), {"a", "b"}), "b vor a, %3 bleibt");
  EXPECT_EQ(FillTemplate(QStringLiteral("%1%1"), {"%2", "x"}), "%2%2") << "a value is never searched again";
  TChartTexts german;
  german.DecimalSeparator = QStringLiteral(",");
  german.Falls = QStringLiteral("%1 fällt von %2 bei %3 auf %4 bei %5");
  german.Even = QStringLiteral("gleichmäßig");
  german.AxisRange = QStringLiteral("%1 von %2 bis %3");
  german.PointName = QStringLiteral("%2 bei %1");
  chart_.SetTexts(german);
  chart_.SetLayerRange(1, 0, 0, 10, 10);
  Plot(0, 10, 11, [](double u) { return 10 - u / 4; });
  EXPECT_EQ(chart_.CurveDescription(),
            QString::fromUtf8("U [V] von 0 bis 10,0; C [pF] von 0 bis 10,0; C fällt von 10,0 pF bei U 0 V auf 7,50 pF "
                              "bei U 10,0 V, gleichmäßig"));
  chart_.SetKeyboardExploration(true);
  chart_.Explorer()->Select(0, 3);
  EXPECT_EQ(chart_.Explorer()->PointName(), "C 9,25 pF bei U 3,00 V");
  EXPECT_EQ(SpokenNumber(9.99949, TChartTexts()), "10.0");
  EXPECT_EQ(SpokenNumber(0.000123456, TChartTexts()), "0.000123");
}

// Pitch in Hz of a stretch of samples, from its zero crossings.
double Pitch(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t count, int rate) {
  int crossings = 0;
  for (std::size_t i = from + 1; i < from + count; ++i)
    if ((samples[i - 1] < 0) != (samples[i] < 0)) ++crossings;
  return crossings * rate / (2.0 * static_cast<double>(count));
}

TEST_F(ChartWordsTest, ACurveSoundsAsPitchFromTheBottomToTheTopOfItsAxis) {
  chart_.SetLayerRange(1, 0, 0, 10, 10);
  Plot(0, 10, 11, [](double u) { return u; });
  const TSoundSettings settings;
  const std::vector<TChartCurve> curves = ChartCurves(chart_);
  ASSERT_EQ(curves.size(), 1u);
  const std::vector<std::int16_t> rising = CurveSound(chart_, curves[0], settings);
  const auto click = static_cast<std::size_t>(settings.ClickSeconds * settings.SampleRate);
  ASSERT_EQ(rising.size(), static_cast<std::size_t>(settings.Seconds * settings.SampleRate) + 2 * click);
  // Full-scale clicks at both ends, a quieter tone between.
  EXPECT_GT(std::abs(rising.front()), 20000);
  EXPECT_GT(std::abs(rising.back()), 20000);
  const std::size_t window = 2205;
  const double start = Pitch(rising, click + 441, window, settings.SampleRate);
  const double end = Pitch(rising, rising.size() - click - 441 - window, window, settings.SampleRate);
  EXPECT_NEAR(start, 230, 15);
  EXPECT_NEAR(end, 860, 25);

  // Above the axis the pitch stays at the top.
  Plot(0, 10, 11, [](double) { return 50.0; });
  const std::vector<std::int16_t> high = CurveSound(chart_, ChartCurves(chart_)[0], settings);
  EXPECT_NEAR(Pitch(high, high.size() / 2, window, settings.SampleRate), 880, 25);
}

TEST(ChartSound, WavFilesHoldPcmMonoAndFailuresAreReported) {
  const std::vector<std::int16_t> samples = {0, 1000, -1000, 32767, -32768};
  const QByteArray wav = WavBytes(samples, 22050);
  ASSERT_EQ(wav.size(), 44 + 10);
  EXPECT_EQ(wav.left(4), "RIFF");
  EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
  EXPECT_EQ(wav.mid(36, 4), "data");
  const auto u32 = [&](int at) {
    return static_cast<quint32>(static_cast<unsigned char>(wav[at])) |
           static_cast<quint32>(static_cast<unsigned char>(wav[at + 1])) << 8 |
           static_cast<quint32>(static_cast<unsigned char>(wav[at + 2])) << 16 |
           static_cast<quint32>(static_cast<unsigned char>(wav[at + 3])) << 24;
  };
  EXPECT_EQ(u32(4), 46u);
  EXPECT_EQ(u32(24), 22050u);
  EXPECT_EQ(u32(40), 10u);
  EXPECT_EQ(static_cast<unsigned char>(wav[44 + 6]), 0xff);  // 32767, low byte first
  EXPECT_EQ(static_cast<unsigned char>(wav[44 + 7]), 0x7f);

  QTemporaryDir dir;
  EXPECT_TRUE(WriteWavFile(dir.filePath("a.wav"), samples, 22050).isEmpty());
  const QString error = WriteWavFile(dir.filePath("no/such/dir/a.wav"), samples, 22050);
  EXPECT_TRUE(error.startsWith("cannot write")) << error.toStdString();
  EXPECT_EQ(Silence(0.5, 1000).size(), 500u);
}

}  // namespace
