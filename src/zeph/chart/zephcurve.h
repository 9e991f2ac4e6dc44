#pragma once

#include <QString>
#include <cstddef>
#include <memory>
#include <span>

#include "zeph/chart/chartitem.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

struct TZephCurveData;

/// A handle to one curve of a chart: a polyline of its own with a name and a style, which an
/// application restyles, hides, fills, trims, clears or removes without touching anything else.
///
/// TZephItemStore::AddCurve() makes a curve; TZephItemStore::Curve() finds the chart's curves again
/// in order. Handles are cheap to copy; all copies stand for the same curve. The curve belongs to
/// the chart's display list, so the charts that share the list (TCustomZephChart::SetUseDataOf())
/// draw it too, each through the scales of the curve's layer.
///
/// A curve is drawn like a MoveTo() to its first point followed by a DrawTo() to every further
/// point, all with the curve's colour, pen style, width and layer, the same pixels as those items
/// would give; a point that is no finite number breaks the line there, and with a mark type every
/// point also gets that mark. Curves are drawn after the chart's items, in the order they were
/// added, and only while both the curve and its layer are visible (TZephItemStore::LayerVisible()).
///
/// Restyling, hiding, clearing and removing repaint the chart (and the charts sharing its data)
/// under the AutoRedraw() rule, like the chart's own setters. Appending and dropping points does
/// not repaint, like TZephItemStore::DrawTo(): TZephItemStore::ShowGraf() or a change of range
/// shows them.
///
/// A curve whose x values never decrease (a time series, a sweep, a live signal) is ordered: it
/// is then drawn in time that grows with the chart's width and the logarithm of the point count
/// rather than with the point count (see the "Live data" page).
///
/// Every member of a handle whose curve was removed (or whose chart is gone), and of a handle made
/// by the default constructor, throws EZephChartError with the message "The curve no longer
/// exists", except IsValid() and the comparisons.
class ZEPH_CHART_EXPORT TZephCurve {
 public:
  /// A mark type that draws no mark: the curve is a line only. The default.
  static constexpr int kNoMark = -1;

  /// Constructs a handle that stands for no curve (IsValid() is false).
  TZephCurve() = default;

  /// Whether the curve still exists: false after Remove() or once its chart is gone.
  bool IsValid() const { return !data_.expired(); }
  /// Whether both handles stand for the same curve (or both for none).
  bool operator==(const TZephCurve& other) const {
    return !data_.owner_before(other.data_) && !other.data_.owner_before(data_);
  }

  /// The curve's name, for a legend; empty by default.
  QString Name() const;
  /// Sets Name(); repaints under the AutoRedraw() rule.
  void SetName(const QString& value);
  /// The line and mark colour; the chart's DataColor() when the curve was added.
  TColor Color() const;
  /// Sets Color(); repaints under the AutoRedraw() rule.
  void SetColor(TColorArg value);
  /// The line style; the chart's PenStyle() when the curve was added. \c psClear draws no line
  /// (the marks alone).
  TPenStyle PenStyle() const;
  /// Sets PenStyle(); repaints under the AutoRedraw() rule.
  void SetPenStyle(TPenStyle value);
  /// The pen width in pixels; the chart's LineWidth() when the curve was added.
  int LineWidth() const;
  /// Sets LineWidth(), 0 to 255 (0 draws as 1); other values are ignored. Repaints under the
  /// AutoRedraw() rule.
  void SetLineWidth(int value);
  /// The mark drawn at every point (a DrawMark() type, 0 to 255), or kNoMark; kNoMark by default.
  int MarkType() const;
  /// Sets MarkType(); values outside kNoMark..255 are ignored. Repaints under the AutoRedraw()
  /// rule.
  void SetMarkType(int value);
  /// The layer, 1 to 16, whose scales map the curve; the chart's CurrentLayer() when it was added.
  int Layer() const;
  /// Sets Layer(); values outside 1..16 are ignored. Repaints under the AutoRedraw() rule.
  void SetLayer(int value);
  /// Whether the curve is drawn; true by default.
  bool Visible() const;
  /// Shows or hides the curve; repaints under the AutoRedraw() rule. Its points stay.
  void SetVisible(bool value);

  /// The number of points the curve holds.
  std::size_t Count() const;
  /// The point at the index, 0 (the oldest held) to Count() − 1; throws EZephChartError for an
  /// index out of range.
  TZephItemPoint Point(std::size_t index) const;
  /// Copies the points from the index first on into x and y, as many as the shorter span holds or
  /// as there are; returns how many. Throws EZephChartError when first is beyond Count().
  std::size_t CopyPoints(std::size_t first, std::span<double> x, std::span<double> y) const;
  /// Whether the x values never decreased from one finite point to the next (points that are no
  /// finite number do not count); such a curve is drawn from its index.
  bool Ordered() const;

  /// Appends one point. Does not repaint.
  void Append(double x, double y);
  /// Appends one point for every pair x[i], y[i], at memory speed. Does not repaint.
  ///
  /// Throws EZephChartError with a message naming both lengths, appending nothing, when the spans
  /// differ in length. A value that is no finite number breaks the line there, as in single items.
  void Append(std::span<const double> x, std::span<const double> y);
  /// Drops the count oldest points, in constant time per point (amortised); their memory goes back
  /// a chunk at a time. Does not repaint.
  ///
  /// The oldest point left then starts the line. Throws EZephChartError, dropping nothing, when the
  /// curve holds fewer than count points.
  void DropOldest(std::size_t count);
  /// The most points the curve keeps: appending beyond it drops the oldest. 0 (the default) keeps
  /// every point.
  std::size_t HistoryLimit() const;
  /// Sets HistoryLimit(); a limit below Count() drops the oldest points at once. Does not repaint.
  void SetHistoryLimit(std::size_t value);
  /// Drops every point and gives their memory back; the style stays. Repaints under the
  /// AutoRedraw() rule.
  void Clear();
  /// Removes the curve from its chart (and the charts sharing its data); this handle and all its
  /// copies become invalid. Repaints under the AutoRedraw() rule.
  void Remove();

 private:
  friend class TZephItemStore;
  explicit TZephCurve(std::weak_ptr<TZephCurveData> data) : data_(std::move(data)) {}
  // The curve's data; throws when it no longer exists.
  TZephCurveData& Data() const;
  // Tells the chart that its picture changed.
  void Changed() const;

  std::weak_ptr<TZephCurveData> data_;
};

}  // namespace zeph
