#pragma once

#include <QWidget>

#include "zeph/scales/zephenums.h"

class QCheckBox;
class QComboBox;
class QLabel;
namespace zeph {
class TZephChart;
}  // namespace zeph

// What the chart control can do, in one window: two layers with their own y axes whose x axes
// are joined, cross-hairs and text labels, and a second chart that displays the same item list
// through a logarithmic axis. A combo box chooses what the mouse does. What happens (pans, zooms,
// moved cross-hairs and labels) is shown below the charts and written to standard output.
class TDemoWindow : public QWidget {
 public:
  TDemoWindow();

  zeph::TZephChart* LinearChart() const { return linear_; }
  zeph::TZephChart* LogChart() const { return log_; }
  // Chooses the mouse mode of both charts (and shows it in the combo box); false for a mode
  // the demo does not offer.
  bool SetMouseMode(zeph::TMouseActMode mode);
  // The Qt-style extras on both charts, also from the check boxes: navigation with the wheel,
  // drags and keys; anti-aliased curves; the window palette's colours; the legend.
  void SetNavigation(bool on);
  void SetAntialiased(bool on);
  void SetPaletteColors(bool on);
  void SetLegend(bool on);

 private:
  void SelectMouseMode(int index);
  void BuildControls();
  void ConfigureLinearChart();
  void ConfigureLogChart();
  void ResetRanges();
  // Draws the decay curves into the shared list; a decay constant per call.
  void DrawCurves(zeph::TZephChart* chart, double rate);
  void ReplaceDataFromLogChart();
  void Report(const QString& text);

  zeph::TZephChart* linear_ = nullptr;
  zeph::TZephChart* log_ = nullptr;
  QComboBox* mode_box_ = nullptr;
  QCheckBox* navigation_box_ = nullptr;
  QCheckBox* smooth_box_ = nullptr;
  QCheckBox* palette_box_ = nullptr;
  QCheckBox* legend_box_ = nullptr;
  QLabel* position_ = nullptr;
  QLabel* events_ = nullptr;
  double rate_ = 0.5;
};
