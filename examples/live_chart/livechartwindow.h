#pragma once

#include <QTimer>
#include <QWidget>
#include <random>

#include <zeph/chart/zephcurve.h>

class QLabel;
class QPushButton;
namespace zeph {
class TZephChart;
}  // namespace zeph

// A window whose chart follows a noisy sensor signal and its running mean as they come in. A timer
// appends one sample per tick to two curve objects, which keep a fixed history (a minute of
// signal); when the traces reach the right edge, the time axis moves on by half its width. Nothing
// is ever resubmitted: the chart draws from each curve only what the window shows.
class TLiveChartWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TLiveChartWindow(QWidget* parent = nullptr);

  // Milliseconds between two samples (50 unless changed); the signal's own time goes on by
  // 50 ms a sample whatever the interval.
  void SetTickInterval(int milliseconds) { timer_.setInterval(milliseconds); }

 signals:
  // After each sample has been drawn, with the number of samples so far.
  void SampleAdded(int count);

 private:
  void ConfigureChart();
  void AddSample();
  void TogglePause();

  zeph::TZephChart* chart_ = nullptr;
  zeph::TZephCurve signal_;
  zeph::TZephCurve mean_;
  QLabel* reading_ = nullptr;
  QPushButton* pause_ = nullptr;
  QTimer timer_;
  double last_mean_ = 0;
  int count_ = 0;
  std::mt19937 noise_source_{20240611};
  std::normal_distribution<double> noise_{0.0, 0.08};
};
