#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
namespace zeph {
class TZephChart;
}  // namespace zeph

// The growth of a bacterial culture over three days: cell counts on a logarithmic axis against a
// date/time axis. Cross-hair 1 reads the curve where it is dragged to, cross-hair 2 marks the
// harvest level; the mouse zooms into a window, pans, or drags the cross-hairs.
class TGrowthWindow : public QWidget {
 public:
  explicit TGrowthWindow(QWidget* parent = nullptr);

  zeph::TZephChart* Chart() const { return chart_; }

 private:
  void ConfigureAxes();
  void ConfigureCrossHairs();
  void DrawMeasurements();
  void BuildControls();
  void ResetRanges();
  void SelectMouseAction(int index);
  // Moves the reading cross-hair onto the curve at its time and writes what it reads.
  void ReadCurve();

  zeph::TZephChart* chart_ = nullptr;
  QComboBox* mouse_action_ = nullptr;
  QLabel* reading_ = nullptr;
  QLabel* position_ = nullptr;
  double start_ = 0;  // day number of the inoculation
};
