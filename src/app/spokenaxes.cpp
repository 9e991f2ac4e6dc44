#include "app/spokenaxes.h"

#include "app/spokentexts.h"

void SetSpokenAxes(zeph::TChartTexts& texts, TVaractorChart chart, const zeph::TBabelfish2000* dictionary) {
  struct Axis {
    const char* whole;
    const char* quantity;
    const char* unit;
  };
  const bool profile = chart == TVaractorChart::Profile;
  const Axis x = profile ? Axis{"depth in micrometres", "depth", "micrometres"}
                         : Axis{"voltage in volts", "voltage", "volts"};
  const Axis y = profile ? Axis{"N D, times 10 to the 16 per cubic centimetre", "N D",
                                "times 10 to the 16 per cubic centimetre"}
                         : Axis{"capacitance in picofarads", "capacitance", "picofarads"};
  const auto say = [dictionary](const char* english) { return Spoken(dictionary, QString::fromUtf8(english)); };
  texts.XAxis = say(x.whole);
  texts.XQuantity = say(x.quantity);
  texts.XUnit = say(x.unit);
  texts.YAxis = say(y.whole);
  texts.YQuantity = say(y.quantity);
  texts.YUnit = say(y.unit);
}
