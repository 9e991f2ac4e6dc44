#pragma once

#include <QString>
#include <QStringList>

#include "zeph/chart/chart_export.h"

namespace zeph {

/// The words a chart uses when it speaks about its data: the accessible description, the names of
/// the points met while exploring with the keyboard, and the entries of its context menu.
///
/// Each text is a template in which %1, %2, ... stand for the values named at the member; a
/// template may leave a value out or use it in another order. The defaults are English; an
/// application sets translated texts with TCustomZephChart::SetTexts(). Numbers are written with
/// three significant digits and \c DecimalSeparator.
struct ZEPH_CHART_EXPORT TChartTexts {
  QString DecimalSeparator = QStringLiteral(".");  ///< Between the whole and the fractional digits.
  /// An axis and its range: %1 the axis caption, %2 the low and %3 the high end.
  QString AxisRange = QStringLiteral("%1 from %2 to %3");
  /// A logarithmic axis: %1 is its AxisRange text.
  QString Logarithmic = QStringLiteral("%1, logarithmic");
  QString NoCurve = QStringLiteral("no curve");  ///< Said when the chart shows no curve.
  /// The curve sentences. %1 is the y quantity, %2 the first y value at %3 (the x quantity and
  /// value), %4 the last y value at %5; %6 the extreme y value at %7 where there is one.
  QString Rises = QStringLiteral("%1 rises from %2 at %3 to %4 at %5");
  QString Falls = QStringLiteral("%1 falls from %2 at %3 to %4 at %5");                ///< See Rises.
  QString Level = QStringLiteral("%1 stays at %2 from %3 to %5");                      ///< See Rises.
  QString RisesThenFalls = QStringLiteral("%1 rises from %2 at %3 to a maximum of %6 at %7, then falls to %4 at %5");  ///< See Rises.
  QString FallsThenRises = QStringLiteral("%1 falls from %2 at %3 to a minimum of %6 at %7, then rises to %4 at %5");  ///< See Rises.
  QString Varies = QStringLiteral("%1 goes up and down from %2 at %3 to %4 at %5");   ///< See Rises.
  QString Steepest = QStringLiteral("steepest near %1");            ///< %1: where the curve is steepest on the screen.
  QString LevelsOff = QStringLiteral("levelling off towards %1");   ///< %1: the end where it flattens.
  QString Even = QStringLiteral("at an even slope");                ///< A straight line on the screen.
  /// A curve that begins outside the visible range: %1 its first value, %2 the axis end it passes.
  QString StartsAbove = QStringLiteral("starts at %1, above the top of the axis at %2");
  QString StartsBelow = QStringLiteral("starts at %1, below the bottom of the axis at %2");  ///< See StartsAbove.
  /// A curve that ends outside the visible range: %1 its last value, %2 the axis end it passes.
  QString EndsAbove = QStringLiteral("ends at %1, above the top of the axis at %2");
  QString EndsBelow = QStringLiteral("ends at %1, below the bottom of the axis at %2");  ///< See EndsAbove.
  /// A stretch in between outside the visible range: %1 the axis end, %2 and %3 where it begins and ends.
  QString PassesAbove = QStringLiteral("above the top of the axis at %1 from %2 to %3");
  QString PassesBelow = QStringLiteral("below the bottom of the axis at %1 from %2 to %3");  ///< See PassesAbove.
  /// A point met while exploring: %1 its x and %2 its y quantity with value and unit ("U 4.00 V").
  QString PointName = QStringLiteral("%1, %2");
  QString CurveNumber = QStringLiteral("curve %1 of %2");  ///< Added to point names where there are several curves.
  QString CopyData = QStringLiteral("Copy data as text");  ///< Context menu: copies the data table.
  QString PlaySound = QStringLiteral("Play curve as sound");  ///< Context menu: plays the current curve.

  /// How the x axis is spoken where its caption is written in symbols: the axis as a whole
  /// ("voltage in volts"). This and the five texts after it, when empty, are read from the current
  /// layer's captions instead ("U [V]": quantity "U", unit "V").
  QString XAxis;
  QString XQuantity;  ///< The x quantity before a value ("voltage"); see XAxis.
  QString XUnit;      ///< The x unit after a value ("volts"); see XAxis.
  QString YAxis;      ///< The y axis as a whole ("capacitance in picofarads"); see XAxis.
  QString YQuantity;  ///< The y quantity before a value ("capacitance"); see XAxis.
  QString YUnit;      ///< The y unit after a value ("picofarads"); see XAxis.
  QString FirstPoint = QStringLiteral("first point");  ///< Added to the name of a curve's first point.
  QString LastPoint = QStringLiteral("last point");    ///< Added to the name of a curve's last point.
  QString PointOf = QStringLiteral("point %1 of %2");  ///< Where a point is: %1 its number, %2 the curve's points.
  QString OnlyCurve = QStringLiteral("only one curve");  ///< Said for Up and Down where there is no other curve.
  /// Said with the chart when it takes the focus.
  QString KeyHint = QStringLiteral("arrow keys move from point to point, T for the table, H for help");
  /// Said for H: the keys of keyboard exploration.
  QString Help = QStringLiteral(
      "Left and Right: previous and next point. Home and End: first and last point. Page Up and Page Down: a tenth "
      "of the points. Up and Down: the other curve. I: where the point is. T: the data as a table. S: play the "
      "curve as sound. Control C: copy the data. Shift F10: the menu. Escape: leave the point.");
  QString TableName = QStringLiteral("%1, data");  ///< The data table's name: %1 the chart's caption.
  QString Copied = QStringLiteral("copied %1 rows");  ///< Said after copying: %1 the number of rows.
  QString Playing = QStringLiteral("playing");        ///< Said when the curve starts to sound.
  QString NoSound = QStringLiteral("no sound output");  ///< Said when the curve cannot be played.
};

/// \p text with %1, %2, ... replaced by \p values in one pass (a value is never searched again);
/// a number without a value stays as it stands.
ZEPH_CHART_EXPORT QString FillTemplate(const QString& text, const QStringList& values);

/// \p value with three significant digits ("8.10", "0.100", "10.0", "123") and the texts' decimal
/// separator.
ZEPH_CHART_EXPORT QString SpokenNumber(double value, const TChartTexts& texts);

}  // namespace zeph
