#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "zeph/scales/dtlabel.h"
#include "zeph/scales/scalemap.h"
#include "zeph/scales/zephenums.h"
#include "zeph/scales/scales_export.h"

namespace zeph {

// The plain values of a TDTLabel, for the label computations.
struct ZEPH_SCALES_EXPORT DateLabelFormat {
  TTimeFormat time_format = tfHHMMSS;
  char date_separator = '-';
  char time_separator = ':';
  TYearLength year_length = ylYYYY;
  bool month_name = true;
  TDateOrder date_order = doDDMMYY;
  TDateForTime date_for_time = dtOnePerDay;

  static DateLabelFormat From(const TDTLabel& label);
};

// What decides which ticks a scale has and what their labels say.
struct ZEPH_SCALES_EXPORT ScaleLayoutSettings {
  ScaleGeometry geometry;
  int min_ticks = 3;
  int dec_places = -2;
  bool short_ticks = true;
  TFigType label_type = ftNum;
  QString user_tick_text;
  QString scale_inscript;
  DateLabelFormat date_format;
};

// Lengths of the tick table: short ticks, and long ticks (which logarithmic minor ticks on
// vertical scales share).
enum class TickKind { kShort, kLong, kLogMinor };

// One step of drawing a scale, in drawing order. A step can record its value in the tick list,
// draw a tick, write a label (and the date line above a time label) and raise the tick event,
// before or after the label.
struct ZEPH_SCALES_EXPORT TickMark {
  double value = 0;                // where the tick sits on the axis
  TickKind kind = TickKind::kLong;
  bool record = true;              // appended to the tick list
  bool draw = true;                // the tick line is drawn
  bool report = true;              // OnScaleTickDrawn is raised
  bool report_after_label = false;
  double report_value = 0;         // the value the event reports
  bool labelled = false;
  QString label;
  QString date_line;               // written one line beyond the label when not empty
};

// A message written instead of ticks, centred on the middle of the axis.
struct ZEPH_SCALES_EXPORT ScaleMessage {
  QStringList vertical_lines;      // lines beside a vertical axis
  QString horizontal_line;         // one line below a horizontal axis
  int first_line_half_heights = 0; // top of the first vertical line from the middle, in half text heights
};

struct ZEPH_SCALES_EXPORT ScaleLayout {
  std::vector<TickMark> ticks;
  bool has_message = false;
  ScaleMessage message;
};

// The numeric label text of a labelled tick (linear or logarithmic) before the inscript or the
// user text is applied, cut to 14 characters; `decade` marks a logarithmic tick at multiplier 1.
ZEPH_SCALES_EXPORT QString NumericLabelText(const ScaleLayoutSettings& s, double value, int decimals, bool decade);

// The label text of the k-th labelled tick (from 1): a user text field, or the number text put
// into the inscript.
ZEPH_SCALES_EXPORT QString FinishLabel(const ScaleLayoutSettings& s, const QString& text, int k);

// Linear and logarithmic numeric sequences, the ftTime layout (which may decline: returns false)
// and the date/time layouts. Each appends to layout.ticks in drawing order.
ZEPH_SCALES_EXPORT void LinearTicks(const ScaleLayoutSettings& s, ScaleLayout& layout);
ZEPH_SCALES_EXPORT void LogarithmicTicks(const ScaleLayoutSettings& s, ScaleLayout& layout);
ZEPH_SCALES_EXPORT bool TimeTicks(const ScaleLayoutSettings& s, ScaleLayout& layout);
ZEPH_SCALES_EXPORT void DateTimeTicks(const ScaleLayoutSettings& s, ScaleLayout& layout);

// Chooses the layout for the label type and axis kind.
ZEPH_SCALES_EXPORT ScaleLayout BuildScaleLayout(const ScaleLayoutSettings& s);

}  // namespace zeph
