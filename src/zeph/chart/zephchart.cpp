#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "zeph/chart/accessibility/chartaccessible_p.h"
#include "zeph/chart/interaction/chartcursors_p.h"
#include "zeph/toolkit/contrast.h"

namespace zeph {

TCustomZephChart::TCustomZephChart(QWidget* owner)
    : QWidget(owner), d_(std::make_unique<TCustomZephChartPrivate>(this)) {
  // Painting stays suspended until the control is complete; the item store, rims, colours and
  // text defaults already hold their construction values.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  InstallChartAccessibility();
  d_->explorer_ = new TChartExplorer(this);

  for (int i = 0; i < kCrossHairCount; ++i) {
    auto* cross_hair = new TCrossHair(this);
    cross_hair->setObjectName(QStringLiteral("CrossHair%1").arg(i + 1));
    cross_hair->SetLayer(i + 1);
    cross_hair->OnChange = [this, cross_hair](QObject*) {
      d_->Invalidate();
      d_->RepaintIfAuto();
      if (!IsLoading() && !d_->moving_option_) Q_EMIT cross_hair->PropertiesChanged();
    };
    d_->cross_hairs_[static_cast<std::size_t>(i)] = cross_hair;
  }
  for (std::size_t i = 0; i < d_->text_labels_.size(); ++i) {
    TTextLabel*& label = d_->text_labels_[i];
    label = new TTextLabel(d_->font_, this);
    label->setObjectName(QStringLiteral("TextLabel%1").arg(i + 1));
    label->OnChange = [this, label](QObject*) {
      d_->Invalidate();
      d_->RepaintIfAuto();
      if (!IsLoading()) Q_EMIT label->PropertiesChanged();
    };
  }
  d_->back_ground_img_ = new TBakGndImg(this);
  d_->back_ground_img_->setObjectName(QStringLiteral("BackGroundImg"));
  d_->back_ground_img_->OnChange = [this](QObject*) {
    d_->Invalidate();
    d_->RepaintIfAuto();
  };
  d_->joint_layers_ = new TJointLayers(this, this);
  d_->joint_layers_->setObjectName(QStringLiteral("JointLayers"));
  d_->joint_layers_->OnChange = [this](QObject*) { d_->JoinsChanged(); };
  d_->legend_ = new TChartLegend(this);
  d_->legend_->setObjectName(QStringLiteral("Legend"));
  d_->legend_->OnChange = [this](QObject*) {
    d_->Invalidate();
    d_->RepaintIfAuto();
  };
  d_->auto_redraw_ = true;
  TScreenCursor::LoadChartCursors();
  // Moves without a button report the mouse position and set the mode's cursor.
  setMouseTracking(true);

  d_->area_bmp_.SetSize(ChartWidth() + 1, ChartHeight() + 1);
  d_->control_bmp_.SetSize(width(), height());
  d_->background_bmp_.SetSize(10, 10);
  // The isometric rule needs the pixel aspect: a pixel's relative width and height.
  const QImage probe(1, 1, QImage::Format_RGB32);
  d_->aspect_x_ = std::max(probe.logicalDpiY(), 1);
  d_->aspect_y_ = std::max(probe.logicalDpiX(), 1);

  d_->CreateScales();

  SetBounds(x(), y(), 280, 200);
  SetStandardLayout(zcl_X1Bottom_Y1Left);
  d_->UpdateMinimumSize();
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    for (TScale* scale : {d_->scales_x_[i], d_->scales_y_[i]}) {
      scale->SetTransparent(true);
      scale->SetColorBackGnd(d_->wind_color_);
      scale->SetFrameStyle(fsNone);
    }
  }
  d_->LayoutScales();
  CalcScaling();

  // The ranges as constructed are the first home view; changes are reported from here on.
  for (int layer = 1; layer <= kLayerCount; ++layer) d_->navigation_.reported[d_->LayerIndex(layer)] = d_->CurrentRanges(layer);
  StoreHomeView();
  d_->NoteAllSettings();

  // The widget is its own window: from here on the control paints.
  d_->paint_suspended_ = false;
}

TCustomZephChart::~TCustomZephChart() {
  LeaveDataGroup();
  TScreenCursor::Release(this);
  // The scale controls draw on the control bitmap's canvas, which goes before the widget's
  // children do: free them first.
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    delete d_->scales_x_[i];
    delete d_->scales_y_[i];
  }
}

void TCustomZephChartPrivate::CreateScales() {
  const auto forward_tick = [this](QObject*, TCanvas& canvas, TScaleType type, double value, int x, int y) {
    if (q->OnScaleTickDrawn) q->OnScaleTickDrawn(q, canvas, type, value, x, y);
  };
  const auto hook = [this](TScaleProps* props) {
    props->OnChange = [this](QObject* sender) { q->ScalePropsChanged(sender); };
  };
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const auto i = static_cast<std::size_t>(layer - 1);
    for (bool horizontal : {true, false}) {
      auto* scale = new TScale(q);
      scale->SetSuppressPaint(true);
      scale->SetEmbedded(true);
      scale->SetExternalCanvas(&control_bmp_.Canvas(), 0, 0);
      scale->setObjectName(QStringLiteral("ZC_FScale_%1_%2").arg(horizontal ? 'X' : 'Y').arg(layer));
      scale->OnScaleTickDrawn = forward_tick;
      if (horizontal) {
        scales_x_[i] = scale;
        scale_props_x_[i] = new TScalePropsHoriz(layer, q);
        scale_props_x_[i]->setObjectName(QStringLiteral("Scale%1X").arg(layer));
        hook(scale_props_x_[i]);
      } else {
        scales_y_[i] = scale;
        scale_props_y_[i] = new TScalePropsVert(layer, q);
        scale_props_y_[i]->setObjectName(QStringLiteral("Scale%1Y").arg(layer));
        hook(scale_props_y_[i]);
      }
    }
  }
}

void TCustomZephChart::Loaded() {
  d_->ApplyAllScaleProps();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    ScaleX(layer)->SetCreating(false);
    ScaleY(layer)->SetCreating(false);
  }
  CalcScaling();
  // The stored ranges are where the chart starts: not a change, and its home view.
  for (int layer = 1; layer <= kLayerCount; ++layer) d_->navigation_.reported[d_->LayerIndex(layer)] = d_->CurrentRanges(layer);
  StoreHomeView();
  d_->NoteAllSettings();
  d_->Invalidate();
  Paint();
}

bool TCustomZephChart::ChartVisible() const {
  // Hidden only when someone hid it; a chart on a form that is not shown yet still renders.
  return !isHidden() || !testAttribute(Qt::WA_WState_ExplicitShowHide);
}

void TCustomZephChartPrivate::RepaintIfAuto() {
  if (auto_redraw_ || q->IsDesigning()) q->Paint();
}

TCrossHair* TCustomZephChart::CrossHair(int index) const {
  return d_->cross_hairs_[static_cast<std::size_t>(index >= 1 && index <= kCrossHairCount ? index - 1 : 0)];
}

TTextLabel* TCustomZephChart::TextLabel(int index) const {
  return d_->text_labels_[static_cast<std::size_t>(index >= 1 && index <= kTextLabelCount ? index - 1 : 0)];
}

// ---- Plain accessors ----

int TCustomZephChart::LRim() const { return d_->l_rim_; }
int TCustomZephChart::RRim() const { return d_->r_rim_; }
int TCustomZephChart::TRim() const { return d_->t_rim_; }
int TCustomZephChart::BRim() const { return d_->b_rim_; }
int TCustomZephChart::ShadowWidth() const { return d_->shadow_width_; }
int TCustomZephChart::ChartWidth() const { return width() - d_->l_rim_ - d_->r_rim_ - d_->shadow_width_; }
int TCustomZephChart::ChartHeight() const { return height() - d_->t_rim_ - d_->b_rim_ - d_->shadow_width_; }
int TCustomZephChart::MinimumControlWidth() const { return d_->l_rim_ + d_->r_rim_ + d_->shadow_width_ + 80; }
int TCustomZephChart::MinimumControlHeight() const { return d_->t_rim_ + d_->b_rim_ + d_->shadow_width_ + 20; }
const TLayerScaling& TCustomZephChart::LayerScaling(int layer) const { return d_->scaling_[d_->ClampedLayerIndex(layer)]; }
TColor TCustomZephChart::ChartColor() const { return d_->chart_color_; }
TColor TCustomZephChart::WindColor() const { return d_->wind_color_; }
TColor TCustomZephChart::ChartFrameColor() const { return d_->chart_frame_color_; }
TColor TCustomZephChart::GridColor() const { return d_->grid_color_; }
TColor TCustomZephChart::ShadowColor() const { return d_->shadow_color_; }
TColor TCustomZephChart::ShadowBakColor() const { return d_->shadow_bak_color_; }
QString TCustomZephChart::Caption() const { return d_->caption_; }
int TCustomZephChart::CaptionPosX() const { return d_->caption_pos_x_; }
int TCustomZephChart::CaptionPosY() const { return d_->caption_pos_y_; }
TAlignment TCustomZephChart::CaptionAlignment() const { return d_->caption_alignment_; }
TCaptionAnchorHoriz TCustomZephChart::CaptionAnchorHoriz() const { return d_->caption_anchor_horiz_; }
TCaptionAnchorVert TCustomZephChart::CaptionAnchorVert() const { return d_->caption_anchor_vert_; }
const TFont& TCustomZephChart::Font() const { return d_->font_; }
TShadowStyle TCustomZephChart::ShadowStyle() const { return d_->shadow_style_; }
GridStyleType TCustomZephChart::GridStyle() const { return d_->grid_style_; }
double TCustomZephChart::GridDx() const { return d_->grid_dx_; }
double TCustomZephChart::GridDy() const { return d_->grid_dy_; }
TFontStyles TCustomZephChart::TextFontStyle() const { return d_->text_font_style_; }
TTextBkg TCustomZephChart::TextBkStyle() const { return d_->text_bk_style_; }
TColor TCustomZephChart::TextBkColor() const { return d_->text_bk_color_; }
TAlignment TCustomZephChart::TextAlignment() const { return d_->text_alignment_; }
bool TCustomZephChart::Isometric() const { return d_->isometric_; }
bool TCustomZephChart::AutoRedraw() const { return d_->auto_redraw_; }
TScalePropsHoriz* TCustomZephChart::ScaleX(int layer) const { return d_->scale_props_x_[d_->LayerIndex(layer)]; }
TScalePropsVert* TCustomZephChart::ScaleY(int layer) const { return d_->scale_props_y_[d_->LayerIndex(layer)]; }
const TScale* TCustomZephChart::ScaleControlX(int layer) const { return d_->scales_x_[d_->LayerIndex(layer)]; }
const TScale* TCustomZephChart::ScaleControlY(int layer) const { return d_->scales_y_[d_->LayerIndex(layer)]; }
TzcLayout TCustomZephChart::StandardLayout() const { return d_->standard_layout_; }
TBakGndImg* TCustomZephChart::BackGroundImg() const { return d_->back_ground_img_; }
TJointLayers* TCustomZephChart::JointLayers() const { return d_->joint_layers_; }
TCustomZephChart* TCustomZephChart::UseDataOf() const { return d_->use_data_of_; }
int TCustomZephChart::DataUserCount() const { return static_cast<int>(d_->data_users_.size()); }
TMouseActMode TCustomZephChart::MouseAction() const { return d_->mouse_.action; }
bool TCustomZephChart::MouseCursorFixed() const { return d_->mouse_.cursor_fixed; }
bool TCustomZephChart::ZoomWindowActive() const { return d_->mouse_.zoom_window; }
int TCustomZephChart::SelectedCrossHair() const { return d_->mouse_.selected_cross_hair; }
int TCustomZephChart::SelectedTextLabel() const { return d_->mouse_.selected_text_label; }
bool TCustomZephChart::PaintSuspended() const { return d_->paint_suspended_; }
void TCustomZephChart::SetPaintSuspended(bool value) { d_->paint_suspended_ = value; }
const TChartTexts& TCustomZephChart::Texts() const { return d_->texts_; }
TChartExplorer* TCustomZephChart::Explorer() const { return d_->explorer_; }
bool TCustomZephChart::KeyboardExploration() const { return d_->explorer_->Enabled(); }
void TCustomZephChart::SetKeyboardExploration(bool value) { d_->explorer_->SetEnabled(value); }
TNavigation TCustomZephChart::Navigation() const { return d_->navigation_.flags; }
TChartLegend* TCustomZephChart::Legend() const { return d_->legend_; }
bool TCustomZephChart::Antialiased() const { return d_->antialiased_; }
bool TCustomZephChart::PaletteColors() const { return d_->palette_colors_; }

// ---- Display list ----

void TCustomZephChart::ClearGraf() {
  // The chart area's background is due now; it is painted when someone looks at the area or
  // skipped when the next rendering paints over it anyway.
  d_->area_clear_pending_ = true;
  TZephItemStore::ClearGraf();
}

const QImage& TCustomZephChart::ChartAreaImage() {
  if (d_->area_clear_pending_) {
    d_->area_clear_pending_ = false;
    // The screen keeps the last curve: a refreshed area still on its way there lands in the
    // control image before the background covers it.
    d_->ComposeControlImage();
    // Pixels of its own, so that the control image keeps the curve.
    d_->area_bmp_.ShowIn(nullptr, QPoint());
    d_->dirty_columns_.MarkAll();
    d_->ClearChartArea(d_->area_bmp_.Canvas(), 0, 0);
  }
  return d_->area_bmp_.Image();
}

void TCustomZephChart::ShowGraf() {
  if (ChartVisible()) {
    TZephItemStore::ShowGraf();
    if (d_->auto_redraw_) {
      RefreshDataArea();
    } else {
      Paint();
    }
  }
  // The charts sharing the list show it too, also when this one is hidden.
  RepaintDataGroup();
  d_->explorer_->DataChanged();
  // A screen reader following the chart reads the new curve.
  QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

void TCustomZephChart::ItemListChanged() {
  d_->image_current_ = false;
  // Most charts share their list with none: no further call for every point appended then.
  if (d_->use_data_of_ != nullptr || !d_->data_users_.empty()) ShareItemList();
}

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

ZC_REPAINTING_SETTER(ChartColor, TColorArg, chart_color_, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(ChartFrameColor, TColorArg, chart_frame_color_, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(GridColor, TColorArg, grid_color_, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(ShadowColor, TColorArg, shadow_color_, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(ShadowBakColor, TColorArg, shadow_bak_color_, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(CaptionPosX, int, caption_pos_x_, &TCustomZephChart::LayoutChanged)
ZC_REPAINTING_SETTER(CaptionPosY, int, caption_pos_y_, &TCustomZephChart::LayoutChanged)
ZC_REPAINTING_SETTER(CaptionAlignment, TAlignment, caption_alignment_, &TCustomZephChart::LayoutChanged)
ZC_REPAINTING_SETTER(CaptionAnchorHoriz, TCaptionAnchorHoriz, caption_anchor_horiz_, &TCustomZephChart::LayoutChanged)
ZC_REPAINTING_SETTER(CaptionAnchorVert, TCaptionAnchorVert, caption_anchor_vert_, &TCustomZephChart::LayoutChanged)
ZC_REPAINTING_SETTER(Font, const TFont&, font_, &TCustomZephChart::FontChanged)
ZC_REPAINTING_SETTER(ShadowStyle, TShadowStyle, shadow_style_, &TCustomZephChart::StylesChanged)
ZC_REPAINTING_SETTER(GridStyle, GridStyleType, grid_style_, &TCustomZephChart::GridChanged)
ZC_REPAINTING_SETTER(TextFontStyle, TFontStyles, text_font_style_, &TCustomZephChart::StylesChanged)
ZC_REPAINTING_SETTER(TextBkStyle, TTextBkg, text_bk_style_, &TCustomZephChart::StylesChanged)
ZC_REPAINTING_SETTER(TextBkColor, TColorArg, text_bk_color_, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(TextAlignment, TAlignment, text_alignment_, &TCustomZephChart::StylesChanged)

void TCustomZephChart::SetCaption(const QString& value) {
  const bool changed = d_->caption_ != value;
  d_->caption_ = value;
  d_->Invalidate();
  d_->RepaintIfAuto();
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::CaptionChanged);
}

#undef ZC_REPAINTING_SETTER

void TCustomZephChart::SetWindColor(TColorArg value) {
  const bool changed = d_->wind_color_ != value;
  d_->wind_color_ = value;
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    d_->scales_x_[i]->SetColorBackGnd(value);
    d_->scales_y_[i]->SetColorBackGnd(value);
  }
  d_->Invalidate();
  d_->RepaintIfAuto();
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::ColorsChanged);
}

void TCustomZephChart::SetGridDx(double value) {
  if (value < -3) return;
  const bool changed = d_->grid_dx_ != value;
  d_->grid_dx_ = value;
  d_->Invalidate();
  d_->RepaintIfAuto();
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::GridChanged);
}

void TCustomZephChart::SetGridDy(double value) {
  if (value < -3) return;
  const bool changed = d_->grid_dy_ != value;
  d_->grid_dy_ = value;
  d_->Invalidate();
  d_->RepaintIfAuto();
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::GridChanged);
}

// ---- Qt entry points ----

qreal TCustomZephChart::RenderRatio() const {
  return d_->render_ratio_ > 0 ? d_->render_ratio_ : std::max<qreal>(devicePixelRatioF(), 1);
}

void TCustomZephChart::SetRenderRatio(qreal ratio) {
  d_->render_ratio_ = std::max<qreal>(ratio, 0);
  if (d_->control_bmp_.Ratio() == RenderRatio()) return;
  d_->Invalidate();
  d_->RepaintIfAuto();
}

void TCustomZephChartPrivate::SyncRatio() {
  const qreal ratio = q->RenderRatio();
  if (control_bmp_.Ratio() == ratio) return;
  for (TBitmap* bitmap : {&control_bmp_, &area_bmp_}) bitmap->SetRatio(ratio);
  Invalidate();
}

void TCustomZephChart::paintEvent(QPaintEvent* event) {
  if (!d_->image_current_ || d_->control_bmp_.Size() != size() || d_->control_bmp_.Ratio() != RenderRatio()) {
    // An expose after changes that were not painted yet: render as the window system asks.
    d_->in_paint_event_ = true;
    Paint();
    d_->in_paint_event_ = false;
  }
  d_->ComposeControlImage();
  QPainter painter(this);
  const QImage& image = d_->control_bmp_.Image();
  if (image.isNull()) {
    painter.fillRect(event->rect(), ColorToQColor(ShownColor(d_->wind_color_, QPalette::Window)));
    return;
  }
  const QRectF part(event->rect());
  const qreal ratio = image.devicePixelRatio();
  painter.drawImage(part, image, QRectF(part.topLeft() * ratio, part.size() * ratio));
  if (!hasFocus()) return;
  // Over the screen copy only: the control image stays what the chart draws.
  d_->explorer_->PaintCursor(painter);
  const QColor ring = FocusIndicatorColor(palette().color(QPalette::Highlight), ColorToQColor(d_->wind_color_));
  painter.setPen(QPen(ring, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void TCustomZephChart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  d_->SyncSize();
}

bool TCustomZephChart::event(QEvent* event) {
  // Tab reaches the chart's key handling first (the application may take it) instead of moving the
  // focus on at once.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  // Moved to a screen of another device pixel ratio: the images are drawn anew at the next paint.
  if (event->type() == QEvent::ScreenChangeInternal && d_->control_bmp_.Ratio() != RenderRatio()) {
    d_->Invalidate();
    update();
  }
  return QWidget::event(event);
}

void TCustomZephChart::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyDown) OnKeyDown(this, key, event->modifiers());
  // The application's handler comes first; a key it set to 0 is its own.
  if (key == 0 || d_->explorer_->HandleKey(key, event->modifiers())) {
    event->accept();
    return;
  }
  if (d_->NavigationKey(event)) return event->accept();
  if (event->matches(QKeySequence::Copy)) {
    QGuiApplication::clipboard()->setText(DataTableText());
    event->accept();
    return;
  }
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      // As in any dialog: the chart is no keyboard trap.
      focusNextPrevChild(key == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
      event->accept();
      return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      event->accept();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TCustomZephChart::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
  // Back in the chart, the point explored before takes the focus again.
  if (d_->explorer_->Active()) ChartPointChanged(this);
}

void TCustomZephChart::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void TCustomZephChart::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(d_->texts_.CopyData, this, [this] { QGuiApplication::clipboard()->setText(DataTableText()); });
  menu.addAction(d_->texts_.PlaySound, this, [this] { d_->explorer_->PlayCurve(); });
  menu.exec(event->globalPos());
}

void TCustomZephChart::SetTexts(const TChartTexts& texts) {
  d_->texts_ = texts;
  QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

void TCustomZephChart::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // System colours and fonts are resolved while drawing: the cached layers may be out of date.
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange ||
      event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange) {
    d_->Invalidate();
    // The scales hold the palette's colours they were given.
    if (d_->palette_colors_) d_->LayoutScales();
  }
}


void TCustomZephChartPrivate::ShowOnScreen(const QRect& rect) {
  if (!in_paint_event_ && q->isVisible()) q->update(rect);
}

}  // namespace zeph
