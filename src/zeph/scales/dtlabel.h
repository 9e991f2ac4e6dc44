#pragma once

#include <QObject>

#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/events.h"
#include "zeph/scales/scales_export.h"

namespace zeph {

// The format of time and date tick labels. Its owner (a scale, or a chart's scale settings) sets
// the defaults and hooks OnChange, which runs inside the setters.
class ZEPH_SCALES_EXPORT TDTLabel : public QObject {
  Q_OBJECT
  Q_PROPERTY(ZephEnums::TTimeFormat TimeFormat READ TimeFormat WRITE SetTimeFormat)
  Q_PROPERTY(char DateSeparator READ DateSeparator WRITE SetDateSeparator)
  Q_PROPERTY(char TimeSeparator READ TimeSeparator WRITE SetTimeSeparator)
  Q_PROPERTY(ZephEnums::TYearLength YearLength READ YearLength WRITE SetYearLength)
  Q_PROPERTY(bool MonthName READ MonthName WRITE SetMonthName)
  Q_PROPERTY(ZephEnums::TDateOrder DateOrder READ DateOrder WRITE SetDateOrder)
  Q_PROPERTY(ZephEnums::TDateForTime DateForTime READ DateForTime WRITE SetDateForTime)

 public:
  explicit TDTLabel(QObject* owner = nullptr) : QObject(owner) {}

  TTimeFormat TimeFormat() const { return time_format_; }
  void SetTimeFormat(TTimeFormat value);
  char DateSeparator() const { return date_separator_; }
  void SetDateSeparator(char value);
  char TimeSeparator() const { return time_separator_; }
  void SetTimeSeparator(char value);
  TYearLength YearLength() const { return year_length_; }
  void SetYearLength(TYearLength value);
  bool MonthName() const { return month_name_; }
  void SetMonthName(bool value);
  TDateOrder DateOrder() const { return date_order_; }
  void SetDateOrder(TDateOrder value);
  TDateForTime DateForTime() const { return date_for_time_; }
  void SetDateForTime(TDateForTime value);

  // Copies the seven format values without notifying; the owner repaints afterwards.
  void Assign(const TDTLabel& source);

  TNotifyEvent OnChange;

 private:
  void Changed() { Notify(OnChange, this); }

  TTimeFormat time_format_ = tfHHMMSS;
  char date_separator_ = '\0';
  char time_separator_ = '\0';
  TYearLength year_length_ = ylNone;
  bool month_name_ = false;
  TDateOrder date_order_ = doMMDDYY;
  TDateForTime date_for_time_ = dtNone;
};

// Gives a date/time label format the defaults a scale starts with, through the setters in the
// order the stored forms expect, before any OnChange is hooked.
ZEPH_SCALES_EXPORT void SetDefaultDateTimeFormat(TDTLabel& label);

}  // namespace zeph
