#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace zeph {
class TCustomZephChart;
}  // namespace zeph

// What a teacher does with a chart beyond reading it: its context menu holds the chart's own
// entries (copy the data, play the curve) and the lesson's (keep these curves, clear the kept
// ones, save a handout, projector mode); K keeps the curves from the keyboard, and the copies
// (Ctrl+C too) name each curve's grading.
class TChartMenu : public QObject {
  Q_OBJECT

 public:
  struct TActions {
    QString keep_text;
    QString clear_text;
    QString handout_text;
    QString projector_text;
    std::function<void()> keep;
    std::function<void()> clear;
    std::function<bool()> any_kept;
    std::function<void()> save_handout;
    std::function<bool()> projector_on;
    std::function<void()> toggle_projector;
    // The data table the chart's copy puts on the clipboard.
    std::function<QString(const zeph::TCustomZephChart&)> table;
  };

  TChartMenu(zeph::TCustomZephChart* chart, TActions actions);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowMenu(const QPoint& global_position, bool from_keyboard);
  void Copy();

  zeph::TCustomZephChart* chart_;
  TActions actions_;
};
