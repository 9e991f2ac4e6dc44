#pragma once

#include <QDateTime>

#include "zeph/scales/scales_export.h"

namespace zeph {

/// The day number a date/time axis takes for a date and time (\ref ZephEnums::ftDateTime
/// "ftDateTime" labels, TDTLabel): the whole part counts the days since 30 December 1899, the
/// fraction is the time of day (0.5 is noon).
///
/// The date and wall-clock time are taken as the QDateTime holds them, without a time-zone
/// conversion, to the millisecond. Returns NaN for an invalid QDateTime (which a chart leaves
/// out of its curves).
ZEPH_SCALES_EXPORT double DateTimeToDayNumber(const QDateTime& dateTime);

/// The date and time a day number stands for, to the millisecond, as the axis labels show it.
///
/// Times before 30 December 1899 count back from there: -0.25 is 29 December 1899, 18:00. The
/// result is in UTC so that no daylight-saving gap moves its wall-clock time; it is invalid for a
/// day number that is no finite number or lies beyond ten million days.
ZEPH_SCALES_EXPORT QDateTime DayNumberToDateTime(double dayNumber);

}  // namespace zeph
