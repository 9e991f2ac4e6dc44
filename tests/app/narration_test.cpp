// What the simulation says once the slider rests: one sentence of what changed in the curves, in
// the dictionary's language, and only one however many steps came before it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QTest>

#include "app/controls/ttrackbar.h"
#include "app/curvechange.h"
#include "app/slidernarrator.h"
#include "zeph/translation/babelfish2000.h"

using namespace zeph;

namespace {

TEST(CurveChange, SaysHowTheCapacitanceFallsNowAndHowTheDopingRuns) {
  const struct {
    int before;
    int after;
    const char* sentence;
  } cases[] = {
      {0, 1, "capacitance now falls more gently, from 8.09 to 2.21 picofarads; doping rises with depth"},
      {0, -1000, "capacitance now falls more steeply, from 50.1 to 3.74 picofarads; doping falls with depth"},
      {1000, 0, "capacitance now falls more steeply, from 8.10 to 2.21 picofarads; doping is even"},
      {0, 0, "capacitance falls from 8.10 to 2.21 picofarads; doping is even"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CurveChangeSentence(c.before, c.after, nullptr), c.sentence) << c.before << " to " << c.after;

  TBabelfish2000 german("varactor");
  const QByteArray entries = QString::fromUtf8(
                                 "[.]=,|$$\r\n[%1 picofarads]=%1 Pikofarad|$$\r\n"
                                 "[capacitance now falls more gently, from %1 to %2]=die Kapazität fällt jetzt flacher, "
                                 "von %1 auf %2|$$\r\n[doping rises with depth]=die Dotierung steigt mit der Tiefe|$$\r\n")
                                 .toLatin1();  // the file's Windows-1252 for these letters
  QBuffer stream;
  stream.setData(entries);
  stream.open(QIODevice::ReadOnly);
  german.LoadFromStream(stream);
  EXPECT_EQ(CurveChangeSentence(0, 1, &german),
            QString::fromUtf8("die Kapazität fällt jetzt flacher, von 8,09 auf 2,21 Pikofarad; die Dotierung steigt "
                              "mit der Tiefe"));
}

TEST(SliderNarrator, SaysOneSentenceOnceTheSliderRests) {
  TTrackBar slider;
  slider.setRange(-1000, 1000);
  QList<std::pair<int, int>> moves;
  auto* narrator = new TSliderNarrator(&slider, [&](int before, int after) {
    moves.append({before, after});
    return QString();
  });
  for (int position : {1, 2, 1}) {
    slider.SetPosition(position);
    narrator->Changed();
    QTest::qWait(50);
  }
  EXPECT_TRUE(moves.isEmpty()) << "no sentence while the slider moves";
  QTest::qWait(TSliderNarrator::kRestMs + 200);
  const QList<std::pair<int, int>> first_rest = {{0, 1}};
  EXPECT_EQ(moves, first_rest);
  // The next rest is measured from this one.
  slider.SetPosition(-1000);
  narrator->Changed();
  QTest::qWait(TSliderNarrator::kRestMs + 200);
  EXPECT_EQ(moves.last(), std::make_pair(1, -1000));
}

}  // namespace
