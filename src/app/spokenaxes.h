#pragma once

#include "zeph/chart/charttexts.h"

namespace zeph {
class TBabelfish2000;
}  // namespace zeph

// The charts whose axes the simulation speaks in words.
enum class TVaractorChart { Profile, Capacitance };

// The axes of one of the simulation's charts as spoken, in the dictionary's language: the profile
// over "depth in micrometres" with "N D, times 10 to the 16 per cubic centimetre", the capacitance
// over "voltage in volts" with "capacitance in picofarads". The captions stay as they are drawn.
void SetSpokenAxes(zeph::TChartTexts& texts, TVaractorChart chart, const zeph::TBabelfish2000* dictionary);
