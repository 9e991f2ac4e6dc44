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
#include "zeph/chart/render/dirtycolumns_p.h"
#include "zeph/chart/render/emptyarea_p.h"
#include "zeph/chart/render/pixelmap_p.h"
#include "zeph/chart/render/solidpolyline_p.h"
#include "zeph/chart/zephchart.h"

namespace zeph {

class TPenCache;

// What the accessibility and output folders, which build on the widget, do for it.
// Makes every chart answer with its accessible interface; installing again does nothing.
void InstallChartAccessibility();
// Tells the chart's accessible face that the explored point changed.
void ChartPointChanged(TCustomZephChart* chart);
// The chart's data as tab-separated text: a caption row, then the points of its current layer.
QString ChartDataTableText(const TCustomZephChart& chart);
// The curves in words, and the axes with them.
QString ChartCurveSummary(const TCustomZephChart& chart);
QString ChartCurveDescription(const TCustomZephChart& chart);
// Lays the chart out at the size and writes it as the file names it (an image, a PDF or an SVG).
void SaveChartAs(TCustomZephChart& chart, const QString& file_name, QSize size, qreal scale);

class TCustomZephChartPrivate final : public TChartAxesHost, public TChartInteractionHost {
 public:
  static constexpr int kLayerCount = TZephItemStore::kLayerCount;
  static constexpr int kCrossHairCount = TCustomZephChart::kCrossHairCount;
  static constexpr int kTextLabelCount = TCustomZephChart::kTextLabelCount;
  static constexpr int kPixelClamp = TCustomZephChart::kPixelClamp;

  explicit TCustomZephChartPrivate(TCustomZephChart* chart) : q(chart) {}

  // The widget these steps work for.
  TCustomZephChart* const q;
  // Every layer's x and y scale settings, and where the chart's parts lie.
  TLayerSettings layers_;
  TChartGeometry geometry_{layers_, [this] { return q->size(); }};
  TChartAxes axes_{layers_, geometry_, *this};
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

  // The steps of Paint(), RefreshDataArea() and PaintTo(), for subclasses that draw on their own
  // canvases.

  // Draws the parts of the control around the chart area onto \p canvas, the control image's
  // canvas: background, shadow, caption and scales.
  //
  // They are taken from the last paint when nothing they depend on changed. The scaling is
  // recomputed as well. Returns whether they were drawn anew rather than taken so.
  bool RenderBackground(TCanvas& canvas);
  // Background, shadow, caption and scales, drawn whatever the caches hold.
  //
  // Raises \c OnScalesRendered at the end. The scales draw on their external canvas, which is
  // the control image's unless PaintTo() gave them another.
  void DrawControlBackground(TCanvas& canvas);
  // Fills the chart area with its background on \p canvas: ChartColor() with a ChartFrameColor()
  // outline, or the BackGroundImg() picture by its fill mode.
  //
  // (\p x0, \p y0) is the top-left corner of the plain background; the picture is always drawn
  // from (0, 0). On the chart-area image's own canvas the image is first sized to ChartWidth() + 1
  // by ChartHeight() + 1. The boxes \p over (the grid's) are filled over it, on an image in the
  // same pass over its memory as a plain background.
  void ClearChartArea(TCanvas& canvas, int x0, int y0, const std::vector<TCanvas::ColorBox>& over = {});
  // Draws the BackGroundImg() picture by its fill mode on \p canvas over the w x h chart area at
  // (\p x0, \p y0); false where there is none (no file, or one that cannot be loaded, which is
  // then forgotten).
  bool DrawBackgroundPicture(TCanvas& canvas, int x0, int y0, int w, int h);
  // Draws the content of the chart area on \p canvas, whose origin is the chart area's top-left
  // pixel: raises \c OnBeforeRenderData, draws the grid, the visible items in list order and the
  // text labels, raises \c OnDataRendered and draws the frame.
  void RenderItems(TCanvas& canvas);
  // Draws the grid of GridStyle() on \p canvas, whose origin is the chart area's top-left pixel.
  void DrawGrid(TCanvas& canvas);
  // The lines of a grid of lines (of GridStyle(), solid or dotted) from pixel to pixel of the
  // chart area, the vertical ones first; none for other grids.
  std::vector<std::pair<QPoint, QPoint>> GridLines() const;
  // The one-pixel boxes a solid grid of GridLines() fills.
  std::vector<QRect> SolidGridBoxes() const;
  // Whether GridStyle() is a grid of solid lines.
  bool SolidGrid() const;
  // The \p boxes of SolidGridBoxes() in the grid colour, for \p canvas; on the chart area's own
  // canvas they are kept, so that the next rendering can take them away again.
  std::vector<TCanvas::ColorBox> SolidGridFill(const TCanvas& canvas, const std::vector<QRect>& boxes);
  // Sets the pen and brush of a solid grid on \p canvas.
  void SetSolidGridPen(TCanvas& canvas) const;
  // Draws the text labels that are switched on and whose layer is visible, label 20 first, on
  // \p canvas, whose origin is the chart area's top-left pixel.
  void DrawTextLabels(TCanvas& canvas);
  // Draws the switched-on cross-hairs across the chart area on \p canvas, whose origin lies at
  // control pixel (\p ox, \p oy); the canvas's pen colour, width and style are restored
  // afterwards.
  void DrawCrossHairs(TCanvas& canvas, int ox, int oy);

  template <typename... Args>
  void EmitUnlessLoading(void (TCustomZephChart::*signal)(Args...), Args... args) {
    if (!q->IsLoading()) (q->*signal)(args...);
  }

  // The legend: its lines, its box in control pixels (empty when hidden), drawing it on a canvas
  // whose origin lies at control pixel (ox, oy), and the line a control pixel hits (-1: none).
  std::vector<TLegendEntry> LegendEntries() const;
  QRect LegendRect(const std::vector<TLegendEntry>& entries, TCanvas& canvas) const;
  void DrawLegend(TCanvas& canvas, int ox, int oy);
  int LegendEntryAt(QPoint at);

  // Catches up with a resize Qt made while the widget was hidden (it sends no resize event then).
  void SyncSize();
  void CreateScales();
  // Repaints when AutoRedraw is on (or at design time); otherwise the next expose repaints.
  void RepaintIfAuto();
  // A change of anything the rendering depends on: the cached layers are rebuilt at the next paint.
  void Invalidate() {
    image_current_ = false;
    background_valid_ = false;
    area_base_valid_ = false;
  }
  // The steps after a change of size: isometric ranges, scale controls, scaling, repaint.
  void AfterResize();
  // Joins changed: every joined axis takes its controlling layer's range, and the chart repaints.
  void JoinsChanged();
  void RimsChanged();
  void ApplyIsometric();
  void UpdateMinimumSize();
  void ShowOnScreen(const QRect& rect);
  // Brings the images to the render ratio; a change leaves them to be drawn anew.
  void SyncRatio();
  // Copies a refreshed chart area into the control image, once, when the image is looked at.
  void ComposeControlImage();
  // Draws the chart area straight into the control image where nothing is drawn over it there
  // afterwards (no cross-hair, no legend), else into pixels of its own that are copied.
  void ShareChartArea();
  void RenderItem(TCanvas& canvas, const TZephChartItem& item, TPenCache& cache);
  // The whole chart onto someone else's canvas (a printer, a PDF, another image) at (x, y).
  void PaintTo(TCanvas& canvas, int x, int y);
  // The chart area from its background up: background, grid, items, labels, frame.
  void RenderChartArea(TCanvas& canvas);
  // The same, anti-aliased when the chart says so.
  void RenderSmoothedChartArea(TCanvas& area);
  // Items, text labels and frame over a prepared background and grid.
  void RenderData(TCanvas& canvas);
  // Starts a new record of the chart-area pixels a data rendering draws on.
  void ResetDirtyColumns();
  QPoint ItemPixel(int layer, double x, double y) const;
  // A point of a polyline in chart-area pixels: exact on a finer device, else the item's pixel.
  QPointF PolylinePixel(int layer, double x, double y, bool exact) const;
  // On an image of the scale, the device pixel a one-pixel line through a point covers with a
  // square pen brush pixels wide: the square's last pixel, as LineRasterizer's brush counts it.
  QPoint DevicePixel(int layer, double x, double y, qreal scale, int brush) const;
  // The same as a map in double precision, for many points.
  TPixelMap DevicePixelMap(int layer, qreal scale, int brush) const;
  // Where a pen at a chart-area pixel with fractions lies in the device pixels above.
  static QPoint DevicePen(QPointF pen, qreal scale, int brush);

  TColor chart_color_ = clWhite;
  TColor wind_color_ = clBtnFace;
  TColor chart_frame_color_ = clBlack;
  TColor grid_color_ = clBlack;
  TColor shadow_color_ = clGrayText;
  TColor shadow_bak_color_ = clBtnFace;
  QString caption_;
  int caption_pos_x_ = 0;
  int caption_pos_y_ = -16;
  TAlignment caption_alignment_ = taRightJustify;
  TCaptionAnchorHoriz caption_anchor_horiz_ = cahChartRight;
  TCaptionAnchorVert caption_anchor_vert_ = cavChartTop;
  TFont font_;
  TShadowStyle shadow_style_ = ssFlying;
  GridStyleType grid_style_ = gsNone;
  double grid_dx_ = 0;
  double grid_dy_ = 0;
  TFontStyles text_font_style_;
  TTextBkg text_bk_style_ = tbClear;
  TColor text_bk_color_ = clWhite;
  TAlignment text_alignment_ = taCenter;
  bool isometric_ = false;
  bool auto_redraw_ = true;
  TzcLayout standard_layout_ = zcl_X1Bottom_Y1Left;

  std::array<TCrossHair*, kCrossHairCount> cross_hairs_{};
  std::array<TTextLabel*, kTextLabelCount> text_labels_{};
  TBakGndImg* back_ground_img_ = nullptr;
  TCustomZephChart* use_data_of_ = nullptr;
  std::vector<TCustomZephChart*> data_users_;
  TChartExplorer* explorer_ = nullptr;
  TChartTexts texts_;

  TBitmap area_bmp_;
  TBitmap control_bmp_;
  TBitmap background_bmp_;
  // What the last full rendering left of the rims (background, shadow, caption, scales; the device
  // pixels of each rim as it lay in the control image) and of the empty chart area (background and
  // grid). Nothing of either changes between settings changes, so repaints reuse them; render
  // events or a background image file bypass them.
  std::array<QImage, 4> rim_cache_;
  std::array<QRect, 4> rim_cache_rects_;
  TEmptyArea area_base_;
  // What the last data rendering drew on top of area_base_.
  TDirtyColumns dirty_columns_;
  // The shapes dense curves came to, drawn again while nothing they depend on changed.
  TSolidPolylineCache solid_cache_;
  bool background_valid_ = false;
  // The rims are not in rim_cache_ yet: they are copied there at the next paint without a change.
  bool rims_pending_ = false;
  // The grid lines the last rendering drew on the chart area, as boxes, and what the area held
  // then: only the background, the frame, those boxes and what dirty_columns_ records (valid), in
  // these pixels and colours. A changed range then puts back the background where they lie
  // instead of filling the whole area.
  std::vector<QRect> grid_boxes_;
  bool drawn_area_valid_ = false;
  const uchar* drawn_area_bits_ = nullptr;
  QSize drawn_area_size_;
  TColor drawn_area_background_ = 0;
  TColor drawn_area_grid_ = 0;
  bool area_base_valid_ = false;
  // The empty area is not in area_base_ yet: it is copied there at the next paint without a change.
  bool area_base_pending_ = false;
  // ClearGraf's background, not painted yet: the next rendering paints the area anyway.
  bool area_clear_pending_ = false;
  int area_base_layer_ = 0;

  TChartLegend* legend_ = nullptr;
  bool antialiased_ = false;
  bool palette_colors_ = false;

  qreal render_ratio_ = 0;
  bool paint_suspended_ = true;
  bool applying_layout_ = false;
  bool image_current_ = false;
  bool area_pending_ = false;
  // Whether the area's rendering records what it draws on (TDirtyColumns) for the next one.
  bool record_area_drawing_ = true;
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
  TColor ShownColor(TColor own, QPalette::ColorRole role) const;
  void SetPaletteColors(bool value);
  void PaintControl();
  void RefreshDataArea();
  const QImage& ControlImage() const;
};

}  // namespace zeph
