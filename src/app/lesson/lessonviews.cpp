#include "app/lesson/lessonviews.h"

#include <QEvent>
#include <QTimer>
#include <cmath>
#include <algorithm>
#include <limits>

#include "app/lesson/chartoverlay.h"
#include "app/lesson/chartpointer.h"
#include "app/lesson/depletion.h"
#include "app/lesson/keptcurves.h"
#include "app/lesson/lessonwords.h"
#include "app/varactormodel.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

TLessonViews::TLessonViews(TCustomZephChart* profile, TCustomZephChart* capacitance, TCurvePositions positions,
                           TDictionary dictionary, QObject* parent)
    : QObject(parent),
      profile_(profile),
      capacitance_(capacitance),
      profile_pointer_(new TChartPointer(profile)),
      capacitance_pointer_(new TChartPointer(capacitance)),
      positions_(std::move(positions)),
      dictionary_(std::move(dictionary)) {
  new TChartOverlay(profile, [this] { return ProfileMarks(); });
  new TChartOverlay(capacitance, [this] { return CapacitanceMarks(); });
  for (TChartPointer* pointer : {profile_pointer_, capacitance_pointer_})
    connect(pointer, &TChartPointer::Changed, this, &TLessonViews::Refresh);
  profile->Explorer()->PointNote = [this](int curve, const QPointF& p) { return ProfileNote(curve, p); };
  capacitance->Explorer()->PointNote = [this](int curve, const QPointF& p) { return CapacitanceNote(curve, p); };
  for (TCustomZephChart* chart : {profile, capacitance}) chart->installEventFilter(this);
}

bool TLessonViews::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      // The chart moves its explored point while it handles the event: the other chart follows
      // once it has.
      QTimer::singleShot(0, this, &TLessonViews::Refresh);
      break;
    default: break;
  }
  return false;
}

void TLessonViews::Refresh() {
  profile_->update();
  capacitance_->update();
}

int TLessonViews::CurvePosition(int curve) const {
  const std::vector<int> positions = positions_();
  if (positions.empty()) return 0;
  return positions[static_cast<std::size_t>(std::clamp(curve, 0, static_cast<int>(positions.size()) - 1))];
}

std::optional<TLessonViews::TPicked> TLessonViews::Pointed(const TCustomZephChart& chart,
                                                           const TChartPointer& pointer) const {
  if (!pointer.Position()) return std::nullopt;
  const QPointF mouse = *pointer.Position();
  const int layer = chart.CurrentLayer();
  const double mouse_y = chart.WorldToPixelF(layer, mouse.x(), mouse.y()).y();
  const std::vector<TChartCurve> curves = ChartCurves(chart);
  std::optional<TPicked> best;
  double best_distance = std::numeric_limits<double>::infinity();
  // On each curve the point nearest in x; of those, the one nearest the pointer on the screen.
  for (std::size_t c = 0; c < curves.size(); ++c) {
    const std::vector<QPointF>& points = curves[c].Points;
    const auto nearest = std::min_element(points.begin(), points.end(), [&](const QPointF& a, const QPointF& b) {
      return std::abs(a.x() - mouse.x()) < std::abs(b.x() - mouse.x());
    });
    const double distance = std::abs(chart.WorldToPixelF(layer, nearest->x(), nearest->y()).y() - mouse_y);
    if (distance < best_distance) {
      best_distance = distance;
      best = TPicked{*nearest, CurvePosition(static_cast<int>(c))};
    }
  }
  return best;
}

std::optional<TLessonViews::TPicked> TLessonViews::Explored(const TCustomZephChart& chart) const {
  // Shown with the chart's own point cursor, which only a focused chart draws.
  if (!chart.hasFocus()) return std::nullopt;
  const std::optional<QPointF> point = chart.Explorer()->CurrentPoint();
  if (!point) return std::nullopt;
  return TPicked{*point, CurvePosition(chart.Explorer()->CurveIndex())};
}

std::vector<TLegendLine> TLessonViews::Legend() const {
  const std::vector<int> positions = positions_();
  std::vector<TLegendLine> legend;
  if (positions.size() < 2) return legend;
  for (std::size_t i = 0; i < positions.size(); ++i)
    legend.push_back({ColorToQColor(i == 0 ? varactor::kCurveColor : TKeptCurves::Color(i - 1)),
                      ExponentText(positions[i], dictionary_())});
  return legend;
}

QString TLessonViews::Note(int curve, const std::optional<QString>& link) const {
  QStringList parts;
  if (positions_().size() > 1) parts.append(ExponentText(CurvePosition(curve), dictionary_()));
  if (link) parts.append(*link);
  return parts.join(QStringLiteral(", "));
}

QString TLessonViews::ProfileNote(int curve, const QPointF& point) const {
  return Note(curve, EdgeWords(CurvePosition(curve), point.x(), dictionary_()));
}

QString TLessonViews::CapacitanceNote(int curve, const QPointF& point) const {
  return Note(curve, WidthWords(CurvePosition(curve), point.x(), dictionary_()));
}

TReadout TLessonViews::ProfileReadout(const TPicked& picked, bool ring) const {
  QStringList lines{PointWords(*profile_, picked.point)};
  if (const std::optional<QString> edge = EdgeWords(picked.position, picked.point.x(), dictionary_()))
    lines.append(*edge);
  lines.append(ExponentText(picked.position, dictionary_()) + QStringLiteral(": ") +
               ProfileLaw(picked.position, dictionary_()));
  return {picked.point, lines, ring};
}

TReadout TLessonViews::CapacitanceReadout(const TPicked& picked, bool ring) const {
  return {picked.point,
          {PointWords(*capacitance_, picked.point), WidthWords(picked.position, picked.point.x(), dictionary_()),
           ExponentText(picked.position, dictionary_()) + QStringLiteral(": ") +
               CapacitanceLaw(picked.position, dictionary_())},
          ring};
}

TChartMarks TLessonViews::ProfileMarks() const {
  TChartMarks marks;
  marks.legend = Legend();
  const std::optional<TPicked> explored = Explored(*profile_);
  const std::optional<TPicked> pointed = Pointed(*profile_, *profile_pointer_);
  if (explored) marks.readouts.push_back(ProfileReadout(*explored, false));
  if (pointed) marks.readouts.push_back(ProfileReadout(*pointed, true));
  // A voltage pointed at or explored on the other chart opens the depletion layer to w.
  std::optional<TPicked> voltage = Pointed(*capacitance_, *capacitance_pointer_);
  if (!voltage) voltage = Explored(*capacitance_);
  if (voltage)
    marks.link = TLinkMark{varactor::DepletionWidth(voltage->position, voltage->point.x()), true, std::nullopt,
                           WidthWords(voltage->position, voltage->point.x(), dictionary_())};
  return marks;
}

TChartMarks TLessonViews::CapacitanceMarks() const {
  TChartMarks marks;
  marks.legend = Legend();
  const std::optional<TPicked> explored = Explored(*capacitance_);
  const std::optional<TPicked> pointed = Pointed(*capacitance_, *capacitance_pointer_);
  if (explored) marks.readouts.push_back(CapacitanceReadout(*explored, false));
  if (pointed) marks.readouts.push_back(CapacitanceReadout(*pointed, true));
  // A depth on the other chart: the voltage at which the depletion edge reaches it.
  std::optional<TPicked> depth = Pointed(*profile_, *profile_pointer_);
  if (!depth) depth = Explored(*profile_);
  if (depth) {
    if (const std::optional<double> voltage = varactor::VoltageAtDepth(depth->position, depth->point.x())) {
      const QPointF point(*voltage, varactor::JunctionCapacitance(depth->position, *voltage));
      marks.link = TLinkMark{*voltage, false, point, VoltageWords(*voltage, dictionary_())};
    }
  }
  return marks;
}
