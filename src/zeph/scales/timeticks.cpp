#include <cmath>
#include <cstdint>

#include "zeph/scales/scaleengine.h"
#include "zeph/scales/scalemath_p.h"

namespace zeph {

namespace {

struct TimeStep {
  long double seconds;
  int sub_ticks;
};

// Steps of time labels in seconds, with the number of short-tick intervals per step.
constexpr TimeStep kTimeSteps[28] = {
    {0.001L, 5}, {0.002L, 4}, {0.005L, 5}, {0.01L, 5}, {0.02L, 4}, {0.05L, 5}, {0.1L, 5},
    {0.2L, 4},   {0.5L, 5},   {1, 5},      {2, 4},     {5, 5},     {10, 5},    {20, 4},
    {30, 6},     {60, 6},     {120, 6},    {180, 6},   {300, 5},   {600, 5},   {1200, 6},
    {1800, 6},   {3600, 6},   {7200, 4},   {14400, 4}, {21600, 6}, {43200, 6}, {86400, 6}};

// " hh:mm:ss", with ".mmm" for steps below a second; '-' instead of the blank before zero.
QString TimeLabel(long double t, bool with_milliseconds) {
  // Counted in whole milliseconds, so that 3599.9999999 reads 01:00:00 and never 00:59:60.
  const auto total = static_cast<std::int64_t>(Nearest(std::fabs(t) * 1000));
  const std::int64_t hours = total / 3600000;
  const std::int64_t minutes = total / 60000 % 60;
  const std::int64_t seconds = total / 1000 % 60;
  const std::int64_t millis = total % 1000;
  QString text = t < 0 ? QStringLiteral("-") : QStringLiteral(" ");
  text += QStringLiteral("%1:%2:%3")
              .arg(hours, 2, 10, QLatin1Char('0'))
              .arg(minutes, 2, 10, QLatin1Char('0'))
              .arg(seconds, 2, 10, QLatin1Char('0'));
  if (with_milliseconds) text += QStringLiteral(".%1").arg(millis, 3, 10, QLatin1Char('0'));
  return text;
}

}  // namespace

bool TimeTicks(const ScaleLayoutSettings& s, ScaleLayout& layout) {
  const long double low = s.geometry.range_low;
  const long double high = s.geometry.range_high;
  const long double sign = high > low ? 1 : -1;
  const long double per = std::fabs(high - low) / s.min_ticks;
  int a = 0;  // 1-based index of the chosen step
  for (int i = 0; i < 28; ++i)
    if (kTimeSteps[i].seconds <= per) a = i + 1;
  if (a == 0 || a == 28) return false;
  // Clock readings are counted in whole milliseconds; values beyond that count are numbers.
  if (std::fmax(std::fabs(low), std::fabs(high)) > 1e15L) return false;

  const long double step = sign * kTimeSteps[a - 1].seconds;
  const long double sub = step / kTimeSteps[a - 1].sub_ticks;
  long double first = Int(low / step / kNearOne) * step;
  // The near-one factor is a relative tolerance: far from zero it would move the first tick by
  // many steps, so there the plain truncation is taken.
  if (std::fabs(first - low) > std::fabs(step)) first = Int(low / step) * step;
  // Truncation moves the first tick past RangeLow when RangeLow lies before zero in the axis
  // direction; one step back keeps the short ticks at the start of the axis.
  if (sign * (first - low) > 0) first -= step;
  const long double n = Int(std::fabs(high - first) / std::fabs(sub)) + 5;

  // The admissible interval, widened by the near-one factor away from the range in the axis
  // direction.
  // Far from zero the relative widening is capped at half a short-tick step, so that it only
  // absorbs rounding and never admits ticks beyond the range.
  const long double cap = std::fabs(sub) / 2;
  auto widen = [cap](long double v, long double direction) {
    const long double outward = direction * (v >= 0 ? 1 : -1);
    const long double widened = outward > 0 ? v / kNearOne : v * kNearOne;
    if (std::fabs(widened - v) <= cap) return widened;
    return v + direction * cap;
  };
  const long double low_limit = widen(low, -sign);
  const long double high_limit = widen(high, sign);
  auto inside = [&](long double t) { return sign * (t - low_limit) >= 0 && sign * (high_limit - t) >= 0; };

  if (s.short_ticks) {
    for (long double i = 0; i <= n; ++i) {
      const long double t = first + i * sub;
      if (!inside(t)) continue;
      TickMark mark;
      mark.value = static_cast<double>(t);
      mark.report_value = mark.value;
      mark.kind = TickKind::kShort;
      mark.report = false;
      layout.ticks.push_back(mark);
    }
  }
  const bool with_milliseconds = a <= 9;
  for (long double i = 0; i <= n; ++i) {
    const long double t = first + i * sub;
    const long double q = t / step;
    if (std::fabs(q - Nearest(q)) > 0.01L || !inside(t)) continue;
    TickMark mark;
    mark.value = static_cast<double>(t);
    mark.report_value = mark.value;
    mark.kind = TickKind::kLong;
    mark.report_after_label = true;
    mark.labelled = true;
    mark.label = TimeLabel(t, with_milliseconds);
    layout.ticks.push_back(mark);
  }
  return true;
}

}  // namespace zeph
