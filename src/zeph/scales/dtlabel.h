#pragma once

#include <QObject>

#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/events.h"
#include "zeph/scales/scales_export.h"

namespace zeph {

/// The format of time and date tick labels.
///
/// Its owner (a scale, or a chart's scale settings) sets the defaults and hooks OnChange, which
/// runs inside the setters; the owner then repaints. Applications reach it through the scale's
/// \c DateFormat property and change its values, but leave OnChange to the owner. The format
/// applies to scales whose labels are \ref ZephEnums::ftDateTime "ftDateTime";
/// \ref ZephEnums::ftTime "ftTime" labels (clock readings of seconds) use none of it.
///
/// A date/time axis holds day numbers: the whole part counts days since 30 December 1899, the
/// fraction is the time of day. Depending on the span of the axis the labels show times of day
/// (with the date on a second line, see DateForTime()), days, months or years.
///
/// The values below are those a scale starts with (SetDefaultDateTimeFormat()); an object created
/// on its own starts with \ref ZephEnums::tfHHMMSS "tfHHMMSS", no separators,
/// \ref ZephEnums::ylNone "ylNone", no month names, \ref ZephEnums::doMMDDYY "doMMDDYY" and
/// \ref ZephEnums::dtNone "dtNone".
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
  /// Constructs a format owned by \a owner (its \c QObject parent), with the values of an object
  /// created on its own (see the class description) and OnChange unset.
  explicit TDTLabel(QObject* owner = nullptr) : QObject(owner) {}

  /// Published property \c TimeFormat: the form of time-of-day labels; a scale starts with
  /// \ref ZephEnums::tfHHMMSS "tfHHMMSS".
  TTimeFormat TimeFormat() const { return time_format_; }
  /// Sets TimeFormat(); notifies OnChange even when the value does not change.
  void SetTimeFormat(TTimeFormat value);
  /// Published property \c DateSeparator: the character between day, month and year; a scale
  /// starts with '-'.
  char DateSeparator() const { return date_separator_; }
  /// Sets DateSeparator(); notifies OnChange only when the value changes.
  void SetDateSeparator(char value);
  /// Published property \c TimeSeparator: the character between hours, minutes and seconds; a
  /// scale starts with ':'.
  char TimeSeparator() const { return time_separator_; }
  /// Sets TimeSeparator(); notifies OnChange only when the value changes.
  void SetTimeSeparator(char value);
  /// Published property \c YearLength: the year in date labels; a scale starts with
  /// \ref ZephEnums::ylYYYY "ylYYYY".
  TYearLength YearLength() const { return year_length_; }
  /// Sets YearLength(); notifies OnChange only when the value changes.
  void SetYearLength(TYearLength value);
  /// Published property \c MonthName: whether months are written as English short names
  /// ("Jan") rather than two digits ("01"); a scale starts with true.
  bool MonthName() const { return month_name_; }
  /// Sets MonthName(); notifies OnChange only when the value changes.
  void SetMonthName(bool value);
  /// Published property \c DateOrder: the order of day, month and year; a scale starts with
  /// \ref ZephEnums::doDDMMYY "doDDMMYY".
  TDateOrder DateOrder() const { return date_order_; }
  /// Sets DateOrder(); notifies OnChange even when the value does not change.
  void SetDateOrder(TDateOrder value);
  /// Published property \c DateForTime: which time-of-day labels also show the date, on a line
  /// beyond the time; a scale starts with \ref ZephEnums::dtOnePerDay "dtOnePerDay".
  TDateForTime DateForTime() const { return date_for_time_; }
  /// Sets DateForTime(); notifies OnChange only when the value changes.
  void SetDateForTime(TDateForTime value);

  /// Copies the seven format values without notifying; the owner repaints afterwards.
  ///
  /// OnChange is not copied.
  void Assign(const TDTLabel& source);

  /// Event raised by the setters after they stored a value, with this object as sender.
  ///
  /// The owning scale or chart sets it to repaint itself; an unset event is skipped.
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

/// Gives a date/time label format the defaults a scale starts with, through the setters in the
/// order the stored forms expect, before any OnChange is hooked.
///
/// The defaults: \ref ZephEnums::tfHHMMSS "tfHHMMSS", date separator '-', time separator ':',
/// \ref ZephEnums::ylYYYY "ylYYYY", month names, \ref ZephEnums::dtOnePerDay "dtOnePerDay" and
/// \ref ZephEnums::doDDMMYY "doDDMMYY".
ZEPH_SCALES_EXPORT void SetDefaultDateTimeFormat(TDTLabel& label);

}  // namespace zeph
