#include "daynumber.h"

#include <QTime>
#include <cmath>

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr qint64 kSecondsPerDay = 86400;

}  // namespace

double DayNumber(QDate date, double hours) { return static_cast<double>(kDayZero.daysTo(date)) + hours / 24; }

QString DayNumberText(double day_number) {
  const qint64 seconds = std::llround(day_number * kSecondsPerDay);
  const auto days = static_cast<qint64>(std::floor(static_cast<double>(seconds) / kSecondsPerDay));
  const QTime time = QTime(0, 0).addSecs(static_cast<int>(seconds - days * kSecondsPerDay));
  return kDayZero.addDays(days).toString(QStringLiteral("dd.MM.yyyy ")) + time.toString(QStringLiteral("hh:mm"));
}
