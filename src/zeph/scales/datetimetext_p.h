#pragma once

#include <QDate>
#include <QString>

#include "zeph/scales/scaleengine.h"

namespace zeph {

// A day number of the date/time axes (whole part: days since 30 December 1899, fraction: time
// of day) taken apart to the millisecond.
struct DecodedDateTime {
  QDate date;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int msec = 0;
};

DecodedDateTime DecodeDateTime(long double t);
long double DayNumber(const QDate& date);

// The unit a time-of-day layout steps in.
enum class TimeUnit { kHours, kMinutes, kSeconds, kHundredths };

// Label texts in the forms the date format object chooses. Month names are the short English
// ones, so that labels read the same on every machine.
QString TimeOfDayText(const DateLabelFormat& f, TimeUnit unit, const DecodedDateTime& d);
QString DayLabelText(const DateLabelFormat& f, const QDate& date);
QString MonthLabelText(const DateLabelFormat& f, const QDate& date);
QString YearLabelText(const DateLabelFormat& f, const QDate& date);
QString DateLineText(const DateLabelFormat& f, const QDate& date);

}  // namespace zeph
