#include "app/controls/formgeometry.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

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

bool TFormGeometry::eventFilter(QObject* watched, QEvent* event) {
  if (watched != form_) return false;
  switch (event->type()) {
    case QEvent::Show:
      if (!shown_ && !event->spontaneous()) {
        shown_ = true;
        ApplyMinimum();
        if (outer_size_.isValid()) form_->resize(outer_size_ - FrameExtent(form_));
        if (centre_) CentreOnScreen(form_);
      }
      break;
    case QEvent::Move:
    case QEvent::Resize:
      ApplyMinimum();
      break;
    default: break;
  }
  return false;
}
