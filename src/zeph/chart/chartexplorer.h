#pragma once

#include <QObject>
#include <QPointF>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "zeph/chart/chart_export.h"
#include "zeph/chart/chartcurves.h"

class QPainter;
class QProcess;

namespace zeph {

class TCustomZephChart;

/// Keyboard exploration of a chart's curves: a point cursor that the keys move from point to
/// point, shown as a cross-hair on the screen and named to assistive technology.
///
/// Every chart has one (TCustomZephChart::Explorer()); it is off until SetEnabled() turns it on.
/// While on and the chart has the focus, these keys belong to it:
/// - Left and Right: the previous and the next point of the current curve;
/// - Home and End: the first and the last point;
/// - Page Up and Page Down: a tenth of the curve's points back and on;
/// - Up and Down: the curve before and after the current one (at the point nearest in x);
/// - Escape: leaves the point (only when there is one);
/// - S: plays the current curve as sound (TSoundSettings) through the system's sound player;
/// - H: says the keys (TChartTexts::Help); I: says where the point is ("point 3 of 100");
/// - T: turns to the data table and back: in the table Up and Down move from row to row (Home,
///   End, Page Up and Page Down as above), Left and Right between the x and the y column, and the
///   focus is on the cell.
/// The first of the moving keys picks the first point of the first curve (End the last one). Where
/// a key cannot move (past the last point, Up with one curve) the chart says so.
/// What the chart shows is unchanged: the cross-hair is drawn over the screen image only.
class ZEPH_CHART_EXPORT TChartExplorer : public QObject {
  Q_OBJECT

 public:
  /// An explorer for \p chart, owned by it; off and without a point.
  explicit TChartExplorer(TCustomZephChart* chart);

  /// Whether the keys explore the chart; false unless turned on.
  bool Enabled() const { return enabled_; }
  /// Turns exploration on or off; off leaves the point.
  void SetEnabled(bool value);

  /// Whether a point is picked.
  bool Active() const { return active_; }
  /// The current curve (0-based, in the order of ChartCurves()); 0 without a point.
  int CurveIndex() const { return curve_; }
  /// The current point of the current curve (0-based); 0 without a point.
  int PointIndex() const { return point_; }
  /// Whether the keys move in the data table (T) rather than along the curves.
  bool InTable() const { return in_table_; }
  /// The table's column the keys stand in: 0 for x, 1 for y.
  int Column() const { return column_; }
  /// The table's row of the current point: the points of the curves before it, then its index.
  int TableRow() const;
  /// Picks a point; indices out of range are clamped, a chart without curves picks none.
  void Select(int curve, int point);
  /// Leaves the point; the cross-hair goes.
  void Leave();
  /// The world coordinates of the current point; none without a point.
  std::optional<QPointF> CurrentPoint() const;
  /// The current point's name from the chart's TChartTexts: "U 4.00 V, C 3.21 pF", with the
  /// curve's number added where the chart has several curves, then the PointNote, then "first
  /// point" or "last point" at the ends, and "point 1 of 100" when the keys have just entered the
  /// curve; empty without a point.
  QString PointName() const;
  /// Words an application adds to every point name, from the curve's index and the point's world
  /// coordinates ("w = 0.471 µm"); nothing when unset or when it gives an empty text.
  std::function<QString(int curve, const QPointF& point)> PointNote;

  /// Handles a key pressed while the chart has the focus; true when the key was taken (see the
  /// class description), false when it is left to others.
  bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
  /// Plays the current curve (the first without a point) through the first sound player found on
  /// the system (paplay, pw-play, aplay or sox's play); false, with a beep, when there is no curve
  /// or no player could be started.
  bool PlayCurve();
  /// Keeps the point within the curves after the chart's data changed; leaves it when no curve
  /// is left.
  void DataChanged();

  /// Draws the cross-hair of the current point onto the chart's screen image (control pixels).
  void PaintCursor(QPainter& painter) const;

 private:
  void Moved();
  bool HandleTableKey(int key, const std::vector<TChartCurve>& curves);
  void SelectRow(int row, const std::vector<TChartCurve>& curves);
  // Selects the point, or says the end the current one stands at when it is the same.
  void MoveTo(int curve, int point, const std::vector<TChartCurve>& curves);
  QString Position() const;

  TCustomZephChart* chart_;
  bool enabled_ = false;
  bool active_ = false;
  int curve_ = 0;
  int point_ = 0;
  bool in_table_ = false;
  int column_ = 1;
  bool entering_ = false;
  QProcess* player_ = nullptr;
};

}  // namespace zeph
