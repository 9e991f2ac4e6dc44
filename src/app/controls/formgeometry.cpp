#include "app/controls/formgeometry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "toolkit/controlplacement.h"

int OuterWidth(const QWidget* form) { return form->frameGeometry().width(); }

int OuterHeight(const QWidget* form) { return form->frameGeometry().height(); }

QSize FrameExtent(const QWidget* form) { return form->frameGeometry().size() - form->geometry().size(); }

void CentreOnScreen(QWidget* form) {
  const QScreen* screen = form->screen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  const QRect outer = form->frameGeometry();
  form->move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void SetControlWidth(QWidget* control, int width) {
  control->resize(width, control->height());
  if (auto* placement = control->findChild<TControlPlacement*>(QString(), Qt::FindDirectChildrenOnly))
    placement->Realign();
}

TFormGeometry::TFormGeometry(QWidget* form) : QObject(form), form_(form) { form_->installEventFilter(this); }

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
  // Without a frame yet, a window manager may still add one.
  const bool frame_unknown = frame_.isNull();
  size_pending_ = frame_unknown && first && outer_size_.isValid();
  centre_pending_ = frame_unknown && centre;
}

void TFormGeometry::CheckFrame() {
  const QSize frame = FrameExtent(form_);
  if (frame == frame_) return;
  frame_ = frame;
  const QSize before = form_->size();
  ApplyMinimum();
  if (size_pending_) form_->resize(outer_size_ - frame);
  if (centre_pending_) CentreOnScreen(form_);
  size_pending_ = centre_pending_ = false;
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
    case QEvent::WinIdChange: WatchWindow(); break;
    case QEvent::Move:
    case QEvent::Resize:
      ApplyMinimum();
      break;
    default: break;
  }
  return false;
}
