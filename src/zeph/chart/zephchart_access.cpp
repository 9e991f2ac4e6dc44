// The widget's properties and operations: each keeps its own value or hands the work on to the
// collaborator that does it (geometry, axes, rendering, interaction).
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cstring>
#include <string>

#include "zeph/chart/interaction/chartcursors_p.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

// ---- Plain accessors ----

int TCustomZephChart::LRim() const { return d_->geometry_.LRim(); }
int TCustomZephChart::RRim() const { return d_->geometry_.RRim(); }
int TCustomZephChart::TRim() const { return d_->geometry_.TRim(); }
int TCustomZephChart::BRim() const { return d_->geometry_.BRim(); }
int TCustomZephChart::ShadowWidth() const { return d_->geometry_.ShadowWidth(); }
int TCustomZephChart::ChartWidth() const { return d_->geometry_.ChartWidth(); }
int TCustomZephChart::ChartHeight() const { return d_->geometry_.ChartHeight(); }
int TCustomZephChart::MinimumControlWidth() const { return d_->geometry_.MinimumWidth(); }
int TCustomZephChart::MinimumControlHeight() const { return d_->geometry_.MinimumHeight(); }
const TLayerScaling& TCustomZephChart::LayerScaling(int layer) const { return d_->geometry_.Scaling(layer); }
TColor TCustomZephChart::ChartColor() const { return d_->look_.chart_color; }
TColor TCustomZephChart::WindColor() const { return d_->look_.wind_color; }
TColor TCustomZephChart::ChartFrameColor() const { return d_->look_.chart_frame_color; }
TColor TCustomZephChart::GridColor() const { return d_->look_.grid_color; }
TColor TCustomZephChart::ShadowColor() const { return d_->look_.shadow_color; }
TColor TCustomZephChart::ShadowBakColor() const { return d_->look_.shadow_bak_color; }
QString TCustomZephChart::Caption() const { return d_->look_.caption; }
int TCustomZephChart::CaptionPosX() const { return d_->look_.caption_pos_x; }
int TCustomZephChart::CaptionPosY() const { return d_->look_.caption_pos_y; }
TAlignment TCustomZephChart::CaptionAlignment() const { return d_->look_.caption_alignment; }
TCaptionAnchorHoriz TCustomZephChart::CaptionAnchorHoriz() const { return d_->look_.caption_anchor_horiz; }
TCaptionAnchorVert TCustomZephChart::CaptionAnchorVert() const { return d_->look_.caption_anchor_vert; }
const TFont& TCustomZephChart::Font() const { return d_->look_.font; }
TShadowStyle TCustomZephChart::ShadowStyle() const { return d_->look_.shadow_style; }
GridStyleType TCustomZephChart::GridStyle() const { return d_->look_.grid_style; }
double TCustomZephChart::GridDx() const { return d_->look_.grid_dx; }
double TCustomZephChart::GridDy() const { return d_->look_.grid_dy; }
TFontStyles TCustomZephChart::TextFontStyle() const { return d_->look_.text_font_style; }
TTextBkg TCustomZephChart::TextBkStyle() const { return d_->look_.text_bk_style; }
TColor TCustomZephChart::TextBkColor() const { return d_->look_.text_bk_color; }
TAlignment TCustomZephChart::TextAlignment() const { return d_->look_.text_alignment; }
bool TCustomZephChart::Isometric() const { return d_->isometric_; }
bool TCustomZephChart::AutoRedraw() const { return d_->auto_redraw_; }
TScalePropsHoriz* TCustomZephChart::ScaleX(int layer) const { return d_->layers_.X(layer); }
TScalePropsVert* TCustomZephChart::ScaleY(int layer) const { return d_->layers_.Y(layer); }
const TScale* TCustomZephChart::ScaleControlX(int layer) const { return d_->axes_.ControlX(layer); }
const TScale* TCustomZephChart::ScaleControlY(int layer) const { return d_->axes_.ControlY(layer); }
TzcLayout TCustomZephChart::StandardLayout() const { return d_->standard_layout_; }
TBakGndImg* TCustomZephChart::BackGroundImg() const { return d_->renderer_.Parts().background_image; }
TJointLayers* TCustomZephChart::JointLayers() const { return d_->axes_.Joins(); }
TCustomZephChart* TCustomZephChart::UseDataOf() const { return d_->use_data_of_; }
int TCustomZephChart::DataUserCount() const { return static_cast<int>(d_->data_users_.size()); }
TMouseActMode TCustomZephChart::MouseAction() const { return d_->interaction_.Mouse().action; }
bool TCustomZephChart::MouseCursorFixed() const { return d_->interaction_.Mouse().cursor_fixed; }
bool TCustomZephChart::ZoomWindowActive() const { return d_->interaction_.Mouse().zoom_window; }
int TCustomZephChart::SelectedCrossHair() const { return d_->interaction_.Mouse().selected_cross_hair; }
int TCustomZephChart::SelectedTextLabel() const { return d_->interaction_.Mouse().selected_text_label; }
bool TCustomZephChart::PaintSuspended() const { return d_->paint_suspended_; }
void TCustomZephChart::SetPaintSuspended(bool value) { d_->paint_suspended_ = value; }
const TChartTexts& TCustomZephChart::Texts() const { return d_->texts_; }
TChartExplorer* TCustomZephChart::Explorer() const { return d_->explorer_; }
bool TCustomZephChart::KeyboardExploration() const { return d_->explorer_->Enabled(); }
void TCustomZephChart::SetKeyboardExploration(bool value) { d_->explorer_->SetEnabled(value); }
TNavigation TCustomZephChart::Navigation() const { return d_->interaction_.Navigation(); }
TChartLegend* TCustomZephChart::Legend() const { return d_->renderer_.Parts().legend; }
bool TCustomZephChart::Antialiased() const { return d_->look_.antialiased; }
bool TCustomZephChart::PaletteColors() const { return d_->look_.palette_colors; }

// ---- Properties that repaint under the AutoRedraw rule ----

// Each stores and repaints every time; its NOTIFY signal follows only a real change.
#define ZC_REPAINTING_SETTER(Name, Type, field, notify) \
  void TCustomZephChart::Set##Name(Type value) {         \
    const bool changed = !(d_->field == value);          \
    d_->field = value;                                    \
    d_->Invalidate();                                     \
    d_->RepaintIfAuto();                                  \
    if (changed) d_->EmitUnlessLoading(notify);           \
  }

ZC_REPAINTING_SETTER(ChartColor, TColorArg, look_.chart_color, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(ChartFrameColor, TColorArg, look_.chart_frame_color, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(GridColor, TColorArg, look_.grid_color, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(ShadowColor, TColorArg, look_.shadow_color, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(ShadowBakColor, TColorArg, look_.shadow_bak_color, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(CaptionPosX, int, look_.caption_pos_x, &TCustomZephChart::LayoutChanged)
ZC_REPAINTING_SETTER(CaptionPosY, int, look_.caption_pos_y, &TCustomZephChart::LayoutChanged)
ZC_REPAINTING_SETTER(CaptionAlignment, TAlignment, look_.caption_alignment, &TCustomZephChart::LayoutChanged)
ZC_REPAINTING_SETTER(CaptionAnchorHoriz, TCaptionAnchorHoriz, look_.caption_anchor_horiz,
                     &TCustomZephChart::LayoutChanged)
ZC_REPAINTING_SETTER(CaptionAnchorVert, TCaptionAnchorVert, look_.caption_anchor_vert, &TCustomZephChart::LayoutChanged)
ZC_REPAINTING_SETTER(Font, const TFont&, look_.font, &TCustomZephChart::FontChanged)
ZC_REPAINTING_SETTER(ShadowStyle, TShadowStyle, look_.shadow_style, &TCustomZephChart::StylesChanged)
ZC_REPAINTING_SETTER(GridStyle, GridStyleType, look_.grid_style, &TCustomZephChart::GridChanged)
ZC_REPAINTING_SETTER(TextFontStyle, TFontStyles, look_.text_font_style, &TCustomZephChart::StylesChanged)
ZC_REPAINTING_SETTER(TextBkStyle, TTextBkg, look_.text_bk_style, &TCustomZephChart::StylesChanged)
ZC_REPAINTING_SETTER(TextBkColor, TColorArg, look_.text_bk_color, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(TextAlignment, TAlignment, look_.text_alignment, &TCustomZephChart::StylesChanged)

void TCustomZephChart::SetCaption(const QString& value) {
  const bool changed = d_->look_.caption != value;
  d_->look_.caption = value;
  d_->Invalidate();
  d_->RepaintIfAuto();
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::CaptionChanged);
}

#undef ZC_REPAINTING_SETTER

void TCustomZephChart::SetWindColor(TColorArg value) {
  const bool changed = d_->look_.wind_color != value;
  d_->look_.wind_color = value;
  for (TScale* scale : d_->axes_.Controls()) scale->SetColorBackGnd(value);
  d_->Invalidate();
  d_->RepaintIfAuto();
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::ColorsChanged);
}

void TCustomZephChart::SetGridDx(double value) {
  if (value < -3) return;
  const bool changed = d_->look_.grid_dx != value;
  d_->look_.grid_dx = value;
  d_->Invalidate();
  d_->RepaintIfAuto();
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::GridChanged);
}

void TCustomZephChart::SetGridDy(double value) {
  if (value < -3) return;
  const bool changed = d_->look_.grid_dy != value;
  d_->look_.grid_dy = value;
  d_->Invalidate();
  d_->RepaintIfAuto();
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::GridChanged);
}

// ---- Handed on ----

void TCustomZephChart::SetLayerRange(int layer, long double x_low, long double y_low, long double x_high,
                                     long double y_high) { d_->ApplyLayerRange(layer, x_low, y_low, x_high, y_high); }

void TCustomZephChart::SetJointLayers(TJointLayers* value) { d_->SetJointLayers(value); }

void TCustomZephChart::StoreHomeView() { d_->axes_.StoreHomeView(); }

void TCustomZephChart::RestoreHomeView() { d_->BackToHomeView(); }

void TCustomZephChart::SetAutoRedraw(bool value) {
  const bool changed = d_->auto_redraw_ != value;
  d_->auto_redraw_ = value;
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::AutoRedrawChanged);
}

void TCustomZephChart::SetAntialiased(bool value) {
  const bool changed = d_->look_.antialiased != value;
  d_->look_.antialiased = value;
  d_->Invalidate();
  d_->RepaintIfAuto();
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::AntialiasedChanged);
}

void TCustomZephChart::ApplyScaleProps(TScale* scale, const TScaleProps* props) { d_->axes_.ApplyScaleProps(scale, props); }

void TCustomZephChart::ScalePropsChanged(QObject* sender) { d_->ScalePropsChanged(sender); }

void TCustomZephChart::SetStandardLayout(TzcLayout value) { d_->SetStandardLayout(value); }

void TCustomZephChart::CalcScaling() {
  if (IsLoading()) return;
  d_->geometry_.CalcScaling();
}

void TCustomZephChart::WorldToPixel(int layer, double x, double y, int& px, int& py) const {
  const QPoint p = d_->geometry_.WorldToPixel(layer, x, y);
  px = p.x();
  py = p.y();
}

QPointF TCustomZephChart::WorldToPixelF(int layer, double x, double y) const {
  return d_->geometry_.WorldToPixelF(layer, x, y);
}

QPoint TCustomZephChart::WorldToPixel(int layer, double x, double y) const {
  return d_->geometry_.WorldToPixel(layer, x, y);
}

void TCustomZephChart::PixelToWorld(int layer, int px, int py, double& x, double& y) const {
  d_->geometry_.PixelToWorld(layer, px, py, x, y);
}

QPoint TCustomZephChart::CaptionAnchorPoint() const {
  return d_->geometry_.CaptionAnchor(d_->look_.caption_pos_x, d_->look_.caption_pos_y, d_->look_.caption_anchor_horiz,
                                     d_->look_.caption_anchor_vert);
}

void TCustomZephChart::SetBounds(int left, int top, int width, int height) { d_->SetBounds(left, top, width, height); }

void TCustomZephChart::SetLRim(int value) {
  d_->geometry_.SetLRim(value);
  d_->RimsChanged();
}

void TCustomZephChart::SetRRim(int value) {
  d_->geometry_.SetRRim(value);
  d_->RimsChanged();
}

void TCustomZephChart::SetTRim(int value) {
  d_->geometry_.SetTRim(value);
  d_->RimsChanged();
}

void TCustomZephChart::SetBRim(int value) {
  d_->geometry_.SetBRim(value);
  d_->RimsChanged();
}

void TCustomZephChart::SetShadowWidth(int value) {
  d_->geometry_.SetShadowWidth(value);
  d_->RimsChanged();
}

void TCustomZephChart::SetIsometric(bool value) { d_->SetIsometric(value); }

void TCustomZephChart::SetNavigation(TNavigation value) {
  if (d_->interaction_.SetNavigation(value)) d_->EmitUnlessLoading(&TCustomZephChart::NavigationChanged);
}

void TCustomZephChart::wheelEvent(QWheelEvent* event) {
  if (!d_->interaction_.Wheel(event)) QWidget::wheelEvent(event);
}

void TCustomZephChart::mouseDoubleClickEvent(QMouseEvent* event) { d_->interaction_.DoubleClick(event); }

void TCustomZephChart::SetMouseAction(TMouseActMode value) {
  if (d_->interaction_.SetMouseAction(value)) d_->EmitUnlessLoading(&TCustomZephChart::MouseActionChanged);
}

void TCustomZephChart::SetMouseCursorFixed(bool value) {
  if (d_->interaction_.SetMouseCursorFixed(value)) d_->EmitUnlessLoading(&TCustomZephChart::MouseCursorFixedChanged);
}

bool TCustomZephChart::MouseZoomLayer(int layer) const { return d_->interaction_.MouseZoomLayer(layer); }

void TCustomZephChart::SetMouseZoomLayer(int layer, bool value) { d_->interaction_.SetMouseZoomLayer(layer, value); }

bool TCustomZephChart::InChartArea(int x, int y) const { return d_->geometry_.InChartArea(x, y); }

void TCustomZephChart::mousePressEvent(QMouseEvent* event) { d_->interaction_.Press(event); }

void TCustomZephChart::mouseMoveEvent(QMouseEvent* event) { d_->interaction_.Move(event); }

void TCustomZephChart::mouseReleaseEvent(QMouseEvent* event) { d_->interaction_.Release(event); }

void TCustomZephChart::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  TScreenCursor::Set(crDefault, this);
}

TColor TCustomZephChart::ShownColor(TColor own, QPalette::ColorRole role) const {
  return d_->renderer_.ShownColor(own, role);
}

void TCustomZephChart::SetPaletteColors(bool value) {
  const bool changed = d_->look_.palette_colors != value;
  d_->look_.palette_colors = value;
  // The scales take their colours when their settings are applied.
  d_->axes_.Layout();
  d_->Invalidate();
  d_->RepaintIfAuto();
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::PaletteColorsChanged);
}

void TCustomZephChart::Paint() { d_->PaintControl(); }

void TCustomZephChart::RefreshDataArea() { d_->RefreshDataArea(); }

void TCustomZephChart::Announce(const QString& words) { ChartAnnounce(this, words); }

// Composing changes what the image holds, not what the chart shows.
const QImage& TCustomZephChart::ControlImage() const { return d_->renderer_.ControlImage(); }

QString TCustomZephChart::DataTableText() const { return ChartDataTableText(*this); }

QString TCustomZephChart::CurveSummary() const { return ChartCurveSummary(*this); }

QString TCustomZephChart::CurveDescription() const { return ChartCurveDescription(*this); }

void TCustomZephChart::SaveAs(const QString& file_name, QSize size, qreal scale) {
  SaveChartAs(*this, file_name, size, scale);
}

void TCustomZephChart::PaintTo(TCanvas& canvas, int x, int y) { d_->PaintTo(canvas, x, y); }

// ---- Appending the item kinds beyond move-to and draw-to ----
void TCustomZephChart::Line(double x1, double y1, double x2, double y2) {
  AppendItem(NewItem(ikLine, x1, y1, x2, y2));
}

void TCustomZephChart::Rectangle(double x1, double y1, double x2, double y2, bool transparent) {
  TZephChartItem item = NewItem(ikRectangle, x1, y1, x2, y2);
  item.FillColor = FillColor();
  item.Transparent = transparent;
  AppendItem(item);
}

void TCustomZephChart::FramedRect(double x1, double y1, double x2, double y2, TFrameStyle frame_style,
                                  TColor color2, TColor color3) {
  TZephChartItem item = NewItem(ikFramedRect, x1, y1, x2, y2);
  item.FillColor = FillColor();
  item.FrameStyle = frame_style;
  item.Color2 = color2;
  item.Color3 = color3;
  AppendItem(item);
}

void TCustomZephChart::Bar3D(double x1, double y1, double x2, double y2, int depth, int angle) {
  TZephChartItem item = NewItem(ikBar3D, x1, y1, x2, y2);
  item.FillColor = FillColor();
  item.Depth = depth;
  item.Size = angle;
  AppendItem(item);
}

void TCustomZephChart::Text(double x, double y, const QString& text, int size) {
  TZephChartItem item = NewItem(ikText, x, y);
  // Whole characters: one outside the Basic Multilingual Plane counts once, as the reader sees it.
  const QList<uint> characters = text.toUcs4();
  const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(characters.size()), kItemTextLength);
  std::copy_n(characters.begin(), length, item.Text);
  item.Text[length] = U'\0';
  item.Size = size;
  AppendItem(item);
}

void TCustomZephChart::Ellipse(double x, double y, double radius_x, double radius_y, bool transparent) {
  TZephChartItem item = NewItem(ikEllipse, x, y, radius_x, radius_y);
  item.FillColor = FillColor();
  item.Transparent = transparent;
  AppendItem(item);
}

void TCustomZephChart::MoveRel(double dx, double dy) {
  AppendItem(NewItem(ikRelMove, dx, dy));
}

void TCustomZephChart::DrawRel(double dx, double dy) {
  AppendItem(NewItem(ikRelDraw, dx, dy));
}

void TCustomZephChart::Arrow(double x1, double y1, double x2, double y2, int head_size, bool open_head) {
  TZephChartItem item = NewItem(ikArrow, x1, y1, x2, y2);
  item.FillColor = FillColor();
  item.Size = head_size;
  item.Transparent = open_head;
  AppendItem(item);
}

void TCustomZephChart::Mark(double x, double y, int mark_type) {
  TZephChartItem item = NewItem(ikMark, x, y);
  item.MarkType = static_cast<std::uint8_t>(std::clamp(mark_type, 0, 255));
  AppendItem(item);
}

}  // namespace zeph
