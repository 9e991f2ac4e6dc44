#include "app/controls/formgeometry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "zeph/toolkit/controlplacement.h"

using namespace zeph;

int OuterWidth(const QWidget* form) { return form->frameGeometry().width(); }

int OuterHeight(const QWidget* form) { return form->frameGeometry().height(); }

QSize FrameExtent(const QWidget* form) { return form->frameGeometry().size() - form->geometry().size(); }

namespace {

// How often and how long a showing is watched until its size and centring hold: for a while once
// the window is on the screen, and at all only for a bounded time.
constexpr int kSettleIntervalMs = 50;
constexpr int kSettleTicks = 60;
constexpr int kMaxSettleTicks = 400;
// Looks in a row, with the window on the screen and its frame known, that find everything in place
// before the showing counts as settled: a window manager places a window as it maps it.
constexpr int kStableTicks = 4;

// Where the outer rectangle's top-left corner goes for the form to be centred on its screen.
QPoint CentredPosition(const QWidget* form) {
  const QRect area = form->screen()->geometry();
  const QRect outer = form->frameGeometry();
  return {area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2};
}

}  // namespace

void CentreOnScreen(QWidget* form) {
  if (form->screen() == nullptr) return;
  form->move(CentredPosition(form));
}

void SetControlWidth(QWidget* control, int width) {
  control->resize(width, control->height());
  if (auto* placement = control->findChild<TControlPlacement*>(QString(), Qt::FindDirectChildrenOnly))
    placement->Realign();
}

TFormGeometry::TFormGeometry(QWidget* form) : QObject(form), form_(form) {
  form_->installEventFilter(this);
  settle_timer_.setInterval(kSettleIntervalMs);
  connect(&settle_timer_, &QTimer::timeout, this, &TFormGeometry::Settle);
}

void TFormGeometry::SetOuterSize(QSize size) {
  outer_size_ = size;
  form_->resize(size - FrameExtent(form_));
}

void TFormGeometry::SetOuterMinimumSize(QSize size) {
  outer_minimum_ = size;
  ApplyMinimum();
}

void TFormGeometry::ApplyMinimum() {
  if (!outer_minimum_.isValid()) return;
  const QSize minimum = (outer_minimum_ - FrameExtent(form_)).expandedTo(QSize(0, 0));
  if (form_->minimumSize() != minimum) form_->setMinimumSize(minimum);
}

void TFormGeometry::WatchWindow() {
  // The native window hears of the frame first; the form's own move and resize events do not
  // come when only the frame changes.
  QWindow* window = form_->windowHandle();
  if (window == nullptr || window == watched_window_) return;
  window->installEventFilter(this);
  watched_window_ = window;
}

void TFormGeometry::Shown() {
  WatchWindow();
  frame_ = FrameExtent(form_);
  const bool first = !shown_;
  shown_ = true;
  const bool centre = centring_ == TCentring::EveryShow || (centring_ == TCentring::FirstShow && first);
  ApplyMinimum();
  if (first && outer_size_.isValid()) form_->resize(outer_size_ - frame_);
  if (centre) CentreOnScreen(form_);
  size_pending_ = first && outer_size_.isValid();
  centre_pending_ = centre;
  if (size_pending_ || centre_pending_) {
    settle_ticks_ = stable_ticks_ = all_ticks_ = 0;
    settle_timer_.start();
  }
}

bool TFormGeometry::ApplyPending() {
  bool applied = false;
  if (size_pending_ && form_->size() != outer_size_ - frame_) {
    form_->resize(outer_size_ - frame_);
    applied = true;
  }
  if (centre_pending_ && form_->screen() != nullptr && form_->frameGeometry().topLeft() != CentredPosition(form_)) {
    CentreOnScreen(form_);
    applied = true;
  }
  return applied;
}

void TFormGeometry::Settle() {
  CheckFrame();
  const bool on_screen = watched_window_ != nullptr && watched_window_->isExposed();
  bool settled = false;
  if (on_screen && !frame_.isNull()) {
    if (ApplyPending())
      stable_ticks_ = 0;
    else
      settled = ++stable_ticks_ >= kStableTicks;
  }
  if (on_screen) ++settle_ticks_;
  // Without a window manager the frame never comes; the showing's geometry then stands as applied.
  if (settled || settle_ticks_ >= kSettleTicks || ++all_ticks_ >= kMaxSettleTicks) StopSettling();
}

void TFormGeometry::StopSettling() {
  size_pending_ = centre_pending_ = false;
  settle_timer_.stop();
}

void TFormGeometry::CheckFrame() {
  const QSize frame = FrameExtent(form_);
  if (frame == frame_) return;
  frame_ = frame;
  const QSize before = form_->size();
  ApplyMinimum();
  ApplyPending();
  stable_ticks_ = 0;
  if (form_->size() == before) {
    // The outer size changed all the same: whatever follows it must hear of it.
    QResizeEvent resized(before, before);
    QCoreApplication::sendEvent(form_, &resized);
  }
}

bool TFormGeometry::eventFilter(QObject* watched, QEvent* event) {
  if (watched == watched_window_) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Expose:
      case QEvent::WindowStateChange: CheckFrame(); break;
      default: break;
    }
    return false;
  }
  if (watched != form_) return false;
  switch (event->type()) {
    case QEvent::Show:
      if (!event->spontaneous()) Shown();
      break;
    case QEvent::Hide:
      if (!event->spontaneous()) StopSettling();
      break;
    case QEvent::WinIdChange: WatchWindow(); break;
    case QEvent::Move:
    case QEvent::Resize:
      ApplyMinimum();
      break;
    default: break;
  }
  return false;
}
