#include "app/lesson/keptcurves.h"

#include <algorithm>
#include <array>

#include "app/varactormodel.h"
#include "zeph/chart/itemstore.h"

using namespace zeph;

namespace {

void AppendCurve(TZephItemStore& chart, const std::vector<varactor::CurvePoint>& curve) {
  chart.MoveTo(curve.front().x, curve.front().y);
  for (std::size_t i = 1; i < curve.size(); ++i) chart.DrawTo(curve[i].x, curve[i].y);
}

}  // namespace

void TKeptCurves::Keep(int position) {
  if (std::find(positions_.begin(), positions_.end(), position) != positions_.end()) return;
  if (positions_.size() == kMaxKept) positions_.erase(positions_.begin());
  positions_.push_back(position);
  emit Changed();
}

void TKeptCurves::Clear() {
  if (positions_.empty()) return;
  positions_.clear();
  emit Changed();
}

TColor TKeptCurves::Color(std::size_t index) {
  // Lighter than the current blue curve, and told apart from one another by hue.
  static const std::array<TColor, kMaxKept> colours{RGBColor(120, 150, 255), RGBColor(240, 120, 120),
                                                    RGBColor(90, 180, 90), RGBColor(200, 130, 230)};
  return colours[index % kMaxKept];
}

void TKeptCurves::AppendTo(TZephItemStore& capacitance_chart, TZephItemStore& profile_chart) const {
  if (positions_.empty()) return;
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    capacitance_chart.SetDataColor(Color(i));
    AppendCurve(capacitance_chart, varactor::CapacitanceCurve(positions_[i]));
    profile_chart.SetDataColor(Color(i));
    AppendCurve(profile_chart, varactor::ProfileCurve(positions_[i]));
  }
  capacitance_chart.ShowGraf();
  profile_chart.ShowGraf();
}
