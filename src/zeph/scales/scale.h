#pragma once

#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "zeph/scales/dtlabel.h"
#include "zeph/scales/scaleengine.h"
#include "zeph/scales/scalemap.h"
#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/component.h"
#include "zeph/toolkit/controlplacement.h"
#include "zeph/toolkit/tcanvas.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/tfont.h"
#include "zeph/toolkit/types.h"
#include "zeph/scales/scales_export.h"

namespace zeph {

class TScaleDraw;

/// The type of TScale::OnScaleTickDrawn, raised for every tick drawn: the tick's value and the pixel
/// where it leaves the axis line.
///
/// \a Sender is the scale, \a Canvas the canvas the tick is drawn on (the handler may draw on it),
/// \a ScaleType the scale's type, \a CurrentTickPos the tick's value and (\a ChartX, \a ChartY) the
/// point where the tick leaves the axis line, in the pixels of that canvas.
using TScaleTickDrawnEvent = std::function<void(QObject* Sender, TCanvas& Canvas, TScaleType ScaleType,
                                                double CurrentTickPos, int ChartX, int ChartY)>;
/// The type of TScale::OnBeforeScaleRendered and TScale::OnAfterScaleRendered: raised before and
/// after a scale is drawn, with the scale as \a Sender and the canvas it is drawn on.
using TScaleRenderedEvent = std::function<void(QObject* Sender, TCanvas& Canvas)>;

/// One axis: base line, ticks, tick labels and a caption, optionally on an opaque background with
/// a frame.
///
/// It stands on a form by itself, or a chart owns it and lets it draw on the chart's canvas
/// (embedded, transparent, painting only when the chart asks through ForcePaint).
///
/// Drawing goes into an off-screen image (the own Canvas) or an external canvas; the paint event
/// only copies the own image to the screen.
///
/// The axis runs between the margins: RangeLow() at its start (the left end, or the bottom of a
/// vertical scale) and RangeHigh() at its end; RangeLow() may be the larger value, which reverses the
/// axis. ScaleType() decides the orientation and on which side of the axis line ticks and labels
/// stand. The long-tick step is the largest of 1, 2 or 5 times a power of ten that divides the
/// range into at least MinTicks() intervals (range 0 to 10 with 3 intervals: ticks at 0, 2, 4, ...
/// 10); short ticks divide each step into 4 or 5. LabelType() chooses numbers, clock readings,
/// dates and times, or texts of your own.
///
/// Every setter stores its value and repaints at once (see Refresh()); setters whose value affects
/// the value-to-pixel mapping recompute it first. Values out of range are clamped or ignored
/// silently; apart from Assign() and AssignTo(), the scale raises no exceptions.
///
/// \code
/// auto* axis = new zeph::TScale(&window);  // horizontal, ticks and labels above the line
/// axis->SetBounds(10, 10, 400, 60);
/// axis->SetRangeLow(1);
/// axis->SetRangeHigh(1000);
/// axis->SetLogarithmic(true);               // labelled ticks at 1, 10, 100 and 1000
/// axis->SetCaption(QStringLiteral("f / Hz"));
/// \endcode
class ZEPH_SCALES_EXPORT TScale : public QWidget, public TComponentLoading {
  Q_OBJECT
  Q_PROPERTY(TAlign Align READ Align WRITE SetAlign)
  Q_PROPERTY(TAnchors Anchors READ Anchors WRITE SetAnchors)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
  Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
  Q_PROPERTY(TAlignment CaptionAlignment READ CaptionAlignment WRITE SetCaptionAlignment)
  Q_PROPERTY(ZephEnums::TScaleUnitAnchor CaptionAnchor READ CaptionAnchor WRITE SetCaptionAnchor)
  Q_PROPERTY(TColor ColorBackGnd READ ColorBackGnd WRITE SetColorBackGnd)
  Q_PROPERTY(TColor ColorScale READ ColorScale WRITE SetColorScale)
  Q_PROPERTY(ZephEnums::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(TDTLabel* DateFormat READ DateFormat WRITE SetDateFormat)
  Q_PROPERTY(int DecPlaces READ DecPlaces WRITE SetDecPlaces)
  Q_PROPERTY(TFont Font READ Font WRITE SetFont)
  Q_PROPERTY(ZephEnums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(ZephEnums::TFigType LabelType READ LabelType WRITE SetLabelType)
  Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
  Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
  Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
  Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
  Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
  Q_PROPERTY(int MinTicks READ MinTicks WRITE SetMinTicks)
  Q_PROPERTY(int NumTicks READ NumTicks)
  Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
  Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
  Q_PROPERTY(QMenu* PopupMenu READ PopupMenu WRITE SetPopupMenu)
  Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
  Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
  Q_PROPERTY(bool ShortTicks READ ShortTicks WRITE SetShortTicks)
  Q_PROPERTY(bool ShowBaseLine READ ShowBaseLine WRITE SetShowBaseLine)
  Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
  Q_PROPERTY(QString ScaleInscript READ ScaleInscript WRITE SetScaleInscript)
  Q_PROPERTY(ZephEnums::TScaleType ScaleType READ ScaleType WRITE SetScaleType)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(QString UserTickText READ UserTickText WRITE SetUserTickText)
  Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

 public:
  /// The type of OnMouseDown and OnMouseUp: the scale, the button, the keyboard modifiers held, and
  /// the mouse position in the control's own pixels.
  using TMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button,
                                         Qt::KeyboardModifiers Shift, int X, int Y)>;
  /// The type of OnMouseMove: the scale, the keyboard modifiers held, and the mouse position in the
  /// control's own pixels.
  using TMouseMoveEvent = std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;
  /// The type of OnContextPopup: the scale, the mouse position in the control's own pixels, and a
  /// flag the handler sets to true when it has dealt with the request itself.
  using TContextPopupEvent = std::function<void(QObject* Sender, QPoint MousePos, bool& Handled)>;

  /// The most tick values one rendering records for TickPos.
  static constexpr int kMaxRecordedTicks = 50;

  /// Constructs a scale of 400 by 400 pixels as a child of \a owner, shown with it.
  ///
  /// The properties take the defaults their accessors name; the font is the owner's \c Font
  /// property when it has one (ParentFont()). The scale owns its DateFormat() object.
  explicit TScale(QWidget* owner = nullptr);
  /// Destroys the scale and its DateFormat() object.
  ~TScale() override;

  // Placement in the parent.
  /// Published property \c Align: the side of the parent the scale is docked to; default
  /// \ref alNone. See TControlPlacement.
  TAlign Align() const;
  /// Sets Align(); a change lays out the parent's docked controls at once.
  void SetAlign(TAlign value);
  /// Published property \c Anchors: the parent edges whose distances the scale keeps when the
  /// parent is resized; default left and top.
  TAnchors Anchors() const;
  /// Sets Anchors() and remembers the current distances to the parent's edges.
  void SetAnchors(TAnchors value);
  /// Moves and sizes the control, then recomputes the value-to-pixel mapping and repaints.
  ///
  /// Negative sizes become 0. The anchors take the new distances to the parent's edges.
  void SetBounds(int left, int top, int width, int height);

  // Caption.
  /// Published property \c Caption: the axis caption; default empty (no caption).
  ///
  /// It is written in Font() with its top-left corner at a point derived from its anchor. On a
  /// vertical scale x is the axis line's x plus CaptionPosX() and y is the CaptionAnchor() point
  /// plus CaptionPosY(); on a horizontal scale x is the CaptionAnchor() point plus CaptionPosX() and
  /// y is the axis line's y plus CaptionPosY(). CaptionAlignment() then moves it left by its whole
  /// or half width.
  QString Caption() const { return caption_; }
  /// Sets Caption(); repaints.
  void SetCaption(const QString& value);
  /// Published property \c CaptionPosX: the caption's x offset in pixels (see Caption());
  /// default 4.
  int CaptionPosX() const { return caption_pos_x_; }
  /// Sets CaptionPosX(); repaints.
  void SetCaptionPosX(int value);
  /// Published property \c CaptionPosY: the caption's y offset in pixels (see Caption());
  /// default 4.
  int CaptionPosY() const { return caption_pos_y_; }
  /// Sets CaptionPosY(); repaints.
  void SetCaptionPosY(int value);
  /// Published property \c CaptionAlignment: how the caption stands at its point, always along x;
  /// default \ref taCenter.
  TAlignment CaptionAlignment() const { return caption_alignment_; }
  /// Sets CaptionAlignment(); repaints.
  void SetCaptionAlignment(TAlignment value);
  /// Published property \c CaptionAnchor: the point along the axis extent that the caption is
  /// placed from (start, middle or end); default \ref ZephEnums::uaSclTopLft "uaSclTopLft".
  TScaleUnitAnchor CaptionAnchor() const { return caption_anchor_; }
  /// Sets CaptionAnchor(); repaints.
  void SetCaptionAnchor(TScaleUnitAnchor value);

  // Colours and frame.
  /// Published property \c ColorBackGnd: the background of an opaque scale; default
  /// \ref clBtnFace. A transparent scale has no background.
  TColor ColorBackGnd() const { return color_back_gnd_; }
  /// Sets ColorBackGnd(); repaints when the value changes.
  void SetColorBackGnd(TColorArg value);
  /// Published property \c ColorScale: the pen colour of the base line and the ticks; default
  /// \ref clBlack. Labels and caption take the colour of Font().
  TColor ColorScale() const { return color_scale_; }
  /// Sets ColorScale(); repaints when the value changes.
  void SetColorScale(TColorArg value);
  /// Published property \c ColorScheme: the colours of the three-dimensional frame; default
  /// \ref ZephEnums::csBWG "csBWG" (gray shadow, white highlight).
  TColorScheme ColorScheme() const { return color_scheme_; }
  /// Sets ColorScheme() and with it FrameShadowColor() and FrameHighlightColor(); repaints when the
  /// value changes.
  void SetColorScheme(TColorScheme value);
  /// Published property \c FrameStyle: the frame around an opaque scale; default
  /// \ref ZephEnums::fsLowered "fsLowered". A transparent scale has no frame.
  TFrameStyle FrameStyle() const { return frame_style_; }
  /// Sets FrameStyle(); repaints when the value changes.
  void SetFrameStyle(TFrameStyle value);
  /// Returns the frame's fixed dark colour, \ref clBlack.
  TColor FrameDarkColor() const { return frame_dark_; }
  /// Returns the frame's shadow colour: \ref clGray, or \ref clBtnShadow with the system scheme.
  TColor FrameShadowColor() const { return frame_shadow_; }
  /// Returns the frame's highlight colour: \ref clWhite, or \ref clBtnHighlight with the system
  /// scheme.
  TColor FrameHighlightColor() const { return frame_highlight_; }

  // Labels.
  /// Published property \c DateFormat: the format of date and time labels, an object the scale
  /// owns (never null).
  ///
  /// Changing its values repaints the scale. It starts with the values of
  /// SetDefaultDateTimeFormat().
  TDTLabel* DateFormat() const { return date_format_; }
  /// Copies the format values of the given object into the own one.
  ///
  /// The scale keeps its own object; a null pointer is ignored. Repaints.
  void SetDateFormat(TDTLabel* value);
  /// Published property \c DecPlaces: the decimal places of numeric labels, -3 to 12; default -2.
  ///
  /// - 0 to 12: fixed notation with that many digits after the '.' (whatever the locale).
  /// - -1: exponent form with two significant digits, " 2.5E+03"; a label whose exponent needs
  ///   more than two digits reads "********".
  /// - -2: automatic. Linear scales: exponent form for ranges of 1000000 and more or 0.0001 and
  ///   less, no decimals from 100 on, else 2 - round(ln(range) / 2.5) places (range 3: 2 places,
  ///   range 10: 1, range 0.1: 3). Logarithmic scales: exponent form likewise, no decimals when the
  ///   low end is 1 or more, else 1 - round(log10(low end)) places, trailing zeros removed.
  /// - -3: as -2 on linear scales; on logarithmic scales only the decade ticks are labelled, with
  ///   their exponent ("-2", "-1", "0", "1").
  ///
  /// Labels are cut to 14 characters before ScaleInscript() is applied.
  int DecPlaces() const { return dec_places_; }
  /// Sets DecPlaces(), clamped to -3..12; repaints.
  void SetDecPlaces(int value);
  /// Published property \c Font: the font and colour of labels and caption; default
  /// "MS Sans Serif", 8 points, or the parent's while ParentFont() is true.
  const TFont& Font() const { return font_; }
  /// Sets Font() and turns ParentFont() off; repaints.
  void SetFont(const TFont& value);
  /// Sets Font() from a QFont (see TFont::FromQFont()); the font colour stays as it is.
  void SetFont(const QFont& value) { SetFont(TFont::FromQFont(value, Font().Color)); }
  /// Published property \c LabelType: the kind of tick labels; default \ref ZephEnums::ftNum "ftNum".
  ///
  /// With \ref ZephEnums::ftTime "ftTime" the values are seconds and the labels clock readings
  /// (" 00:20:00", " 00:00:00.250"); a range whose interval per tick is below one millisecond or at
  /// least one day gets numeric labels instead. With \ref ZephEnums::ftDateTime "ftDateTime" the
  /// values are days since 30 December 1899 (see TDTLabel); a reversed range, or one before the
  /// year 1 or beyond day 3000000, shows "invalid DateTime scale" instead of ticks, and intervals
  /// below one second show a message too.
  TFigType LabelType() const { return label_type_; }
  /// Sets LabelType(); repaints.
  ///
  /// \ref ZephEnums::ftDateTime "ftDateTime" switches Logarithmic() off;
  /// \ref ZephEnums::ftTime "ftTime" sets DecPlaces() to 4, for the numeric labels it may fall
  /// back to.
  void SetLabelType(TFigType value);
  /// Published property \c ScaleInscript: text put around every numeric label; default empty.
  ///
  /// An '&' marks where the number goes ("U=& V" around 5 gives "U=5 V"; later '&' stay as they
  /// are); without one the text is a prefix ("x " gives "x 5"). Empty labels stay empty. Time, date
  /// and user labels are not affected.
  QString ScaleInscript() const { return scale_inscript_; }
  /// Sets ScaleInscript(); repaints.
  void SetScaleInscript(const QString& value);
  /// Published property \c UserTickText: the label texts for
  /// \ref ZephEnums::ftUserText "ftUserText", separated by '|'; default empty.
  ///
  /// The first field labels the first labelled tick, and so on; the last field repeats for the
  /// ticks beyond ("low|mid|high" on five ticks: "low", "mid", "high", "high", "high"). An empty
  /// text gives empty labels.
  QString UserTickText() const { return user_tick_text_; }
  /// Sets UserTickText(); repaints.
  void SetUserTickText(const QString& value);

  // Axis.
  /// Published property \c Logarithmic: whether the axis is logarithmic; default false.
  ///
  /// A logarithmic axis has a tick at every power of ten; when MinTicks() exceeds the number of
  /// decades by more than a half, also labelled ticks at 2 and 5 and minor ticks at 3, 4, 6, 7, 8
  /// and 9 times each power. A range of less than one decade, or one that reaches zero or below,
  /// is laid out as a linear one.
  bool Logarithmic() const { return logarithmic_; }
  /// Sets Logarithmic(); recomputes the mapping and repaints.
  ///
  /// False is always taken. True is taken only when both range ends are at least 1e-100 and
  /// LabelType() is not \ref ZephEnums::ftDateTime "ftDateTime"; otherwise the request is silently
  /// ignored. Before the scale's end-of-loading notification (Loaded(); a scale created in code
  /// gets none unless TComponentLoading::EndLoading() is called) true is taken without these checks.
  void SetLogarithmic(bool value);
  /// Published property \c RangeLow: the value at the start of the axis; default 0.
  ///
  /// It may be greater than RangeHigh() (a reversed axis); it never equals it.
  double RangeLow() const { return range_low_; }
  /// Sets RangeLow(); recomputes the mapping and repaints.
  ///
  /// A value that is not finite is ignored. When the value equals RangeHigh(), RangeHigh() becomes
  /// the value + 1 (the next larger number where adding 1 is lost in rounding).
  void SetRangeLow(double value);
  /// Published property \c RangeHigh: the value at the end of the axis; default 100.
  ///
  /// It may be less than RangeLow() (a reversed axis); it never equals it.
  double RangeHigh() const { return range_high_; }
  /// Sets RangeHigh(); recomputes the mapping and repaints.
  ///
  /// A value that is not finite is ignored. When the value equals RangeLow(), RangeLow() becomes
  /// the value + 1 (the next larger number where adding 1 is lost in rounding).
  void SetRangeHigh(double value);
  /// Published property \c MinTicks: the least number of long-tick intervals the range is divided
  /// into, 2 to 10; default 3.
  int MinTicks() const { return min_ticks_; }
  /// Sets MinTicks(), clamped to 2..10; repaints.
  void SetMinTicks(int value);
  /// Published property \c ShortTicks: whether short, unlabelled ticks are drawn between the long
  /// ticks; default true.
  bool ShortTicks() const { return short_ticks_; }
  /// Sets ShortTicks(); repaints when the value changes.
  void SetShortTicks(bool value);
  /// Published property \c ShowBaseLine: whether the axis line is drawn; default true.
  bool ShowBaseLine() const { return show_base_line_; }
  /// Sets ShowBaseLine(); repaints.
  void SetShowBaseLine(bool value);
  /// Published property \c ScaleType: the orientation and the side of the axis line; default
  /// \ref ZephEnums::sctXB "sctXB".
  ///
  /// The axis line lies at y = height - MarginBottom() - 1 (\ref ZephEnums::sctXB "sctXB"),
  /// y = MarginTop() (\ref ZephEnums::sctXT "sctXT"), x = MarginLeft()
  /// (\ref ZephEnums::sctYL "sctYL") or x = width - MarginRight() - 1
  /// (\ref ZephEnums::sctYR "sctYR"). Long ticks are 7 pixels on horizontal and 6 on vertical
  /// scales, short ticks 4; labels stand 8 pixels beside a vertical axis line, or 7 pixels above or
  /// below a horizontal one, centred on their tick but kept inside the control.
  TScaleType ScaleType() const { return scale_type_; }
  /// Sets ScaleType(); recomputes the mapping and repaints when the value changes.
  void SetScaleType(TScaleType value);
  /// Published property \c Transparent: whether the scale draws straight onto what lies beneath,
  /// without background, frame and label backgrounds; default false.
  ///
  /// A transparent scale that stands on its own lets its parent repaint first (see Refresh()).
  bool Transparent() const { return transparent_; }
  /// Sets Transparent(); repaints.
  void SetTransparent(bool value);

  // Distances of the axis extent from the control's edges.
  /// Published property \c MarginTop: pixels between the top edge and the axis extent (the top
  /// end of a vertical axis, the line of \ref ZephEnums::sctXT "sctXT"); default 20.
  int MarginTop() const { return margin_top_; }
  /// Sets MarginTop(); negative values become 0. Recomputes the mapping and repaints.
  void SetMarginTop(int value);
  /// Published property \c MarginBottom: pixels between the axis extent and the bottom edge;
  /// default 20.
  int MarginBottom() const { return margin_bottom_; }
  /// Sets MarginBottom(); negative values become 0. Recomputes the mapping and repaints.
  void SetMarginBottom(int value);
  /// Published property \c MarginLeft: pixels between the left edge and the axis extent; default
  /// 20.
  int MarginLeft() const { return margin_left_; }
  /// Sets MarginLeft(); negative values become 0. Recomputes the mapping and repaints.
  void SetMarginLeft(int value);
  /// Published property \c MarginRight: pixels between the axis extent and the right edge;
  /// default 20.
  int MarginRight() const { return margin_right_; }
  /// Sets MarginRight(); negative values become 0. Recomputes the mapping and repaints.
  void SetMarginRight(int value);

  // Control properties.
  /// Published property \c ParentFont: whether the scale takes its parent's \c Font property
  /// (when the parent has one of type TFont); default true.
  ///
  /// The parent's font is taken when the property is switched on, at the end of loading and when
  /// the scale gets a new parent.
  bool ParentFont() const { return parent_font_; }
  /// Sets ParentFont(); true takes the parent's font now. Repaints.
  void SetParentFont(bool value);
  /// Published property \c ShowHint: whether the scale shows its tool tip (\c QWidget::toolTip);
  /// default false.
  ///
  /// While ParentShowHint() is true and the parent has a \c bool property \c ShowHint, the
  /// parent's value decides instead.
  bool ShowHint() const { return show_hint_; }
  /// Sets ShowHint() and turns ParentShowHint() off.
  void SetShowHint(bool value);
  /// Published property \c ParentShowHint: whether the parent's \c ShowHint decides about tool
  /// tips; default true.
  bool ParentShowHint() const { return parent_show_hint_; }
  /// Sets ParentShowHint().
  void SetParentShowHint(bool value);
  /// Published property \c PopupMenu: the menu shown on a context-menu request unless
  /// OnContextPopup handles it; default none. The scale does not own it.
  QMenu* PopupMenu() const { return popup_menu_; }
  /// Sets PopupMenu().
  void SetPopupMenu(QMenu* value);
  /// Whether the scale is meant to be shown.
  ///
  /// Published property \c Visible; default true. An embedded scale is never shown as a widget of
  /// its own; the flag then only tells whether it draws on its chart. An invisible scale draws
  /// nothing.
  bool Visible() const { return visible_; }
  /// Sets Visible(): hides or shows the widget; a scale that is not embedded repaints when made visible.
  ///
  /// A scale without a parent is a window of its own: it is hidden when Visible() turns false, but
  /// showing it is left to the caller, as for every top-level widget.
  void SetVisible(bool value);
  /// Showing and hiding the widget keeps Visible in step (an embedded scale is never shown).
  void setVisible(bool visible) override;

  /// The number of ticks of the most recent rendering: published read-only property \c NumTicks.
  ///
  /// At most kMaxRecordedTicks; further ticks are drawn but not recorded. 0 before the first
  /// rendering.
  int NumTicks() const { return static_cast<int>(ticks_.size()); }
  /// The ticks of the most recent rendering: NumTicks entries, counted from 1; TickPos is 0 outside.
  ///
  /// The values are in drawing order (short ticks first, where they are drawn) and are what a
  /// chart draws its grid lines at.
  double TickPos(int index) const;

  /// Value-to-pixel mapping along the axis, in the control's own coordinates: recomputes it.
  ///
  /// RangeLow() lands on the start and RangeHigh() on the end of the axis extent. The setters that
  /// change range, margins, size, scale type or Logarithmic() call it. It does nothing while the
  /// scale is loading; on a logarithmic axis with an end of 0 or below it keeps the last mapping;
  /// an axis with no room between its margins maps every value to the middle of the control.
  void CalcScaleFactor();
  /// Returns the pixel of \a value along the axis: x on horizontal, y on vertical scales, in the
  /// control's own coordinates (an external canvas's offset is not added).
  ///
  /// On a logarithmic axis a value of 1e-100 or less maps to 0, or to the control's width when
  /// RangeHigh() is less than RangeLow(). The result is rounded to the nearest pixel and kept
  /// within +-2147483647.
  int ValueToPixel(double value) const;
  /// Returns the pixels per value unit (per natural-log unit on a logarithmic axis); negative when
  /// the pixels run against the values (vertical scales, reversed axes).
  double ScaleFactor() const { return map_.factor; }
  /// Returns the pixel of value 0 (of ln 1, that is value 1, on a logarithmic axis).
  double ScaleOffset() const { return map_.offset; }
  /// What the next rendering computes its ticks and labels from.
  ///
  /// Pass it to BuildScaleLayout() to compute the ticks and labels without drawing.
  ScaleLayoutSettings LayoutSettings() const;

  // Painting as the chart drives it.
  /// Holds painting back (true) or allows it again (false), which repaints.
  ///
  /// While it is held back, Paint() does nothing. No change when the value is the current one.
  void SetSuppressPaint(bool value);
  /// Returns whether painting is held back (see SetSuppressPaint()).
  bool PaintSuppressed() const { return paint_suppressed_; }
  /// Paints now even while painting is held back (see Refresh()); a chart calls it when it
  /// renders its scales.
  void ForcePaint();
  /// Marks the scale as drawn by a chart (true) or standing on its own (false).
  ///
  /// An embedded scale is hidden as a widget and lets mouse events through; it paints at once on
  /// every change, transparent or not. Repaints when the value changes.
  void SetEmbedded(bool value);
  /// Returns whether the scale is drawn by a chart (see SetEmbedded()).
  bool Embedded() const { return embedded_; }
  /// Draws on the given canvas at the given offset instead of the own one (nullptr: own canvas).
  ///
  /// The offset (\a ox, \a oy) moves the axis line across the axis only; positions along the axis
  /// come from ValueToPixel() without it. Nothing is repainted. The canvas is not owned; reset it
  /// with nullptr before the canvas goes away.
  void SetExternalCanvas(TCanvas* canvas, int ox, int oy);
  /// Returns the external canvas, or nullptr when the scale draws on its own.
  TCanvas* ExternalCanvas() const { return external_canvas_; }
  /// Paints at once, or lets the parent repaint first when the scale is transparent on its own.
  ///
  /// An opaque or embedded scale calls Paint() now; a transparent stand-alone scale schedules a
  /// repaint of the widget (\c QWidget::update()), in which its parent paints the background first.
  void Refresh();

  /// The own off-screen canvas and its image, which the paint event copies to the screen.
  ///
  /// The image (\c Format_ARGB32_Premultiplied, with the screen's device pixel ratio) is
  /// transparent where a transparent scale draws nothing; it is empty before the first paint.
  TCanvas& Canvas() { return canvas_; }
  /// The own off-screen image (see Canvas()).
  const QImage& Image() const { return image_; }

  /// Copies the settings of another scale (not Font, the rendered events or the embedded flag);
  /// anything else raises an Exception, as assigning unrelated objects does.
  ///
  /// Copied are all published settings and the values of DateFormat(), the frame colours,
  /// OnScaleTickDrawn, the mapping, the tick list, the external canvas and offset and whether
  /// painting is held back; then the scale repaints. Assigning a scale to itself does nothing. A
  /// \a source that is not a TScale (or is null) raises Exception "Cannot assign a SOURCE to a
  /// TScale".
  void Assign(const QObject* source);
  /// Copies this scale's settings into \a dest when it is a TScale (see Assign()); anything else
  /// raises Exception "Cannot assign a TScale to a DEST".
  void AssignTo(QObject* dest) const;

  /// Event raised for every tick drawn.
  ///
  /// Raised in drawing order with the tick's value and axis point (see TScaleTickDrawnEvent).
  /// Linear numeric scales raise it before the tick's label is written on vertical scales and
  /// after it on horizontal ones, where a tick labelled as an exact zero reports 0; logarithmic
  /// scales raise it before the label, time and date labels after it. Short ticks of
  /// \ref ZephEnums::ftTime "ftTime" labels are not reported; on horizontal logarithmic scales the
  /// minor positions are reported even when ShortTicks() keeps them from being drawn. The handler
  /// may draw on the canvas. Unset by default; an unset event is skipped.
  TScaleTickDrawnEvent OnScaleTickDrawn;
  /// Event raised at the start of every rendering, with the canvas the scale draws on (its own or
  /// the external one), before anything is drawn. Unset by default; an unset event is skipped.
  TScaleRenderedEvent OnBeforeScaleRendered;
  /// Event raised when ticks, labels, caption and base line are drawn.
  ///
  /// An opaque scale raises it with the canvas of its background bitmap, before the frame is drawn
  /// and the bitmap is copied to the target; a transparent scale with the target canvas. Unset by
  /// default; an unset event is skipped.
  TScaleRenderedEvent OnAfterScaleRendered;
  /// Event raised when the left mouse button is released over the scale. Unset by default; an
  /// unset event is skipped.
  TNotifyEvent OnClick;
  /// Event raised when the left mouse button is double-clicked (OnMouseDown follows). Unset by
  /// default; an unset event is skipped.
  TNotifyEvent OnDblClick;
  /// Event raised when the mouse moves while a button is held down over the scale (on every move
  /// once \c QWidget::setMouseTracking() is on). Unset by default; an unset event is skipped.
  TMouseMoveEvent OnMouseMove;
  /// Event raised when a mouse button is pressed over the scale. Unset by default; an unset event
  /// is skipped.
  TMouseEvent OnMouseDown;
  /// Event raised when a mouse button is released, before OnClick. Unset by default; an unset event
  /// is skipped.
  TMouseEvent OnMouseUp;
  /// Event raised on a context-menu request (right click, menu key).
  ///
  /// When the handler sets \a Handled to true, nothing else happens; otherwise PopupMenu() is shown
  /// when set. Unset by default; an unset event is skipped.
  TContextPopupEvent OnContextPopup;

 protected:
  /// Takes the parent's font (ParentFont()), recomputes the mapping, ends the initialising phase in
  /// which SetLogarithmic() skips its checks, and repaints.
  void Loaded() override;
  /// Draws the scale on its target canvas, if it is to be drawn now.
  ///
  /// Nothing is drawn while the scale is not Visible(), is loading, or painting is held back. The
  /// target is the external canvas with its offset, else the own image. The order: Font() is set,
  /// OnBeforeScaleRendered, then on an opaque scale a background bitmap in ColorBackGnd() with
  /// ticks, labels, caption and base line, OnAfterScaleRendered and the frame, copied to the
  /// target; on a transparent scale the same straight onto the target, without background and
  /// frame. A redefinition may draw more around the inherited drawing.
  virtual void Paint();

  /// Copies the own image to the screen, painting it first when it is out of date.
  void paintEvent(QPaintEvent* event) override;
  /// Recomputes the mapping and repaints when the size has changed.
  void resizeEvent(QResizeEvent* event) override;
  /// Raises OnMouseDown.
  void mousePressEvent(QMouseEvent* event) override;
  /// Raises OnMouseUp, then OnClick for the left button released over the scale.
  void mouseReleaseEvent(QMouseEvent* event) override;
  /// Raises OnDblClick for the left button, then OnMouseDown.
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  /// Raises OnMouseMove.
  void mouseMoveEvent(QMouseEvent* event) override;
  /// Raises OnContextPopup, then shows PopupMenu() unless the handler dealt with the request.
  void contextMenuEvent(QContextMenuEvent* event) override;
  /// Suppresses tool tips unless ShowHint() (or the parent's) allows them.
  bool event(QEvent* event) override;
  /// On a new parent, takes its font (ParentFont()) and the anchor distances to its edges.
  void changeEvent(QEvent* event) override;

 private:
  ScaleGeometry Geometry() const;
  void DrawScale(TCanvas& canvas, int ox, int oy);
  void DateFormatChanged();
  void ApplyParentFont();
  bool EffectiveShowHint() const;
  void UpdateWidgetVisibility();

  TFrameStyle frame_style_ = fsLowered;
  TColor color_scale_ = clBlack;
  TColor color_back_gnd_ = clBtnFace;
  TColor frame_dark_ = clBlack;
  TColor frame_shadow_ = clGray;
  TColor frame_highlight_ = clWhite;
  TColorScheme color_scheme_ = csBWG;
  bool logarithmic_ = false;
  ScaleMap map_;
  double range_high_ = 100;
  double range_low_ = 0;
  bool short_ticks_ = true;
  int min_ticks_ = 3;
  int dec_places_ = -2;
  bool initialising_ = true;
  bool show_base_line_ = true;
  bool transparent_ = false;
  TFigType label_type_ = ftNum;
  TDTLabel* date_format_ = nullptr;
  int margin_top_ = 20;
  int margin_bottom_ = 20;
  int margin_right_ = 20;
  int margin_left_ = 20;
  bool embedded_ = false;
  int caption_pos_x_ = 4;
  int caption_pos_y_ = 4;
  TAlignment caption_alignment_ = taCenter;
  TScaleUnitAnchor caption_anchor_ = uaSclTopLft;
  QString user_tick_text_;
  QString scale_inscript_;
  std::vector<double> ticks_;
  QString caption_;
  TCanvas* external_canvas_ = nullptr;
  int external_x_ = 0;
  int external_y_ = 0;
  TScaleType scale_type_ = sctXB;
  bool paint_suppressed_ = false;

  TFont font_;
  bool parent_font_ = true;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  QMenu* popup_menu_ = nullptr;
  bool visible_ = true;
  TControlPlacement* placement_ = nullptr;

  QImage image_;
  TCanvas canvas_;
  bool image_current_ = false;
  bool in_paint_event_ = false;
  QSize calc_size_;
};

}  // namespace zeph
