#include <gtest/gtest.h>

#include <QRegularExpression>
#include <array>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <limits>
#include <random>
#include <vector>

#include "scale_fixture.h"
#include "zeph/scales/datetimetext_p.h"
#include "zeph/scales/daynumber.h"

using namespace zeph;

// Time and date/time ticks over many ranges: every tick lies inside the range (beyond RangeHigh
// only by the tolerance date/time axes allow there), a tick at zero is exactly zero, and every
// label reads the value of its tick, with a sign only on really negative times.

namespace {

constexpr double kDay = 86400;
constexpr double kDateTolerance = 1e-8;  // days a date/time tick may lie beyond RangeHigh
constexpr double kLastCalendarDay = 2958465;  // 31 December 9999

ScaleLayoutSettings Settings(TScaleType type, double low, double high, int min_ticks, bool short_ticks,
                             TFigType label_type) {
  ScaleLayoutSettings s;
  s.geometry.type = type;
  s.geometry.width = 400;
  s.geometry.height = 400;
  s.geometry.range_low = low;
  s.geometry.range_high = high;
  s.min_ticks = min_ticks;
  s.short_ticks = short_ticks;
  s.label_type = label_type;
  return s;
}

std::string Describe(const ScaleLayoutSettings& s) {
  char text[200];
  std::snprintf(text, sizeof text, "type %d, %.17g .. %.17g, MinTicks %d, ShortTicks %d", static_cast<int>(s.geometry.type),
                s.geometry.range_low, s.geometry.range_high, s.min_ticks, s.short_ticks ? 1 : 0);
  return text;
}

// " hh:mm:ss" or "-hh:mm:ss.mmm" back to seconds; NaN when the text is no clock reading.
double ParseTimeLabel(const QString& label) {
  static const QRegularExpression pattern(QStringLiteral("^([ -])(\\d{2,}):(\\d{2}):(\\d{2})(?:\\.(\\d{3}))?$"));
  const QRegularExpressionMatch m = pattern.match(label);
  if (!m.hasMatch()) return std::nan("");
  const double magnitude = m.captured(2).toDouble() * 3600 + m.captured(3).toInt() * 60 + m.captured(4).toInt() +
                           m.captured(5).toInt() / 1000.0;
  return m.captured(1) == QLatin1String("-") ? -magnitude : magnitude;
}

// Seconds since midnight of a time-of-day label ("hh:mm", "hh:mm:ss", "hh:mm:ss.zz").
double ParseTimeOfDay(const QString& label) {
  static const QRegularExpression pattern(QStringLiteral("^(\\d{2}):(\\d{2})(?::(\\d{2})(?:\\.(\\d+))?)?$"));
  const QRegularExpressionMatch m = pattern.match(label);
  if (!m.hasMatch()) return std::nan("");
  return m.captured(1).toInt() * 3600 + m.captured(2).toInt() * 60 + m.captured(3).toInt() + m.captured(4).toInt() / 1000.0;
}

struct Counts {
  int layouts = 0;
  int declined = 0;
  int crossing_zero = 0;
};

// Checks one ftTime range; a range the time layout declines (numbers instead) is only counted.
void CheckTimeRange(const ScaleLayoutSettings& s, Counts& counts) {
  SCOPED_TRACE(Describe(s));
  ScaleLayout layout;
  if (!TimeTicks(s, layout)) {
    ++counts.declined;
    return;
  }
  ++counts.layouts;
  const double low = s.geometry.range_low;
  const double high = s.geometry.range_high;
  const double lo = std::fmin(low, high);
  const double hi = std::fmax(low, high);
  ASSERT_FALSE(layout.ticks.empty());
  std::vector<double> longs;
  for (const TickMark& t : layout.ticks) {
    ASSERT_GE(t.value, lo) << std::setprecision(17) << t.value;
    ASSERT_LE(t.value, hi) << std::setprecision(17) << t.value;
    if (t.kind != TickKind::kLong) continue;
    longs.push_back(t.value);
    ASSERT_FALSE(t.label.contains(QRegularExpression(QStringLiteral("^-[0:.]*$")))) << t.label.toStdString();
    const double read = ParseTimeLabel(t.label);
    ASSERT_FALSE(std::isnan(read)) << t.label.toStdString();
    ASSERT_EQ(t.label.startsWith('-'), t.value < 0) << t.label.toStdString() << " at " << t.value;
    // The label reads the tick, to the millisecond it shows (beyond 1e9 s a double holds less).
    ASSERT_LE(std::fabs(read - t.value), std::fmax(0.0005, std::fabs(t.value) * 1e-15)) << t.label.toStdString();
  }
  // Long ticks in the direction of the axis (far from zero neighbours may share one double).
  ASSERT_GE(longs.size(), 1u);
  for (std::size_t i = 1; i < longs.size(); ++i) ASSERT_TRUE(high > low ? longs[i] >= longs[i - 1] : longs[i] <= longs[i - 1]);
  if (lo < 0 && hi > 0) {
    ++counts.crossing_zero;
    bool zero = false;
    for (const TickMark& t : layout.ticks) {
      if (t.value == 0) {
        zero = true;
        ASSERT_FALSE(std::signbit(t.value));
      } else {
        // No rounding noise around zero: the nearest other tick is at least a spacing away.
        ASSERT_GE(std::fabs(t.value), 1e-4);
      }
    }
    ASSERT_TRUE(zero);
  }
}

void CheckDateTimeRange(const ScaleLayoutSettings& s, Counts& counts) {
  SCOPED_TRACE(Describe(s));
  const ScaleLayout layout = BuildScaleLayout(s);
  if (layout.has_message) {
    ++counts.declined;
    return;
  }
  ++counts.layouts;
  const double low = s.geometry.range_low;
  const double high = s.geometry.range_high;
  // A years axis wholly after 31 December 9999 has no year to show; every other axis has ticks.
  const bool beyond_calendar = (high - low) / s.min_ticks > 366 && low > kLastCalendarDay;
  ASSERT_EQ(layout.ticks.empty(), beyond_calendar);
  double previous = -std::numeric_limits<double>::infinity();
  for (const TickMark& t : layout.ticks) {
    ASSERT_GE(t.value, low) << std::setprecision(17) << t.value;
    ASSERT_LE(t.value, high + kDateTolerance) << std::setprecision(17) << t.value;
    ASSERT_GT(t.value, previous);
    previous = t.value;
    if (!t.labelled || !t.label.contains(':')) continue;
    // A time-of-day label reads its tick to the millisecond, and midnight is a whole day number.
    const double read = ParseTimeOfDay(t.label);
    ASSERT_FALSE(std::isnan(read)) << t.label.toStdString();
    const long double day = std::floor(static_cast<long double>(t.value));
    long double seconds = (t.value - day) * kDay;
    if (seconds > kDay - 0.001) seconds -= kDay;
    ASSERT_NEAR(static_cast<double>(seconds), read, 0.0011) << t.label.toStdString() << " at " << t.value;
    if (read == 0 && t.value != low) {
      ASSERT_EQ(t.value, std::floor(t.value)) << t.label.toStdString();
    }
  }
  if (low < 0 && high > 0) {
    ++counts.crossing_zero;
    bool zero = false;
    for (const TickMark& t : layout.ticks) zero = zero || t.value == 0;
    // Every time-of-day layout has a tick at the epoch's midnight.
    if ((high - low) / s.min_ticks <= 1) {
      ASSERT_TRUE(zero);
    }
  }
}

const TScaleType kTypes[] = {sctXB, sctXT, sctYL, sctYR};

TEST(TimeTickRangesTest, ReportedRangesHaveNoNegativeZeroAndNoTickOutside) {
  // A vertical time axis whose zero tick used to read "-00:00:00.000".
  ScaleProbe p(sctYL);
  p.scale->SetLabelType(ftTime);
  p.scale->SetMinTicks(10);
  p.scale->SetRangeLow(-0.09082194300270677);
  p.scale->SetRangeHigh(0.7574761927993965);
  const QStringList labels = LabelsOf(*p.scale);
  EXPECT_EQ(labels.mid(0, 3), QStringList({"-00:00:00.050", " 00:00:00.000", " 00:00:00.050"}));
  const std::vector<double> ticks = p.Render();
  EXPECT_NE(std::find(ticks.begin(), ticks.end(), 0.0), ticks.end());
  for (double t : ticks) EXPECT_GE(t, -0.09082194300270677);

  // A date/time axis starting a hair after a tick position: the tick before RangeLow is left out.
  Counts counts;
  const double day_low = 10732.111781251348;
  for (TScaleType type : kTypes)
    for (int min_ticks = 2; min_ticks <= 10; ++min_ticks)
      for (double span : {0.00002, 0.0001, 0.0005, 0.003, 0.02, 0.2, 1.0, 3.0, 40.0, 400.0, 5000.0})
        for (bool short_ticks : {true, false})
          CheckDateTimeRange(Settings(type, day_low, day_low + span, min_ticks, short_ticks, ftDateTime), counts);
  EXPECT_GT(counts.layouts, 600);
}

TEST(TimeTickRangesTest, YearsAtTheEndOfTheCalendar) {
  const double last_day = DateTimeToDayNumber(QDateTime(QDate(9999, 12, 31), QTime(0, 0)));
  ASSERT_EQ(last_day, kLastCalendarDay);
  const auto jan1 = [](int year) { return kLastCalendarDay + 1 + (year - 10000) * 365.2425; };
  struct Case {
    double low, high;
    QStringList labels;  // MinTicks 4, no short ticks
  };
  const Case cases[] = {
      {jan1(10080), jan1(10107), {}},                          // wholly after 9999: no year to claim
      {kLastCalendarDay + 1, jan1(10030), {}},                 // from 1 January 10000 on
      {kLastCalendarDay + 0.5, jan1(10030), {}},               // half a day after the held date
      {kLastCalendarDay + 1e-9, jan1(10030), {"9999"}},        // the held date up to rounding
      {kLastCalendarDay - 8 * 365.2425, jan1(10012), {"9995", "9999"}},  // the last tick held
  };
  for (const Case& c : cases)
    for (TScaleType type : kTypes) {
      const ScaleLayoutSettings s = Settings(type, c.low, c.high, 4, false, ftDateTime);
      SCOPED_TRACE(Describe(s));
      const ScaleLayout layout = BuildScaleLayout(s);
      EXPECT_FALSE(layout.has_message);
      EXPECT_EQ(Labels(layout), c.labels);
      for (const TickMark& t : layout.ticks) {
        EXPECT_GE(t.value, c.low);
        EXPECT_LE(t.value, c.high);
      }
    }
}

TEST(TimeTickRangesTest, HandPickedTimeRanges) {
  Counts counts;
  const double ranges[][2] = {
      {-0.09082194300270677, 0.7574761927993965}, {0, 1.5}, {-60, 60}, {3600, 0}, {-3000, 600},
      {-0.3, 0.3}, {0.1, 0.7}, {-0.7, -0.1}, {0.7, -0.1}, {-1e-3, 2e-3}, {-7200.5, 3.25},
      {86399.9, 86400.1}, {-41255400998292.0, -41255400998277.5}, {1e12, 1e12 + 7}, {-5e14, -5e14 + 0.05},
      {0.30000000000000004, 0.9}, {0.29999999999999993, 0.6}, {-0.1 - 0.2, 0.7 - 0.4}, {43200, 0.001}};
  for (const auto& r : ranges)
    for (TScaleType type : kTypes)
      for (int min_ticks = 2; min_ticks <= 10; ++min_ticks)
        for (bool short_ticks : {true, false})
          CheckTimeRange(Settings(type, r[0], r[1], min_ticks, short_ticks, ftTime), counts);
  EXPECT_GT(counts.layouts, 1000);
  EXPECT_GT(counts.crossing_zero, 500);
}

TEST(TimeTickRangesTest, RandomTimeRanges) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> unit(0, 1);
  Counts counts;
  for (int i = 0; i < 8000; ++i) {
    const int min_ticks = 2 + static_cast<int>(random() % 9);
    // Intervals from a millisecond to a day, and some beyond either end.
    const double span = min_ticks * std::pow(10.0, -3.3 + 8.5 * unit(random));
    double low = 0;
    switch (random() % 5) {
      case 0: low = -span * unit(random); break;                                       // crossing zero
      case 1: low = -span * (1 + 3 * unit(random)); break;                             // negative
      case 2: low = std::pow(10.0, 12 * unit(random)) * (unit(random) < 0.5 ? -1 : 1);  // far from zero
        break;
      case 3: {  // a hair beside a multiple of a short step
        const double grid = std::pow(10.0, std::floor(std::log10(span)) - 2);
        low = std::round(unit(random) * 2000 - 1000) * grid +
              (unit(random) - 0.5) * grid * 1e-9 * std::pow(10.0, -4 * unit(random));
        break;
      }
      default: low = span * 10 * unit(random); break;
    }
    double high = low + span;
    if (high == low) continue;
    if (random() % 2) std::swap(low, high);
    CheckTimeRange(Settings(kTypes[random() % 4], low, high, min_ticks, random() % 2 == 0, ftTime), counts);
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(counts.layouts, 6000);
  EXPECT_GT(counts.crossing_zero, 1200);
  std::printf("time ranges: %d laid out, %d left to numbers, %d crossing zero\n", counts.layouts, counts.declined,
              counts.crossing_zero);
}

TEST(TimeTickRangesTest, RandomDateTimeRanges) {
  std::mt19937_64 random(8122026);
  std::uniform_real_distribution<double> unit(0, 1);
  Counts counts;
  for (int i = 0; i < 8000; ++i) {
    const int min_ticks = 2 + static_cast<int>(random() % 9);
    // From hundredths of a second to centuries per interval.
    const double span = min_ticks * std::pow(10.0, -7 + 11 * unit(random));
    double low = 0;
    switch (random() % 4) {
      case 0: low = -span * unit(random); break;  // crossing the epoch
      case 1: low = -693593 + (3000000 + 693593 - span) * unit(random); break;
      case 2: {  // a hair beside a tick position of the hundredths, seconds or minutes
        const double unit_days = std::array<double, 3>{1.0 / 8640000, 1.0 / 86400, 1.0 / 1440}[random() % 3];
        low = std::round(unit(random) * 5e5) * unit_days + (unit(random) - 0.5) * 1e-9 * std::pow(10.0, -3 * unit(random));
        break;
      }
      default: low = 40000 + 10000 * unit(random); break;
    }
    const double high = low + span;
    if (high == low || high > 3000000) continue;
    CheckDateTimeRange(Settings(kTypes[random() % 4], low, high, min_ticks, random() % 2 == 0, ftDateTime), counts);
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(counts.layouts, 6000);
  EXPECT_GT(counts.crossing_zero, 1200);
  std::printf("date/time ranges: %d laid out, %d messages, %d crossing the epoch\n", counts.layouts, counts.declined,
              counts.crossing_zero);
}

}  // namespace
