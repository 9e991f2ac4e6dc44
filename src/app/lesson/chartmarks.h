#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <optional>
#include <vector>

class QFont;
class QPainter;
namespace zeph {
class TCustomZephChart;
}  // namespace zeph

// What the lesson draws over a chart's screen picture: readouts of single points and the mark
// that links this chart to the other one. World coordinates of the chart's current layer.

// A point with its words: a label beside it, and a ring on the point unless one is there already
// (keyboard exploration draws its own).
struct TReadout {
  QPointF point;
  QStringList lines;
  bool ring = true;
};

// A vertical line at x with its words at the top; shade lightly fills the chart from its left
// edge to the line (the depleted region), point rings a point on it.
struct TLinkMark {
  double x = 0;
  bool shade = false;
  std::optional<QPointF> point;
  QString text;
};

// A curve named in the legend: its colour and its grading.
struct TLegendLine {
  QColor color;
  QString name;
};

struct TChartMarks {
  std::vector<TReadout> readouts;
  std::optional<TLinkMark> link;
  // Shown in the area's top right corner when there is more than one curve to tell apart.
  std::vector<TLegendLine> legend;

  bool Empty() const { return readouts.empty() && !link && legend.empty(); }
};

inline const QColor kReadoutColor(0, 0, 0);
inline const QColor kLinkColor(192, 64, 0);
inline const QColor kShadeColor(192, 64, 0, 40);
inline constexpr qreal kRingRadius = 4;
inline constexpr qreal kLabelGap = 6;
inline constexpr qreal kLabelPadding = 3;
inline constexpr qreal kLegendSwatch = 20;

// Where a label of the size goes beside the pixel, inside the area and clear of the point's ring:
// above and right of it where there is room, else above left, below right, below left.
QRectF ReadoutLabelRect(const QPointF& pixel, const QSizeF& label, const QRectF& area);

// Where the words of a link mark at the pixel column x go: beside the line at the top of the
// area, on its right where there is room, else on its left.
QRectF LinkLabelRect(qreal x, const QSizeF& label, const QRectF& area);

// Where the legend's box of the size goes: the top right corner of the area.
QRectF LegendRect(const QSizeF& legend, const QRectF& area);

// The size of a label's box for the lines in the font, padding included.
QSizeF LabelSize(const QStringList& lines, const QFont& font);

// The chart area in control pixels: its frame included.
QRectF ChartAreaRect(const zeph::TCustomZephChart& chart);

// Draws the marks onto a painter over the chart's control pixels, within its chart area.
void PaintChartMarks(QPainter& painter, const zeph::TCustomZephChart& chart, const TChartMarks& marks);
// Draws only a legend, for a chart drawn elsewhere (a file) with its top-left corner at origin;
// nothing for an empty legend.
void PaintChartLegend(QPainter& painter, const zeph::TCustomZephChart& chart, const std::vector<TLegendLine>& legend,
                      const QPointF& origin);
