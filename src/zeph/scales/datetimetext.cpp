#include "zeph/scales/datetimetext_p.h"

#include <QLocale>
#include <QTimeZone>
#include <cmath>
#include <cstdint>
#include <limits>

#include "zeph/scales/daynumber.h"
#include "zeph/scales/scalemath_p.h"

namespace zeph {

namespace {

constexpr std::int64_t kMsecPerDay = 86400000;
// Far enough for any axis, near enough that milliseconds stay exact in the decoding.
constexpr double kLargestDayNumber = 1e7;

const QDate& Epoch() {
  static const QDate epoch(1899, 12, 30);
  return epoch;
}

QString TwoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

// A NUL separator stands for none.
QString Separator(char c) { return c == '\0' ? QString() : QString(QLatin1Char(c)); }

// Twelve-hour clock: midnight and noon read 12.
int TwelveHour(int hour) {
  const int h = hour % 12;
  return h == 0 ? 12 : h;
}

QString AmPm(int hour) { return hour < 12 ? QStringLiteral("am") : QStringLiteral("pm"); }

// Milliseconds with at least two digits.
QString Millis(int msec) { return QStringLiteral("%1").arg(msec, 2, 10, QLatin1Char('0')); }

QString MonthText(const DateLabelFormat& f, const QDate& date) {
  if (f.month_name) return QLocale::c().monthName(date.month(), QLocale::ShortFormat);
  return TwoDigits(date.month());
}

// The year in date patterns: none, two digits, or four digits with leading zeros.
QString YearText(const DateLabelFormat& f, const QDate& date) {
  switch (f.year_length) {
    case ylNone: return QString();
    case ylYY: return TwoDigits(std::abs(date.year()) % 100);
    case ylYYYY: return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
  }
  return QString();
}

}  // namespace

DecodedDateTime DecodeDateTime(long double t) {
  if (std::fabs(t) < 1e-8L) t = 0;
  const auto total = static_cast<std::int64_t>(Nearest(t * kMsecPerDay));
  std::int64_t day = total / kMsecPerDay;
  std::int64_t ms = total % kMsecPerDay;
  if (ms < 0) {
    ms += kMsecPerDay;
    --day;
  }
  DecodedDateTime d;
  d.date = Epoch().addDays(day);
  d.hour = static_cast<int>(ms / 3600000);
  d.minute = static_cast<int>(ms / 60000 % 60);
  d.second = static_cast<int>(ms / 1000 % 60);
  d.msec = static_cast<int>(ms % 1000);
  return d;
}

long double DayNumber(const QDate& date) {
  return static_cast<long double>(date.toJulianDay() - Epoch().toJulianDay());
}

double DateTimeToDayNumber(const QDateTime& dateTime) {
  if (!dateTime.isValid()) return std::numeric_limits<double>::quiet_NaN();
  return static_cast<double>(DayNumber(dateTime.date())) +
         dateTime.time().msecsSinceStartOfDay() / static_cast<double>(kMsecPerDay);
}

QDateTime DayNumberToDateTime(double dayNumber) {
  if (!std::isfinite(dayNumber) || std::fabs(dayNumber) > kLargestDayNumber) return {};
  const DecodedDateTime d = DecodeDateTime(dayNumber);
  return QDateTime(d.date, QTime(d.hour, d.minute, d.second, d.msec), QTimeZone::utc());
}

QString TimeOfDayText(const DateLabelFormat& f, TimeUnit unit, const DecodedDateTime& d) {
  const QString s = Separator(f.time_separator);
  const QString hh = TwoDigits(d.hour);
  const QString h = QString::number(d.hour);
  const QString h12 = QString::number(TwelveHour(d.hour));
  const QString nn = TwoDigits(d.minute);
  const QString ss = TwoDigits(d.second);
  const QString ampm = AmPm(d.hour);
  switch (unit) {
    case TimeUnit::kHours:
      switch (f.time_format) {
        case tfHHMMSS: return hh + s + nn;
        case tfHHhMM: return h + QStringLiteral("h");
        case tfAMPM: return h12 + ampm;
      }
      break;
    case TimeUnit::kMinutes:
      switch (f.time_format) {
        case tfHHMMSS: return hh + s + nn;
        case tfHHhMM: return h + QStringLiteral("h") + nn;
        case tfAMPM: return h12 + s + nn + ampm;
      }
      break;
    case TimeUnit::kSeconds:
      switch (f.time_format) {
        case tfHHMMSS: return hh + s + nn + s + ss;
        case tfHHhMM: return h + QStringLiteral("h") + nn + s + ss;
        case tfAMPM: return h12 + s + nn + QStringLiteral(".") + ss + ampm;
      }
      break;
    case TimeUnit::kHundredths: {
      const QString z = QStringLiteral(".") + Millis(d.msec);
      switch (f.time_format) {
        case tfHHMMSS: return hh + s + nn + s + ss + z;
        case tfHHhMM: return h + QStringLiteral("h") + nn + s + ss + z;
        case tfAMPM: return h12 + s + nn + QStringLiteral(".") + ss + z + ampm;
      }
      break;
    }
  }
  return QString();
}

QString DayLabelText(const DateLabelFormat& f, const QDate& date) {
  const QString s = Separator(f.date_separator);
  const QString m = MonthText(f, date);
  const QString dd = TwoDigits(date.day());
  const QString y = YearText(f, date);
  switch (f.date_order) {
    case doMMDDYY: return m + s + dd + s + y;
    case doDDMMYY: return dd + s + m + s + y;
    case doYYMMDD: return y + s + m + s + dd;
  }
  return QString();
}

QString MonthLabelText(const DateLabelFormat& f, const QDate& date) {
  const QString s = Separator(f.date_separator);
  const QString m = MonthText(f, date);
  const QString y = YearText(f, date);
  return f.date_order == doYYMMDD ? y + s + m : m + s + y;
}

QString YearLabelText(const DateLabelFormat& f, const QDate& date) {
  switch (f.year_length) {
    case ylNone: return QString();
    case ylYY: return TwoDigits(std::abs(date.year()) % 100);
    case ylYYYY: return QString::number(date.year());
  }
  return QString();
}

QString DateLineText(const DateLabelFormat& f, const QDate& date) {
  const QString s = Separator(f.date_separator);
  const QString m = MonthText(f, date);
  const QString dd = TwoDigits(date.day());
  const bool year = f.year_length != ylNone;
  const QString y = YearText(f, date);
  switch (f.date_order) {
    case doMMDDYY: return year ? m + s + dd + s + y : m + s + dd;
    case doDDMMYY: return year ? dd + s + m + s + y : dd + s + m;
    case doYYMMDD: return year ? y + s + m + s + dd : m + s + dd;
  }
  return QString();
}

}  // namespace zeph
