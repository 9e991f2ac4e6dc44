#include "zeph/chart/zephchart.h"

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

#include "zeph/chart/chartaccessible_p.h"
#include "zeph/chart/chartcursors_p.h"
#include "zeph/toolkit/contrast.h"

namespace zeph {

TCustomZephChart::TCustomZephChart(QWidget* owner) : QWidget(owner) {
  // Painting stays suspended until the control is complete; the item store, rims, colours and
  // text defaults already hold their construction values.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  InstallChartAccessibility();
  explorer_ = new TChartExplorer(this);

  for (int i = 0; i < kCrossHairCount; ++i) {
    auto* cross_hair = new TCrossHair(this);
    cross_hair->setObjectName(QStringLiteral("CrossHair%1").arg(i + 1));
    cross_hair->SetLayer(i + 1);
    cross_hair->OnChange = [this, cross_hair](QObject*) {
      Invalidate();
      RepaintIfAuto();
      if (!IsLoading() && !moving_option_) Q_EMIT cross_hair->PropertiesChanged();
    };
    cross_hairs_[static_cast<std::size_t>(i)] = cross_hair;
  }
  for (std::size_t i = 0; i < text_labels_.size(); ++i) {
    TTextLabel*& label = text_labels_[i];
    label = new TTextLabel(font_, this);
    label->setObjectName(QStringLiteral("TextLabel%1").arg(i + 1));
    label->OnChange = [this, label](QObject*) {
      Invalidate();
      RepaintIfAuto();
      if (!IsLoading()) Q_EMIT label->PropertiesChanged();
    };
  }
  back_ground_img_ = new TBakGndImg(this);
  back_ground_img_->setObjectName(QStringLiteral("BackGroundImg"));
  back_ground_img_->OnChange = [this](QObject*) {
    Invalidate();
    RepaintIfAuto();
  };
  joint_layers_ = new TJointLayers(this, this);
  joint_layers_->setObjectName(QStringLiteral("JointLayers"));
  joint_layers_->OnChange = [this](QObject*) {
    Invalidate();
    RepaintIfAuto();
    ReportRangeChanges();
  };
  legend_ = new TChartLegend(this);
  legend_->setObjectName(QStringLiteral("Legend"));
  legend_->OnChange = [this](QObject*) {
    Invalidate();
    RepaintIfAuto();
  };
  auto_redraw_ = true;
  TScreenCursor::LoadChartCursors();
  // Moves without a button report the mouse position and set the mode's cursor.
  setMouseTracking(true);

  area_bmp_.SetSize(ChartWidth() + 1, ChartHeight() + 1);
  control_bmp_.SetSize(width(), height());
  background_bmp_.SetSize(10, 10);
  // The isometric rule needs the pixel aspect: a pixel's relative width and height.
  const QImage probe(1, 1, QImage::Format_RGB32);
  aspect_x_ = std::max(probe.logicalDpiY(), 1);
  aspect_y_ = std::max(probe.logicalDpiX(), 1);

  CreateScales();

  SetBounds(x(), y(), 280, 200);
  SetStandardLayout(zcl_X1Bottom_Y1Left);
  UpdateMinimumSize();
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    for (TScale* scale : {scales_x_[i], scales_y_[i]}) {
      scale->SetTransparent(true);
      scale->SetColorBackGnd(wind_color_);
      scale->SetFrameStyle(fsNone);
    }
  }
  LayoutScales();
  CalcScaling();

  // The ranges as constructed are the first home view; changes are reported from here on.
  for (int layer = 1; layer <= kLayerCount; ++layer) navigation_.reported[LayerIndex(layer)] = CurrentRanges(layer);
  StoreHomeView();
  NoteAllSettings();

  // The widget is its own window: from here on the control paints.
  paint_suspended_ = false;
}

TCustomZephChart::~TCustomZephChart() {
  LeaveDataGroup();
  TScreenCursor::Release(this);
  // The scale controls draw on the control bitmap's canvas, which goes before the widget's
  // children do: free them first.
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    delete scales_x_[i];
    delete scales_y_[i];
  }
}

void TCustomZephChart::CreateScales() {
  const auto forward_tick = [this](QObject*, TCanvas& canvas, TScaleType type, double value, int x, int y) {
    if (OnScaleTickDrawn) OnScaleTickDrawn(this, canvas, type, value, x, y);
  };
  const auto hook = [this](TScaleProps* props) {
    props->OnChange = [this](QObject* sender) { ScalePropsChanged(sender); };
  };
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const auto i = static_cast<std::size_t>(layer - 1);
    for (bool horizontal : {true, false}) {
      auto* scale = new TScale(this);
      scale->SetSuppressPaint(true);
      scale->SetEmbedded(true);
      scale->SetExternalCanvas(&control_bmp_.Canvas(), 0, 0);
      scale->setObjectName(QStringLiteral("ZC_FScale_%1_%2").arg(horizontal ? 'X' : 'Y').arg(layer));
      scale->OnScaleTickDrawn = forward_tick;
      if (horizontal) {
        scales_x_[i] = scale;
        scale_props_x_[i] = new TScalePropsHoriz(layer, this);
        scale_props_x_[i]->setObjectName(QStringLiteral("Scale%1X").arg(layer));
        hook(scale_props_x_[i]);
      } else {
        scales_y_[i] = scale;
        scale_props_y_[i] = new TScalePropsVert(layer, this);
        scale_props_y_[i]->setObjectName(QStringLiteral("Scale%1Y").arg(layer));
        hook(scale_props_y_[i]);
      }
    }
  }
}

void TCustomZephChart::Loaded() {
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    ApplyScaleProps(scales_x_[i], scale_props_x_[i]);
    ApplyScaleProps(scales_y_[i], scale_props_y_[i]);
  }
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    ScaleX(layer)->SetCreating(false);
    ScaleY(layer)->SetCreating(false);
  }
  CalcScaling();
  // The stored ranges are where the chart starts: not a change, and its home view.
  for (int layer = 1; layer <= kLayerCount; ++layer) navigation_.reported[LayerIndex(layer)] = CurrentRanges(layer);
  StoreHomeView();
  NoteAllSettings();
  Invalidate();
  Paint();
}

bool TCustomZephChart::ChartVisible() const {
  // Hidden only when someone hid it; a chart on a form that is not shown yet still renders.
  return !isHidden() || !testAttribute(Qt::WA_WState_ExplicitShowHide);
}

void TCustomZephChart::RepaintIfAuto() {
  if (auto_redraw_ || IsDesigning()) Paint();
}

TCrossHair* TCustomZephChart::CrossHair(int index) const {
  return cross_hairs_[static_cast<std::size_t>(index >= 1 && index <= kCrossHairCount ? index - 1 : 0)];
}

TTextLabel* TCustomZephChart::TextLabel(int index) const {
  return text_labels_[static_cast<std::size_t>(index >= 1 && index <= kTextLabelCount ? index - 1 : 0)];
}

// ---- Display list ----

void TCustomZephChart::ClearGraf() {
  // The chart area's background is due now; it is painted when someone looks at the area or
  // skipped when the next rendering paints over it anyway.
  area_clear_pending_ = true;
  TZephItemStore::ClearGraf();
}

const QImage& TCustomZephChart::ChartAreaImage() {
  if (area_clear_pending_) {
    area_clear_pending_ = false;
    // The screen keeps the last curve: a refreshed area still on its way there lands in the
    // control image before the background covers it.
    ComposeControlImage();
    // Pixels of its own, so that the control image keeps the curve.
    area_bmp_.ShowIn(nullptr, QPoint());
    dirty_columns_.MarkAll();
    ClearChartArea(area_bmp_.Canvas(), 0, 0);
  }
  return area_bmp_.Image();
}

void TCustomZephChart::ShowGraf() {
  if (ChartVisible()) {
    TZephItemStore::ShowGraf();
    if (auto_redraw_) {
      RefreshDataArea();
    } else {
      Paint();
    }
  }
  // The charts sharing the list show it too, also when this one is hidden.
  RepaintDataGroup();
  explorer_->DataChanged();
  // A screen reader following the chart reads the new curve.
  QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

void TCustomZephChart::ItemListChanged() {
  image_current_ = false;
  // Most charts share their list with none: no further call for every point appended then.
  if (use_data_of_ != nullptr || !data_users_.empty()) ShareItemList();
}

// ---- Properties that repaint under the AutoRedraw rule ----

// Each stores and repaints every time; its NOTIFY signal follows only a real change.
#define ZC_REPAINTING_SETTER(Name, Type, field, notify) \
  void TCustomZephChart::Set##Name(Type value) {         \
    const bool changed = !(field == value);              \
    field = value;                                        \
    Invalidate();                                         \
    RepaintIfAuto();                                      \
    if (changed) EmitUnlessLoading(notify);               \
  }

ZC_REPAINTING_SETTER(ChartColor, TColor, chart_color_, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(ChartFrameColor, TColor, chart_frame_color_, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(GridColor, TColor, grid_color_, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(ShadowColor, TColor, shadow_color_, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(ShadowBakColor, TColor, shadow_bak_color_, &TCustomZephChart::ColorsChanged)
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
ZC_REPAINTING_SETTER(TextBkColor, TColor, text_bk_color_, &TCustomZephChart::ColorsChanged)
ZC_REPAINTING_SETTER(TextAlignment, TAlignment, text_alignment_, &TCustomZephChart::StylesChanged)

void TCustomZephChart::SetCaption(const QString& value) {
  const bool changed = caption_ != value;
  caption_ = value;
  Invalidate();
  RepaintIfAuto();
  if (changed) EmitUnlessLoading(&TCustomZephChart::CaptionChanged);
}

#undef ZC_REPAINTING_SETTER

void TCustomZephChart::SetWindColor(TColor value) {
  const bool changed = wind_color_ != value;
  wind_color_ = value;
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    scales_x_[i]->SetColorBackGnd(value);
    scales_y_[i]->SetColorBackGnd(value);
  }
  Invalidate();
  RepaintIfAuto();
  if (changed) EmitUnlessLoading(&TCustomZephChart::ColorsChanged);
}

void TCustomZephChart::SetGridDx(double value) {
  if (value < -3) return;
  const bool changed = grid_dx_ != value;
  grid_dx_ = value;
  Invalidate();
  RepaintIfAuto();
  if (changed) EmitUnlessLoading(&TCustomZephChart::GridChanged);
}

void TCustomZephChart::SetGridDy(double value) {
  if (value < -3) return;
  const bool changed = grid_dy_ != value;
  grid_dy_ = value;
  Invalidate();
  RepaintIfAuto();
  if (changed) EmitUnlessLoading(&TCustomZephChart::GridChanged);
}

// ---- Qt entry points ----

qreal TCustomZephChart::RenderRatio() const {
  return render_ratio_ > 0 ? render_ratio_ : std::max<qreal>(devicePixelRatioF(), 1);
}

void TCustomZephChart::SetRenderRatio(qreal ratio) {
  render_ratio_ = std::max<qreal>(ratio, 0);
  if (control_bmp_.Ratio() == RenderRatio()) return;
  Invalidate();
  RepaintIfAuto();
}

void TCustomZephChart::SyncRatio() {
  const qreal ratio = RenderRatio();
  if (control_bmp_.Ratio() == ratio) return;
  for (TBitmap* bitmap : {&control_bmp_, &area_bmp_}) bitmap->SetRatio(ratio);
  Invalidate();
}

void TCustomZephChart::paintEvent(QPaintEvent* event) {
  if (!image_current_ || control_bmp_.Size() != size() || control_bmp_.Ratio() != RenderRatio()) {
    // An expose after changes that were not painted yet: render as the window system asks.
    in_paint_event_ = true;
    Paint();
    in_paint_event_ = false;
  }
  ComposeControlImage();
  QPainter painter(this);
  const QImage& image = control_bmp_.Image();
  if (image.isNull()) {
    painter.fillRect(event->rect(), ColorToQColor(ShownColor(wind_color_, QPalette::Window)));
    return;
  }
  const QRectF part(event->rect());
  const qreal ratio = image.devicePixelRatio();
  painter.drawImage(part, image, QRectF(part.topLeft() * ratio, part.size() * ratio));
  if (!hasFocus()) return;
  // Over the screen copy only: the control image stays what the chart draws.
  explorer_->PaintCursor(painter);
  const QColor ring = FocusIndicatorColor(palette().color(QPalette::Highlight), ColorToQColor(wind_color_));
  painter.setPen(QPen(ring, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void TCustomZephChart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  SyncSize();
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
  if (event->type() == QEvent::ScreenChangeInternal && control_bmp_.Ratio() != RenderRatio()) {
    Invalidate();
    update();
  }
  return QWidget::event(event);
}

void TCustomZephChart::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyDown) OnKeyDown(this, key, event->modifiers());
  // The application's handler comes first; a key it set to 0 is its own.
  if (key == 0 || explorer_->HandleKey(key, event->modifiers())) {
    event->accept();
    return;
  }
  if (NavigationKey(event)) return event->accept();
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
  if (explorer_->Active()) ChartPointChanged(this);
}

void TCustomZephChart::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void TCustomZephChart::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(texts_.CopyData, this, [this] { QGuiApplication::clipboard()->setText(DataTableText()); });
  menu.addAction(texts_.PlaySound, this, [this] { explorer_->PlayCurve(); });
  menu.exec(event->globalPos());
}

void TCustomZephChart::SetTexts(const TChartTexts& texts) {
  texts_ = texts;
  QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

void TCustomZephChart::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // System colours and fonts are resolved while drawing: the cached layers may be out of date.
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange ||
      event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange) {
    Invalidate();
    // The scales hold the palette's colours they were given.
    if (palette_colors_) LayoutScales();
  }
}


void TCustomZephChart::ShowOnScreen(const QRect& rect) {
  if (!in_paint_event_ && isVisible()) update(rect);
}

}  // namespace zeph
