#include "app/lesson/chartmarks.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

QRectF Clamped(QRectF rect, const QRectF& area) {
  rect.moveLeft(std::clamp(rect.left(), area.left(), std::max(area.left(), area.right() - rect.width())));
  rect.moveTop(std::clamp(rect.top(), area.top(), std::max(area.top(), area.bottom() - rect.height())));
  return rect;
}

void PaintLabel(QPainter& painter, const QRectF& box, const QStringList& lines, const QColor& colour) {
  painter.setPen(QPen(colour, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
  const QFontMetricsF metrics(painter.font());
  qreal top = box.top() + kLabelPadding;
  for (const QString& line : lines) {
    painter.drawText(QPointF(box.left() + kLabelPadding, top + metrics.ascent()), line);
    top += metrics.height();
  }
}

void PaintRing(QPainter& painter, const QPointF& pixel, const QColor& colour) {
  painter.setPen(QPen(colour, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(pixel, kRingRadius, kRingRadius);
}

void PaintLegend(QPainter& painter, const std::vector<TLegendLine>& legend, const QRectF& area) {
  QStringList names;
  for (const TLegendLine& line : legend) names.append(line.name);
  QSizeF size = LabelSize(names, painter.font());
  size.rwidth() += kLegendSwatch + 2 * kLabelPadding;
  const QRectF box = LegendRect(size, area);
  painter.setPen(QPen(kReadoutColor, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
  const QFontMetricsF metrics(painter.font());
  qreal top = box.top() + kLabelPadding;
  for (const TLegendLine& line : legend) {
    const qreal middle = std::floor(top + metrics.height() / 2) + 0.5;
    painter.setPen(QPen(line.color, 2));
    const qreal left = box.left() + kLabelPadding;
    painter.drawLine(QPointF(left, middle), QPointF(left + kLegendSwatch, middle));
    painter.setPen(QPen(kReadoutColor, 1));
    painter.drawText(QPointF(left + kLegendSwatch + 2 * kLabelPadding, top + metrics.ascent()), line.name);
    top += metrics.height();
  }
}

}  // namespace

QRectF ReadoutLabelRect(const QPointF& pixel, const QSizeF& label, const QRectF& area) {
  const qreal reach = kRingRadius + kLabelGap;
  const QRectF ring(pixel.x() - reach, pixel.y() - reach, 2 * reach, 2 * reach);
  const std::array<QPointF, 4> corners{
      QPointF(pixel.x() + reach, pixel.y() - reach - label.height()),
      QPointF(pixel.x() - reach - label.width(), pixel.y() - reach - label.height()),
      QPointF(pixel.x() + reach, pixel.y() + reach),
      QPointF(pixel.x() - reach - label.width(), pixel.y() + reach),
  };
  for (const QPointF& corner : corners) {
    const QRectF rect = Clamped(QRectF(corner, label), area);
    if (!rect.intersects(ring)) return rect;
  }
  return Clamped(QRectF(corners[0], label), area);
}

QRectF LinkLabelRect(qreal x, const QSizeF& label, const QRectF& area) {
  QRectF rect(QPointF(x + kLabelGap, area.top() + kLabelGap), label);
  if (rect.right() > area.right()) rect.moveRight(x - kLabelGap);
  return Clamped(rect, area);
}

QRectF LegendRect(const QSizeF& legend, const QRectF& area) {
  return Clamped(QRectF(QPointF(area.right() - kLabelGap - legend.width(), area.top() + kLabelGap), legend), area);
}

QSizeF LabelSize(const QStringList& lines, const QFont& font) {
  const QFontMetricsF metrics(font);
  qreal width = 0;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  return {std::ceil(width) + 2 * kLabelPadding, std::ceil(metrics.height() * lines.size()) + 2 * kLabelPadding};
}

QRectF ChartAreaRect(const TCustomZephChart& chart) {
  return {static_cast<qreal>(chart.LRim()), static_cast<qreal>(chart.TRim()),
          static_cast<qreal>(chart.ChartWidth() + 1), static_cast<qreal>(chart.ChartHeight() + 1)};
}

void PaintChartMarks(QPainter& painter, const TCustomZephChart& chart, const TChartMarks& marks) {
  const QRectF area = ChartAreaRect(chart);
  const int layer = chart.CurrentLayer();
  const auto pixel = [&](const QPointF& p) {
    const QPointF f = chart.WorldToPixelF(layer, p.x(), p.y());
    // The middle of the pixel the chart draws the point on.
    return QPointF(std::floor(f.x()) + 0.5, std::floor(f.y()) + 0.5);
  };
  painter.save();
  painter.setClipRect(area);
  painter.setFont(chart.font());
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (!marks.legend.empty()) PaintLegend(painter, marks.legend, area);
  if (marks.link) {
    const qreal x = pixel({marks.link->x, 1}).x();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (marks.link->shade)
      painter.fillRect(QRectF(area.left(), area.top(), x - area.left(), area.height()), kShadeColor);
    painter.setPen(QPen(kLinkColor, 1));
    painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (marks.link->point) PaintRing(painter, pixel(*marks.link->point), kLinkColor);
    const QStringList lines{marks.link->text};
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintLabel(painter, LinkLabelRect(x, LabelSize(lines, painter.font()), area), lines, kLinkColor);
  }
  for (const TReadout& readout : marks.readouts) {
    const QPointF at = pixel(readout.point);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (readout.ring) PaintRing(painter, at, kReadoutColor);
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintLabel(painter, ReadoutLabelRect(at, LabelSize(readout.lines, painter.font()), area), readout.lines,
               kReadoutColor);
  }
  painter.restore();
}

void PaintChartLegend(QPainter& painter, const TCustomZephChart& chart, const std::vector<TLegendLine>& legend,
                      const QPointF& origin) {
  if (legend.empty()) return;
  painter.save();
  painter.translate(origin);
  PaintChartMarks(painter, chart, TChartMarks{{}, std::nullopt, legend});
  painter.restore();
}
