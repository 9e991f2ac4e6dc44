#include "zeph/scales/scalemath_p.h"

#include <cmath>
#include <limits>
#include <utility>

namespace zeph {

long double Int(long double x) { return std::trunc(x); }

// nearbyint rounds in the current mode, which is round-to-nearest-even unless someone changed it.
long double Nearest(long double x) { return std::nearbyint(x); }

long double Floor(long double x) { return std::floor(x); }

long double Log10(long double x) {
  const long double result = std::log10(x);
  // A value that is a power of ten to double precision (a double range end such as 1e-11, or
  // the ratio of two of them) gives its exact exponent, so that whole decades count as whole.
  const long double exponent = std::nearbyint(result);
  if (std::isfinite(exponent) && std::fabs(result - exponent) < 1e-6L &&
      std::fabs(x / std::pow(10.0L, exponent) - 1) <= 4 * std::numeric_limits<double>::epsilon())
    return exponent;
  return result;
}

int RoundToInt(long double x) {
  if (std::isnan(x)) return 0;
  constexpr long double kLimit = 2147483647.0L;
  if (x > kLimit) x = kLimit;
  if (x < -kLimit) x = -kLimit;
  return static_cast<int>(Nearest(x));
}

TickStep CalcTickStep(int intervals, long double start, long double end) {
  TickStep result;
  if (start == end) {
    result.First = start;
    return result;
  }
  if (intervals < 1) intervals = 1;
  // A span beyond the number range has no ticks (as an empty one).
  if (!std::isfinite(end - start)) {
    result.First = start;
    return result;
  }
  const long double sign = start < end ? 1 : -1;
  long double d = Log10(std::fabs(end - start) / intervals);
  long double e = d - Int(d);
  if (std::fabs(e) < 1e-10L || std::fabs(e) > 0.9999999999L) {
    e = 0;
    d = Nearest(d);
  }
  if (d < 0 && e != 0) d = d - 1;
  if (e < 0) e = e + 1;
  if (e < kLog10Of2 + 1e-10L) {
    d = Int(d);
    result.SubTicks = 5;
  } else if (e < kLog10Of5 + 1e-10L) {
    d = Int(d) + kLog10Of2;
    result.SubTicks = 4;
  } else {
    d = Int(d) + kLog10Of5;
    result.SubTicks = 5;
  }
  result.Step = sign * std::exp(d * kLn10);
  const long double step = result.Step;
  long double first = (Int(start / step) - 1) * step;
  // The loop ends after a step or two; the bound only guards against ranges that are not finite.
  for (int guard = 0; guard < 1000 && sign * (start - first) > 0.001L * std::fabs(step); ++guard)
    first = first + step;
  result.First = first;
  return result;
}

int AutoDecPlaces(int dec_places, double range_high, double range_low) {
  if (dec_places != -2 && dec_places != -3) return dec_places;
  const long double d = std::fabs(static_cast<long double>(range_high) - range_low);
  if (d >= 1000000 || d <= 0.0001L) return -1;
  if (d >= 100) return 0;
  return 2 - static_cast<int>(Nearest(std::log(d) / 2.5L));
}

int AutoDecPlacesLog(int dec_places, double hi, double lo) {
  if (dec_places != -2) return dec_places;
  if (hi < lo) std::swap(hi, lo);
  const long double d = static_cast<long double>(hi) - lo;
  if (d >= 1000000 || d <= 0.0001L) return -1;
  if (lo >= 1) return 0;
  return 1 - static_cast<int>(Nearest(Log10(std::fabs(static_cast<long double>(lo)))));
}

namespace {

// " 2.5E+0003" shortened to " 2.5E+03"; an exponent beyond two digits cannot be shown, so the
// whole text becomes asterisks rather than a wrong number.
QString ExponentForm(double value) {
  if (!std::isfinite(value)) return QString(8, QLatin1Char('*'));
  const QString qt = QString::number(std::fabs(value), 'E', 1);  // "2.5E+03", locale-free
  const qsizetype e = qt.indexOf(QLatin1Char('E'));
  const QString mantissa = qt.left(e);
  const int exponent = qt.mid(e + 1).toInt();
  QString text;
  text += value < 0 ? QLatin1Char('-') : QLatin1Char(' ');
  text += mantissa;
  text += QLatin1Char('E');
  text += exponent < 0 ? QLatin1Char('-') : QLatin1Char('+');
  const QString digits = QStringLiteral("%1").arg(std::abs(exponent), 4, 10, QLatin1Char('0'));
  const bool fits = digits.startsWith(QLatin1String("00"));
  text += digits.mid(2);
  if (!fits) text.fill(QLatin1Char('*'));
  return text;
}

}  // namespace

QString FormatTickValue(int min_width, int decimals, double value) {
  QString text;
  if (decimals < 0 || !std::isfinite(value) || std::fabs(value) >= 1e36)
    text = ExponentForm(value);
  else
    text = QString::number(value, 'f', decimals);
  if (text.size() < min_width) text = text.rightJustified(min_width, QLatin1Char(' '));
  return text;
}

QString UserTickField(const QString& text, int n) {
  const qsizetype length = text.size();
  qsizetype start = 1;  // positions count from 1
  qsizetype i = 0;
  while (n > 0 && i < length) {
    ++i;
    if (text.at(i - 1) == QLatin1Char('|')) {
      --n;
      if (n > 0) start = i + 1;
    }
  }
  if (i == length && i > 0 && text.at(length - 1) != QLatin1Char('|')) ++i;
  if (i <= start) return QString();
  return text.mid(start - 1, i - start);
}

QString ApplyScaleInscript(const QString& number, const QString& inscript) {
  if (number.isEmpty()) return number;
  const qsizetype amp = inscript.indexOf(QLatin1Char('&'));
  if (amp < 0) return inscript + number;
  return inscript.left(amp) + number + inscript.mid(amp + 1);
}

}  // namespace zeph
