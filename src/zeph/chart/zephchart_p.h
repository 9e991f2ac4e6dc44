#pragma once

// The state and the private steps of TCustomZephChart, behind its d-pointer.
#include <QImage>
#include <QMouseEvent>
#include <QVariant>
#include <array>
#include <vector>

#include "zeph/chart/axes/chartaxes_p.h"
#include "zeph/chart/axes/chartgeometry_p.h"
#include "zeph/chart/axes/layersettings_p.h"
#include "zeph/chart/interaction/chartinteraction_p.h"
#include "zeph/chart/render/chartlook_p.h"
#include "zeph/chart/render/chartrenderer_p.h"
#include "zeph/chart/zephchart.h"

namespace zeph {

// What the accessibility and output folders, which build on the widget, do for it.
// Makes every chart answer with its accessible interface; installing again does nothing.
void InstallChartAccessibility();
// Tells the chart's accessible face that the explored point changed.
void ChartPointChanged(TCustomZephChart* chart);
// Says what just happened to assistive technology (see SetChartAnnouncer()).
void ChartAnnounce(TCustomZephChart* chart, const QString& words);
// The chart's data as tab-separated text: a caption row, then the points of its current layer.
QString ChartDataTableText(const TCustomZephChart& chart);
// The curves in words, and the axes with them.
QString ChartCurveSummary(const TCustomZephChart& chart);
QString ChartCurveDescription(const TCustomZephChart& chart);
// Lays the chart out at the size and writes it as the file names it (an image, a PDF or an SVG).
void SaveChartAs(TCustomZephChart& chart, const QString& file_name, QSize size, qreal scale);

class TCustomZephChartPrivate final : public TChartAxesHost, public TChartRenderHost, public TChartInteractionHost {
 public:
  static constexpr int kLayerCount = TZephItemStore::kLayerCount;
  static constexpr int kCrossHairCount = TCustomZephChart::kCrossHairCount;
  static constexpr int kTextLabelCount = TCustomZephChart::kTextLabelCount;

  explicit TCustomZephChartPrivate(TCustomZephChart* chart) : q(chart) {}

  // The widget these steps work for.
  TCustomZephChart* const q;
  // Every layer's x and y scale settings, and where the chart's parts lie.
  TLayerSettings layers_;
  TChartGeometry geometry_{layers_, [this] { return q->size(); }};
  // How the chart looks, as its properties set it.
  TChartLook look_;
  TChartAxes axes_{layers_, geometry_, *this};
  TChartRenderer renderer_{look_, layers_, geometry_, axes_, *q, *this};
  TChartInteraction interaction_{layers_, geometry_, axes_, *this};

  // What the axes ask of the widget.
  void CalcScaling() override;
  void AxesChanged() override;
  bool Loading() const override;
  TColor ScaleTextColor() const override;
  void LayerRangeChanged(int layer) override;
  // What the mouse and the keys ask of it.
  QWidget* Widget() override;
  void Paint() override;
  bool SuspendPaint(bool suspend) override;
  void SetLayerRange(int layer, long double x_low, long double y_low, long double x_high, long double y_high) override;
  void RestoreHomeView() override;
  bool Isometric() const override;
  int CurrentLayer() const override;
  TCrossHair* CrossHair(int index) const override;
  TTextLabel* TextLabel(int index) const override;
  void InvertRectangle(QPoint a, QPoint corner) override;
  bool LegendClick(QPoint at, Qt::MouseButton button) override;
  void MousePressed(Qt::MouseButton button, TShiftState shift, int x, int y) override;
  void MouseMoved(TShiftState shift, int x, int y) override;
  void MouseReleased(Qt::MouseButton button, TShiftState shift, int x, int y) override;
  void PointerMoved(bool in_chart, TShiftState shift, double x, double y) override;
  void Clicked(Qt::MouseButton button, double x, double y, bool in_chart) override;
  void ZoomPanned() override;
  void CrossHairMoved(TCrossHair* cross_hair) override;
  void TextLabelMoved(TTextLabel* label) override;

  // What rendering asks of it.
  const QPalette& Palette() const override;
  bool DrawsOnScales() const override;
  void ScalesRendered(TCanvas& canvas) override;
  bool DrawsUnderData() const override;
  void BeforeRenderData(TCanvas& canvas) override;
  bool DrawsOverData() const override;
  void AfterRenderData(TCanvas& canvas) override;

  template <typename... Args>
  void EmitUnlessLoading(void (TCustomZephChart::*signal)(Args...), Args... args) {
    if (!q->IsLoading()) (q->*signal)(args...);
  }

  // Catches up with a resize Qt made while the widget was hidden (it sends no resize event then).
  void SyncSize();
  void CreateScales();
  // Repaints when AutoRedraw is on (or at design time); otherwise the next expose repaints.
  void RepaintIfAuto();
  // A change of anything the rendering depends on: the cached layers are rebuilt at the next paint.
  void Invalidate() { renderer_.Invalidate(); }
  // The steps after a change of size: isometric ranges, scale controls, scaling, repaint.
  void AfterResize();
  // Joins changed: every joined axis takes its controlling layer's range, and the chart repaints.
  void JoinsChanged();
  void RimsChanged();
  void ApplyIsometric();
  void UpdateMinimumSize();
  void ShowOnScreen(const QRect& rect);
  // The whole chart onto someone else's canvas (a printer, a PDF, another image) at (x, y).
  void PaintTo(TCanvas& canvas, int x, int y);

  bool isometric_ = false;
  bool auto_redraw_ = true;
  TzcLayout standard_layout_ = zcl_X1Bottom_Y1Left;
  TCustomZephChart* use_data_of_ = nullptr;
  std::vector<TCustomZephChart*> data_users_;
  TChartExplorer* explorer_ = nullptr;
  TChartTexts texts_;

  qreal render_ratio_ = 0;
  bool paint_suspended_ = true;
  bool applying_layout_ = false;
  bool in_paint_event_ = false;
  QSize laid_out_size_;

  // The widget's operations, handed on here.
  void ApplyLayerRange(int layer, long double x_low, long double y_low, long double x_high, long double y_high);
  void BackToHomeView();
  void SetJointLayers(TJointLayers* value);
  void ScalePropsChanged(QObject* sender);
  void SetStandardLayout(TzcLayout value);
  void SetBounds(int left, int top, int width, int height);
  void SetIsometric(bool value);
  void PaintControl();
  void RefreshDataArea();
};

}  // namespace zeph
