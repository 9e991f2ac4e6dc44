#pragma once

#include <QString>
#include <cstdint>

#include "zeph/scales/scalemap.h"

namespace zeph {

// Tick and label arithmetic of the scales. It is done in extended precision (long double); the
// scales keep their values as doubles.

inline constexpr long double kLn10 = 2.302585092994046L;
inline constexpr long double kLog10Of2 = 0.3010299956639812L;
inline constexpr long double kLog10Of5 = 0.6989700043360189L;
// Relative tolerance at the ends of logarithmic and time ranges.
inline constexpr long double kNearOne = 0.999999999L;

// Truncation toward zero, nearest with ties to even, and the largest integer not above.
long double Int(long double x);
long double Nearest(long double x);
long double Floor(long double x);
// Decimal logarithm; a value within a few double-precision steps of a power of ten gives that
// power's exponent exactly.
long double Log10(long double x);

// Nearest integer, ties to even, clamped to +-2147483647 (0 for a value that is not a number).
int RoundToInt(long double x);

// The long-tick layout of a linear range: the first long tick, the signed step between long
// ticks, and the number of short-tick intervals per long-tick interval (1, 4 or 5).
struct TickStep {
  long double First = 0;
  long double Step = 0;
  std::uint16_t SubTicks = 1;
};

// The largest of 1, 2, 5 times a power of ten that divides |End - Start| into at least
// `intervals` steps, and the first multiple of it not before Start by more than a thousandth
// of a step.
TickStep CalcTickStep(int intervals, long double start, long double end);

// The decimal places labels get: dec_places unless it asks for an automatic choice
// (-2, and on linear scales also -3); -1 means exponent form.
int AutoDecPlaces(int dec_places, double range_high, double range_low);
int AutoDecPlacesLog(int dec_places, double hi, double lo);

// A number as a label text: fixed notation with `decimals` places ('.' as separator), or for
// decimals = -1 an exponent form with two significant digits (" 2.5E+03"), which turns into
// asterisks when the exponent needs more than two digits. min_width pads on the left.
QString FormatTickValue(int min_width, int decimals, double value);

// Field n (from 1) of a text whose fields are separated by '|'; the last field repeats for
// larger n.
QString UserTickField(const QString& text, int n);

// Puts a number text into the inscript at its first '&', or after the inscript when it has none.
QString ApplyScaleInscript(const QString& number, const QString& inscript);

}  // namespace zeph
