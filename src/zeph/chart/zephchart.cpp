#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "zeph/chart/interaction/chartcursors_p.h"
#include "zeph/toolkit/contrast.h"

namespace zeph {

namespace {

// Copies the data table and says so: "copied 100 rows".
void CopyDataTable(TCustomZephChart* chart) {
  const QString text = chart->DataTableText();
  QGuiApplication::clipboard()->setText(text);
  ChartAnnounce(chart, FillTemplate(chart->Texts().Copied, {QString::number(text.count(QLatin1Char('\n')) - 1)}));
}

}  // namespace

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
      if (!IsLoading() && !d_->interaction_.MovingCrossHair()) Q_EMIT cross_hair->PropertiesChanged();
    };
    d_->renderer_.Parts().cross_hairs[static_cast<std::size_t>(i)] = cross_hair;
  }
  for (std::size_t i = 0; i < d_->renderer_.Parts().text_labels.size(); ++i) {
    TTextLabel*& label = d_->renderer_.Parts().text_labels[i];
    label = new TTextLabel(d_->look_.font, this);
    label->setObjectName(QStringLiteral("TextLabel%1").arg(i + 1));
    label->OnChange = [this, label](QObject*) {
      d_->Invalidate();
      d_->RepaintIfAuto();
      if (!IsLoading()) Q_EMIT label->PropertiesChanged();
    };
  }
  auto* background_image = new TBakGndImg(this);
  d_->renderer_.Parts().background_image = background_image;
  background_image->setObjectName(QStringLiteral("BackGroundImg"));
  background_image->OnChange = [this](QObject*) {
    d_->Invalidate();
    d_->RepaintIfAuto();
  };
  auto* joins = new TJointLayers(this, this);
  joins->setObjectName(QStringLiteral("JointLayers"));
  joins->OnChange = [this](QObject*) { d_->JoinsChanged(); };
  d_->axes_.SetJoins(joins);
  auto* legend = new TChartLegend(this);
  d_->renderer_.Parts().legend = legend;
  legend->setObjectName(QStringLiteral("Legend"));
  legend->OnChange = [this](QObject*) {
    d_->Invalidate();
    d_->RepaintIfAuto();
  };
  d_->auto_redraw_ = true;
  TScreenCursor::LoadChartCursors();
  // Moves without a button report the mouse position and set the mode's cursor.
  setMouseTracking(true);

  d_->renderer_.SizeImages();
  // The isometric rule needs the pixel aspect: a pixel's relative width and height.
  const QImage probe(1, 1, QImage::Format_RGB32);
  d_->geometry_.SetAspect(probe.logicalDpiY(), probe.logicalDpiX());

  d_->CreateScales();

  SetBounds(x(), y(), 280, 200);
  SetStandardLayout(zcl_X1Bottom_Y1Left);
  d_->UpdateMinimumSize();
  for (TScale* scale : d_->axes_.Controls()) {
    scale->SetTransparent(true);
    scale->SetColorBackGnd(d_->look_.wind_color);
    scale->SetFrameStyle(fsNone);
  }
  d_->axes_.Layout();
  CalcScaling();

  // The ranges as constructed are the first home view; changes are reported from here on.
  d_->axes_.NoteAllReported();
  StoreHomeView();

  // The widget is its own window: from here on the control paints.
  d_->paint_suspended_ = false;
}

TCustomZephChart::~TCustomZephChart() {
  LeaveDataGroup();
  TScreenCursor::Release(this);
  // The scale controls draw on the control bitmap's canvas, which goes before the widget's
  // children do: free them first.
  d_->axes_.DeleteControls();
}

void TCustomZephChartPrivate::CreateScales() {
  const auto forward_tick = [this](QObject*, TCanvas& canvas, TScaleType type, double value, int x, int y) {
    if (q->OnScaleTickDrawn) q->OnScaleTickDrawn(q, canvas, type, value, x, y);
  };
  const auto hook = [this](TScaleProps* props) {
    props->OnChange = [this](QObject* sender) { q->ScalePropsChanged(sender); };
  };
  const auto make_scale = [&](char axis, int layer) {
    auto* scale = new TScale(q);
    scale->SetSuppressPaint(true);
    scale->SetEmbedded(true);
    scale->SetExternalCanvas(&renderer_.ControlCanvas(), 0, 0);
    scale->setObjectName(QStringLiteral("ZC_FScale_%1_%2").arg(axis).arg(layer));
    scale->OnScaleTickDrawn = forward_tick;
    return scale;
  };
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    TScale* x_scale = make_scale('X', layer);
    auto* x_props = new TScalePropsHoriz(layer, q);
    x_props->setObjectName(QStringLiteral("Scale%1X").arg(layer));
    hook(x_props);
    TScale* y_scale = make_scale('Y', layer);
    auto* y_props = new TScalePropsVert(layer, q);
    y_props->setObjectName(QStringLiteral("Scale%1Y").arg(layer));
    hook(y_props);
    axes_.SetControls(layer, x_scale, y_scale);
    layers_.Set(layer, x_props, y_props);
  }
}

void TCustomZephChart::Loaded() {
  d_->axes_.ApplyAll();
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    ScaleX(layer)->SetCreating(false);
    ScaleY(layer)->SetCreating(false);
  }
  CalcScaling();
  // The stored ranges are where the chart starts: not a change, and its home view.
  d_->axes_.NoteAllReported();
  StoreHomeView();
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
  return d_->renderer_.Parts().CrossHair(index);
}

TTextLabel* TCustomZephChart::TextLabel(int index) const {
  return d_->renderer_.Parts().TextLabel(index);
}

// ---- Display list ----

void TCustomZephChart::ClearGraf() {
  // The chart area's background is due now; it is painted when someone looks at the area or
  // skipped when the next rendering paints over it anyway.
  d_->renderer_.ClearAreaLater();
  TZephItemStore::ClearGraf();
}

const QImage& TCustomZephChart::ChartAreaImage() {
  return d_->renderer_.ChartAreaImage();
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
  d_->renderer_.DataChanged();
  // Most charts share their list with none: no further call for every point appended then.
  if (d_->use_data_of_ != nullptr || !d_->data_users_.empty()) ShareItemList();
}

// ---- Qt entry points ----

qreal TCustomZephChart::RenderRatio() const {
  return d_->render_ratio_ > 0 ? d_->render_ratio_ : std::max<qreal>(devicePixelRatioF(), 1);
}

void TCustomZephChart::SetRenderRatio(qreal ratio) {
  d_->render_ratio_ = std::max<qreal>(ratio, 0);
  if (d_->renderer_.Ratio() == RenderRatio()) return;
  d_->Invalidate();
  d_->RepaintIfAuto();
}

void TCustomZephChart::paintEvent(QPaintEvent* event) {
  if (!d_->renderer_.Current(size(), RenderRatio())) {
    // An expose after changes that were not painted yet: render as the window system asks.
    d_->in_paint_event_ = true;
    Paint();
    d_->in_paint_event_ = false;
  }
  QPainter painter(this);
  const QImage& image = d_->renderer_.ControlImage();
  if (image.isNull()) {
    painter.fillRect(event->rect(), ColorToQColor(ShownColor(d_->look_.wind_color, QPalette::Window)));
    return;
  }
  const QRectF part(event->rect());
  const qreal ratio = image.devicePixelRatio();
  painter.drawImage(part, image, QRectF(part.topLeft() * ratio, part.size() * ratio));
  if (!hasFocus()) return;
  // Over the screen copy only: the control image stays what the chart draws.
  d_->explorer_->PaintCursor(painter);
  const QColor ring = FocusIndicatorColor(palette().color(QPalette::Highlight), ColorToQColor(d_->look_.wind_color));
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
  if (event->type() == QEvent::ScreenChangeInternal && d_->renderer_.Ratio() != RenderRatio()) {
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
  if (d_->interaction_.Key(event)) return event->accept();
  if (event->matches(QKeySequence::Copy)) {
    CopyDataTable(this);
    event->accept();
    return;
  }
  // The keyboard's other way to the context menu, as everywhere on the desktop.
  if (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, rect().center(), mapToGlobal(rect().center()));
    contextMenuEvent(&menu);
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
  QAction* first = menu.addAction(d_->texts_.CopyData, this, [this] { CopyDataTable(this); });
  menu.addAction(d_->texts_.PlaySound, this, [this] {
    ChartAnnounce(this, d_->explorer_->PlayCurve() ? d_->texts_.Playing : d_->texts_.NoSound);
  });
  // Opened from the keyboard, the menu stands on its first entry, so that it is said at once.
  if (event->reason() == QContextMenuEvent::Keyboard)
    QMetaObject::invokeMethod(&menu, [&menu, first] { menu.setActiveAction(first); }, Qt::QueuedConnection);
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
    if (d_->look_.palette_colors) d_->axes_.Layout();
  }
}

// ---- Data sharing: up to four charts display the item list of one owner chart, each through
// its own scales. All members of a group hold the same list object, so whatever one of them
// appends or clears, all of them hold at once; the list lives as long as any chart still
// displays it. ----
std::function<void(QWidget*, const QString&)>& TCustomZephChart::InfoMessageHook() {
  static std::function<void(QWidget*, const QString&)> hook;
  return hook;
}

namespace {

void ShowInfoMessage(QWidget* chart, const QString& text) {
  if (TCustomZephChart::InfoMessageHook()) {
    TCustomZephChart::InfoMessageHook()(chart, text);
    return;
  }
  QMessageBox::information(chart, QApplication::applicationName(), text, QMessageBox::Ok);
}

}  // namespace

TCustomZephChart* TCustomZephChart::DataUser(int index) const {
  return index >= 0 && index < DataUserCount() ? d_->data_users_[static_cast<std::size_t>(index)] : nullptr;
}

void TCustomZephChart::SetUseDataOf(TCustomZephChart* value) {
  if (value == this) {
    ShowInfoMessage(this, QStringLiteral("ZephChart: Cannot share data with myself"));
    return;
  }
  if (!d_->data_users_.empty()) {
    ShowInfoMessage(this,
                    QStringLiteral("ZephChart: Cannot use foreign data. Other ZephCharts are using my own data."));
    return;
  }
  if (value == d_->use_data_of_) return;
  if (!value) {
    StopUsingData();
    d_->Invalidate();
    d_->RepaintIfAuto();
    d_->EmitUnlessLoading(&TCustomZephChart::UseDataOfChanged);
    return;
  }
  // Users of users are not formed: a user's owner is asked instead.
  if (value->d_->use_data_of_) value = value->d_->use_data_of_;
  if (value == d_->use_data_of_) return;
  if (value->DataUserCount() >= kMaxDataUsers) {
    ShowInfoMessage(this, QStringLiteral("ZephChart: Max. number of data shares exceeded"));
    return;
  }
  if (d_->use_data_of_) LeaveOwner();
  d_->use_data_of_ = value;
  items_ = value->items_;
  value->d_->data_users_.push_back(this);
  d_->Invalidate();
  d_->RepaintIfAuto();
  d_->EmitUnlessLoading(&TCustomZephChart::UseDataOfChanged);
}

void TCustomZephChart::LeaveOwner() {
  auto& users = d_->use_data_of_->d_->data_users_;
  users.erase(std::remove(users.begin(), users.end(), this), users.end());
  d_->use_data_of_ = nullptr;
}

void TCustomZephChart::StopUsingData() {
  if (!d_->use_data_of_) return;
  LeaveOwner();
  // The chart goes on showing what it showed, in a list of its own: its next changes are its own
  // and no longer reach the group.
  items_ = std::make_shared<TZephItemList>(*items_);
  AdoptCurves();
}

void TCustomZephChart::LeaveDataGroup() {
  if (d_->use_data_of_) LeaveOwner();
  // An owner that goes while it has users leaves them its list: each keeps showing it, detached
  // from the others; the last one keeps the list object itself.
  for (std::size_t i = 0; i < d_->data_users_.size(); ++i) {
    TCustomZephChart* user = d_->data_users_[i];
    user->d_->use_data_of_ = nullptr;
    if (i + 1 < d_->data_users_.size()) user->items_ = std::make_shared<TZephItemList>(*items_);
    user->AdoptCurves();
  }
  const std::vector<TCustomZephChart*> left = std::move(d_->data_users_);
  d_->data_users_.clear();
  for (TCustomZephChart* user : left) user->d_->EmitUnlessLoading(&TCustomZephChart::UseDataOfChanged);
}

void TCustomZephChart::ShareItemList() {
  TCustomZephChart* owner = d_->use_data_of_ ? d_->use_data_of_ : this;
  if (owner->d_->data_users_.empty()) return;
  const auto share = [this](TCustomZephChart* chart) {
    if (chart->items_ != items_) chart->items_ = items_;
    chart->d_->renderer_.DataChanged();
  };
  share(owner);
  for (TCustomZephChart* user : owner->d_->data_users_) share(user);
}

void TCustomZephChart::RepaintDataGroup() {
  // The chart that showed the list is up to date; the others of its group repaint.
  if (d_->use_data_of_) {
    d_->use_data_of_->d_->RepaintIfAuto();
    for (TCustomZephChart* user : d_->use_data_of_->d_->data_users_) {
      if (user != this) user->d_->RepaintIfAuto();
    }
  }
  for (TCustomZephChart* user : d_->data_users_) user->d_->RepaintIfAuto();
}

// ---- Curve objects: a visible change repaints like ShowGraf(). ----
void TCustomZephChart::CurvesChanged() {
  d_->renderer_.DataChanged();
  if (ChartVisible() && d_->auto_redraw_) RefreshDataArea();
  RepaintDataGroup();
}

}  // namespace zeph
