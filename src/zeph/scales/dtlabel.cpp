#include "zeph/scales/dtlabel.h"

namespace zeph {

void TDTLabel::SetTimeFormat(TTimeFormat value) {
  time_format_ = value;
  Changed();
}

void TDTLabel::SetDateSeparator(char value) {
  if (value == date_separator_) return;
  date_separator_ = value;
  Changed();
}

void TDTLabel::SetTimeSeparator(char value) {
  if (value == time_separator_) return;
  time_separator_ = value;
  Changed();
}

void TDTLabel::SetYearLength(TYearLength value) {
  if (value == year_length_) return;
  year_length_ = value;
  Changed();
}

void TDTLabel::SetMonthName(bool value) {
  if (value == month_name_) return;
  month_name_ = value;
  Changed();
}

void TDTLabel::SetDateOrder(TDateOrder value) {
  date_order_ = value;
  Changed();
}

void TDTLabel::SetDateForTime(TDateForTime value) {
  if (value == date_for_time_) return;
  date_for_time_ = value;
  Changed();
}

void TDTLabel::Assign(const TDTLabel& source) {
  time_format_ = source.time_format_;
  date_separator_ = source.date_separator_;
  time_separator_ = source.time_separator_;
  year_length_ = source.year_length_;
  month_name_ = source.month_name_;
  date_order_ = source.date_order_;
  date_for_time_ = source.date_for_time_;
}

void SetDefaultDateTimeFormat(TDTLabel& label) {
  label.SetTimeFormat(tfHHMMSS);
  label.SetDateSeparator('-');
  label.SetTimeSeparator(':');
  label.SetYearLength(ylYYYY);
  label.SetMonthName(true);
  label.SetDateForTime(dtOnePerDay);
  label.SetDateOrder(doDDMMYY);
}

}  // namespace zeph
