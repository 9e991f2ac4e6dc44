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

// Raised for every tick drawn: the tick's value and the pixel where it leaves the axis line.
using TScaleTickDrawnEvent = std::function<void(QObject* Sender, TCanvas& Canvas, TScaleType ScaleType,
                                                double CurrentTickPos, int ChartX, int ChartY)>;
// Raised before and after a scale is drawn, with the canvas it is drawn on.
using TScaleRenderedEvent = std::function<void(QObject* Sender, TCanvas& Canvas)>;

// One axis: base line, ticks, tick labels and a caption, optionally on an opaque background with
// a frame. It stands on a form by itself, or a chart owns it and lets it draw on the chart's
// canvas (embedded, transparent, painting only when the chart asks through ForcePaint).
//
// Drawing goes into an off-screen image (the own Canvas) or an external canvas; the paint event
// only copies the own image to the screen.
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
  // Mouse events of the control, in its own pixel coordinates.
  using TMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button,
                                         Qt::KeyboardModifiers Shift, int X, int Y)>;
  using TMouseMoveEvent = std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;
  using TContextPopupEvent = std::function<void(QObject* Sender, QPoint MousePos, bool& Handled)>;

  // The most tick values one rendering records for TickPos.
  static constexpr int kMaxRecordedTicks = 50;

  explicit TScale(QWidget* owner = nullptr);
  ~TScale() override;

  // Placement in the parent.
  TAlign Align() const;
  void SetAlign(TAlign value);
  TAnchors Anchors() const;
  void SetAnchors(TAnchors value);
  // Moves and sizes the control, then recomputes the value-to-pixel mapping and repaints.
  void SetBounds(int left, int top, int width, int height);

  // Caption.
  QString Caption() const { return caption_; }
  void SetCaption(const QString& value);
  int CaptionPosX() const { return caption_pos_x_; }
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return caption_pos_y_; }
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return caption_alignment_; }
  void SetCaptionAlignment(TAlignment value);
  TScaleUnitAnchor CaptionAnchor() const { return caption_anchor_; }
  void SetCaptionAnchor(TScaleUnitAnchor value);

  // Colours and frame.
  TColor ColorBackGnd() const { return color_back_gnd_; }
  void SetColorBackGnd(TColor value);
  TColor ColorScale() const { return color_scale_; }
  void SetColorScale(TColor value);
  TColorScheme ColorScheme() const { return color_scheme_; }
  void SetColorScheme(TColorScheme value);
  TFrameStyle FrameStyle() const { return frame_style_; }
  void SetFrameStyle(TFrameStyle value);
  TColor FrameDarkColor() const { return frame_dark_; }
  TColor FrameShadowColor() const { return frame_shadow_; }
  TColor FrameHighlightColor() const { return frame_highlight_; }

  // Labels.
  TDTLabel* DateFormat() const { return date_format_; }
  // Copies the format values of the given object into the own one.
  void SetDateFormat(TDTLabel* value);
  int DecPlaces() const { return dec_places_; }
  void SetDecPlaces(int value);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value);
  TFigType LabelType() const { return label_type_; }
  void SetLabelType(TFigType value);
  QString ScaleInscript() const { return scale_inscript_; }
  void SetScaleInscript(const QString& value);
  QString UserTickText() const { return user_tick_text_; }
  void SetUserTickText(const QString& value);

  // Axis.
  bool Logarithmic() const { return logarithmic_; }
  void SetLogarithmic(bool value);
  double RangeLow() const { return range_low_; }
  void SetRangeLow(double value);
  double RangeHigh() const { return range_high_; }
  void SetRangeHigh(double value);
  int MinTicks() const { return min_ticks_; }
  void SetMinTicks(int value);
  bool ShortTicks() const { return short_ticks_; }
  void SetShortTicks(bool value);
  bool ShowBaseLine() const { return show_base_line_; }
  void SetShowBaseLine(bool value);
  TScaleType ScaleType() const { return scale_type_; }
  void SetScaleType(TScaleType value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // Distances of the axis extent from the control's edges.
  int MarginTop() const { return margin_top_; }
  void SetMarginTop(int value);
  int MarginBottom() const { return margin_bottom_; }
  void SetMarginBottom(int value);
  int MarginLeft() const { return margin_left_; }
  void SetMarginLeft(int value);
  int MarginRight() const { return margin_right_; }
  void SetMarginRight(int value);

  // Control properties.
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool value);
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool value);
  QMenu* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(QMenu* value);
  // Whether the scale is meant to be shown. An embedded scale is never shown as a widget of its
  // own; the flag then only tells whether it draws on its chart.
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  // Showing and hiding the widget keeps Visible in step (an embedded scale is never shown).
  void setVisible(bool visible) override;

  // The ticks of the most recent rendering: NumTicks entries, counted from 1; TickPos is 0 outside.
  int NumTicks() const { return static_cast<int>(ticks_.size()); }
  double TickPos(int index) const;

  // Value-to-pixel mapping along the axis, in the control's own coordinates.
  void CalcScaleFactor();
  int ValueToPixel(double value) const;
  double ScaleFactor() const { return map_.factor; }
  double ScaleOffset() const { return map_.offset; }
  // What the next rendering computes its ticks and labels from.
  ScaleLayoutSettings LayoutSettings() const;

  // Painting as the chart drives it.
  void SetSuppressPaint(bool value);
  bool PaintSuppressed() const { return paint_suppressed_; }
  void ForcePaint();
  void SetEmbedded(bool value);
  bool Embedded() const { return embedded_; }
  // Draws on the given canvas at the given offset instead of the own one (nullptr: own canvas).
  void SetExternalCanvas(TCanvas* canvas, int ox, int oy);
  TCanvas* ExternalCanvas() const { return external_canvas_; }
  // Paints at once, or lets the parent repaint first when the scale is transparent on its own.
  void Refresh();

  // The own off-screen canvas and its image, which the paint event copies to the screen.
  TCanvas& Canvas() { return canvas_; }
  const QImage& Image() const { return image_; }

  // Copies the settings of another scale (not Font, the rendered events or the embedded flag);
  // anything else raises an Exception, as assigning unrelated objects does.
  void Assign(const QObject* source);
  void AssignTo(QObject* dest) const;

  TScaleTickDrawnEvent OnScaleTickDrawn;
  TScaleRenderedEvent OnBeforeScaleRendered;
  TScaleRenderedEvent OnAfterScaleRendered;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TContextPopupEvent OnContextPopup;

 protected:
  void Loaded() override;
  // Draws the scale on its target canvas, if it is to be drawn now.
  virtual void Paint();

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool event(QEvent* event) override;
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
