#pragma once

#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <array>
#include <utility>
#include <vector>

#include "zeph/chart/axes/chartaxes_p.h"
#include "zeph/chart/axes/chartgeometry_p.h"
#include "zeph/chart/axes/layersettings_p.h"
#include "zeph/chart/bakgndimg.h"
#include "zeph/chart/chartlegend.h"
#include "zeph/chart/itemstore.h"
#include "zeph/chart/render/chartlook_p.h"
#include "zeph/chart/render/dirtycolumns_p.h"
#include "zeph/chart/render/emptyarea_p.h"
#include "zeph/chart/render/pixelmap_p.h"
#include "zeph/chart/render/solidpolyline_p.h"
#include "zeph/chart/textlabel.h"
#include "zeph/scales/crosshair.h"
#include "zeph/toolkit/tcanvas.h"

namespace zeph {

class TPenCache;

// What rendering asks of the widget: its mapping step, its palette, and the drawing events the
// application may handle, raised where the widget always raised them.
class TChartRenderHost {
 public:
  // The widget's mapping step, which subclasses may extend.
  virtual void CalcScaling() = 0;
  virtual const QPalette& Palette() const = 0;
  // Whether the application draws on the scales (after them or at each tick), and raising the
  // event after the scales.
  virtual bool DrawsOnScales() const = 0;
  virtual void ScalesRendered(TCanvas& canvas) = 0;
  // Whether the application draws under the data (before it), and raising that event.
  virtual bool DrawsUnderData() const = 0;
  virtual void BeforeRenderData(TCanvas& canvas) = 0;
  // Whether the application draws over the data (after it), and raising that event.
  virtual bool DrawsOverData() const = 0;
  virtual void AfterRenderData(TCanvas& canvas) = 0;

 protected:
  ~TChartRenderHost() = default;
};

// What the chart draws besides its data and scales: cross-hairs over it, text labels and legend
// with it, a picture under it. The widget creates them as its children.
struct TChartDecorations {
  std::array<TCrossHair*, kChartCrossHairCount> cross_hairs{};
  std::array<TTextLabel*, kChartTextLabelCount> text_labels{};
  TChartLegend* legend = nullptr;
  TBakGndImg* background_image = nullptr;

  // By number from 1; a number out of range names the first, as the widget's accessors do.
  TCrossHair* CrossHair(int index) const {
    return cross_hairs[static_cast<std::size_t>(index >= 1 && index <= kChartCrossHairCount ? index - 1 : 0)];
  }
  TTextLabel* TextLabel(int index) const {
    return text_labels[static_cast<std::size_t>(index >= 1 && index <= kChartTextLabelCount ? index - 1 : 0)];
  }
};

// The chart's pictures: the control image (rims, shadow, caption and scales around the chart
// area) and the chart-area image (background, grid, items, labels, frame), the caches that spare
// a repaint what did not change, and drawing the whole chart on someone else's canvas.
class TChartRenderer {
 public:
  static constexpr int kLayerCount = kChartLayerCount;
  static constexpr int kTextLabelCount = kChartTextLabelCount;
  static constexpr int kPixelClamp = kChartPixelClamp;

  TChartRenderer(const TChartLook& look, const TLayerSettings& layers, const TChartGeometry& geometry,
                 const TChartAxes& axes, const TZephItemStore& store, TChartRenderHost& host)
      : look_(look), layers_(layers), geometry_(geometry), axes_(axes), store_(store), host_(host) {}

  TChartDecorations& Parts() { return parts_; }
  const TChartDecorations& Parts() const { return parts_; }
  const TChartLook& Look() const { return look_; }
  const TChartGeometry& Geometry() const { return geometry_; }
  const TLayerSettings& Layers() const { return layers_; }
  const TZephItemStore& Store() const { return store_; }
  // The canvas of the control image, which the scale controls draw on.
  TCanvas& ControlCanvas() { return control_bmp_.Canvas(); }
  // The images at the control's size, before anything is drawn.
  void SizeImages();

  // ---- The state of the pictures ----
  // A change of anything the rendering depends on: the cached layers are rebuilt at the next paint.
  void Invalidate() {
    image_current_ = false;
    background_valid_ = false;
    area_base_valid_ = false;
  }
  // The data changed: the pictures are out of date, the caches still hold.
  void DataChanged() { image_current_ = false; }
  // Whether the control image shows the chart as it is (at this size and ratio).
  bool ImageCurrent() const { return image_current_; }
  bool Current(QSize size, qreal ratio) const;
  // Brings the images to the ratio; a change leaves them to be drawn anew.
  void SyncRatio(qreal ratio);
  qreal Ratio() const { return control_bmp_.Ratio(); }
  // Whether the chart area alone can be drawn anew: the rims were rendered at this size and ratio
  // and hold nothing that follows the data.
  bool AreaRefreshable(QSize size, qreal ratio) const;

  // ---- Rendering ----
  // Renders the control image: rims (or their cache), chart area, cross-hairs and legend.
  void RenderControl();
  // Renders the chart area alone, with the cross-hairs and legend over it; the control image
  // takes it when looked at.
  void RefreshArea();
  // Where the chart area lies in the control, in control pixels.
  QRect AreaRect() const;
  // The control image, with a refreshed chart area copied in.
  const QImage& ControlImage();
  // Copies a refreshed chart area into the control image, once, when the image is looked at.
  void ComposeControlImage();
  // The chart-area image, its background painted first when ClearGraf() left it due.
  const QImage& ChartAreaImage();
  // ClearGraf's background, not painted yet: the next rendering paints the area anyway.
  void ClearAreaLater() { area_clear_pending_ = true; }
  // The whole chart onto someone else's canvas (a printer, a PDF, another image) at (x, y).
  void PaintTo(TCanvas& canvas, int x, int y);
  // Draws (or, drawn again, erases) a rectangle in inverted pixels on the control image; returns
  // the pixels to show again.
  QRect InvertRectangle(QPoint a, QPoint corner);

  // ---- Legend ----
  // The legend's lines: the named curves, in order.
  std::vector<TLegendEntry> LegendEntries() const;
  // The line of the legend a control pixel hits; -1 for none.
  int LegendEntryAt(QPoint at);

  // ---- For the curve drawing ----
  // One of the chart's own colours as shown (the palette's with PaletteColors()).
  TColor ShownColor(TColor own, QPalette::ColorRole role) const;
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
  void RenderItem(TCanvas& canvas, const TZephChartItem& item, TPenCache& cache);

 private:
  // Draws the parts of the control around the chart area onto the control image's canvas:
  // background, shadow, caption and scales. They are taken from the last paint when nothing they
  // depend on changed; the scaling is recomputed as well. Returns whether they were drawn anew.
  bool RenderBackground(TCanvas& canvas);
  // Background, shadow, caption and scales, drawn whatever the caches hold. Raises
  // OnScalesRendered at the end. The scales draw on their external canvas, which is the control
  // image's unless PaintTo() gave them another.
  void DrawControlBackground(TCanvas& canvas);
  // Fills the chart area with its background on canvas: ChartColor() with a ChartFrameColor()
  // outline, or the BackGroundImg() picture by its fill mode. (x0, y0) is the top-left corner of
  // the plain background; the picture is always drawn from (0, 0). On the chart-area image's own
  // canvas the image is first sized to the chart area. The boxes over (the grid's) are filled over
  // it, on an image in the same pass over its memory as a plain background.
  void ClearChartArea(TCanvas& canvas, int x0, int y0, const std::vector<TCanvas::ColorBox>& over = {});
  // Draws the BackGroundImg() picture by its fill mode over the w x h chart area at (x0, y0);
  // false where there is none (no file, or one that cannot be loaded, which is then forgotten).
  bool DrawBackgroundPicture(TCanvas& canvas, int x0, int y0, int w, int h);
  // The content of the chart area on a canvas whose origin is its top-left pixel: raises
  // OnBeforeRenderData, draws the grid, the visible items in list order and the text labels,
  // raises OnDataRendered and draws the frame.
  void RenderItems(TCanvas& canvas);
  // The grid of GridStyle(), on a canvas whose origin is the chart area's top-left pixel.
  void DrawGrid(TCanvas& canvas);
  // The lines of a grid of lines (solid or dotted) from pixel to pixel of the chart area, the
  // vertical ones first; none for other grids.
  std::vector<std::pair<QPoint, QPoint>> GridLines() const;
  // The one-pixel boxes a solid grid of GridLines() fills.
  std::vector<QRect> SolidGridBoxes() const;
  // Whether GridStyle() is a grid of solid lines.
  bool SolidGrid() const;
  // The boxes of SolidGridBoxes() in the grid colour, for canvas; on the chart area's own canvas
  // they are kept, so that the next rendering can take them away again.
  std::vector<TCanvas::ColorBox> SolidGridFill(const TCanvas& canvas, const std::vector<QRect>& boxes);
  // Sets the pen and brush of a solid grid on canvas.
  void SetSolidGridPen(TCanvas& canvas) const;
  // The text labels that are switched on and whose layer is visible, label 20 first, on a canvas
  // whose origin is the chart area's top-left pixel.
  void DrawTextLabels(TCanvas& canvas);
  // The switched-on cross-hairs across the chart area on a canvas whose origin lies at control
  // pixel (ox, oy); the canvas's pen colour, width and style are restored afterwards.
  void DrawCrossHairs(TCanvas& canvas, int ox, int oy);
  // The legend's box in control pixels (empty when hidden), and the legend drawn on a canvas
  // whose origin lies at control pixel (ox, oy).
  QRect LegendRect(const std::vector<TLegendEntry>& entries, TCanvas& canvas) const;
  void DrawLegend(TCanvas& canvas, int ox, int oy);
  // Draws the chart area straight into the control image where nothing is drawn over it there
  // afterwards (no cross-hair, no legend), else into pixels of its own that are copied.
  void ShareChartArea();
  // The chart area from its background up: background, grid, items, labels, frame.
  void RenderChartArea(TCanvas& canvas);
  // The same, anti-aliased when the chart says so.
  void RenderSmoothedChartArea(TCanvas& area);
  // Items, text labels and frame over a prepared background and grid.
  void RenderData(TCanvas& canvas);
  // Starts a new record of the chart-area pixels a data rendering draws on.
  void ResetDirtyColumns();

  const TChartLook& look_;
  const TLayerSettings& layers_;
  const TChartGeometry& geometry_;
  const TChartAxes& axes_;
  const TZephItemStore& store_;
  TChartRenderHost& host_;
  TChartDecorations parts_;

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
  bool image_current_ = false;
  bool area_pending_ = false;
  // Whether the area's rendering records what it draws on (TDirtyColumns) for the next one.
  bool record_area_drawing_ = true;
};

}  // namespace zeph
