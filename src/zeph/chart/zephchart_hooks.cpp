// What the widget's collaborators ask of it: their calls up to the widget, its events and its
// signals, each raised where the widget always raised it.
#include <utility>

#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

// ---- What the axes ask of the widget ----

void TCustomZephChartPrivate::CalcScaling() { q->CalcScaling(); }

void TCustomZephChartPrivate::AxesChanged() { Invalidate(); }

bool TCustomZephChartPrivate::Loading() const { return q->IsLoading(); }

TColor TCustomZephChartPrivate::ScaleTextColor() const { return q->ShownColor(clBlack, QPalette::WindowText); }

void TCustomZephChartPrivate::LayerRangeChanged(int layer) { Q_EMIT q->LayerRangeChanged(layer); }

// ---- What rendering asks of the widget ----

const QPalette& TCustomZephChartPrivate::Palette() const { return q->palette(); }

bool TCustomZephChartPrivate::DrawsOnScales() const { return q->OnScalesRendered || q->OnScaleTickDrawn; }

void TCustomZephChartPrivate::ScalesRendered(TCanvas& canvas) {
  if (q->OnScalesRendered) q->OnScalesRendered(q, canvas, 0, 0);
}

bool TCustomZephChartPrivate::DrawsUnderData() const { return static_cast<bool>(q->OnBeforeRenderData); }

void TCustomZephChartPrivate::BeforeRenderData(TCanvas& canvas) {
  q->OnBeforeRenderData(q, canvas, geometry_.TRim(), geometry_.LRim());
}

bool TCustomZephChartPrivate::DrawsOverData() const { return static_cast<bool>(q->OnDataRendered); }

void TCustomZephChartPrivate::AfterRenderData(TCanvas& canvas) {
  q->OnDataRendered(q, canvas, geometry_.TRim(), geometry_.LRim());
}

// ---- What the mouse and the keys ask of the widget ----

QWidget* TCustomZephChartPrivate::Widget() { return q; }

void TCustomZephChartPrivate::Paint() { q->Paint(); }

bool TCustomZephChartPrivate::SuspendPaint(bool suspend) { return std::exchange(paint_suspended_, suspend); }

void TCustomZephChartPrivate::SetLayerRange(int layer, long double x_low, long double y_low, long double x_high,
                                            long double y_high) {
  q->SetLayerRange(layer, x_low, y_low, x_high, y_high);
}

void TCustomZephChartPrivate::RestoreHomeView() { q->RestoreHomeView(); }

bool TCustomZephChartPrivate::Isometric() const { return isometric_; }

int TCustomZephChartPrivate::CurrentLayer() const { return q->CurrentLayer(); }

TCrossHair* TCustomZephChartPrivate::CrossHair(int index) const { return renderer_.Parts().CrossHair(index); }

TTextLabel* TCustomZephChartPrivate::TextLabel(int index) const { return renderer_.Parts().TextLabel(index); }

void TCustomZephChartPrivate::InvertRectangle(QPoint a, QPoint corner) {
  const QRect shown = renderer_.InvertRectangle(a, corner);
  if (!shown.isEmpty()) ShowOnScreen(shown);
}

bool TCustomZephChartPrivate::LegendClick(QPoint at, Qt::MouseButton button) {
  if (button != Qt::LeftButton) return false;
  const int i = renderer_.LegendEntryAt(at);
  if (i < 0) return false;
  const TLegendEntry entry = renderer_.LegendEntries()[static_cast<std::size_t>(i)];
  q->Curve(entry.CurveIndex).SetVisible(entry.Hidden);
  if (!q->IsLoading()) Q_EMIT q->Legend()->CurveToggled(entry.CurveIndex, entry.Hidden);
  return true;
}

void TCustomZephChartPrivate::MousePressed(Qt::MouseButton button, TShiftState shift, int x, int y) {
  if (q->OnMouseDown) q->OnMouseDown(q, button, shift, x, y);
}

void TCustomZephChartPrivate::MouseMoved(TShiftState shift, int x, int y) {
  if (q->OnMouseMove) q->OnMouseMove(q, shift, x, y);
}

void TCustomZephChartPrivate::MouseReleased(Qt::MouseButton button, TShiftState shift, int x, int y) {
  if (q->OnMouseUp) q->OnMouseUp(q, button, shift, x, y);
}

void TCustomZephChartPrivate::PointerMoved(bool in_chart, TShiftState shift, double x, double y) {
  if (q->OnMouseMoveInChart) q->OnMouseMoveInChart(q, in_chart, shift, x, y);
  Q_EMIT q->MouseMovedInChart(in_chart, x, y);
}

void TCustomZephChartPrivate::Clicked(Qt::MouseButton button, double x, double y, bool in_chart) {
  Q_EMIT q->MouseClicked(button, x, y, in_chart);
}

void TCustomZephChartPrivate::ZoomPanned() {
  if (q->OnZoomPan) q->OnZoomPan(q);
  Q_EMIT q->ZoomPanned();
}

void TCustomZephChartPrivate::CrossHairMoved(TCrossHair* cross_hair) {
  if (q->OnCrossHairMove) q->OnCrossHairMove(q, cross_hair);
  Q_EMIT q->CrossHairMoved(cross_hair);
}

void TCustomZephChartPrivate::TextLabelMoved(TTextLabel* label) {
  if (q->OnTextLabelMove) q->OnTextLabelMove(q, label);
  Q_EMIT q->TextLabelMoved(label);
}

}  // namespace zeph
