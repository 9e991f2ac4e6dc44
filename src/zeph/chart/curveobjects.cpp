// Curve objects seen from the chart control: a visible change repaints like ShowGraf().
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

void TCustomZephChart::CurvesChanged() {
  d_->image_current_ = false;
  if (ChartVisible() && d_->auto_redraw_) RefreshDataArea();
  RepaintDataGroup();
}

}  // namespace zeph
