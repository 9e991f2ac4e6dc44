#pragma once

#include <QDate>
#include <QString>

// Date/time axes take day numbers: the whole part counts the days since 30 December 1899, the
// fraction is the time of day.
double DayNumber(QDate date, double hours = 0);
// The day number as "dd.MM.yyyy hh:mm".
QString DayNumberText(double day_number);
