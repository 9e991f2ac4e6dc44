#include <gtest/gtest.h>

#include <QDateTime>
#include <QTimeZone>
#include <cmath>

#include "zeph/scales/daynumber.h"

using namespace zeph;

namespace {

QDateTime Utc(int y, int m, int d, int h = 0, int min = 0, int s = 0, int ms = 0) {
  return QDateTime(QDate(y, m, d), QTime(h, min, s, ms), QTimeZone::utc());
}

TEST(DayNumberTest, CountsDaysFromTheEndOf1899WithTheTimeOfDayAsFraction) {
  EXPECT_EQ(DateTimeToDayNumber(Utc(1899, 12, 30)), 0);
  EXPECT_EQ(DateTimeToDayNumber(Utc(1900, 1, 1, 12)), 2.5);
  EXPECT_EQ(DateTimeToDayNumber(Utc(2024, 5, 13, 6)), 45425.25);
  EXPECT_EQ(DateTimeToDayNumber(Utc(1899, 12, 29, 18)), -0.25);
  // The wall-clock time as the QDateTime holds it, whatever its zone.
  const QDateTime local(QDate(2024, 3, 31), QTime(12, 0), QTimeZone(3600));
  EXPECT_EQ(DateTimeToDayNumber(local), DateTimeToDayNumber(Utc(2024, 3, 31, 12)));
  EXPECT_TRUE(std::isnan(DateTimeToDayNumber(QDateTime())));
}

TEST(DayNumberTest, GivesBackTheDateAndTimeToTheMillisecond) {
  EXPECT_EQ(DayNumberToDateTime(45425.25), Utc(2024, 5, 13, 6));
  EXPECT_EQ(DayNumberToDateTime(-0.25), Utc(1899, 12, 29, 18));
  EXPECT_EQ(DayNumberToDateTime(-1.5), Utc(1899, 12, 28, 12));
  for (const QDateTime& t : {Utc(1970, 1, 1, 0, 0, 0, 1), Utc(2024, 2, 29, 23, 59, 59, 999), Utc(1066, 10, 14, 9, 30),
                             Utc(9999, 12, 31, 23, 59, 59, 999)}) {
    EXPECT_EQ(DayNumberToDateTime(DateTimeToDayNumber(t)), t) << t.toString(Qt::ISODateWithMs).toStdString();
  }
  EXPECT_FALSE(DayNumberToDateTime(std::nan("")).isValid());
  EXPECT_FALSE(DayNumberToDateTime(HUGE_VAL).isValid());
  EXPECT_FALSE(DayNumberToDateTime(2e7).isValid());
}

}  // namespace
