#include "zeph/scales/scale.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>
#include <limits>

#include "zeph/scales/drawframe_p.h"
#include "zeph/scales/scaledraw_p.h"
#include "zeph/scales/scalemath_p.h"
#include "zeph/toolkit/exception.h"

namespace zeph {

namespace {

// The other end of a range whose new end would make it empty: one unit further, or the next
// representable value where one unit is lost in rounding.
double OneBeyond(double value) {
  const double next = value + 1;
  if (next != value) return next;
  return std::nextafter(value, value < std::numeric_limits<double>::max()
                                   ? std::numeric_limits<double>::infinity()
                                   : -std::numeric_limits<double>::infinity());
}

// Pixel positions within reach of any canvas, however large the margins.
int ClampCoord(long long v) { return static_cast<int>(std::clamp(v, -1000000LL, 1000000LL)); }

}  // namespace

TScale::TScale(QWidget* owner) : QWidget(owner) {
  paint_suppressed_ = true;
  setAttribute(Qt::WA_NoSystemBackground, false);
  placement_ = new TControlPlacement(this);
  date_format_ = new TDTLabel(this);
  date_format_->setObjectName(QStringLiteral("DateFormat"));
  SetDefaultDateTimeFormat(*date_format_);
  date_format_->OnChange = [this](QObject*) { DateFormatChanged(); };
  resize(400, 400);
  ApplyParentFont();
  CalcScaleFactor();
  if (owner) QWidget::setVisible(true);
  paint_suppressed_ = false;
}

TScale::~TScale() {
  // The format object goes with the scale; nothing may call back into a half-destroyed scale.
  date_format_->OnChange = nullptr;
}

// ---- placement ---------------------------------------------------------------------------------

TAlign TScale::Align() const { return placement_->Align(); }
void TScale::SetAlign(TAlign value) { placement_->SetAlign(value); }
TAnchors TScale::Anchors() const { return placement_->Anchors(); }
void TScale::SetAnchors(TAnchors value) { placement_->SetAnchors(value); }

void TScale::SetBounds(int left, int top, int width, int height) {
  setGeometry(left, top, std::max(width, 0), std::max(height, 0));
  placement_->RememberDistances();
  CalcScaleFactor();
  Refresh();
}

// ---- caption -----------------------------------------------------------------------------------

void TScale::SetCaption(const QString& value) {
  caption_ = value;
  Refresh();
}

void TScale::SetCaptionPosX(int value) {
  caption_pos_x_ = value;
  Refresh();
}

void TScale::SetCaptionPosY(int value) {
  caption_pos_y_ = value;
  Refresh();
}

void TScale::SetCaptionAlignment(TAlignment value) {
  caption_alignment_ = value;
  Refresh();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor value) {
  caption_anchor_ = value;
  Refresh();
}

// ---- colours and frame -------------------------------------------------------------------------

void TScale::SetColorBackGnd(TColorArg value) {
  if (value == color_back_gnd_) return;
  color_back_gnd_ = value;
  Refresh();
}

void TScale::SetColorScale(TColorArg value) {
  if (value == color_scale_) return;
  color_scale_ = value;
  Refresh();
}

void TScale::SetColorScheme(TColorScheme value) {
  if (value == color_scheme_) return;
  color_scheme_ = value;
  if (value == csSystem) {
    frame_shadow_ = clBtnShadow;
    frame_highlight_ = clBtnHighlight;
  } else {
    frame_shadow_ = clGray;
    frame_highlight_ = clWhite;
  }
  Refresh();
}

void TScale::SetFrameStyle(TFrameStyle value) {
  if (value == frame_style_) return;
  frame_style_ = value;
  Refresh();
}

// ---- labels ------------------------------------------------------------------------------------

void TScale::SetDateFormat(TDTLabel* value) {
  if (!value) return;
  if (value != date_format_) date_format_->Assign(*value);
  Refresh();
}

void TScale::DateFormatChanged() { Refresh(); }

void TScale::SetDecPlaces(int value) {
  dec_places_ = std::clamp(value, -3, 12);
  CalcScaleFactor();
  Refresh();
}

void TScale::SetFont(const TFont& value) {
  font_ = value;
  parent_font_ = false;
  Refresh();
}

void TScale::SetLabelType(TFigType value) {
  label_type_ = value;
  if (value == ftDateTime) {
    logarithmic_ = false;
    CalcScaleFactor();
  } else if (value == ftTime) {
    dec_places_ = 4;
  }
  Refresh();
}

void TScale::SetScaleInscript(const QString& value) {
  scale_inscript_ = value;
  Refresh();
}

void TScale::SetUserTickText(const QString& value) {
  user_tick_text_ = value;
  Refresh();
}

// ---- axis --------------------------------------------------------------------------------------

void TScale::SetLogarithmic(bool value) {
  if (value && !initialising_ &&
      (range_low_ < kMinLogValue || range_high_ < kMinLogValue || label_type_ == ftDateTime))
    return;
  logarithmic_ = value;
  CalcScaleFactor();
  Refresh();
}

void TScale::SetRangeLow(double value) {
  if (!std::isfinite(value)) return;
  range_low_ = value;
  if (range_low_ == range_high_) range_high_ = OneBeyond(value);
  CalcScaleFactor();
  Refresh();
}

void TScale::SetRangeHigh(double value) {
  if (!std::isfinite(value)) return;
  range_high_ = value;
  if (range_high_ == range_low_) range_low_ = OneBeyond(value);
  CalcScaleFactor();
  Refresh();
}

void TScale::SetMinTicks(int value) {
  min_ticks_ = std::clamp(value, 2, 10);
  Refresh();
}

void TScale::SetShortTicks(bool value) {
  if (value == short_ticks_) return;
  short_ticks_ = value;
  Refresh();
}

void TScale::SetShowBaseLine(bool value) {
  show_base_line_ = value;
  Refresh();
}

void TScale::SetScaleType(TScaleType value) {
  if (value == scale_type_) return;
  scale_type_ = value;
  CalcScaleFactor();
  Refresh();
}

void TScale::SetTransparent(bool value) {
  transparent_ = value;
  Refresh();
}

void TScale::SetMarginTop(int value) {
  margin_top_ = std::max(value, 0);
  CalcScaleFactor();
  Refresh();
}

void TScale::SetMarginBottom(int value) {
  margin_bottom_ = std::max(value, 0);
  CalcScaleFactor();
  Refresh();
}

void TScale::SetMarginLeft(int value) {
  margin_left_ = std::max(value, 0);
  CalcScaleFactor();
  Refresh();
}

void TScale::SetMarginRight(int value) {
  margin_right_ = std::max(value, 0);
  CalcScaleFactor();
  Refresh();
}

// ---- control properties ------------------------------------------------------------------------

void TScale::SetParentFont(bool value) {
  parent_font_ = value;
  if (value) ApplyParentFont();
  Refresh();
}

void TScale::ApplyParentFont() {
  if (!parent_font_ || !parent()) return;
  const QVariant font = parent()->property("Font");
  if (font.canConvert<TFont>()) font_ = font.value<TFont>();
}

void TScale::SetShowHint(bool value) {
  show_hint_ = value;
  parent_show_hint_ = false;
}

void TScale::SetParentShowHint(bool value) { parent_show_hint_ = value; }

bool TScale::EffectiveShowHint() const {
  if (parent_show_hint_ && parent()) {
    const QVariant inherited = parent()->property("ShowHint");
    if (inherited.canConvert<bool>()) return inherited.toBool();
  }
  return show_hint_;
}

void TScale::SetPopupMenu(QMenu* value) { popup_menu_ = value; }

void TScale::SetVisible(bool value) {
  visible_ = value;
  UpdateWidgetVisibility();
  if (embedded_ || !value) return;
  Refresh();
}

void TScale::setVisible(bool visible) {
  if (!embedded_) visible_ = visible;
  QWidget::setVisible(visible && !embedded_);
}

void TScale::UpdateWidgetVisibility() {
  if (embedded_) {
    // A chart draws embedded scales on its own canvas; as widgets they would only cover it.
    QWidget::setVisible(false);
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    return;
  }
  setAttribute(Qt::WA_TransparentForMouseEvents, false);
  // A scale without a parent is a window of its own: hiding follows Visible, showing is the
  // caller's decision, as for every top-level widget.
  if (parentWidget() || !visible_) QWidget::setVisible(visible_);
}

// ---- tick list and mapping ---------------------------------------------------------------------

double TScale::TickPos(int index) const {
  if (index < 1 || index > NumTicks()) return 0;
  return ticks_[static_cast<std::size_t>(index - 1)];
}

ScaleGeometry TScale::Geometry() const {
  ScaleGeometry g;
  g.type = scale_type_;
  g.width = width();
  g.height = height();
  g.margin_left = margin_left_;
  g.margin_right = margin_right_;
  g.margin_top = margin_top_;
  g.margin_bottom = margin_bottom_;
  g.range_low = range_low_;
  g.range_high = range_high_;
  // A logarithmic axis stays logarithmic over a range that reaches zero or below (possible only
  // for a scale set up in code): its mapping keeps the last valid factor and offset.
  g.logarithmic = logarithmic_;
  return g;
}

void TScale::CalcScaleFactor() {
  if (IsLoading()) return;
  zeph::CalcScaleFactor(Geometry(), map_);
  calc_size_ = size();
}

ScaleLayoutSettings TScale::LayoutSettings() const {
  ScaleLayoutSettings s;
  s.geometry = Geometry();
  s.min_ticks = min_ticks_;
  s.dec_places = dec_places_;
  s.short_ticks = short_ticks_;
  s.label_type = label_type_;
  s.user_tick_text = user_tick_text_;
  s.scale_inscript = scale_inscript_;
  s.date_format = DateLabelFormat::From(*date_format_);
  return s;
}

int TScale::ValueToPixel(double value) const { return zeph::ValueToPixel(Geometry(), map_, value); }

// ---- painting ----------------------------------------------------------------------------------

void TScale::SetSuppressPaint(bool value) {
  if (value == paint_suppressed_) return;
  paint_suppressed_ = value;
  if (!value) Refresh();
}

void TScale::ForcePaint() {
  const bool saved = paint_suppressed_;
  paint_suppressed_ = false;
  Refresh();
  paint_suppressed_ = saved;
}

void TScale::SetEmbedded(bool value) {
  if (value == embedded_) return;
  embedded_ = value;
  UpdateWidgetVisibility();
  Refresh();
}

void TScale::SetExternalCanvas(TCanvas* canvas, int ox, int oy) {
  external_canvas_ = canvas;
  external_x_ = ox;
  external_y_ = oy;
}

void TScale::Refresh() {
  if (!transparent_ || embedded_)
    Paint();
  else
    update();
}

void TScale::Loaded() {
  ApplyParentFont();
  CalcScaleFactor();
  initialising_ = false;
  Refresh();
}

void TScale::Paint() {
  const bool own_canvas = external_canvas_ == nullptr;
  if (!visible_ || IsLoading() || paint_suppressed_) {
    if (own_canvas) image_current_ = false;
    return;
  }
  if (calc_size_ != size()) CalcScaleFactor();

  TCanvas* target = external_canvas_;
  int ox = external_x_;
  int oy = external_y_;
  // On a high-density screen the images hold device pixels: lines and text stay sharp.
  const qreal ratio = std::max<qreal>(devicePixelRatioF(), 1);
  if (own_canvas) {
    const QSize wanted(DeviceExtent(std::max(width(), 1), ratio), DeviceExtent(std::max(height(), 1), ratio));
    if (image_.size() != wanted || image_.devicePixelRatio() != ratio) {
      canvas_.End();
      image_ = QImage(wanted, QImage::Format_ARGB32_Premultiplied);
      if (image_.isNull()) NoteDrawingMemoryFailure();
      image_.setDevicePixelRatio(ratio);
    }
    image_.fill(Qt::transparent);
    canvas_.Begin(&image_);
    target = &canvas_;
    ox = 0;
    oy = 0;
  }
  target->SetFont(font_);
  if (OnBeforeScaleRendered) OnBeforeScaleRendered(this, *target);

  if (transparent_) {
    target->SetPenColor(color_scale_);
    DrawScale(*target, ox, oy);
    if (OnAfterScaleRendered) OnAfterScaleRendered(this, *target);
  } else {
    TBitmap bitmap(width(), height(), ratio);
    TCanvas& canvas = bitmap.Canvas();
    canvas.SetFont(font_);
    canvas.SetPenColor(color_back_gnd_);
    canvas.SetBrushColor(color_back_gnd_);
    canvas.SetBrushStyle(bsSolid);
    canvas.Rectangle(0, 0, width(), height());
    canvas.SetPenColor(color_scale_);
    DrawScale(canvas, 0, 0);
    if (OnAfterScaleRendered) OnAfterScaleRendered(this, canvas);
    DrawFrame(canvas, 0, 0, width() - 1, height() - 1, frame_style_, frame_highlight_, frame_shadow_,
              frame_dark_);
    canvas.End();
    target->Draw(ox, oy, bitmap.Image());
  }
  if (own_canvas) {
    image_current_ = true;
    // Inside the paint event the image is copied right after; asking again would paint forever.
    if (!in_paint_event_) update();
  }
}

void TScale::DrawScale(TCanvas& canvas, int ox, int oy) {
  const ScaleGeometry g = Geometry();
  // Margins have no upper bound; positions are worked out wide and kept within drawing reach.
  long long wide_axis = 0;
  switch (scale_type_) {
    case sctXB: wide_axis = static_cast<long long>(oy) + height() - margin_bottom_ - 1; break;
    case sctXT: wide_axis = static_cast<long long>(oy) + margin_top_; break;
    case sctYL: wide_axis = static_cast<long long>(ox) + margin_left_; break;
    case sctYR: wide_axis = static_cast<long long>(ox) + width() - margin_right_ - 1; break;
  }
  const int axis = ClampCoord(wide_axis);

  ScaleDrawSettings s;
  s.layout = LayoutSettings();
  s.map = map_;
  s.transparent = transparent_;
  s.font = font_;
  s.caption = caption_;
  s.caption_pos_x = caption_pos_x_;
  s.caption_pos_y = caption_pos_y_;
  s.caption_alignment = caption_alignment_;
  s.caption_anchor = caption_anchor_;

  DrawScaleTicksAndCaption(s, canvas, axis, kMaxRecordedTicks, ticks_,
                           [this](TCanvas& c, double value, int x, int y) {
                             if (OnScaleTickDrawn) OnScaleTickDrawn(this, c, scale_type_, value, x, y);
                           });

  if (!show_base_line_) return;
  canvas.SetPenColor(color_scale_);
  if (g.Horizontal()) {
    canvas.MoveTo(ClampCoord(margin_left_), axis);
    canvas.LineTo(ClampCoord(static_cast<long long>(width()) - margin_right_ - 1), axis);
  } else {
    canvas.MoveTo(axis, ClampCoord(margin_top_));
    canvas.LineTo(axis, ClampCoord(static_cast<long long>(height()) - margin_bottom_ - 1));
  }
}

void TScale::paintEvent(QPaintEvent*) {
  // A stand-alone transparent scale draws over whatever its parent painted first; every other
  // scale has its image ready unless painting was held back when it changed.
  const bool ratio_changed = !image_.isNull() && image_.devicePixelRatio() != std::max<qreal>(devicePixelRatioF(), 1);
  if (!embedded_ && external_canvas_ == nullptr && (transparent_ || !image_current_ || ratio_changed)) {
    const QScopedValueRollback<bool> painting(in_paint_event_, true);
    Paint();
  }
  if (image_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), image_);
}

void TScale::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (calc_size_ == size()) return;
  CalcScaleFactor();
  Refresh();
}

// ---- assignment --------------------------------------------------------------------------------

void TScale::Assign(const QObject* source) {
  const auto* other = qobject_cast<const TScale*>(source);
  if (!other) ThrowCannotAssign(source, this);
  if (other == this) return;
  frame_style_ = other->frame_style_;
  color_back_gnd_ = other->color_back_gnd_;
  color_scale_ = other->color_scale_;
  frame_dark_ = other->frame_dark_;
  frame_shadow_ = other->frame_shadow_;
  frame_highlight_ = other->frame_highlight_;
  color_scheme_ = other->color_scheme_;
  OnScaleTickDrawn = other->OnScaleTickDrawn;
  logarithmic_ = other->logarithmic_;
  map_ = other->map_;
  range_high_ = other->range_high_;
  range_low_ = other->range_low_;
  short_ticks_ = other->short_ticks_;
  min_ticks_ = other->min_ticks_;
  dec_places_ = other->dec_places_;
  show_base_line_ = other->show_base_line_;
  transparent_ = other->transparent_;
  label_type_ = other->label_type_;
  date_format_->Assign(*other->date_format_);
  margin_top_ = other->margin_top_;
  margin_bottom_ = other->margin_bottom_;
  margin_right_ = other->margin_right_;
  margin_left_ = other->margin_left_;
  caption_pos_x_ = other->caption_pos_x_;
  caption_pos_y_ = other->caption_pos_y_;
  user_tick_text_ = other->user_tick_text_;
  scale_inscript_ = other->scale_inscript_;
  ticks_ = other->ticks_;
  caption_ = other->caption_;
  caption_anchor_ = other->caption_anchor_;
  caption_alignment_ = other->caption_alignment_;
  external_canvas_ = other->external_canvas_;
  external_x_ = other->external_x_;
  external_y_ = other->external_y_;
  scale_type_ = other->scale_type_;
  paint_suppressed_ = other->paint_suppressed_;
  // The copied mapping belongs to the source's size; it stays until this scale's size differs.
  calc_size_ = other->calc_size_;
  Refresh();
}

void TScale::AssignTo(QObject* dest) const {
  // Only a scale can take a scale's settings; anything else is refused with the usual message.
  if (auto* scale = qobject_cast<TScale*>(dest)) {
    scale->Assign(this);
    return;
  }
  ThrowCannotAssign(this, dest);
}

// ---- mouse and hints ---------------------------------------------------------------------------

void TScale::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
}

void TScale::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const bool inside = rect().contains(p);
  if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
  if (event->button() == Qt::LeftButton && inside && OnClick) OnClick(this);
}

void TScale::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && OnDblClick) OnDblClick(this);
  mousePressEvent(event);
}

void TScale::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseMove) OnMouseMove(this, event->modifiers(), p.x(), p.y());
}

void TScale::contextMenuEvent(QContextMenuEvent* event) {
  bool handled = false;
  if (OnContextPopup) OnContextPopup(this, event->pos(), handled);
  if (handled) return;
  if (popup_menu_) popup_menu_->popup(event->globalPos());
  else QWidget::contextMenuEvent(event);
}

bool TScale::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && !EffectiveShowHint()) return true;
  return QWidget::event(event);
}

void TScale::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ParentChange) {
    ApplyParentFont();
    placement_->RememberDistances();
  }
}

}  // namespace zeph
