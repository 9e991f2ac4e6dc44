#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "zeph/scales/dtlabel.h"
#include "zeph/scales/scalemap.h"
#include "zeph/scales/zephenums.h"
#include "zeph/scales/scales_export.h"

namespace zeph {

/// The plain values of a TDTLabel, for the label computations.
///
/// A building block of TScale's tick layout (ScaleLayoutSettings::date_format); not needed by
/// applications, which set the scale's TScale::DateFormat(). The defaults are those a scale starts
/// with.
struct ZEPH_SCALES_EXPORT DateLabelFormat {
  TTimeFormat time_format = tfHHMMSS;        ///< TDTLabel::TimeFormat().
  char date_separator = '-';                 ///< TDTLabel::DateSeparator().
  char time_separator = ':';                 ///< TDTLabel::TimeSeparator().
  TYearLength year_length = ylYYYY;          ///< TDTLabel::YearLength().
  bool month_name = true;                    ///< TDTLabel::MonthName().
  TDateOrder date_order = doDDMMYY;          ///< TDTLabel::DateOrder().
  TDateForTime date_for_time = dtOnePerDay;  ///< TDTLabel::DateForTime().

  /// Returns the values of \a label.
  static DateLabelFormat From(const TDTLabel& label);
};

/// What decides which ticks a scale has and what their labels say.
///
/// A building block of TScale: TScale::LayoutSettings() returns the scale's, and BuildScaleLayout()
/// turns them into ticks and labels without drawing anything. The fields mirror the scale's
/// properties of the same names; the defaults are a scale's.
struct ZEPH_SCALES_EXPORT ScaleLayoutSettings {
  ScaleGeometry geometry;       ///< Orientation, size, margins, range and Logarithmic().
  int min_ticks = 3;            ///< TScale::MinTicks(), 2 to 10.
  int dec_places = -2;          ///< TScale::DecPlaces(), -3 to 12.
  bool short_ticks = true;      ///< TScale::ShortTicks().
  TFigType label_type = ftNum;  ///< TScale::LabelType().
  QString user_tick_text;       ///< TScale::UserTickText().
  QString scale_inscript;       ///< TScale::ScaleInscript().
  DateLabelFormat date_format;  ///< The values of TScale::DateFormat().
};

/// Lengths of the tick table: short ticks, and long ticks (which logarithmic minor ticks on
/// vertical scales share).
enum class TickKind {
  kShort,    ///< 4 pixels.
  kLong,     ///< 7 pixels on horizontal, 6 on vertical scales.
  kLogMinor  ///< A logarithmic minor tick: 4 pixels on horizontal, 6 on vertical scales.
};

/// One step of drawing a scale, in drawing order.
///
/// A step can record its value in the tick list, draw a tick, write a label (and the date line
/// above a time label) and raise the tick event, before or after the label. A building block of
/// TScale's tick layout (see BuildScaleLayout()).
struct ZEPH_SCALES_EXPORT TickMark {
  double value = 0;                ///< Where the tick sits on the axis.
  TickKind kind = TickKind::kLong; ///< The tick's length.
  bool record = true;              ///< Appended to the tick list (TScale::TickPos()).
  bool draw = true;                ///< The tick line is drawn.
  bool report = true;              ///< OnScaleTickDrawn is raised.
  bool report_after_label = false; ///< The event is raised after the label is written, not before.
  double report_value = 0;         ///< The value the event reports.
  bool labelled = false;           ///< A label is written (an empty one writes nothing).
  QString label;                   ///< The label text, complete with inscript or user text.
  QString date_line;               ///< Written one line beyond the label when not empty.
};

/// A message written instead of ticks, centred on the middle of the axis.
///
/// Date/time scales write one when their range is invalid or too short. A building block of
/// TScale's tick layout.
struct ZEPH_SCALES_EXPORT ScaleMessage {
  QStringList vertical_lines;      ///< Lines beside a vertical axis.
  QString horizontal_line;         ///< One line below a horizontal axis.
  /// Top of the first vertical line from the middle, in half text heights.
  int first_line_half_heights = 0;
};

/// The ticks and labels of one rendering of a scale, as BuildScaleLayout() computes them.
struct ZEPH_SCALES_EXPORT ScaleLayout {
  std::vector<TickMark> ticks;  ///< The ticks in drawing order.
  bool has_message = false;     ///< A message is written instead of the ticks.
  ScaleMessage message;         ///< The message, when has_message is true.
};

/// The numeric label text of a labelled tick (linear or logarithmic) before the inscript or the
/// user text is applied, cut to 14 characters; `decade` marks a logarithmic tick at multiplier 1.
///
/// \a decimals are the effective decimal places (-3 to 12, see TScale::DecPlaces()). On a linear
/// axis a value below 1e-14 of the range is written as an exact zero.
ZEPH_SCALES_EXPORT QString NumericLabelText(const ScaleLayoutSettings& s, double value, int decimals, bool decade);

/// The label text of the k-th labelled tick (from 1): a user text field, or the number text put
/// into the inscript.
ZEPH_SCALES_EXPORT QString FinishLabel(const ScaleLayoutSettings& s, const QString& text, int k);

/// Linear numeric sequence: appends the ticks of a linear axis to \a layout in drawing order.
///
/// The step is the largest of 1, 2 or 5 times a power of ten that divides the range into at least
/// \c min_ticks intervals; short ticks come first, then the long ticks. A range whose ends are
/// equal gives no ticks.
ZEPH_SCALES_EXPORT void LinearTicks(const ScaleLayoutSettings& s, ScaleLayout& layout);
/// Logarithmic numeric sequence: appends the ticks of a logarithmic axis to \a layout.
///
/// A range of less than one decade, or one reaching zero or below, gets the linear sequence.
ZEPH_SCALES_EXPORT void LogarithmicTicks(const ScaleLayoutSettings& s, ScaleLayout& layout);
/// The \ref ZephEnums::ftTime "ftTime" layout: appends clock-reading ticks to \a layout.
///
/// Declines, returning false and appending nothing, when the interval per tick is below one
/// millisecond or at least one day, or the values lie beyond 1e15 seconds.
ZEPH_SCALES_EXPORT bool TimeTicks(const ScaleLayoutSettings& s, ScaleLayout& layout);
/// The date/time layouts: appends the ticks of a \ref ZephEnums::ftDateTime "ftDateTime" axis
/// (time of day, days, months or years, by the span), or sets the message for an invalid or too
/// short range.
ZEPH_SCALES_EXPORT void DateTimeTicks(const ScaleLayoutSettings& s, ScaleLayout& layout);

/// Chooses the layout for the label type and axis kind.
///
/// Date/time labels get DateTimeTicks(); time labels TimeTicks(), or the numeric layout when that
/// declines; numeric and user labels LogarithmicTicks() or LinearTicks().
///
/// \code
/// zeph::ScaleLayout layout = zeph::BuildScaleLayout(scale->LayoutSettings());
/// for (const zeph::TickMark& tick : layout.ticks)
///   if (tick.labelled) qDebug() << tick.value << tick.label;
/// \endcode
ZEPH_SCALES_EXPORT ScaleLayout BuildScaleLayout(const ScaleLayoutSettings& s);

}  // namespace zeph
