#pragma once

#include <cstdint>

class QDateTime;

// A message's time stamp: Time is milliseconds since local midnight, Date the days since
// 1 January of year 1, that day counting as 1. It ties a reply to its request.
struct TTimeStamp {
  std::int32_t Time = 0;
  std::int32_t Date = 0;

  bool operator==(const TTimeStamp&) const = default;
};

TTimeStamp DateTimeToTimeStamp(const QDateTime& local);
// The local date and time now, to the millisecond.
TTimeStamp CurrentTimeStamp();
