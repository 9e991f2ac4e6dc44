#pragma once

#include <QObject>
#include <QPointF>
#include <functional>
#include <optional>
#include <vector>

#include "app/lesson/chartmarks.h"

class TChartPointer;
namespace zeph {
class TBabelfish2000;
class TCustomZephChart;
}  // namespace zeph

// The lesson over the two charts: the point under the mouse and the point explored by keyboard get
// their values on screen, and each of them marks on the other chart what the physics links it to
// (a voltage to the depletion width it opens, a depth to the voltage that opens it).
class TLessonViews : public QObject {
  Q_OBJECT

 public:
  // The gradings (slider positions) of a chart's curves, in the order the chart holds them.
  using TCurvePositions = std::function<std::vector<int>()>;
  using TDictionary = std::function<const zeph::TBabelfish2000*()>;

  // The charts' point names call on this: it must outlive them (a parent that owns the charts).
  TLessonViews(zeph::TCustomZephChart* profile, zeph::TCustomZephChart* capacitance, TCurvePositions positions,
               TDictionary dictionary, QObject* parent);

  // What is drawn over each chart now.
  TChartMarks ProfileMarks() const;
  TChartMarks CapacitanceMarks() const;

  // The words added to an explored point's name: the link to the other chart.
  QString ProfileNote(int curve, const QPointF& point) const;
  QString CapacitanceNote(int curve, const QPointF& point) const;

  // Both charts show the marks anew (after the curves or the explored point changed).
  void Refresh();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A point of a curve with the grading of that curve.
  struct TPicked {
    QPointF point;
    int position = 0;
  };

  std::optional<TPicked> Pointed(const zeph::TCustomZephChart& chart, const TChartPointer& pointer) const;
  std::optional<TPicked> Explored(const zeph::TCustomZephChart& chart) const;
  int CurvePosition(int curve) const;
  // The curves' gradings when there are several to tell apart; none for one curve.
  std::vector<TLegendLine> Legend() const;
  // "m = 0.4" where the curves need telling apart, with the words of the link.
  QString Note(int curve, const std::optional<QString>& link) const;
  TReadout ProfileReadout(const TPicked& picked, bool ring) const;
  TReadout CapacitanceReadout(const TPicked& picked, bool ring) const;

  zeph::TCustomZephChart* profile_;
  zeph::TCustomZephChart* capacitance_;
  TChartPointer* profile_pointer_;
  TChartPointer* capacitance_pointer_;
  TCurvePositions positions_;
  TDictionary dictionary_;
};
