#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "zeph/chart/bakgndimg.h"
#include "zeph/chart/chartenums.h"
#include "zeph/chart/chartexplorer.h"
#include "zeph/chart/chartlegend.h"
#include "zeph/chart/charttexts.h"
#include "zeph/chart/chartmouse.h"
#include "zeph/chart/chartnavigation.h"
#include "zeph/chart/itemstore.h"
#include "zeph/chart/jointlayers.h"
#include "zeph/chart/layerscaling.h"
#include "zeph/chart/scaleprops.h"
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

class TCustomZephChartPrivate;

/// Handler type of the chart's render events \c OnBeforeRenderData, \c OnDataRendered and
/// \c OnScalesRendered.
///
/// Raised around the rendering of the data and after the scales, with the canvas drawn on and the
/// amounts by which control coordinates exceed that canvas's coordinates: \c Sender is the chart,
/// \c Canvas the canvas being drawn on (one of the chart's off-screen images, or the canvas given to
/// TCustomZephChart::PaintTo()), and a control pixel (x, y) lies at (x - \c Left, y - \c Top) on
/// that canvas. A handler may draw on the canvas.
using TRenderEvent = std::function<void(QObject* Sender, TCanvas& Canvas, int Top, int Left)>;
/// Handler type of \c OnKeyDown: raised for a key the chart receives (it takes the arrow keys and
/// Tab).
///
/// \c Sender is the chart, \c Key the key's \c Qt::Key code and \c Shift the keyboard modifiers
/// held. A handler that sets \c Key to 0 takes the key: the chart does nothing more with it. A
/// handler taking \c Key by value compiles as well and leaves every key to the chart.
using TKeyEvent = std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)>;

/// A chart control: a display list of items in world coordinates drawn into a chart area framed by
/// rims, with a caption, a grid and up to sixteen layers, each mapped through its own x and y scale.
///
/// This is the base class of TZephChart, which publishes the properties; place a TZephChart in
/// forms. The members documented here are the same on both.
///
/// <b>Display list.</b> The chart keeps what it shows as a list of items (the data half comes from
/// TZephItemStore): empty it with ClearGraf(), set the drawing attributes (\c DataColor,
/// \c PenStyle, \c LineWidth, \c FillColor, \c ClassDefault, \c CurrentLayer), append items with
/// \c MoveTo, \c DrawTo and the other item functions, and show the list with ShowGraf(). Every
/// rendering maps the items anew through the scales of their layers, so a change of a range or of
/// the control's size never needs the data again.
///
/// <b>Geometry.</b> The control is divided into rims (LRim(), TRim(), RRim(), BRim()), which hold
/// the caption and the scales, an optional drop shadow of ShadowWidth() pixels along the right and
/// bottom edges, and the chart area, ChartWidth() + 1 by ChartHeight() + 1 pixels, whose outermost
/// pixels carry the frame.
///
/// <b>Layers.</b> Each of the sixteen layers (numbered 1 to 16) has x and y scale settings
/// (ScaleX(), ScaleY()) with ranges, and a pair of scale controls that draw its axes. Items,
/// cross-hairs and text labels name the layer whose scales map them. Layers can follow one
/// another's ranges (JointLayers()), and up to five charts can show one display list
/// (SetUseDataOf()).
///
/// <b>Painting.</b> All drawing goes into off-screen images synchronously, inside the call that asks
/// for it; the paint event only copies the control image to the screen, so ControlImage() holds
/// the result as soon as the call returns. A property setter stores the value and repaints the
/// whole control when AutoRedraw() is true; otherwise the change shows at the next paint. A change
/// of scale settings always repaints. Parts that did not change (the rims with caption and scales,
/// the empty chart area with its grid) are kept between paints and reused.
///
/// <b>Qt integration.</b> Beside its \c On... events (single \c std::function handlers, which stay
/// as they are) the chart raises Qt signals that any number of slots may share: LayerRangeChanged()
/// for every range change whatever its cause, MouseClicked() and MouseMovedInChart() in world
/// coordinates, CrossHairMoved(), TextLabelMoved(), ZoomPanned(), DataRendered() and
/// ScaleSettingsChanged(); the properties that change at run time have NOTIFY signals, and so
/// do the option objects (TScaleProps::PropertiesChanged(), TCrossHair::PropertiesChanged(),
/// TTextLabel::PropertiesChanged()). Each signal follows the event it mirrors, once per change,
/// and none is raised while the chart loads from a stored form. Every colour setter also takes a
/// QColor or a Qt colour name (\c Qt::red), every font setter a QFont; TFont converts to QFont
/// and ColorToQColor() turns a TColor into a QColor. SetNavigation() switches on wheel zoom,
/// panning, zoom windows, the home view and keys in one call; Legend() lists the named curve
/// objects; SetAntialiased() smooths the drawing and SetPaletteColors() follows the desktop's
/// theme.
///
/// The chart's functions raise no exceptions of their own beyond failed memory allocations (the
/// layer-joining settings of JointLayers() raise EZephChartError on misuse); exceptions thrown by
/// event handlers pass through to the caller of the function that raised the event.
///
/// \see \ref page_items, \ref page_layers, \ref page_mouse, \ref page_joining
class ZEPH_CHART_EXPORT TCustomZephChart : public QWidget, public TComponentLoading, public TZephItemStore {
  Q_OBJECT

 public:
  /// Number of cross-hairs of a chart: CrossHair(1) to CrossHair(4).
  static constexpr int kCrossHairCount = kChartCrossHairCount;
  /// Number of text labels of a chart: TextLabel(1) to TextLabel(20).
  static constexpr int kTextLabelCount = kChartTextLabelCount;
  /// Item pixel coordinates are limited to this before drawing.
  ///
  /// An item far outside the range is drawn with each of its pixel coordinates clamped to
  /// -30000..30000.
  static constexpr int kPixelClamp = kChartPixelClamp;
  /// The dialog code the control answers: it wants the arrow keys (1) and Tab (2).
  ///
  /// The chart sees these keys first and reports them through \c OnKeyDown; Tab and Backtab that
  /// the handler leaves alone then move the focus on, as in any dialog.
  static constexpr int kDialogCode = 3;

  /// Creates a chart as a child of \p owner (a window of its own without one).
  ///
  /// The new chart is 280 x 200 pixels with the standard layout \c zcl_X1Bottom_Y1Left: rims 50
  /// (left), 20 (right), 20 (top) and 40 (bottom), the x axis of layer 1 at the bottom and its y
  /// axis at the left, every range 0 to 1. The display list is empty; the four cross-hairs and twenty
  /// text labels are switched off; no background picture, no joined layers, no shared data;
  /// MouseAction() is \c maNone, AutoRedraw() true, and no event is set. The chart takes the focus
  /// by click and Tab, tracks the mouse, and describes itself to assistive technology (its name is
  /// the Caption(), its description the CurveDescription()).
  explicit TCustomZephChart(QWidget* owner = nullptr);
  /// Leaves the chart's data group and frees everything the chart owns.
  ///
  /// Charts that show this chart's data keep showing its list, each as a list of its own. A screen
  /// cursor the chart set is removed.
  ~TCustomZephChart() override;

  /// \name Display list
  /// The data store's operations with painting added, and the item kinds beyond \c MoveTo and
  /// \c DrawTo. Every append takes the current \c DataColor, \c PenStyle, \c LineWidth,
  /// \c ClassDefault and \c CurrentLayer (and \c FillColor for area kinds), reaches every chart of
  /// the data group at once, and paints nothing: ShowGraf() shows the list. Coordinates are world
  /// coordinates of the item's layer unless stated otherwise; an item with a coordinate that is no
  /// finite number is left out when drawn.
  ///@{

  /// Paints the chart-area background into its image, then empties the list; the screen is not
  /// touched.
  ///
  /// The screen keeps showing the last curve until the next ShowGraf() or repaint. The background is
  /// painted when ChartAreaImage() is next read, or skipped when the next rendering paints over it
  /// anyway. In a data group (SetUseDataOf()) every chart of the group holds the emptied list.
  void ClearGraf() override;
  /// Shows the list: a data-area refresh with AutoRedraw, else a full paint; nothing while hidden.
  ///
  /// For a chart that is not hidden (ChartVisible()) it records the last item shown and then, with
  /// AutoRedraw() true, redraws only the chart area (RefreshDataArea(): caption, scales and shadow
  /// stay as they are), otherwise runs Paint(). Whether hidden or not, the other charts of its data
  /// group then repaint under their own AutoRedraw() rule, and assistive technology is told that
  /// the CurveDescription() changed.
  void ShowGraf() override;
  /// Appends a line from (\p x1, \p y1) to (\p x2, \p y2) with the current colour, pen style, line
  /// width, class and layer.
  ///
  /// A line whose ends fall on the same pixel is drawn as that pixel.
  void Line(double x1, double y1, double x2, double y2);
  /// Appends a rectangle with the corners (\p x1, \p y1) and (\p x2, \p y2).
  ///
  /// It is outlined in \c DataColor and filled with \c FillColor, or left unfilled when
  /// \p transparent is true. The far edges belong to the rectangle; corners on one pixel give that
  /// pixel.
  void Rectangle(double x1, double y1, double x2, double y2, bool transparent = false);
  /// Appends a rectangle with framed edges between the corners (\p x1, \p y1) and (\p x2, \p y2).
  ///
  /// The rectangle is filled and outlined in \c FillColor; then \p frame_style draws its edges:
  /// \c fsLowered the left and top edges in \p color2 and the right and bottom edges in \p color3,
  /// \c fsRaised the reverse, \c fsEmbossed the whole outline once in \p color2 one pixel right and
  /// down and once in \p color3 one pixel left and up, \c fsEngraved the same with the two colours
  /// exchanged; \c fsNone and \c fsSimple draw no edges.
  void FramedRect(double x1, double y1, double x2, double y2, TFrameStyle frame_style, TColor color2,
                  TColor color3);
  /// Appends a bar with a visible top and side, receding \p depth pixels at \p angle degrees.
  ///
  /// The front is the rectangle between the corners (\p x1, \p y1) and (\p x2, \p y2); the top and
  /// the right side are parallelograms shifted by \p depth pixels in the direction \p angle (0 to
  /// the right, 90 upwards). All faces are outlined in \c DataColor and filled with \c FillColor.
  void Bar3D(double x1, double y1, double x2, double y2, int depth, int angle);
  /// Appends a text of at most 17 characters of the given point size, centred vertically.
  ///
  /// \p text keeps every Unicode character (Greek letters such as φ and Ω, symbols, other
  /// scripts) and is cut after 17 characters; a character outside the Basic Multilingual Plane
  /// counts as one. It is drawn at (\p x, \p y) in \c DataColor with the chart's Font() at \p size
  /// points, placed horizontally by TextAlignment(); TextFontStyle(), TextBkStyle() and
  /// TextBkColor() are read when the list is drawn, so they apply to all text items.
  void Text(double x, double y, const QString& text, int size);
  /// Appends an ellipse centred on (\p x, \p y) with the radii \p radius_x and \p radius_y in world
  /// units.
  ///
  /// It is outlined in \c DataColor and filled with \c FillColor, or left unfilled when
  /// \p transparent is true.
  void Ellipse(double x, double y, double radius_x, double radius_y, bool transparent = false);
  /// Moves by a pixel offset from the current pen position.
  ///
  /// The pen position is where drawing the list has got to when it reaches this item; the offset
  /// (\p dx to the right, \p dy downwards) is rounded to whole pixels. Like a move-to, it starts a
  /// new polyline.
  void MoveRel(double dx, double dy);
  /// Draws by a pixel offset from the current pen position.
  ///
  /// Draws a line in \c DataColor and \c PenStyle from the pen position to the point \p dx pixels
  /// to the right and \p dy pixels down (rounded), its end pixel included.
  void DrawRel(double dx, double dy);
  /// Appends an arrow from the tail to the head; a head of \p head_size pixels, open or filled.
  ///
  /// The shaft runs from (\p x1, \p y1) to (\p x2, \p y2) in \c DataColor. When \p head_size is at
  /// least 1, the head at (\p x2, \p y2) has two sides of \p head_size pixels at 20 degrees either
  /// side of the shaft, drawn as two lines when \p open_head is true, else as a triangle filled with
  /// \c FillColor.
  void Arrow(double x1, double y1, double x2, double y2, int head_size, bool open_head = false);
  /// Appends a data marker of type \p mark_type centred on (\p x, \p y).
  ///
  /// The marker is drawn with DrawMark() in \c DataColor and \c PenStyle: types 0 to 47 are
  /// symbols, 48 to 255 the Windows-1252 character of that code. Values outside 0..255 are
  /// clamped.
  void Mark(double x, double y, int mark_type);
  ///@}

  /// \name Geometry
  ///@{

  /// Published property \c LRim: the distance in pixels from the control's left edge to the chart
  /// area.
  ///
  /// 50 after construction (from the standard layout). The left rim holds the y axes placed at the
  /// left.
  int LRim() const;
  /// Sets LRim(); the control keeps its size and is laid out anew.
  ///
  /// The value is not checked. The Isometric() rule is applied when it is on, the scale controls
  /// are placed anew, the scaling is recomputed and the control repaints under the AutoRedraw()
  /// rule. A chart area left without room maps every point to the middle of the control.
  void SetLRim(int value);
  /// Published property \c RRim: the distance in pixels from the chart area to the control's right
  /// edge, the shadow not included.
  ///
  /// 20 after construction (from the standard layout).
  int RRim() const;
  /// Sets RRim(), with the same steps as SetLRim().
  void SetRRim(int value);
  /// Published property \c TRim: the distance in pixels from the control's top edge to the chart
  /// area.
  ///
  /// 20 after construction (from the standard layout). The top rim holds the caption in most
  /// layouts.
  int TRim() const;
  /// Sets TRim(), with the same steps as SetLRim().
  void SetTRim(int value);
  /// Published property \c BRim: the distance in pixels from the chart area to the control's
  /// bottom edge, the shadow not included.
  ///
  /// 40 after construction (from the standard layout). The bottom rim holds the x axes placed at
  /// the bottom.
  int BRim() const;
  /// Sets BRim(), with the same steps as SetLRim().
  void SetBRim(int value);
  /// Published property \c ShadowWidth: the width in pixels of the drop shadow along the control's
  /// right and bottom edges.
  ///
  /// 0 to 32; 0 (no shadow) by default. The shadow lies outside RRim() and BRim(); its look is
  /// ShadowStyle(), its colours ShadowColor() and ShadowBakColor().
  int ShadowWidth() const;
  /// Sets ShadowWidth(). Clamped to 0..32.
  ///
  /// Then the same steps as SetLRim().
  void SetShadowWidth(int value);
  /// The chart area's width (the area spans one pixel more, the frame lies on its ends).
  ///
  /// The width is width() - LRim() - RRim() - ShadowWidth(): the chart area spans the pixel columns
  /// LRim() to LRim() + ChartWidth(), both included. Zero or less when the control has no room for
  /// it.
  int ChartWidth() const;
  /// The chart area's height: height() - TRim() - BRim() - ShadowWidth().
  ///
  /// The chart area spans the pixel rows TRim() to TRim() + ChartHeight(), both included.
  int ChartHeight() const;
  /// Moves and sizes the control, at least 80 x 20 pixels of chart area; every resize of the widget
  /// goes through the same steps.
  ///
  /// \p width and \p height are raised to MinimumControlWidth() and MinimumControlHeight(), which
  /// also become the widget's minimum size. After the new geometry the Isometric() rule is applied
  /// when it is on, the scale controls are sized and placed anew, the scaling is recomputed and the
  /// control repaints under the AutoRedraw() rule. Qt's own resizing (resize(), layouts) runs the
  /// same steps for every new size.
  void SetBounds(int left, int top, int width, int height);
  /// The least width SetBounds() gives the control: LRim() + RRim() + ShadowWidth() + 80.
  int MinimumControlWidth() const;
  /// The least height SetBounds() gives the control: TRim() + BRim() + ShadowWidth() + 20.
  int MinimumControlHeight() const;
  ///@}

  /// \name Mapping between world coordinates and pixels
  /// Mapping between world coordinates of a layer (clamped to 1..16) and control pixels. An axis's
  /// low end maps to the chart area's left (bottom) edge and its high end to the right (top) edge,
  /// so a range with its low end above its high end gives a reversed axis.
  ///@{

  /// Recomputes the mapping coefficients (LayerScaling()) of all sixteen layers from their ranges,
  /// logarithmic flags, the rims and the control's size.
  ///
  /// Does nothing while the chart is loading from a stored form. The chart calls it itself after
  /// every change of size, rims or ranges; applications need not.
  virtual void CalcScaling();
  /// The control pixel of the world point (\p x, \p y) of \p layer.
  ///
  /// px = KX * x + DX, with ln x instead of x on a logarithmic axis, and likewise for y (see
  /// TLayerScaling); each result is limited to the \c int range and rounded to the nearest pixel,
  /// ties to even. On a logarithmic axis a value of 1e-100 or less lies beyond the low end: x at the
  /// control's left edge (0) and y at its bottom edge (height()), or at the opposite edges when the
  /// range is reversed. A value that is no number gives 0.
  QPoint WorldToPixel(int layer, double x, double y) const;
  /// The control pixel of a world point as WorldToPixel(int, double, double) const gives it, in
  /// \p px and \p py.
  void WorldToPixel(int layer, double x, double y, int& px, int& py) const;
  /// The world point of \p layer at the control pixel (\p px, \p py), in \p x and \p y.
  ///
  /// The inverse of WorldToPixel() (exponential on a logarithmic axis). It also answers for pixels
  /// outside the chart area, extrapolating the ranges. An axis without room or with an empty range
  /// gives the middle of its range.
  void PixelToWorld(int layer, int px, int py, double& x, double& y) const;
  /// The control position before rounding to a pixel, for devices finer than the pixels.
  ///
  /// Like WorldToPixel() but not rounded; limited to the \c int range, 0 for a value that is no
  /// number.
  QPointF WorldToPixelF(int layer, double x, double y) const;
  /// The mapping coefficients of \p layer (clamped to 1..16) as CalcScaling() left them.
  const TLayerScaling& LayerScaling(int layer) const;
  ///@}

  /// \name Colours
  /// Every colour setter repaints under the AutoRedraw() rule.
  ///@{

  /// Published property \c ChartColor: the fill colour of the chart area; white by default.
  ///
  /// A background picture (BackGroundImg()) covers it.
  TColor ChartColor() const;
  /// Sets ChartColor(); repaints under the AutoRedraw() rule.
  void SetChartColor(TColorArg value);
  /// Published property \c WindColor: the fill colour of the control outside the chart area, and
  /// the background of the scales; \c clBtnFace by default.
  ///
  /// System colours such as \c clBtnFace are resolved through the application palette.
  TColor WindColor() const;
  /// Sets WindColor() and the background colour of every scale control; repaints under the
  /// AutoRedraw() rule.
  void SetWindColor(TColorArg value);
  /// Published property \c ChartFrameColor: the colour of the frame around the chart area; black by
  /// default.
  TColor ChartFrameColor() const;
  /// Sets ChartFrameColor(); repaints under the AutoRedraw() rule.
  void SetChartFrameColor(TColorArg value);
  /// Published property \c GridColor: the colour of the grid (GridStyle()); black by default.
  TColor GridColor() const;
  /// Sets GridColor(); repaints under the AutoRedraw() rule.
  void SetGridColor(TColorArg value);
  /// Published property \c ShadowColor: the colour of the drop shadow; \c clGrayText by default.
  TColor ShadowColor() const;
  /// Sets ShadowColor(); repaints under the AutoRedraw() rule.
  void SetShadowColor(TColorArg value);
  /// Published property \c ShadowBakColor: the colour of the two corner squares beside the shadow
  /// (top right and bottom left); \c clBtnFace by default.
  TColor ShadowBakColor() const;
  /// Sets ShadowBakColor(); repaints under the AutoRedraw() rule.
  void SetShadowBakColor(TColorArg value);
  ///@}

  /// \name Title
  /// Every setter repaints under the AutoRedraw() rule.
  ///@{

  /// Published property \c Caption: the chart's title, drawn in the rims; empty by default.
  ///
  /// It is drawn with Font() on a transparent background, its top edge on the CaptionAnchorPoint()
  /// and placed sideways by CaptionAlignment().
  QString Caption() const;
  /// Sets Caption(); repaints under the AutoRedraw() rule.
  void SetCaption(const QString& value);
  /// Published property \c CaptionPosX: the caption's horizontal offset in pixels from the x that
  /// CaptionAnchorHoriz() chooses; 0 by default.
  int CaptionPosX() const;
  /// Sets CaptionPosX(); repaints under the AutoRedraw() rule.
  void SetCaptionPosX(int value);
  /// Published property \c CaptionPosY: the caption's vertical offset in pixels from the y that
  /// CaptionAnchorVert() chooses; -16 by default (above the chart area).
  int CaptionPosY() const;
  /// Sets CaptionPosY(); repaints under the AutoRedraw() rule.
  void SetCaptionPosY(int value);
  /// Published property \c CaptionAlignment: how the caption stands at its anchor point;
  /// \c taRightJustify by default.
  ///
  /// \c taLeftJustify starts the caption at the point, \c taRightJustify ends it there and
  /// \c taCenter centres it on it.
  TAlignment CaptionAlignment() const;
  /// Sets CaptionAlignment(); repaints under the AutoRedraw() rule.
  void SetCaptionAlignment(TAlignment value);
  /// Published property \c CaptionAnchorHoriz: the x that CaptionPosX() counts from;
  /// \c cahChartRight by default.
  ///
  /// \c cahControlLeft: 0; \c cahChartLeft: LRim(); \c cahChartCenter: the middle of the chart
  /// area, LRim() + ChartWidth() / 2; \c cahChartRight: its right edge, width() - RRim() -
  /// ShadowWidth(); \c cahControlRight: width().
  TCaptionAnchorHoriz CaptionAnchorHoriz() const;
  /// Sets CaptionAnchorHoriz(); repaints under the AutoRedraw() rule.
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz value);
  /// Published property \c CaptionAnchorVert: the y that CaptionPosY() counts from; \c cavChartTop
  /// by default.
  ///
  /// \c cavControlTop: 0; \c cavChartTop: TRim(); \c cavChartCenter: TRim() + ChartHeight() / 2;
  /// \c cavChartBottom: height() - BRim() (the shadow is not subtracted); \c cavControlBottom:
  /// height().
  TCaptionAnchorVert CaptionAnchorVert() const;
  /// Sets CaptionAnchorVert(); repaints under the AutoRedraw() rule.
  void SetCaptionAnchorVert(TCaptionAnchorVert value);
  /// The point the caption is placed at, before its alignment.
  ///
  /// In control pixels: CaptionPosX() plus the x of CaptionAnchorHoriz(), CaptionPosY() plus the y
  /// of CaptionAnchorVert(). The caption's top edge lies on its y.
  QPoint CaptionAnchorPoint() const;
  /// Published property \c Font: the font of the caption; text labels start with a copy of it.
  ///
  /// Text items use it too, with their own size and colour and the TextFontStyle(). Text labels
  /// take the copy when the chart is constructed; later changes do not reach them.
  const TFont& Font() const;
  /// Sets Font() (a copy is kept); repaints under the AutoRedraw() rule.
  void SetFont(const TFont& value);
  /// Sets Font() from a QFont (see TFont::FromQFont()); the font colour stays as it is.
  void SetFont(const QFont& value) { SetFont(TFont::FromQFont(value, Font().Color)); }
  ///@}

  /// \name Shadow and grid
  /// Every setter repaints under the AutoRedraw() rule.
  ///@{

  /// Published property \c ShadowStyle: the look of the drop shadow; \c ssFlying by default.
  ///
  /// \c ssFlying draws the shadow in ShadowColor() alone, set off from the control's corners, as if
  /// the control floated; \c ssBox outlines it in black and joins it to the corners, like the sides
  /// of a box. With a ShadowWidth() above 0 the control itself is outlined in black in both styles.
  TShadowStyle ShadowStyle() const;
  /// Sets ShadowStyle(); repaints under the AutoRedraw() rule.
  void SetShadowStyle(TShadowStyle value);
  /// Published property \c GridStyle: which grid the chart area shows; \c gsNone by default.
  ///
  /// \c gsVertLines, \c gsHorizLines and \c gsLines draw solid vertical, horizontal or both lines,
  /// the \c ...DotLines styles the same dotted, and \c gsPoints one pixel at every crossing (at most
  /// 1000). The grid is drawn in GridColor() under the items, on the scales of the current layer
  /// (\c CurrentLayer), at the positions GridDx() and GridDy() give, at most 1000 lines per
  /// direction and none on the high end of a range (the frame covers it).
  GridStyleType GridStyle() const;
  /// Sets GridStyle(); repaints under the AutoRedraw() rule.
  void SetGridStyle(GridStyleType value);
  /// Published property \c GridDx: the spacing of the vertical grid lines; 0 by default.
  ///
  /// 0: a line at every tick of the current layer's x scale. Above 0: a line at every multiple of
  /// the value, in world units. On a linear axis a negative value counts by its magnitude. On a
  /// logarithmic axis -1 gives a line at every power of ten, -2 at 1, 2 and 5 times every power of
  /// ten, -3 at 1 to 9 times every power of ten, and other negative values step like -3 from the
  /// range's low end.
  double GridDx() const;
  /// Sets GridDx(); values below -3 are ignored. Repaints under the AutoRedraw() rule.
  void SetGridDx(double value);
  /// Published property \c GridDy: the spacing of the horizontal grid lines, on the y scale, with
  /// the values of GridDx(); 0 by default.
  double GridDy() const;
  /// Sets GridDy(); values below -3 are ignored. Repaints under the AutoRedraw() rule.
  void SetGridDy(double value);
  ///@}

  /// \name Text items
  /// How the items appended with Text() are drawn. These settings are read when the list is drawn,
  /// so they apply to every text item; every setter repaints under the AutoRedraw() rule.
  ///@{

  /// Published property \c TextFontStyle: the font style of text items (bold, italic, underline,
  /// strike-out); none by default.
  TFontStyles TextFontStyle() const;
  /// Sets TextFontStyle(); repaints under the AutoRedraw() rule.
  void SetTextFontStyle(TFontStyles value);
  /// Published property \c TextBkStyle: the background of text items: \c tbClear (the default)
  /// leaves it transparent, \c tbSolid fills it with TextBkColor().
  TTextBkg TextBkStyle() const;
  /// Sets TextBkStyle(); repaints under the AutoRedraw() rule.
  void SetTextBkStyle(TTextBkg value);
  /// Published property \c TextBkColor: the background colour of text items with TextBkStyle()
  /// \c tbSolid; white by default.
  TColor TextBkColor() const;
  /// Sets TextBkColor(); repaints under the AutoRedraw() rule.
  void SetTextBkColor(TColorArg value);
  /// Published property \c TextAlignment: how text items stand at their point: \c taLeftJustify
  /// starts them there, \c taRightJustify ends them there, \c taCenter (the default) centres them.
  TAlignment TextAlignment() const;
  /// Sets TextAlignment(); repaints under the AutoRedraw() rule.
  void SetTextAlignment(TAlignment value);
  ///@}

  /// \name Isometric mode and repainting
  ///@{

  /// Published property \c Isometric: whether a world unit has the same length on both axes;
  /// false by default.
  ///
  /// While it is on, every change of the control's size or rims sets each layer's y \c RangeHigh to
  /// its \c RangeLow plus the x range's width times (ChartHeight() + 1) / (ChartWidth() + 1), at the
  /// screen's pixel aspect. Zoom windows drawn with the mouse are then square, and zooming by
  /// dragging scales both axes alike.
  bool Isometric() const;
  /// Switching it on fits every layer's y range to its x range at the screen's pixel aspect.
  ///
  /// Switching on applies the rule to all layers at once and repaints under the AutoRedraw() rule;
  /// switching off only stores the flag, the ranges stay as they are.
  void SetIsometric(bool value);
  /// Published property \c AutoRedraw: whether changes repaint at once; true by default.
  ///
  /// While true, a property setter repaints the whole control and ShowGraf() redraws only the chart
  /// area. While false, setters only store the value, which shows at the next paint (ShowGraf(),
  /// Paint(), or the window system asking the widget to paint), and ShowGraf() runs a full paint.
  /// Changes of scale settings repaint either way.
  bool AutoRedraw() const;
  /// Sets AutoRedraw(); nothing is repainted.
  void SetAutoRedraw(bool value);
  ///@}

  /// \name Scales and standard layouts
  /// Scale settings: layers 1 to 16; an index outside gives layer 1. A change of any scale setting
  /// applies all settings to the scale controls and repaints the chart, whatever AutoRedraw() says.
  ///@{

  /// The x scale settings of \p layer (1 to 16; an index outside gives layer 1), owned by the chart.
  ///
  /// They hold the axis's range, logarithmic flag, caption, labels and placement; their ranges are
  /// the ranges the layer's items are mapped through.
  ///
  /// \see \ref page_layers
  TScalePropsHoriz* ScaleX(int layer) const;
  /// The y scale settings of \p layer (1 to 16; an index outside gives layer 1), owned by the chart.
  TScalePropsVert* ScaleY(int layer) const;
  /// Published property \c Scale1X: the x scale settings of layer 1, ScaleX(1); visible at the
  /// bottom by default.
  TScalePropsHoriz* Scale1X() const { return ScaleX(1); }
  /// Published property \c Scale2X: the x scale settings of layer 2, ScaleX(2); invisible by
  /// default.
  TScalePropsHoriz* Scale2X() const { return ScaleX(2); }
  /// Published property \c Scale3X: the x scale settings of layer 3, ScaleX(3); invisible by
  /// default.
  TScalePropsHoriz* Scale3X() const { return ScaleX(3); }
  /// Published property \c Scale4X: the x scale settings of layer 4, ScaleX(4); invisible by
  /// default.
  TScalePropsHoriz* Scale4X() const { return ScaleX(4); }
  /// Published property \c Scale1Y: the y scale settings of layer 1, ScaleY(1); visible at the left
  /// by default.
  TScalePropsVert* Scale1Y() const { return ScaleY(1); }
  /// Published property \c Scale2Y: the y scale settings of layer 2, ScaleY(2); invisible by
  /// default.
  TScalePropsVert* Scale2Y() const { return ScaleY(2); }
  /// Published property \c Scale3Y: the y scale settings of layer 3, ScaleY(3); invisible by
  /// default.
  TScalePropsVert* Scale3Y() const { return ScaleY(3); }
  /// Published property \c Scale4Y: the y scale settings of layer 4, ScaleY(4); invisible by
  /// default.
  TScalePropsVert* Scale4Y() const { return ScaleY(4); }
  /// The scale control that draws the x axis of a layer (an index outside 1..16 gives layer 1).
  ///
  /// The scale controls that draw the axes of a layer; the chart keeps them in step with the
  /// settings above, so they are read-only to others. Read them for what the axis shows, such as
  /// its tick positions (TScale::NumTicks(), TScale::TickPos()); change ScaleX() instead.
  const TScale* ScaleControlX(int layer) const;
  /// The scale control that draws the y axis of a layer (an index outside 1..16 gives layer 1);
  /// see ScaleControlX().
  const TScale* ScaleControlY(int layer) const;
  /// Copies the settings into the scale control and places its axis beside the chart area.
  ///
  /// The axis goes to the side of the chart area that the settings' \c ScaleLocation names,
  /// \c ScalePos pixels away from it, at the control's current size and rims. Then range,
  /// visibility, caption and its placement, colour, decimal places, logarithmic flag, label type,
  /// short ticks, minimum tick count, inscription, user tick texts, font (in the scale colour) and
  /// date format are copied. Nothing is repainted. The chart does this for its own scale controls
  /// whenever their settings, the size or the rims change.
  void ApplyScaleProps(TScale* scale, const TScaleProps* props);
  /// Handler of every change of scale settings: applies all of them and repaints.
  ///
  /// The chart makes it the \c OnChange handler of all its scale settings. It copies the ranges of
  /// controlling layers into the axes joined to them (JointLayers()), applies the settings of all
  /// sixteen layers to their scale controls, recomputes the scaling and calls Paint(), whatever
  /// AutoRedraw() says. \p sender is not used. While a standard layout is being applied it does
  /// nothing; the layout applies everything once at its end.
  void ScalePropsChanged(QObject* sender);
  /// Published property \c StandardLayout: the fixed layout last applied; \c zcl_X1Bottom_Y1Left by
  /// default.
  TzcLayout StandardLayout() const;
  /// Sets rims, caption position and the first four scales of both axes from a fixed layout.
  ///
  /// The layout sets LRim(), RRim(), TRim(), BRim(), CaptionPosX(), CaptionPosY(),
  /// CaptionAlignment(), CaptionAnchorHoriz() and CaptionAnchorVert(), and for the x and y scales of
  /// layers 1 to 4 their \c ScaleLocation, caption position, alignment and anchor, \c ScalePos and
  /// \c Visible; the scales of layers 5 to 16 become invisible. Ranges, colours, fonts and captions
  /// stay. The chart paints once at the end, whatever AutoRedraw() says, unless painting is
  /// suspended.
  ///
  /// | layout | LRim | RRim | TRim | BRim | scales shown |
  /// |---|---|---|---|---|---|
  /// | \c zcl_X1Bottom_Y1Left | 50 | 20 | 20 | 40 | x1 bottom; y1 left |
  /// | \c zcl_X1Bottom_Y2Left | 100 | 20 | 24 | 40 | x1 bottom; y1, y2 left, 50 pixels apart |
  /// | \c zcl_X1Bottom_Y3Left | 150 | 20 | 24 | 40 | x1 bottom; y1 to y3 left |
  /// | \c zcl_X1Bottom_Y4Left | 200 | 20 | 24 | 40 | x1 bottom; y1 to y4 left |
  /// | \c zcl_X1Bottom_Y2Both | 50 | 50 | 24 | 40 | x1 bottom; y1 left, y2 right |
  /// | \c zcl_X2Bottom_Y2Left | 100 | 20 | 24 | 70 | x1, x2 bottom, 30 pixels apart; y1, y2 left |
  /// | \c zcl_X2Both_Y2Both | 50 | 50 | 48 | 40 | x1 bottom, x2 top; y1 left, y2 right |
  ///
  /// The caption stands right-justified above the chart area's right end, in the two layouts with
  /// scales on both sides centred above the chart area.
  void SetStandardLayout(TzcLayout value);
  ///@}

  /// \name Cross-hairs, text labels and background picture
  /// Cross-hairs 1 to 4, text labels 1 to 20 (an index outside gives the first). The chart owns
  /// them; a change of any of their settings repaints under the AutoRedraw() rule.
  ///@{

  /// Cross-hair \p index, 1 to 4 (an index outside gives the first).
  ///
  /// The cross-hairs start switched off (\c chOff), cross-hair n on layer n. One that is switched
  /// on is drawn over the chart area at its position in the coordinates of its layer; with
  /// MouseAction() \c maDragCrossH the user drags the nearest one.
  TCrossHair* CrossHair(int index) const;
  /// Published property \c CrossHair1: CrossHair(1).
  TCrossHair* CrossHair1() const { return CrossHair(1); }
  /// Published property \c CrossHair2: CrossHair(2).
  TCrossHair* CrossHair2() const { return CrossHair(2); }
  /// Published property \c CrossHair3: CrossHair(3).
  TCrossHair* CrossHair3() const { return CrossHair(3); }
  /// Published property \c CrossHair4: CrossHair(4).
  TCrossHair* CrossHair4() const { return CrossHair(4); }
  /// Text label \p index, 1 to 20 (an index outside gives the first).
  ///
  /// The labels start switched off (\c tlOff), on layer 1 and attached to data, with a copy of the
  /// chart's Font(). A label that is switched on and whose layer is visible is drawn over the
  /// items, label 20 first, so that label 1 lies on top; with MouseAction() \c maDragLabel the user
  /// drags the nearest one.
  TTextLabel* TextLabel(int index) const;
  /// Published property \c BackGroundImg: the picture that fills the chart area; none by default.
  ///
  /// Its file is read at every rendering of the chart area. A file that cannot be read is
  /// forgotten (its name is cleared, without a notification or a message) and ChartColor() fills
  /// the area. Changes of the settings repaint under the AutoRedraw() rule.
  TBakGndImg* BackGroundImg() const;
  ///@}

  /// \name Layer joining
  /// Layer joining: which layer's range each layer's x and y axis follows.
  ///@{

  /// Published property \c JointLayers: which layer's range each layer's x and y axis follows.
  ///
  /// The chart owns the object. Joining an axis to another layer (for example
  /// \c SetL03xControlledBy(1)) copies that layer's range into it at once, and from then on it
  /// follows every range change of that layer: SetLayerRange(), panning and zooming with the mouse,
  /// and changes of the scale settings. Joining is one level deep. The setters raise
  /// EZephChartError on misuse, for example "Destination layer 17 is out of range", "Destination
  /// layer 3 is already joined" or "Layer 1 is joined by other layers (3, 5)", and then change
  /// nothing. An accepted join repaints under the AutoRedraw() rule; unjoining keeps the range and
  /// does not repaint.
  ///
  /// \see \ref page_joining
  TJointLayers* JointLayers() const;
  /// Copies the joins of another TJointLayers; the joined axes take their ranges at once.
  ///
  /// The chart keeps its own object. After copying, every joined axis takes its controlling
  /// layer's range, the scale controls and the scaling follow, and the chart repaints under the
  /// AutoRedraw() rule; \p value's own change notification is raised as well. A null pointer or the
  /// chart's own object is ignored.
  void SetJointLayers(TJointLayers* value);
  /// Sets a layer's ranges (an axis joined to another layer keeps its range), then the ranges of
  /// the axes joined to it; paints once unless painting is suspended. Layers outside 1..16 are
  /// ignored, and so is a range that is no finite number.
  ///
  /// The values become \c RangeLow and \c RangeHigh of the layer's scale settings under their
  /// range rules (\c MinRange, the lower limit of a logarithmic axis) but without their change
  /// notification; a low end above the high end reverses the axis. The scale controls and the
  /// scaling follow at once. The paint at the end happens whatever AutoRedraw() says.
  void SetLayerRange(int layer, long double x_low, long double y_low, long double x_high, long double y_high);
  ///@}

  /// \name Data sharing
  /// Data sharing: this chart displays the item list of the owner chart; at most four users per
  /// owner, and an owner cannot use another chart's data. Refusals are shown in an information
  /// message. A user set to none, or left by an owner that is destroyed, keeps showing the list it
  /// showed, as a list of its own.
  ///@{

  /// The most charts that can display one owner chart's data.
  static constexpr int kMaxDataUsers = 4;
  /// Published property \c UseDataOf: the owner chart whose display list this chart displays; null
  /// (the chart's own list) by default.
  TCustomZephChart* UseDataOf() const;
  /// Makes this chart display the display list of \p value, through its own scales.
  ///
  /// Both then hold the same list object: whatever any chart of the group appends or clears, all
  /// of them hold, and ShowGraf() on one repaints the others. The chart's own list is given up.
  /// When \p value itself uses another chart's data, that chart becomes the owner instead (users of
  /// users are not formed). Setting the current owner again does nothing. Null leaves the group:
  /// the chart keeps showing the list it showed, as a list of its own.
  ///
  /// Refusals change nothing and show an information message box (or go to InfoMessageHook()):
  /// "ZephChart: Cannot share data with myself" when \p value is this chart; "ZephChart: Cannot use
  /// foreign data. Other ZephCharts are using my own data." when this chart has users, whatever
  /// \p value is; "ZephChart: Max. number of data shares exceeded" when the owner already has
  /// kMaxDataUsers users. Nothing is thrown. An accepted change repaints under the AutoRedraw()
  /// rule.
  ///
  /// \see \ref page_joining
  void SetUseDataOf(TCustomZephChart* value);
  /// The number of charts that display this chart's data, 0 to kMaxDataUsers.
  int DataUserCount() const;
  /// The charts displaying this chart's data, in the order they joined (index from 0).
  ///
  /// Null for an index outside 0 to DataUserCount() - 1.
  TCustomZephChart* DataUser(int index) const;
  /// Shows the refusals instead of the information message box when set (tests).
  ///
  /// The hook is shared by all charts. Unset (the default), SetUseDataOf() shows its refusals in
  /// a modal QMessageBox::information with the application's name as title; set, the hook receives
  /// the refusing chart as \p parent and the message text instead.
  static std::function<void(QWidget* parent, const QString& text)>& InfoMessageHook();
  ///@}

  /// \name Mouse interaction
  ///@{

  /// Published property \c MouseAction: what dragging with the mouse does; \c maNone by default.
  ///
  /// \c maPan, \c maPanHoriz and \c maPanVert move the ranges with a left-button drag (both axes,
  /// x only, y only), the content following the mouse. \c maZoomDrag zooms around the middle of
  /// the ranges: dragging right or up narrows them, left or down widens them. \c maZoomWind and
  /// \c maZoomWindPos zoom into a rectangle drawn with the left button (released with the right
  /// button it is cancelled); \c maZoomWind gives the ranges the direction of the drag, so a
  /// rectangle drawn from right to left reverses the x axis, while \c maZoomWindPos keeps each
  /// axis's direction. \c maDragCrossH and \c maDragLabel drag the nearest cross-hair or text label.
  /// The other modes do nothing. Pans and zooms change the layers for which MouseZoomLayer() is
  /// true (and the axes joined to them), paint once per step and raise \c OnZoomPan. A drag starts
  /// at the first move with the left button held and ends at the first move without it. Inside the
  /// chart area the mode's cursor is shown unless MouseCursorFixed() is true.
  ///
  /// \see \ref page_mouse
  TMouseActMode MouseAction() const;
  /// Sets MouseAction(); a drag in progress ends and a zoom window being drawn disappears.
  void SetMouseAction(TMouseActMode value);
  /// Published property \c MouseCursorFixed: while true the chart never shows a cursor of its
  /// mode; true by default.
  ///
  /// While false, a move inside the chart area shows the mode's cursor: a cross in \c maNone, the
  /// chart's own cursors for panning, zooming by dragging and the two zoom-window modes, the
  /// default cursor in \c maDragCrossH and \c maDragLabel; the other modes leave the cursor as it
  /// is. Outside the chart area the default cursor is shown. The cursor is the application's override
  /// cursor and is removed when the mouse leaves the control.
  bool MouseCursorFixed() const;
  /// Sets MouseCursorFixed(); the cursor changes at the next mouse move.
  void SetMouseCursorFixed(bool value);
  /// Whether a layer follows panning and zooming (layer 1 only, unless changed).
  ///
  /// False for a layer outside 1..16. Other layers follow through layer joining (JointLayers()).
  bool MouseZoomLayer(int layer) const;
  /// Sets whether \p layer follows panning and zooming; layers outside 1..16 are ignored.
  void SetMouseZoomLayer(int layer, bool value);
  /// Whether a control pixel lies in the chart area, its frame included.
  ///
  /// True for LRim() <= \p x <= width() - RRim() - ShadowWidth() and TRim() <= \p y <= height() -
  /// BRim() - ShadowWidth().
  bool InChartArea(int x, int y) const;
  /// Whether a zoom window is being drawn: from a left-button press in the chart area in
  /// \c maZoomWind or \c maZoomWindPos until the release of the left or the right button.
  bool ZoomWindowActive() const;
  /// The cross-hair (1 to 4) that the last drag in \c maDragCrossH moved; 1 before any.
  ///
  /// A drag picks the switched-on cross-hair whose line lies nearest to where the drag started; the
  /// lower number wins a tie, and with none switched on cross-hair 1 is picked.
  int SelectedCrossHair() const;
  /// The text label (1 to 20) that the last drag in \c maDragLabel moved; 1 before any.
  ///
  /// A drag picks the switched-on label whose anchor lies nearest to where the drag started.
  int SelectedTextLabel() const;
  ///@}

  /// \name Painting and images
  ///@{

  /// Renders the whole control (background, shadow, caption, scales, chart area, cross-hairs);
  /// nothing happens while painting is suspended, while loading or while hidden.
  ///
  /// Renders into the control image and then asks Qt to update the widget, which copies the image
  /// to the screen. Parts whose settings did not change since the last paint are reused. A size
  /// change that Qt made while the chart was hidden is caught up first. Raises \c OnScalesRendered,
  /// \c OnScaleTickDrawn, \c OnBeforeRenderData and \c OnDataRendered when set.
  virtual void Paint();
  /// The chart area alone: background, grid, items, labels, frame and cross-hairs.
  ///
  /// What ShowGraf() runs with AutoRedraw(): caption, scales and the rest of the control stay as the
  /// last Paint() left them. When nothing of the control was rendered at its current size yet, it
  /// runs Paint() instead. It does not check whether painting is suspended or the chart is hidden.
  void RefreshDataArea();
  /// Draws the whole control onto another canvas with its top-left corner at (x, y), for printing
  /// or a PDF: everything is drawn anew, with lines and text instead of bitmaps where it can be.
  /// On a plain image it gives the pixels of the control's own image.
  ///
  /// \p canvas is a TCanvas on any paint device, for example a QPrinter or a QPdfWriter (made as a
  /// printer canvas) or a QImage. Nothing happens when the canvas is not active. The chart area is
  /// clipped to itself, as on the screen. The render events are raised with \p canvas. A size
  /// change not laid out yet is caught up first; apart from that the control's own images and the
  /// screen stay as they are. It draws also while painting is suspended.
  void PaintTo(TCanvas& canvas, int x, int y);
  /// Saves the whole control as a picture in one call: an image, a PDF or an SVG by the extension
  /// of \p file_name.
  ///
  /// "chart.png" (or any image format Qt writes; PNG without an extension) gives \p size times \p
  /// scale device pixels, drawn as on a screen of that device pixel ratio; "chart.pdf" a one-page
  /// PDF of \p size points and "chart.svg" an SVG drawing, both with lines and text as vectors (see
  /// SavePicture()). An empty \p size saves the control at its size. Another size lays the chart
  /// out at that size for the picture, as a resize would, and then back: the control, its ranges
  /// and the screen stay as they are. The PDF and SVG take the chart's Caption() as their title.
  ///
  /// A failure raises EZephChartError ("cannot write 'chart.pdf': ...") and leaves an existing
  /// file as it was; a size below MinimumControlWidth() by MinimumControlHeight() is refused.
  void SaveAs(const QString& file_name, QSize size = QSize(), qreal scale = 1);
  /// Device pixels per pixel of the control that its images hold: the screen's device pixel ratio,
  /// unless a ratio was set (0 follows the screen again). Every geometry of the drawing grows by it
  /// and text is laid out at the device's resolution; the control's coordinates stay as they are.
  ///
  /// The screen's ratio counts as at least 1.
  qreal RenderRatio() const;
  /// Sets the render ratio; 0 (or less) follows the screen again.
  ///
  /// A ratio that differs from the one the images have repaints under the AutoRedraw() rule (with
  /// AutoRedraw() off the images are drawn anew at the next paint).
  void SetRenderRatio(qreal ratio);
  /// Whether painting is suspended: Paint() then does nothing.
  ///
  /// False once the constructor has finished. The chart suspends painting itself while it changes
  /// several ranges at once (SetLayerRange(), a standard layout, a pan or zoom step) and paints
  /// once at the end.
  bool PaintSuspended() const;
  /// Suspends or resumes painting, for example around many property changes; resuming paints
  /// nothing by itself (call Paint()).
  void SetPaintSuspended(bool value);
  /// Whether the control is shown or would be with its parent (not hidden on purpose).
  ///
  /// Only a chart hidden with hide() or setVisible(false) is not visible in this sense: a chart on
  /// a window that is not shown yet still renders, so its images can be read and exported.
  bool ChartVisible() const;
  /// What the screen shows: the control image, and the chart-area image of the last rendering.
  ///
  /// The control image covers the whole control at RenderRatio(); a chart area refreshed since the
  /// last Paint() is copied into it first. Its content changes with every rendering; copy it to
  /// keep it.
  const QImage& ControlImage() const;
  /// The chart-area image of the last rendering: ChartWidth() + 1 by ChartHeight() + 1 control
  /// pixels (times RenderRatio() in device pixels), its top-left pixel at control pixel (LRim(),
  /// TRim()).
  ///
  /// (A background that ClearGraf left pending is painted first.) After ClearGraf() it therefore
  /// shows the empty chart area.
  const QImage& ChartAreaImage();
  /// The dialog code the control answers, kDialogCode.
  int DialogCode() const { return kDialogCode; }
  /// In words, for assistive technology: the current layer's axes with their ranges, then
  /// CurveSummary().
  ///
  /// The axes read like "U [V] from 0 to 10; C [pF] from 1.00 to 100, logarithmic". It is the
  /// chart's accessible description unless the widget has one set. The words are Texts().
  QString CurveDescription() const;
  /// Every curve of the current layer (ChartCurves()) in a sentence: whether it rises or falls,
  /// from which value at which x to which, where it is steepest on the screen and where it levels
  /// off, and the stretches outside the visible y range ("C falls from 8.10 pF at U 0.100 V to 2.21
  /// pF at U 10.0 V, steepest near U 0.100 V, levelling off towards U 10.0 V"); curves are
  /// separated by "; ". Without a curve: Texts().NoCurve.
  QString CurveSummary() const;
  /// The data as a table in text: a header line with the x and the y axis caption of the current
  /// layer, then one line per point of its curves (ChartCurves()), the values separated by a tab
  /// and written in their shortest exact form. Ctrl+C and the context menu copy it to the
  /// clipboard.
  QString DataTableText() const;
  /// The words the chart speaks in (see TChartTexts); English unless set.
  const TChartTexts& Texts() const;
  /// Sets Texts(); the accessible description and point names follow at once.
  void SetTexts(const TChartTexts& texts);
  /// Tells assistive technology what just happened in the chart ("copied 100 rows"), through the
  /// announcer SetChartAnnouncer() sets: for applications that add actions of their own.
  void Announce(const QString& words);
  /// The point cursor that the keyboard moves while exploration is on (see TChartExplorer).
  TChartExplorer* Explorer() const;
  /// Whether the keys explore the chart's points (Explorer()); off after construction.
  bool KeyboardExploration() const;
  /// Turns keyboard exploration on or off.
  void SetKeyboardExploration(bool value);
  ///@}

  /// \name Events
  /// An event that is not set is skipped. Handlers run on the GUI thread, inside the call that
  /// raised the event.
  ///@{

  /// Raised before the grid and the items are drawn, with the chart-area canvas; \c Top is TRim()
  /// and \c Left is LRim().
  ///
  /// The handler may draw under the data. The canvas's pen and brush colours are restored after
  /// it. While it is set, every rendering draws the chart area's background and grid anew.
  TRenderEvent OnBeforeRenderData;
  /// Raised after the items and the text labels are drawn, before the frame, with the chart-area
  /// canvas; \c Top is TRim() and \c Left is LRim().
  ///
  /// The handler may draw over the data.
  TRenderEvent OnDataRendered;
  /// Raised after all scales are drawn, with the canvas of the whole control; \c Top and \c Left
  /// are 0.
  ///
  /// The handler may draw in the rims. While it is set, every paint draws the rims anew.
  TRenderEvent OnScalesRendered;
  /// Raised for every tick a scale of the chart draws, with the chart as \c Sender.
  ///
  /// \c Canvas is the canvas of the whole control, \c ScaleType the scale's type, \c CurrentTickPos
  /// the tick's value and \c ChartX, \c ChartY the control pixel where the tick leaves the axis
  /// line. The handler may draw. While it is set, every paint draws the rims anew.
  TScaleTickDrawnEvent OnScaleTickDrawn;
  /// Raised for every key press the chart receives, before the chart handles it.
  ///
  /// The handler sees the arrow keys, Tab and Backtab first and may take any key by setting it to 0.
  /// Keys it leaves go to keyboard exploration when that is on, then Ctrl+C copies the data table,
  /// Tab and Backtab move the focus on, and other keys go on to QWidget's handling.
  TKeyEvent OnKeyDown;
  /// Raised when a mouse button is pressed over the control, before the chart's own handling, with
  /// the button, the keys and buttons held and the position in control pixels.
  TChartMouseEvent OnMouseDown;
  /// Raised for every mouse move over the control, with or without a button held, before the
  /// chart's own handling; the position is in control pixels.
  TChartMouseMoveEvent OnMouseMove;
  /// Raised when a mouse button is released, before the chart's own handling, with the button, the
  /// keys and buttons held and the position in control pixels.
  TChartMouseEvent OnMouseUp;
  /// Raised for every mouse move over the control after the chart's own handling, with the
  /// position in world coordinates of the current layer (\c CurrentLayer).
  ///
  /// \c InChart tells whether the mouse is in the chart area (InChartArea()); outside it the world
  /// coordinates are extrapolated.
  TMouseMoveInChartEvent OnMouseMoveInChart;
  /// Raised after every pan or zoom step of the mouse (see MouseAction()), once the chart has
  /// repainted.
  TZoomPanEvent OnZoomPan;
  /// Raised after every drag step that moved a cross-hair (\c maDragCrossH), once the chart has
  /// repainted, with the cross-hair moved.
  TCrossHairMoveEvent OnCrossHairMove;
  /// Raised after every drag step that moved a text label (\c maDragLabel), once the chart has
  /// repainted, with the label moved.
  TTextLabelMoveEvent OnTextLabelMove;
  ///@}

  /// \name Navigation
  /// Ready-made ways of moving about the data with the mouse wheel, drags and keys, switched on
  /// together (\ref page_mouse).
  ///@{

  /// Published property \c Navigation: which ready-made ways of moving about the data are on;
  /// \c nvNone by default.
  ///
  /// Any combination of the TNavigationFlag values, for example \c nvDragPan | \c nvWheelZoom, or
  /// \c nvAll. With the switch off the chart does exactly what MouseAction() says. With it on:
  /// - the wheel zooms the x axes (\c nvWheelZoomX), the y axes (\c nvWheelZoomY) or both about
  ///   the point under the mouse, which stays where it is; a notch away from the user zooms in by
  ///   a factor of 0.8;
  /// - \c nvDragPan: a drag with the middle button moves the ranges, the content following the
  ///   mouse from the press on; so does a drag with the left button when MouseAction() gives the
  ///   left button nothing to do (\c maNone and the modes without interaction);
  /// - \c nvZoomWindow: a drag with the right button, or with Ctrl and a free left button, draws a
  ///   window; on release the ranges zoom into it, each axis keeping its direction (a window with
  ///   no width or height, or Escape during the drag, zooms nothing);
  /// - \c nvHomeView: a double-click in the chart area, or the Home key, brings back the view the
  ///   application set (RestoreHomeView());
  /// - \c nvKeys: while the chart has the focus, + (or =) and - zoom about the middle of the chart
  ///   area, and the arrow keys move the ranges by a tenth of the chart area.
  ///
  /// Navigation changes the layers for which MouseZoomLayer() is true (layer 1 unless changed);
  /// an axis joined to another layer (JointLayers()) makes its controlling layer move, and every
  /// layer joined to a moved one follows. Logarithmic axes zoom and move by factors, so a decade
  /// keeps its width; reversed axes move with the mouse as normal ones. Every step repaints once,
  /// raises \c OnZoomPan and the LayerRangeChanged() signal, and leaves the home view as it is.
  TNavigation Navigation() const;
  /// Sets Navigation(); a navigation drag under way ends.
  void SetNavigation(TNavigation value);
  /// Makes the current ranges of all layers the home view that RestoreHomeView() brings back.
  ///
  /// The chart does this by itself whenever the application changes ranges (SetLayerRange(), the
  /// scale settings, layer joining), so most applications never call it.
  void StoreHomeView();
  /// Brings back the ranges of the home view on all layers, as one step of navigation.
  ///
  /// The home view holds the ranges the application set last (see StoreHomeView()); panning and
  /// zooming by the user leave it alone. Works whatever Navigation() says; when every layer shows
  /// its home view already, nothing happens (no repaint, no \c OnZoomPan).
  void RestoreHomeView();
  ///@}

  /// \name Legend, anti-aliasing and palette colours
  ///@{

  /// Published property \c Legend: the chart's legend, a box listing the named curves with their
  /// pens and marks; hidden by default.
  ///
  /// The chart owns it. It is drawn over the chart on the screen and in PaintTo(); a click with the
  /// left button on one of its lines hides or shows that curve (the press does nothing else). A
  /// change of its settings repaints under the AutoRedraw() rule. See TChartLegend.
  TChartLegend* Legend() const;

  /// Published property \c Antialiased: whether curves, marks, shapes and the grid are drawn
  /// anti-aliased; false (the classic exact pixels) by default.
  ///
  /// While true, lines run through the centres of their pixels with smoothed edges, and curves
  /// keep the fractions of their points. It applies to the chart area on the screen and in
  /// PaintTo() (printers, PDF, images). Text is smoothed either way.
  bool Antialiased() const;
  /// Sets Antialiased(); repaints under the AutoRedraw() rule.
  void SetAntialiased(bool value);
  /// Published property \c PaletteColors: whether the chart takes its colours from the widget's
  /// palette instead of its colour properties; false by default.
  ///
  /// While true, a dark (or any other) theme reads well: the rims take the palette's
  /// \c QPalette::Window, the chart area its \c QPalette::Base, the frame and the caption its
  /// \c QPalette::WindowText, the shadow its \c QPalette::Dark, the grid a colour between base and
  /// text, and every scale whose \c ColorScale is black (the default of layer 1) draws its base
  /// line, ticks, labels and caption in \c QPalette::WindowText; text labels in the default white
  /// and black take \c QPalette::Base and \c QPalette::Text, and so does the legend. Scales of other
  /// colours, the items, cross-hairs and text labels of other colours keep their own colours. The
  /// colour properties keep their values and take effect again when it is switched off. A change
  /// of the palette repaints.
  bool PaletteColors() const;
  /// Sets PaletteColors(); repaints under the AutoRedraw() rule.
  void SetPaletteColors(bool value);
  /// The colour \p own draws in: itself, or with PaletteColors() on, the widget palette's
  /// colour for \p role (for \c QPalette::Mid a third of the way from \c QPalette::Base to
  /// \c QPalette::Text, the grid's colour).
  TColor ShownColor(TColor own, QPalette::ColorRole role) const;
  ///@}

 Q_SIGNALS:
  /// The ranges of a layer changed, by whatever cause: SetLayerRange(), the scale settings, layer
  /// joining, the isometric rule, a pan or zoom of the mouse or of Navigation().
  ///
  /// Raised once per change and layer, after the layer's ranges and all ranges joined to them are
  /// stored (read them with ScaleX() and ScaleY()), in layer order, and never while the chart is
  /// loading from a stored form. In a mouse step it comes before \c OnZoomPan.
  void LayerRangeChanged(int layer);
  /// A mouse button was clicked in the control: pressed and released within 3 pixels of the
  /// press, with the world position of the current layer (\c CurrentLayer).
  ///
  /// Raised after \c OnMouseUp and the chart's own handling of the release. \p in_chart tells
  /// whether the mouse is in the chart area (InChartArea()).
  void MouseClicked(Qt::MouseButton button, double x, double y, bool in_chart);
  /// The mouse moved over the control, with the world position of the current layer; raised right
  /// after \c OnMouseMoveInChart with the same values.
  void MouseMovedInChart(bool in_chart, double x, double y);
  /// The user dragged a cross-hair (\c maDragCrossH); raised right after \c OnCrossHairMove.
  void CrossHairMoved(zeph::TCrossHair* cross_hair);
  /// The user dragged a text label (\c maDragLabel); raised right after \c OnTextLabelMove.
  void TextLabelMoved(zeph::TTextLabel* label);
  /// A pan or zoom step of the mouse or of Navigation() has been shown; raised right after
  /// \c OnZoomPan.
  void ZoomPanned();
  /// The chart area was drawn anew into the chart's own images: by Paint(), or by ShowGraf()
  /// through RefreshDataArea().
  ///
  /// Raised once per rendering, after \c OnDataRendered and once the control image is complete
  /// (ControlImage()). Not raised for PaintTo(). To draw over the data, use \c OnDataRendered,
  /// which passes the canvas.
  void DataRendered();
  /// Scale settings of the chart changed (a property of ScaleX() or ScaleY(), or their date
  /// format); raised once the chart has repainted, with the settings changed.
  ///
  /// Not raised while a standard layout is applied or while the chart is loading.
  void ScaleSettingsChanged(zeph::TScaleProps* settings);
  /// NOTIFY signal of \c LRim, \c RRim, \c TRim, \c BRim, \c ShadowWidth, \c CaptionPosX,
  /// \c CaptionPosY, \c CaptionAlignment, \c CaptionAnchorHoriz and \c CaptionAnchorVert: the
  /// rims or the caption's placement changed (a standard layout changes several at once and raises
  /// it once).
  void LayoutChanged();
  /// NOTIFY signal of \c Caption: the chart's title changed (also by form translation).
  void CaptionChanged();
  /// NOTIFY signal of \c Font.
  void FontChanged();
  /// NOTIFY signal of the colour properties \c ChartColor, \c WindColor, \c ChartFrameColor,
  /// \c GridColor, \c ShadowColor, \c ShadowBakColor and \c TextBkColor.
  void ColorsChanged();
  /// NOTIFY signal of \c GridStyle, \c GridDx and \c GridDy.
  void GridChanged();
  /// NOTIFY signal of \c ShadowStyle, \c TextFontStyle, \c TextBkStyle and \c TextAlignment.
  void StylesChanged();
  /// NOTIFY signal of \c AutoRedraw.
  void AutoRedrawChanged();
  /// NOTIFY signal of \c Isometric.
  void IsometricChanged();
  /// NOTIFY signal of \c StandardLayout.
  void StandardLayoutChanged();
  /// NOTIFY signal of \c UseDataOf: the chart joined or left a data group (also when its owner is
  /// destroyed).
  void UseDataOfChanged();
  /// NOTIFY signal of \c MouseAction.
  void MouseActionChanged();
  /// NOTIFY signal of \c MouseCursorFixed.
  void MouseCursorFixedChanged();
  /// NOTIFY signal of \c Navigation.
  void NavigationChanged();
  /// NOTIFY signal of \c Antialiased.
  void AntialiasedChanged();
  /// NOTIFY signal of \c PaletteColors.
  void PaletteColorsChanged();

 protected:
  /// Runs when loading from a stored form has ended: applies every layer's scale settings to its
  /// scale controls, ends the settings' creation phase (from then on a logarithmic axis is checked
  /// against its range), recomputes the scaling and paints.
  void Loaded() override;
  /// Runs after every change of the display list (append, clear): passes the list to the other
  /// charts of the data group and marks the image as out of date.
  void ItemListChanged() override;
  /// Runs after a visible change of a curve object: under AutoRedraw() the chart area is redrawn
  /// as by ShowGraf() (the list's last-shown index stays), and the other charts of the data group
  /// repaint under their own AutoRedraw() rule.
  void CurvesChanged() override;

  /// Copies the control image to the screen; changes that were not painted yet (AutoRedraw() off,
  /// a new size or device pixel ratio) are rendered first. The focus indicator and the explored
  /// point's cross-hair are drawn over the copy, never into the control image.
  void paintEvent(QPaintEvent* event) override;
  /// Runs the steps of a new size (see SetBounds()) when Qt resized the widget.
  void resizeEvent(QResizeEvent* event) override;
  /// Raises \c OnKeyDown, then explores (KeyboardExploration()), copies on Ctrl+C and moves the
  /// focus on Tab and Backtab; the arrow keys are accepted, other keys go on to QWidget.
  void keyPressEvent(QKeyEvent* event) override;
  /// Shows the focus indicator.
  void focusInEvent(QFocusEvent* event) override;
  /// Removes the focus indicator.
  void focusOutEvent(QFocusEvent* event) override;
  /// Offers copying the data table and playing the curve as sound.
  void contextMenuEvent(QContextMenuEvent* event) override;
  /// Draws everything anew at the next paint after a change of the palette or the font (the
  /// widget's or the application's): system colours and fonts are resolved while drawing.
  void changeEvent(QEvent* event) override;
  /// Gives Tab and Backtab to keyPressEvent() first (which moves the focus on unless \c OnKeyDown
  /// took them), and draws anew after a move to a screen of another device pixel ratio.
  bool event(QEvent* event) override;
  /// Raises \c OnMouseDown, then starts a zoom window on a left-button press in the chart area in
  /// \c maZoomWind and \c maZoomWindPos.
  void mousePressEvent(QMouseEvent* event) override;
  /// Raises \c OnMouseMove, runs the mode's drag or zoom-window step and sets the cursor, then
  /// raises \c OnMouseMoveInChart.
  void mouseMoveEvent(QMouseEvent* event) override;
  /// Raises \c OnMouseUp, then ends a zoom window: the left button zooms into it (unless it has no
  /// width or height), the right button cancels it, the middle button keeps it.
  void mouseReleaseEvent(QMouseEvent* event) override;
  /// Removes the chart's cursor when the mouse leaves the control.
  void leaveEvent(QEvent* event) override;
  /// Zooms about the mouse position with Navigation() \c nvWheelZoomX or \c nvWheelZoomY; other
  /// wheel events go on to QWidget.
  void wheelEvent(QWheelEvent* event) override;
  /// A double-click: the press is handled as every press; with Navigation() \c nvHomeView a
  /// left double-click in the chart area then brings back the home view (RestoreHomeView()).
  void mouseDoubleClickEvent(QMouseEvent* event) override;
 private:
  // Data sharing: the charts of a group reach each other's membership and lists.
  void LeaveOwner();
  void StopUsingData();
  void LeaveDataGroup();
  void ShareItemList();
  void RepaintDataGroup();

  const std::unique_ptr<TCustomZephChartPrivate> d_;
};

/// The chart control as forms place it, with its properties published.
///
/// It adds nothing to TCustomZephChart but the published properties (\c Q_PROPERTY), which tools
/// and stored forms reach by name through the meta-object: \c AllocSize, \c AutoRedraw,
/// \c DataColor, \c PenStyle, \c LineWidth, \c ClassDefault, \c FillColor, the rims and
/// \c ShadowWidth, the colours, \c Caption with its position, alignment and anchors, \c Font,
/// \c ShadowStyle, the grid settings, the text-item settings, \c Isometric, \c StandardLayout,
/// \c BackGroundImg, \c Scale1X to \c Scale4X, \c Scale1Y to \c Scale4Y, \c CrossHair1 to
/// \c CrossHair4, \c JointLayers, \c UseDataOf, \c MouseAction and \c MouseCursorFixed, and
/// beside them \c Navigation, \c Legend, \c Antialiased and \c PaletteColors. Each is documented at its read
/// accessor. The properties that can change while the program runs have NOTIFY signals (see the
/// signals of TCustomZephChart), so that Qt bindings and tools follow them.
///
/// A chart showing a curve:
/// \code
/// #include <QApplication>
/// #include <cmath>
/// #include <zeph/chart/zephchart.h>
///
/// int main(int argc, char* argv[]) {
///   QApplication app(argc, argv);
///   zeph::TZephChart chart;
///   chart.resize(480, 320);
///   chart.SetCaption(QStringLiteral("Damped oscillation"));
///   chart.Scale1X()->SetCaption(QStringLiteral("t [s]"));
///   chart.SetLayerRange(1, 0, -1, 10, 1);  // layer 1: x from 0 to 10, y from -1 to 1
///
///   chart.ClearGraf();
///   chart.SetDataColor(zeph::clBlue);
///   chart.MoveTo(0, 1);
///   for (int i = 1; i <= 200; ++i) {
///     const double t = i * 0.05;
///     chart.DrawTo(t, std::exp(-0.3 * t) * std::cos(2 * t));
///   }
///   chart.ShowGraf();
///
///   chart.show();
///   return app.exec();
/// }
/// \endcode
class ZEPH_CHART_EXPORT TZephChart : public TCustomZephChart {
  Q_OBJECT
  Q_PROPERTY(int AllocSize READ AllocSize WRITE SetAllocSize)
  Q_PROPERTY(bool AutoRedraw READ AutoRedraw WRITE SetAutoRedraw NOTIFY AutoRedrawChanged)
  Q_PROPERTY(TColor DataColor READ DataColor WRITE SetDataColor)
  Q_PROPERTY(TPenStyle PenStyle READ PenStyle WRITE SetPenStyle)
  Q_PROPERTY(int LineWidth READ LineWidth WRITE SetLineWidth)
  Q_PROPERTY(int ClassDefault READ ClassDefault WRITE SetClassDefault)
  Q_PROPERTY(TColor FillColor READ FillColor WRITE SetFillColor)
  Q_PROPERTY(int LRim READ LRim WRITE SetLRim NOTIFY LayoutChanged)
  Q_PROPERTY(int RRim READ RRim WRITE SetRRim NOTIFY LayoutChanged)
  Q_PROPERTY(int TRim READ TRim WRITE SetTRim NOTIFY LayoutChanged)
  Q_PROPERTY(int BRim READ BRim WRITE SetBRim NOTIFY LayoutChanged)
  Q_PROPERTY(int ShadowWidth READ ShadowWidth WRITE SetShadowWidth NOTIFY LayoutChanged)
  Q_PROPERTY(TColor ChartColor READ ChartColor WRITE SetChartColor NOTIFY ColorsChanged)
  Q_PROPERTY(TColor WindColor READ WindColor WRITE SetWindColor NOTIFY ColorsChanged)
  Q_PROPERTY(TColor ChartFrameColor READ ChartFrameColor WRITE SetChartFrameColor NOTIFY ColorsChanged)
  Q_PROPERTY(TColor GridColor READ GridColor WRITE SetGridColor NOTIFY ColorsChanged)
  Q_PROPERTY(TColor ShadowColor READ ShadowColor WRITE SetShadowColor NOTIFY ColorsChanged)
  Q_PROPERTY(TColor ShadowBakColor READ ShadowBakColor WRITE SetShadowBakColor NOTIFY ColorsChanged)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption NOTIFY CaptionChanged)
  Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX NOTIFY LayoutChanged)
  Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY NOTIFY LayoutChanged)
  Q_PROPERTY(TAlignment CaptionAlignment READ CaptionAlignment WRITE SetCaptionAlignment NOTIFY LayoutChanged)
  Q_PROPERTY(ChartEnums::TCaptionAnchorHoriz CaptionAnchorHoriz READ CaptionAnchorHoriz WRITE SetCaptionAnchorHoriz
                 NOTIFY LayoutChanged)
  Q_PROPERTY(ChartEnums::TCaptionAnchorVert CaptionAnchorVert READ CaptionAnchorVert WRITE SetCaptionAnchorVert NOTIFY
                 LayoutChanged)
  Q_PROPERTY(TFont Font READ Font WRITE SetFont NOTIFY FontChanged)
  Q_PROPERTY(ZephEnums::TShadowStyle ShadowStyle READ ShadowStyle WRITE SetShadowStyle NOTIFY StylesChanged)
  Q_PROPERTY(ChartEnums::GridStyleType GridStyle READ GridStyle WRITE SetGridStyle NOTIFY GridChanged)
  Q_PROPERTY(double GridDx READ GridDx WRITE SetGridDx NOTIFY GridChanged)
  Q_PROPERTY(double GridDy READ GridDy WRITE SetGridDy NOTIFY GridChanged)
  Q_PROPERTY(TFontStyles TextFontStyle READ TextFontStyle WRITE SetTextFontStyle NOTIFY StylesChanged)
  Q_PROPERTY(ChartEnums::TTextBkg TextBkStyle READ TextBkStyle WRITE SetTextBkStyle NOTIFY StylesChanged)
  Q_PROPERTY(TColor TextBkColor READ TextBkColor WRITE SetTextBkColor NOTIFY ColorsChanged)
  Q_PROPERTY(TAlignment TextAlignment READ TextAlignment WRITE SetTextAlignment NOTIFY StylesChanged)
  Q_PROPERTY(bool Isometric READ Isometric WRITE SetIsometric NOTIFY IsometricChanged)
  Q_PROPERTY(
      ChartEnums::TzcLayout StandardLayout READ StandardLayout WRITE SetStandardLayout NOTIFY StandardLayoutChanged)
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
  Q_PROPERTY(TCustomZephChart* UseDataOf READ UseDataOf WRITE SetUseDataOf NOTIFY UseDataOfChanged)
  Q_PROPERTY(ZephEnums::TMouseActMode MouseAction READ MouseAction WRITE SetMouseAction NOTIFY MouseActionChanged)
  Q_PROPERTY(bool MouseCursorFixed READ MouseCursorFixed WRITE SetMouseCursorFixed NOTIFY MouseCursorFixedChanged)
  Q_PROPERTY(zeph::ChartNavigation::TNavigation Navigation READ Navigation WRITE SetNavigation NOTIFY NavigationChanged)
  Q_PROPERTY(bool Antialiased READ Antialiased WRITE SetAntialiased NOTIFY AntialiasedChanged)
  Q_PROPERTY(bool PaletteColors READ PaletteColors WRITE SetPaletteColors NOTIFY PaletteColorsChanged)
  Q_PROPERTY(QObject* Legend READ Legend)

 public:
  /// Creates a chart as a child of \p owner; see TCustomZephChart::TCustomZephChart().
  explicit TZephChart(QWidget* owner = nullptr) : TCustomZephChart(owner) {}
};

}  // namespace zeph
