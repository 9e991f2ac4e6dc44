#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "zeph/chart/bakgndimg.h"
#include "zeph/chart/chartenums.h"
#include "zeph/chart/dirtycolumns.h"
#include "zeph/chart/chartmouse.h"
#include "zeph/chart/itemstore.h"
#include "zeph/chart/jointlayers.h"
#include "zeph/chart/scaleprops.h"
#include "zeph/chart/solidpolyline.h"
#include "zeph/chart/textlabel.h"
#include "zeph/scales/crosshair.h"
#include "zeph/scales/scale.h"
#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/component.h"
#include "zeph/toolkit/tcanvas.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/tfont.h"
#include "zeph/toolkit/types.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

class TPenCache;

// Raised around the rendering of the data and after the scales, with the canvas drawn on and the
// amounts by which control coordinates exceed that canvas's coordinates. A handler may draw.
using TRenderEvent = std::function<void(QObject* Sender, TCanvas& Canvas, int Top, int Left)>;
// Raised for a key the chart receives (it takes the arrow keys and Tab).
using TKeyEvent = std::function<void(QObject* Sender, int Key, Qt::KeyboardModifiers Shift)>;

// The world-to-pixel mapping of one layer: px = KX * x + DX (ln x on a logarithmic axis), and
// likewise for y. Kept in extended precision.
struct ZEPH_CHART_EXPORT TLayerScaling {
  long double KX = 0;
  long double DX = 0;
  long double KY = 0;
  long double DY = 0;
};

// A chart control: a display list of items in world coordinates drawn into a chart area framed by
// rims, with a caption, a grid and up to sixteen layers, each mapped through its own x and y scale.
// All drawing goes into off-screen images synchronously, inside the call that asks for it; the
// paint event only copies the control image to the screen.
class ZEPH_CHART_EXPORT TCustomZephChart : public QWidget, public TComponentLoading, public TZephItemStore {
  Q_OBJECT

 public:
  static constexpr int kCrossHairCount = 4;
  static constexpr int kTextLabelCount = 20;
  // Item pixel coordinates are limited to this before drawing.
  static constexpr int kPixelClamp = 30000;
  // The dialog code the control answers: it wants the arrow keys (1) and Tab (2).
  static constexpr int kDialogCode = 3;

  explicit TCustomZephChart(QWidget* owner = nullptr);
  ~TCustomZephChart() override;

  // Display list (the data store's operations with painting added).
  // Paints the chart-area background into its image, then empties the list; the screen is not
  // touched.
  void ClearGraf() override;
  // Shows the list: a data-area refresh with AutoRedraw, else a full paint; nothing while hidden.
  void ShowGraf() override;
  // Appending the other item kinds, with the current colour, fill colour, pen style, line width,
  // class and layer.
  void Line(double x1, double y1, double x2, double y2);
  void Rectangle(double x1, double y1, double x2, double y2, bool transparent = false);
  void FramedRect(double x1, double y1, double x2, double y2, TFrameStyle frame_style, TColor color2,
                  TColor color3);
  // A bar with a visible top and side, receding depth pixels at angle degrees.
  void Bar3D(double x1, double y1, double x2, double y2, int depth, int angle);
  // A text of at most 17 characters (in Windows-1252) of the given point size, centred vertically.
  void Text(double x, double y, const QString& text, int size);
  void Ellipse(double x, double y, double radius_x, double radius_y, bool transparent = false);
  // Moves or draws by a pixel offset from the current pen position.
  void MoveRel(double dx, double dy);
  void DrawRel(double dx, double dy);
  // An arrow from the tail to the head; a head of head_size pixels, open or filled.
  void Arrow(double x1, double y1, double x2, double y2, int head_size, bool open_head = false);
  void Mark(double x, double y, int mark_type);

  // Geometry.
  int LRim() const { return l_rim_; }
  void SetLRim(int value);
  int RRim() const { return r_rim_; }
  void SetRRim(int value);
  int TRim() const { return t_rim_; }
  void SetTRim(int value);
  int BRim() const { return b_rim_; }
  void SetBRim(int value);
  int ShadowWidth() const { return shadow_width_; }
  // Clamped to 0..32.
  void SetShadowWidth(int value);
  // Chart-area width and height (the area spans one pixel more, the frame lies on its ends).
  int ChartWidth() const { return width() - l_rim_ - r_rim_ - shadow_width_; }
  int ChartHeight() const { return height() - t_rim_ - b_rim_ - shadow_width_; }
  // Moves and sizes the control, at least 80 x 20 pixels of chart area; every resize of the widget
  // goes through the same steps.
  void SetBounds(int left, int top, int width, int height);
  int MinimumControlWidth() const { return l_rim_ + r_rim_ + shadow_width_ + 80; }
  int MinimumControlHeight() const { return t_rim_ + b_rim_ + shadow_width_ + 20; }

  // Mapping between world coordinates of a layer (clamped to 1..16) and control pixels.
  virtual void CalcScaling();
  QPoint WorldToPixel(int layer, double x, double y) const;
  void WorldToPixel(int layer, double x, double y, int& px, int& py) const;
  void PixelToWorld(int layer, int px, int py, double& x, double& y) const;
  // The control position before rounding to a pixel, for devices finer than the pixels.
  QPointF WorldToPixelF(int layer, double x, double y) const;
  const TLayerScaling& LayerScaling(int layer) const { return scaling_[ClampedLayerIndex(layer)]; }

  // Colours.
  TColor ChartColor() const { return chart_color_; }
  void SetChartColor(TColor value);
  TColor WindColor() const { return wind_color_; }
  void SetWindColor(TColor value);
  TColor ChartFrameColor() const { return chart_frame_color_; }
  void SetChartFrameColor(TColor value);
  TColor GridColor() const { return grid_color_; }
  void SetGridColor(TColor value);
  TColor ShadowColor() const { return shadow_color_; }
  void SetShadowColor(TColor value);
  TColor ShadowBakColor() const { return shadow_bak_color_; }
  void SetShadowBakColor(TColor value);

  // Title.
  QString Caption() const { return caption_; }
  void SetCaption(const QString& value);
  int CaptionPosX() const { return caption_pos_x_; }
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return caption_pos_y_; }
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return caption_alignment_; }
  void SetCaptionAlignment(TAlignment value);
  TCaptionAnchorHoriz CaptionAnchorHoriz() const { return caption_anchor_horiz_; }
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz value);
  TCaptionAnchorVert CaptionAnchorVert() const { return caption_anchor_vert_; }
  void SetCaptionAnchorVert(TCaptionAnchorVert value);
  // The point the caption is placed at, before its alignment.
  QPoint CaptionAnchorPoint() const;
  // The font of the caption; text labels start with a copy of it.
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value);

  // Shadow and grid.
  TShadowStyle ShadowStyle() const { return shadow_style_; }
  void SetShadowStyle(TShadowStyle value);
  GridStyleType GridStyle() const { return grid_style_; }
  void SetGridStyle(GridStyleType value);
  double GridDx() const { return grid_dx_; }
  // Values below -3 are ignored.
  void SetGridDx(double value);
  double GridDy() const { return grid_dy_; }
  void SetGridDy(double value);

  // Text items.
  TFontStyles TextFontStyle() const { return text_font_style_; }
  void SetTextFontStyle(TFontStyles value);
  TTextBkg TextBkStyle() const { return text_bk_style_; }
  void SetTextBkStyle(TTextBkg value);
  TColor TextBkColor() const { return text_bk_color_; }
  void SetTextBkColor(TColor value);
  TAlignment TextAlignment() const { return text_alignment_; }
  void SetTextAlignment(TAlignment value);

  bool Isometric() const { return isometric_; }
  // Switching it on fits every layer's y range to its x range at the screen's pixel aspect.
  void SetIsometric(bool value);
  bool AutoRedraw() const { return auto_redraw_; }
  void SetAutoRedraw(bool value) { auto_redraw_ = value; }

  // Scale settings: layers 1 to 16; an index outside gives layer 1.
  TScalePropsHoriz* ScaleX(int layer) const { return scale_props_x_[LayerIndex(layer)]; }
  TScalePropsVert* ScaleY(int layer) const { return scale_props_y_[LayerIndex(layer)]; }
  TScalePropsHoriz* Scale1X() const { return ScaleX(1); }
  TScalePropsHoriz* Scale2X() const { return ScaleX(2); }
  TScalePropsHoriz* Scale3X() const { return ScaleX(3); }
  TScalePropsHoriz* Scale4X() const { return ScaleX(4); }
  TScalePropsVert* Scale1Y() const { return ScaleY(1); }
  TScalePropsVert* Scale2Y() const { return ScaleY(2); }
  TScalePropsVert* Scale3Y() const { return ScaleY(3); }
  TScalePropsVert* Scale4Y() const { return ScaleY(4); }
  // The scale controls that draw the axes of a layer; the chart keeps them in step with the
  // settings above, so they are read-only to others.
  const TScale* ScaleControlX(int layer) const { return scales_x_[LayerIndex(layer)]; }
  const TScale* ScaleControlY(int layer) const { return scales_y_[LayerIndex(layer)]; }
  // Copies the settings into the scale control and places its axis beside the chart area.
  void ApplyScaleProps(TScale* scale, const TScaleProps* props);
  // Handler of every change of scale settings: applies all of them and repaints.
  void ScalePropsChanged(QObject* sender);
  TzcLayout StandardLayout() const { return standard_layout_; }
  // Sets rims, caption position and the first four scales of both axes from a fixed layout.
  void SetStandardLayout(TzcLayout value);

  // Cross-hairs 1 to 4, text labels 1 to 20 (an index outside gives the first).
  TCrossHair* CrossHair(int index) const;
  TCrossHair* CrossHair1() const { return CrossHair(1); }
  TCrossHair* CrossHair2() const { return CrossHair(2); }
  TCrossHair* CrossHair3() const { return CrossHair(3); }
  TCrossHair* CrossHair4() const { return CrossHair(4); }
  TTextLabel* TextLabel(int index) const;
  TBakGndImg* BackGroundImg() const { return back_ground_img_; }

  // Layer joining: which layer's range each layer's x and y axis follows.
  TJointLayers* JointLayers() const { return joint_layers_; }
  // Copies the joins of another TJointLayers; the joined axes take their ranges at once.
  void SetJointLayers(TJointLayers* value);
  // Sets a layer's ranges (an axis joined to another layer keeps its range), then the ranges of
  // the axes joined to it; paints once unless painting is suspended. Layers outside 1..16 are
  // ignored, and so is a range that is no finite number.
  void SetLayerRange(int layer, long double x_low, long double y_low, long double x_high, long double y_high);

  // Data sharing: this chart displays the item list of the owner chart; at most four users per
  // owner, and an owner cannot use another chart's data. Refusals are shown in an information
  // message. A user set to none, or left by an owner that is destroyed, keeps showing the list it
  // showed, as a list of its own.
  static constexpr int kMaxDataUsers = 4;
  TCustomZephChart* UseDataOf() const { return use_data_of_; }
  void SetUseDataOf(TCustomZephChart* value);
  int DataUserCount() const { return static_cast<int>(data_users_.size()); }
  // The charts displaying this chart's data, in the order they joined (index from 0).
  TCustomZephChart* DataUser(int index) const;
  // Shows the refusals instead of the information message box when set (tests).
  static std::function<void(QWidget* parent, const QString& text)>& InfoMessageHook();

  // Mouse interaction.
  TMouseActMode MouseAction() const { return mouse_.action; }
  void SetMouseAction(TMouseActMode value);
  // While true the chart never shows a cursor of its mode.
  bool MouseCursorFixed() const { return mouse_.cursor_fixed; }
  void SetMouseCursorFixed(bool value) { mouse_.cursor_fixed = value; }
  // Whether a layer follows panning and zooming (layer 1 only, unless changed).
  bool MouseZoomLayer(int layer) const;
  void SetMouseZoomLayer(int layer, bool value);
  // Whether a control pixel lies in the chart area, its frame included.
  bool InChartArea(int x, int y) const;
  bool ZoomWindowActive() const { return mouse_.zoom_window; }
  int SelectedCrossHair() const { return mouse_.selected_cross_hair; }
  int SelectedTextLabel() const { return mouse_.selected_text_label; }

  // Painting. Paint renders the whole control (background, shadow, caption, scales, chart area,
  // cross-hairs); nothing happens while painting is suspended, while loading or while hidden.
  virtual void Paint();
  // The chart area alone: background, grid, items, labels, frame and cross-hairs.
  void RefreshDataArea();
  // Draws the whole control onto another canvas with its top-left corner at (x, y), for printing
  // or a PDF: everything is drawn anew, with lines and text instead of bitmaps where it can be.
  // On a plain image it gives the pixels of the control's own image.
  void PaintTo(TCanvas& canvas, int x, int y);
  // Device pixels per pixel of the control that its images hold: the screen's device pixel ratio,
  // unless a ratio was set (0 follows the screen again). Every geometry of the drawing grows by it
  // and text is laid out at the device's resolution; the control's coordinates stay as they are.
  qreal RenderRatio() const;
  void SetRenderRatio(qreal ratio);
  bool PaintSuspended() const { return paint_suspended_; }
  void SetPaintSuspended(bool value) { paint_suspended_ = value; }
  // Whether the control is shown or would be with its parent (not hidden on purpose).
  bool ChartVisible() const;
  // What the screen shows: the control image, and the chart-area image of the last rendering.
  const QImage& ControlImage() const;
  // (A background that ClearGraf left pending is painted first.)
  const QImage& ChartAreaImage();
  int DialogCode() const { return kDialogCode; }
  // In words, for assistive technology: the current layer's axes with their ranges, and the first
  // and the last point of its curve ("C [pF] from 8.10 at U 0.100 V to 2.21 at 10.0 V").
  QString CurveDescription() const;

  // Events.
  TRenderEvent OnBeforeRenderData;
  TRenderEvent OnDataRendered;
  TRenderEvent OnScalesRendered;
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TKeyEvent OnKeyDown;
  TChartMouseEvent OnMouseDown;
  TChartMouseMoveEvent OnMouseMove;
  TChartMouseEvent OnMouseUp;
  TMouseMoveInChartEvent OnMouseMoveInChart;
  TZoomPanEvent OnZoomPan;
  TCrossHairMoveEvent OnCrossHairMove;
  TTextLabelMoveEvent OnTextLabelMove;

 protected:
  void Loaded() override;
  void ItemListChanged() override;

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

  // Rendering steps.
  void RenderBackground(TCanvas& canvas);
  // Background, shadow, caption and scales, drawn whatever the caches hold.
  void DrawControlBackground(TCanvas& canvas);
  // The parts of the control around the chart area: top, bottom, left and right.
  std::array<QRect, 4> RimRects() const;
  void ClearChartArea(TCanvas& canvas, int x0, int y0);
  void RenderItems(TCanvas& canvas);
  void DrawGrid(TCanvas& canvas);
  void DrawTextLabels(TCanvas& canvas);
  void DrawCrossHairs(TCanvas& canvas, int ox, int oy);

 private:
  friend class TJointLayers;

  // Layer ranges: the store step of one layer, the ranges its joins give it, and those of all
  // joined axes copied into their settings.
  void StoreLayerRanges(int layer, double x_low, double y_low, double x_high, double y_high);
  void StoreJoinedRanges(int layer);
  void CopyJoinedRanges();

  // Data sharing.
  void ShowInfoMessage(const QString& text);
  void LeaveOwner();
  void StopUsingData();
  void LeaveDataGroup();
  // After every change of the list: the whole group holds the same list and repaints it.
  void ShareItemList();
  void RepaintDataGroup();

  // Mouse interaction.
  void MouseDown(Qt::MouseButton button, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(Qt::MouseButton button);
  void DragMove(TShiftState shift, int x, int y);
  void CaptureDrag(int x, int y);
  void PanStep(int x, int y);
  void ZoomDragStep(int x, int y);
  void CrossHairStep(int x, int y);
  void TextLabelStep(int x, int y);
  int NearestCrossHair(int x, int y) const;
  int NearestTextLabel(int x, int y) const;
  QPoint TextLabelPixel(const TTextLabel* label) const;
  void ZoomWindowMove(int x, int y);
  // Draws (or, drawn again, erases) the zoom window from the anchor to the corner.
  void DrawZoomWindow(QPoint corner);
  void ZoomToWindow();
  void ApplyCursorRule(int x, int y);
  // Range changes of pan and zoom steps paint once at the end and then report OnZoomPan.
  bool BeginRangeBatch();
  void EndRangeBatch(bool suspended);

  static std::size_t LayerIndex(int layer) {
    return static_cast<std::size_t>(layer >= 1 && layer <= kLayerCount ? layer - 1 : 0);
  }
  static std::size_t ClampedLayerIndex(int layer) { return static_cast<std::size_t>(std::clamp(layer, 1, kLayerCount) - 1); }
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
  // Re-applies every layer's scale settings and sizes and places all scale controls.
  void LayoutScales();
  void PlaceScaleControl(TScale* scale, bool horizontal);
  void RimsChanged();
  void ApplyIsometric();
  void UpdateMinimumSize();
  void ShowOnScreen(const QRect& rect);
  // Brings the images to the render ratio; a change leaves them to be drawn anew.
  void SyncRatio();
  // Copies a refreshed chart area into the control image, once, when the image is looked at.
  void ComposeControlImage();
  void RenderItem(TCanvas& canvas, const TZephChartItem& item, TPenCache& cache);
  // The chart area from its background up: background, grid, items, labels, frame.
  void RenderChartArea(TCanvas& canvas);
  // Items, text labels and frame over a prepared background and grid.
  void RenderData(TCanvas& canvas);
  QPoint ItemPixel(int layer, double x, double y) const;
  // A point of a polyline in chart-area pixels: exact on a finer device, else the item's pixel.
  QPointF PolylinePixel(int layer, double x, double y, bool exact) const;
  void WorldToPixelExact(int layer, double x, double y, long double& px, long double& py) const;

  int l_rim_ = 50;
  int r_rim_ = 10;
  int t_rim_ = 16;
  int b_rim_ = 32;
  int shadow_width_ = 0;
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

  std::array<TLayerScaling, kLayerCount> scaling_{};
  std::array<TScalePropsHoriz*, kLayerCount> scale_props_x_{};
  std::array<TScalePropsVert*, kLayerCount> scale_props_y_{};
  std::array<TScale*, kLayerCount> scales_x_{};
  std::array<TScale*, kLayerCount> scales_y_{};
  std::array<TCrossHair*, kCrossHairCount> cross_hairs_{};
  std::array<TTextLabel*, kTextLabelCount> text_labels_{};
  TBakGndImg* back_ground_img_ = nullptr;
  TJointLayers* joint_layers_ = nullptr;
  TCustomZephChart* use_data_of_ = nullptr;
  std::vector<TCustomZephChart*> data_users_;
  TChartMouseState mouse_;

  TBitmap area_bmp_;
  TBitmap control_bmp_;
  TBitmap background_bmp_;
  // What the last full rendering left of the rims (background, shadow, caption, scales) and of the
  // empty chart area (background and grid). Nothing of either changes between settings changes,
  // so repaints reuse them; render events or a background image file bypass them.
  TBitmap background_cache_;
  TBitmap area_base_;
  // What the last data rendering drew on top of area_base_.
  DirtyColumns dirty_columns_;
  // The shapes dense curves came to, drawn again while nothing they depend on changed.
  TSolidPolylineCache solid_cache_;
  bool background_valid_ = false;
  bool area_base_valid_ = false;
  // ClearGraf's background, not painted yet: the next rendering paints the area anyway.
  bool area_clear_pending_ = false;
  int area_base_layer_ = 0;
  // Pixel aspect of the screen, for the isometric rule.
  int aspect_x_ = 1;
  int aspect_y_ = 1;

  qreal render_ratio_ = 0;
  bool paint_suspended_ = true;
  bool applying_layout_ = false;
  bool image_current_ = false;
  bool area_pending_ = false;
  bool in_paint_event_ = false;
  QSize laid_out_size_;
};

// The chart control as forms place it, with its properties published.
class ZEPH_CHART_EXPORT TZephChart : public TCustomZephChart {
  Q_OBJECT
  Q_PROPERTY(int AllocSize READ AllocSize WRITE SetAllocSize)
  Q_PROPERTY(bool AutoRedraw READ AutoRedraw WRITE SetAutoRedraw)
  Q_PROPERTY(TColor DataColor READ DataColor WRITE SetDataColor)
  Q_PROPERTY(TPenStyle PenStyle READ PenStyle WRITE SetPenStyle)
  Q_PROPERTY(int LineWidth READ LineWidth WRITE SetLineWidth)
  Q_PROPERTY(int ClassDefault READ ClassDefault WRITE SetClassDefault)
  Q_PROPERTY(TColor FillColor READ FillColor WRITE SetFillColor)
  Q_PROPERTY(int LRim READ LRim WRITE SetLRim)
  Q_PROPERTY(int RRim READ RRim WRITE SetRRim)
  Q_PROPERTY(int TRim READ TRim WRITE SetTRim)
  Q_PROPERTY(int BRim READ BRim WRITE SetBRim)
  Q_PROPERTY(int ShadowWidth READ ShadowWidth WRITE SetShadowWidth)
  Q_PROPERTY(TColor ChartColor READ ChartColor WRITE SetChartColor)
  Q_PROPERTY(TColor WindColor READ WindColor WRITE SetWindColor)
  Q_PROPERTY(TColor ChartFrameColor READ ChartFrameColor WRITE SetChartFrameColor)
  Q_PROPERTY(TColor GridColor READ GridColor WRITE SetGridColor)
  Q_PROPERTY(TColor ShadowColor READ ShadowColor WRITE SetShadowColor)
  Q_PROPERTY(TColor ShadowBakColor READ ShadowBakColor WRITE SetShadowBakColor)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
  Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
  Q_PROPERTY(TAlignment CaptionAlignment READ CaptionAlignment WRITE SetCaptionAlignment)
  Q_PROPERTY(ChartEnums::TCaptionAnchorHoriz CaptionAnchorHoriz READ CaptionAnchorHoriz WRITE SetCaptionAnchorHoriz)
  Q_PROPERTY(ChartEnums::TCaptionAnchorVert CaptionAnchorVert READ CaptionAnchorVert WRITE SetCaptionAnchorVert)
  Q_PROPERTY(TFont Font READ Font WRITE SetFont)
  Q_PROPERTY(ZephEnums::TShadowStyle ShadowStyle READ ShadowStyle WRITE SetShadowStyle)
  Q_PROPERTY(ChartEnums::GridStyleType GridStyle READ GridStyle WRITE SetGridStyle)
  Q_PROPERTY(double GridDx READ GridDx WRITE SetGridDx)
  Q_PROPERTY(double GridDy READ GridDy WRITE SetGridDy)
  Q_PROPERTY(TFontStyles TextFontStyle READ TextFontStyle WRITE SetTextFontStyle)
  Q_PROPERTY(ChartEnums::TTextBkg TextBkStyle READ TextBkStyle WRITE SetTextBkStyle)
  Q_PROPERTY(TColor TextBkColor READ TextBkColor WRITE SetTextBkColor)
  Q_PROPERTY(TAlignment TextAlignment READ TextAlignment WRITE SetTextAlignment)
  Q_PROPERTY(bool Isometric READ Isometric WRITE SetIsometric)
  Q_PROPERTY(ChartEnums::TzcLayout StandardLayout READ StandardLayout WRITE SetStandardLayout)
  Q_PROPERTY(QObject* BackGroundImg READ BackGroundImg)
  Q_PROPERTY(QObject* Scale1X READ Scale1X)
  Q_PROPERTY(QObject* Scale2X READ Scale2X)
  Q_PROPERTY(QObject* Scale3X READ Scale3X)
  Q_PROPERTY(QObject* Scale4X READ Scale4X)
  Q_PROPERTY(QObject* Scale1Y READ Scale1Y)
  Q_PROPERTY(QObject* Scale2Y READ Scale2Y)
  Q_PROPERTY(QObject* Scale3Y READ Scale3Y)
  Q_PROPERTY(QObject* Scale4Y READ Scale4Y)
  Q_PROPERTY(QObject* CrossHair1 READ CrossHair1)
  Q_PROPERTY(QObject* CrossHair2 READ CrossHair2)
  Q_PROPERTY(QObject* CrossHair3 READ CrossHair3)
  Q_PROPERTY(QObject* CrossHair4 READ CrossHair4)
  Q_PROPERTY(TJointLayers* JointLayers READ JointLayers WRITE SetJointLayers)
  Q_PROPERTY(TCustomZephChart* UseDataOf READ UseDataOf WRITE SetUseDataOf)
  Q_PROPERTY(ZephEnums::TMouseActMode MouseAction READ MouseAction WRITE SetMouseAction)
  Q_PROPERTY(bool MouseCursorFixed READ MouseCursorFixed WRITE SetMouseCursorFixed)

 public:
  explicit TZephChart(QWidget* owner = nullptr) : TCustomZephChart(owner) {}
};

}  // namespace zeph
