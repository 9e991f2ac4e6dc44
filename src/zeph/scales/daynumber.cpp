#include "zeph/scales/daynumber.h"

#include <QTimeZone>
#include <cmath>
#include <limits>

#include "zeph/scales/datetimetext_p.h"

namespace zeph {

namespace {

constexpr double kMsecPerDay = 86400000.0;
// Far enough for any axis, near enough that milliseconds stay exact in the decoding.
constexpr double kLargestDayNumber = 1e7;

}  // namespace

double DateTimeToDayNumber(const QDateTime& dateTime) {
  if (!dateTime.isValid()) return std::numeric_limits<double>::quiet_NaN();
  return static_cast<double>(DayNumber(dateTime.date())) + dateTime.time().msecsSinceStartOfDay() / kMsecPerDay;
}

QDateTime DayNumberToDateTime(double dayNumber) {
  if (!std::isfinite(dayNumber) || std::fabs(dayNumber) > kLargestDayNumber) return {};
  const DecodedDateTime d = DecodeDateTime(dayNumber);
  return QDateTime(d.date, QTime(d.hour, d.minute, d.second, d.msec), QTimeZone::utc());
}

}  // namespace zeph
