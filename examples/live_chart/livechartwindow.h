#pragma once

#include <QTimer>
#include <QWidget>
#include <deque>
#include <random>

class QLabel;
class QPushButton;
namespace zeph {
class TZephChart;
}  // namespace zeph

// A window whose chart follows a noisy sensor signal and its running mean as they come in. A timer
// adds one sample per tick; when the traces reach the right edge, the time axis moves on by half
// its width and the chart keeps only what is still in view.
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
  struct TSample {
    double time;
    double signal;
    double mean;
  };

  void ConfigureChart();
  void AddSample();
  void DrawSegment(const TSample& from, const TSample& to);
  // Moves the time axis on and draws the samples still in view anew.
  void ScrollTo(double low);
  void TogglePause();

  zeph::TZephChart* chart_ = nullptr;
  QLabel* reading_ = nullptr;
  QPushButton* pause_ = nullptr;
  QTimer timer_;
  // The samples in view, and the last one before it.
  std::deque<TSample> samples_;
  int count_ = 0;
  std::mt19937 noise_source_{20240611};
  std::normal_distribution<double> noise_{0.0, 0.08};
};
