#include <algorithm>
#include <cmath>
#include <cstdint>

#include "zeph/scales/scaleengine.h"
#include "zeph/scales/scalemath_p.h"

namespace zeph {

namespace {

struct TimeStep {
  std::int64_t microseconds;
  int sub_ticks;
};

// Steps of time labels in microseconds, so that every step and its short-tick spacing is a whole
// number, with the number of short-tick intervals per step.
constexpr TimeStep kTimeSteps[28] = {
    {1000, 5},          {2000, 4},          {5000, 5},          {10000, 5},         {20000, 4},
    {50000, 5},         {100000, 5},        {200000, 4},        {500000, 5},        {1000000, 5},
    {2000000, 4},       {5000000, 5},       {10000000, 5},      {20000000, 4},      {30000000, 6},
    {60000000, 6},      {120000000, 6},     {180000000, 6},     {300000000, 5},     {600000000, 5},
    {1200000000, 6},    {1800000000, 6},    {3600000000, 6},    {7200000000, 4},    {14400000000, 4},
    {21600000000, 6},   {43200000000, 6},   {86400000000, 6}};

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
  const bool ascending = high > low;
  const long double per = std::fabs(high - low) / s.min_ticks;
  int a = 0;  // 1-based index of the chosen step
  for (int i = 0; i < 28; ++i)
    if (kTimeSteps[i].microseconds / 1e6L <= per) a = i + 1;
  if (a == 0 || a == 28) return false;
  // Clock readings are counted in whole milliseconds; values beyond that count are numbers.
  if (std::fmax(std::fabs(low), std::fabs(high)) > 1e15L) return false;

  // Every tick is a whole multiple k of the short-tick spacing, counted from zero, so that a tick
  // at zero is exactly zero and rounding never accumulates along the axis.
  const int per_step = kTimeSteps[a - 1].sub_ticks;
  const long double spacing_us = static_cast<long double>(kTimeSteps[a - 1].microseconds / per_step);
  const long double spacing = spacing_us / 1e6L;
  auto tick_value = [spacing_us](std::int64_t k) { return static_cast<long double>(k) * spacing_us / 1e6L; };

  // The range ends are widened outwards by the near-one factor, but never by more than a
  // thousandth of the spacing: far from zero the relative widening would admit ticks beyond the
  // range, while within that hair a tick is the range end up to rounding.
  const long double lo = std::fmin(low, high);
  const long double hi = std::fmax(low, high);
  const long double cap = spacing / 1000;
  auto widen = [cap](long double v, long double direction) {
    const long double outward = direction * (v >= 0 ? 1 : -1);
    const long double widened = outward > 0 ? v / kNearOne : v * kNearOne;
    return std::fabs(widened - v) <= cap ? widened : v + direction * cap;
  };
  const long double lo_limit = widen(lo, -1);
  const long double hi_limit = widen(hi, 1);
  auto k_first = static_cast<std::int64_t>(std::ceil(lo_limit / spacing));
  auto k_last = static_cast<std::int64_t>(std::floor(hi_limit / spacing));
  // The quotients are rounded: the neighbours decide by the tick values themselves.
  while (tick_value(k_first - 1) >= lo_limit) --k_first;
  while (tick_value(k_first) < lo_limit) ++k_first;
  while (tick_value(k_last + 1) <= hi_limit) ++k_last;
  while (tick_value(k_last) > hi_limit) --k_last;

  // A tick admitted by the widening lies on its range end up to rounding and is put on it.
  auto axis_value = [&](long double t) { return static_cast<double>(std::clamp(t, lo, hi)); };
  // The ticks in drawing order, from RangeLow towards RangeHigh.
  const std::int64_t count = k_last - k_first + 1;
  auto k_at = [&](std::int64_t i) { return ascending ? k_first + i : k_last - i; };

  if (s.short_ticks) {
    for (std::int64_t i = 0; i < count; ++i) {
      TickMark mark;
      mark.value = axis_value(tick_value(k_at(i)));
      mark.report_value = mark.value;
      mark.kind = TickKind::kShort;
      mark.report = false;
      layout.ticks.push_back(mark);
    }
  }
  const bool with_milliseconds = a <= 9;
  for (std::int64_t i = 0; i < count; ++i) {
    const std::int64_t k = k_at(i);
    if (k % per_step != 0) continue;
    const long double t = tick_value(k);
    TickMark mark;
    mark.value = axis_value(t);
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
