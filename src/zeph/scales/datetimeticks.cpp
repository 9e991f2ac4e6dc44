#include <QDate>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "zeph/scales/datetimetext_p.h"
#include "zeph/scales/scaleengine.h"
#include "zeph/scales/scalemath_p.h"

namespace zeph {

namespace {

// Ticks end this far beyond RangeHigh, in days (under a millisecond).
constexpr long double kDayTolerance = 1e-8L;
// Loops end by their range tests; the bound only guards against ranges that are not finite.
constexpr int kMaxSteps = 1000000;

constexpr double kFirstValidDay = -693593;  // 1 January of year 1
constexpr double kLastValidDay = 3000000;

// Days per interval at which the layouts change, for vertical and horizontal scales.
constexpr long double kHundredthOfSecondDays = 1.1574074074074074e-07L;
constexpr long double kSecondDays = 1.0L / 86400;
constexpr long double kMinuteDays = 0.0006944444444444445L;
constexpr long double kHorizontalSecondDays = 1.1574e-05L;
constexpr long double kHorizontalMinuteDays = 0.00069444L;
constexpr long double kHourDays = 0.041667L;

struct UnitTable {
  TimeUnit unit;
  long double per_day;
  int steps[6];
  int spacing[6];
};

constexpr UnitTable kHours{TimeUnit::kHours, 24, {1, 2, 3, 6, 8, 12}, {1, 1, 1, 2, 2, 3}};
constexpr UnitTable kMinutes{TimeUnit::kMinutes, 1440, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}};
constexpr UnitTable kSeconds{TimeUnit::kSeconds, 86400, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}};
constexpr UnitTable kHundredths{TimeUnit::kHundredths, 8640000, {1, 2, 5, 10, 20, 50}, {1, 1, 1, 5, 10, 10}};

constexpr int kDaySteps[6] = {1, 2, 3, 7, 14, 28};
constexpr int kMonthSteps[5] = {1, 2, 3, 4, 6};

class DateTimeLayout {
 public:
  DateTimeLayout(const ScaleLayoutSettings& s, ScaleLayout& layout)
      : s_(s), f_(s.date_format), layout_(layout), low_(s.geometry.range_low), high_(s.geometry.range_high) {}

  void Build();

 private:
  void Message(QStringList vertical, int first_line_half_heights, const QString& horizontal);
  void TimeOfDay(const UnitTable& table);
  void Days();
  void Months();
  void Years();
  void Add(long double t, bool long_tick, const QString& label, const QString& date_line = QString());
  QString DateLine(long double t);
  void SetSpacing(long double spacing_days);
  bool Before(long double t) const { return t - low_ < -rounding_; }
  bool Beyond(long double t) const { return !(t - high_ < kDayTolerance); }
  std::optional<double> OnAxis(long double t) const;

  const ScaleLayoutSettings& s_;
  const DateLabelFormat& f_;
  ScaleLayout& layout_;
  long double low_;
  long double high_;
  long double rounding_ = kDayTolerance;
  bool date_shown_ = false;
  int last_date_day_ = 0;
};

void DateTimeLayout::Message(QStringList vertical, int first_line_half_heights, const QString& horizontal) {
  layout_.has_message = true;
  layout_.message.vertical_lines = std::move(vertical);
  layout_.message.first_line_half_heights = first_line_half_heights;
  layout_.message.horizontal_line = horizontal;
}

void DateTimeLayout::Build() {
  if (!(high_ >= low_) || !(low_ >= kFirstValidDay) || !(high_ <= kLastValidDay)) {
    Message({QStringLiteral("invalid"), QStringLiteral("DateTime"), QStringLiteral("scale")}, -3,
            QStringLiteral("invalid DateTime scale"));
    return;
  }
  const long double per = (high_ - low_) / s_.min_ticks;
  if (s_.geometry.Horizontal()) {
    if (per <= kHorizontalSecondDays) {
      Message({}, 0, QStringLiteral("DateTime range is below 1 second"));
      return;
    }
    if (per <= kHorizontalMinuteDays) TimeOfDay(kSeconds);
    else if (per <= kHourDays) TimeOfDay(kMinutes);
    else if (per <= 1) TimeOfDay(kHours);
    else if (per <= 30) Days();
    else if (per <= 366) Months();
    else Years();
    return;
  }
  if (per <= kHundredthOfSecondDays) {
    Message({QStringLiteral("DateTime"), QStringLiteral("range is"), QStringLiteral("below 1"),
             QStringLiteral("second")},
            -2, QString());
    return;
  }
  if (per <= kSecondDays) TimeOfDay(kHundredths);
  else if (per <= kMinuteDays) TimeOfDay(kSeconds);
  else if (per <= kHourDays) TimeOfDay(kMinutes);
  else if (per <= 1) TimeOfDay(kHours);
  else if (per <= 30) Days();
  else if (per <= 366) Months();
  else Years();
}

// A tick this close to a range end lies on it up to rounding: the rounding of the range ends'
// day numbers, at most a thousandth of the spacing between ticks, and never more than the
// tolerance at RangeHigh.
void DateTimeLayout::SetSpacing(long double spacing_days) {
  const double magnitude = std::fmax(std::fabs(static_cast<double>(low_)), std::fabs(static_cast<double>(high_)));
  const long double ulp = std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
  rounding_ = std::fmax(std::fmin(kDayTolerance, spacing_days / 1000), 2 * ulp);
}

// Where a tick is drawn and recorded: a tick on a range end up to rounding is put on it, so
// that no tick lies before RangeLow. One further before it (the date held at the end of the
// calendar, on an axis beyond it) has no place on the axis.
std::optional<double> DateTimeLayout::OnAxis(long double t) const {
  if (t < low_) return low_ - t <= rounding_ ? std::optional<double>(static_cast<double>(low_)) : std::nullopt;
  if (t > high_ && t - high_ <= rounding_) return static_cast<double>(high_);
  return static_cast<double>(t);
}

void DateTimeLayout::Add(long double t, bool long_tick, const QString& label, const QString& date_line) {
  const std::optional<double> value = OnAxis(t);
  if (!value) return;
  TickMark mark;
  mark.value = *value;
  mark.report_value = mark.value;
  mark.kind = long_tick ? TickKind::kLong : TickKind::kShort;
  mark.report_after_label = true;
  if (long_tick && s_.label_type != ftNoFigs) {
    mark.labelled = true;
    mark.label = label;
    mark.date_line = date_line;
  }
  layout_.ticks.push_back(mark);
}

// The date above a time label, as DateForTime asks: at the first long tick of the rendering, on
// every change of the day of the month, or at every long tick.
QString DateTimeLayout::DateLine(long double t) {
  const DecodedDateTime d = DecodeDateTime(t);
  bool show = false;
  switch (f_.date_for_time) {
    case dtNone: break;
    case dtOnePerChart: show = !date_shown_; break;
    case dtOnePerDay: show = !date_shown_ || d.date.day() != last_date_day_; break;
    case dtAllTicks: show = true; break;
  }
  if (!show) return QString();
  date_shown_ = true;
  last_date_day_ = d.date.day();
  return DateLineText(f_, d.date);
}

void DateTimeLayout::TimeOfDay(const UnitTable& table) {
  const long double u = table.per_day;
  // A hair of tolerance, so that an interval of exactly 20 minutes computed as 19.9999999 still
  // gets 20-minute steps.
  const long double wanted = u * (high_ - low_) / s_.min_ticks / kNearOne;
  int index = 0;
  for (int i = 0; i < 6; ++i)
    if (table.steps[i] <= wanted) index = i;
  const int entry = table.steps[index];

  // Ticks are whole multiples of the unit counted from day 0, so that midnight is a whole day
  // number and rounding never accumulates along the axis: the first multiple of the spacing
  // between ticks not before RangeLow, which is one of the step without short ticks.
  const std::int64_t advance = s_.short_ticks ? table.spacing[index] : entry;
  SetSpacing(advance / u);
  auto count = static_cast<std::int64_t>(std::ceil((u * low_ - u * rounding_) / advance)) * advance;
  while (Before(count / u)) count += advance;
  while (!Before((count - advance) / u)) count -= advance;

  for (int i = 0; i < kMaxSteps; ++i, count += advance) {
    const long double t = count / u;
    if (Beyond(t)) break;
    const bool long_tick = count % entry == 0;
    if (long_tick)
      Add(t, true, TimeOfDayText(f_, table.unit, DecodeDateTime(t)), DateLine(t));
    else
      Add(t, false, QString());
  }
}

void DateTimeLayout::Days() {
  const long double per = (high_ - low_) / s_.min_ticks;
  int index = 0;
  for (int i = 0; i < 6; ++i)
    if (kDaySteps[i] <= per) index = i;
  const int step = kDaySteps[index];
  const int spacing = step >= 14 ? 7 : 1;
  const QDate low_date = DecodeDateTime(low_).date;
  const long double jan1 = DayNumber(QDate(low_date.year(), 1, 1));
  const auto whole_days = static_cast<std::int64_t>(Int(low_ - jan1));
  const long double first = jan1 + static_cast<long double>(whole_days / step * step);
  const int advance = s_.short_ticks ? spacing : step;
  SetSpacing(advance);
  for (int i = 0; i < kMaxSteps; ++i) {
    const std::int64_t offset = static_cast<std::int64_t>(i) * advance;
    const long double t = first + static_cast<long double>(offset);
    if (Beyond(t)) break;
    if (Before(t)) continue;
    const bool long_tick = offset % step == 0;
    Add(t, long_tick, long_tick ? DayLabelText(f_, DecodeDateTime(t).date) : QString());
  }
}

void DateTimeLayout::Months() {
  const long double months = (high_ - low_) / s_.min_ticks / 30.4375L;
  int step = kMonthSteps[0];
  for (int candidate : kMonthSteps)
    if (candidate <= months) step = candidate;
  const QDate low_date = DecodeDateTime(low_).date;
  QDate date(low_date.year(), low_date.month(), 1);
  if (step > 1 && !s_.short_ticks) {
    // Without short ticks only the labelled months get ticks, and the first of them lies after
    // RangeLow's month, even when that month is labelled.
    do date = date.addMonths(1);
    while (date.month() % step != 1);
  }
  const int advance = s_.short_ticks ? 1 : step;
  SetSpacing(28 * advance);
  for (int i = 0; i < kMaxSteps && date.isValid(); ++i, date = date.addMonths(advance)) {
    const long double t = DayNumber(date);
    if (Beyond(t)) break;
    if (Before(t)) continue;
    const bool long_tick = !(s_.short_ticks && step > 1 && date.month() % step != 1);
    Add(t, long_tick, long_tick ? MonthLabelText(f_, date) : QString());
  }
}

void DateTimeLayout::Years() {
  long double years = (high_ - low_) / 365.25L / s_.min_ticks;
  if (years < 1) years = 1;
  const long double lg = Log10(years);
  const long double k = Int(lg);
  const long double mantissa = std::pow(10.0L, lg - k);
  const int factor = mantissa >= 5 ? 5 : mantissa >= 2 ? 2 : 1;
  const auto step = static_cast<int>(Nearest(std::pow(10.0L, k) * factor));
  int spacing = step;
  if (s_.short_ticks && step != 1)
    spacing = static_cast<int>(Nearest(static_cast<long double>(step) / (factor == 5 ? 5 : 2)));
  spacing = std::max(spacing, 1);

  const int low_year = DecodeDateTime(low_).date.year();
  int year = (low_year + spacing - 1) / spacing * spacing;
  if (DayNumber(QDate(year, 1, 1)) < low_) year += spacing;
  for (int i = 0; i < kMaxSteps; ++i, year += spacing) {
    // The calendar ends with the year 9999: the last tick is held on its last day, and the
    // layout ends there.
    const bool held = year > 9999;
    const QDate date = held ? QDate(9999, 12, 31) : QDate(year, 1, 1);
    const long double t = DayNumber(date);
    if (Beyond(t)) break;
    const bool long_tick = !(s_.short_ticks && date.year() % step != 0);
    Add(t, long_tick, long_tick ? YearLabelText(f_, date) : QString());
    if (held) break;
  }
}

}  // namespace

void DateTimeTicks(const ScaleLayoutSettings& s, ScaleLayout& layout) { DateTimeLayout(s, layout).Build(); }

}  // namespace zeph
