// The widget's paints: when it renders (not while suspended, loading or hidden; after a resize
// made while hidden), what of the screen it shows again, and the signal that it rendered.
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

void TCustomZephChartPrivate::PaintControl() {
  if (paint_suspended_ || q->IsLoading() || (!q->ChartVisible() && !q->IsDesigning())) return;
  if (q->size() != laid_out_size_) {
    // A resize made while hidden is caught up first; its steps end in a paint of their own.
    AfterResize();
    if (renderer_.ImageCurrent()) return;
  }
  renderer_.SyncRatio(q->RenderRatio());
  renderer_.RenderControl();
  ShowOnScreen(q->rect());
  Q_EMIT q->DataRendered();
}

void TCustomZephChartPrivate::RefreshDataArea() {
  if (q->size() != laid_out_size_ || !renderer_.AreaRefreshable(q->size(), q->RenderRatio())) {
    // Nothing of the control was rendered at this size yet, or the rims show the data too: the
    // whole control is painted.
    q->Paint();
    return;
  }
  renderer_.RefreshArea();
  ShowOnScreen(renderer_.AreaRect());
  Q_EMIT q->DataRendered();
}

void TCustomZephChartPrivate::PaintTo(TCanvas& canvas, int x, int y) {
  if (canvas.IsActive() && q->size() != laid_out_size_) AfterResize();
  renderer_.PaintTo(canvas, x, y);
}

void TCustomZephChartPrivate::ShowOnScreen(const QRect& rect) {
  if (!in_paint_event_ && q->isVisible()) q->update(rect);
}

}  // namespace zeph
