// Curve objects seen from the chart control: a visible change repaints like ShowGraf().
#include "zeph/chart/zephchart.h"

namespace zeph {

void TCustomZephChart::CurvesChanged() {
  image_current_ = false;
  if (ChartVisible() && auto_redraw_) RefreshDataArea();
  RepaintDataGroup();
}

}  // namespace zeph
