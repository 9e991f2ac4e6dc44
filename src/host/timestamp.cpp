#include "host/timestamp.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace {

// Julian day number of 1 January of year 1 in the proleptic Gregorian calendar.
constexpr qint64 kJulianDayOfYearOne = 1721426;

}  // namespace

TTimeStamp DateTimeToTimeStamp(const QDateTime& local) {
  TTimeStamp stamp;
  stamp.Time = local.time().msecsSinceStartOfDay();
  stamp.Date = static_cast<std::int32_t>(local.date().toJulianDay() - kJulianDayOfYearOne + 1);
  return stamp;
}

TTimeStamp CurrentTimeStamp() { return DateTimeToTimeStamp(QDateTime::currentDateTime()); }
