#include "zeph/scales/scaleengine.h"

#include <cmath>

#include "zeph/scales/scalemath_p.h"

namespace zeph {

namespace {

// Loops over ticks end by their range tests; this bound only stops ranges that are not finite.
constexpr int kMaxSteps = 100000;

constexpr qsizetype kMaxLabelLength = 14;

// Logarithmic labels with automatic decimals lose their trailing zeros: "0.0100" reads "0.01".
QString StripTrailingZeros(QString text) {
  if (!text.contains(QLatin1Char('.')) || text.contains(QLatin1Char('e'), Qt::CaseInsensitive))
    return text;
  while (text.endsWith(QLatin1Char('0'))) text.chop(1);
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text;
}

}  // namespace

DateLabelFormat DateLabelFormat::From(const TDTLabel& label) {
  DateLabelFormat f;
  f.time_format = label.TimeFormat();
  f.date_separator = label.DateSeparator();
  f.time_separator = label.TimeSeparator();
  f.year_length = label.YearLength();
  f.month_name = label.MonthName();
  f.date_order = label.DateOrder();
  f.date_for_time = label.DateForTime();
  return f;
}

QString NumericLabelText(const ScaleLayoutSettings& s, double value, int decimals, bool decade) {
  const ScaleGeometry& g = s.geometry;
  QString text;
  if (!g.logarithmic) {
    const long double range = static_cast<long double>(g.range_high) - g.range_low;
    if (std::fabs(value / range) < 1e-14L) {
      // Arithmetic noise around zero is labelled as an exact zero, never "-0" or "1.2E-17".
      if (std::fabs(range) > 100000)
        text = decimals == 0 ? QStringLiteral("0") : QStringLiteral("0.0");
      else
        text = FormatTickValue(1, decimals, 0);
    } else {
      text = FormatTickValue(1, decimals, value);
    }
  } else if (decimals == -3) {
    if (decade) text = FormatTickValue(1, 0, static_cast<double>(Nearest(Log10(value))));
  } else {
    text = FormatTickValue(1, decimals, value);
  }
  text.truncate(kMaxLabelLength);
  if (g.logarithmic && s.dec_places == -2) text = StripTrailingZeros(text);
  return text;
}

QString FinishLabel(const ScaleLayoutSettings& s, const QString& text, int k) {
  if (s.label_type == ftUserText) return UserTickField(s.user_tick_text, k);
  return ApplyScaleInscript(text, s.scale_inscript);
}

void LinearTicks(const ScaleLayoutSettings& s, ScaleLayout& layout) {
  const ScaleGeometry& g = s.geometry;
  const long double low = g.range_low;
  const long double high = g.range_high;
  const TickStep ts = CalcTickStep(s.min_ticks, low, high);
  if (ts.Step == 0) return;
  const long double sub = ts.Step / ts.SubTicks;
  const long double sign = high > low ? 1 : -1;
  const bool horizontal = g.Horizontal();

  if (s.short_ticks) {
    for (int i = 0; i < kMaxSteps; ++i) {
      const long double v = ts.First - ts.Step + i * sub;
      if (sign * (v - high) > 0.001L * std::fabs(sub)) break;
      if (sign * v < sign * low) continue;
      TickMark t;
      t.value = static_cast<double>(v);
      t.report_value = t.value;
      t.kind = TickKind::kShort;
      layout.ticks.push_back(t);
    }
  }

  const int decimals = AutoDecPlaces(s.dec_places, g.range_high, g.range_low);
  for (int i = 0; i < kMaxSteps; ++i) {
    const long double v = ts.First + i * ts.Step;
    TickMark t;
    t.value = static_cast<double>(v);
    t.report_value = t.value;
    t.kind = TickKind::kLong;
    // Horizontal scales already recorded these positions as short ticks, and report a tick after
    // its label, with the value the label shows.
    t.record = !horizontal || !s.short_ticks;
    t.report_after_label = horizontal;
    if (s.label_type != ftNoFigs) {
      t.labelled = true;
      t.label = FinishLabel(s, NumericLabelText(s, t.value, decimals, false), i + 1);
      if (horizontal && std::fabs(v / (high - low)) < 1e-14L) t.report_value = 0;
    }
    layout.ticks.push_back(t);
    const long double next = ts.First + (i + 1) * ts.Step;
    if (!(sign * (next - high) <= 0.001L * std::fabs(ts.Step))) break;
  }
}

void LogarithmicTicks(const ScaleLayoutSettings& s, ScaleLayout& layout) {
  const ScaleGeometry& g = s.geometry;
  const long double decades = Log10(static_cast<long double>(g.range_high) / g.range_low);
  // Less than a decade, or a range reaching zero or below, which has no decades: linear steps.
  if (!(g.range_low > 0 && g.range_high > 0 && std::fabs(decades) >= 1)) {
    LinearTicks(s, layout);
    return;
  }
  const bool dense = s.min_ticks > std::fabs(decades) + 0.5L;
  const long double lo = std::fmin(g.range_low, g.range_high);
  const long double hi = std::fmax(g.range_low, g.range_high);
  const int decimals = AutoDecPlacesLog(s.dec_places, static_cast<double>(hi), static_cast<double>(lo));
  const bool horizontal = g.Horizontal();
  const long double base = std::pow(10.0L, Floor(Log10(lo * kNearOne)));
  long double mult = 1;
  int k = 0;

  auto visit = [&](int m, bool labelled) {
    const long double v = m * base * mult;
    if (!(v > lo * kNearOne && v < hi / kNearOne)) return;
    TickMark t;
    t.value = static_cast<double>(v);
    t.report_value = t.value;
    if (labelled) {
      t.kind = TickKind::kLong;
      if (s.label_type != ftNoFigs) {
        t.labelled = true;
        t.label = FinishLabel(s, NumericLabelText(s, t.value, decimals, m == 1), ++k);
      }
    } else if (horizontal) {
      t.kind = TickKind::kShort;
      t.record = s.short_ticks;
      t.draw = s.short_ticks;
    } else {
      if (!s.short_ticks) return;
      t.kind = TickKind::kLogMinor;
    }
    layout.ticks.push_back(t);
  };

  for (int guard = 0; guard < kMaxSteps; ++guard) {
    visit(1, true);
    if (dense)
      for (int m = 2; m <= 9; ++m) visit(m, m == 2 || m == 5);
    mult = mult * 10;
    if (!(hi >= kNearOne * base * mult)) break;
  }
}

ScaleLayout BuildScaleLayout(const ScaleLayoutSettings& s) {
  ScaleLayout layout;
  if (s.label_type == ftDateTime) {
    DateTimeTicks(s, layout);
    return layout;
  }
  if (s.label_type == ftTime && TimeTicks(s, layout)) return layout;
  if (s.geometry.logarithmic)
    LogarithmicTicks(s, layout);
  else
    LinearTicks(s, layout);
  return layout;
}

}  // namespace zeph
