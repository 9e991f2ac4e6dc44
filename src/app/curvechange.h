#pragma once

#include <QString>

namespace zeph {
class TBabelfish2000;
}  // namespace zeph

// One short sentence of what a slider move did to the curves, as a screen reader says it once the
// slider rests: "capacitance now falls more gently, from 4.43 to 1.65 picofarads; doping rises
// with depth". Moving towards hyperabrupt makes the capacitance fall more steeply over the voltage
// range, towards linear more gently; from a position to itself the sentence says how it falls.
QString CurveChangeSentence(int before, int after, const zeph::TBabelfish2000* dictionary);
