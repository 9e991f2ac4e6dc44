#include "zeph/toolkit/controlplacement.h"

#include <QEvent>
#include <QRect>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace zeph {

namespace {

// The placement helper of a widget, if it has one.
TControlPlacement* PlacementOf(QWidget* widget) {
  return widget->findChild<TControlPlacement*>(QString(), Qt::FindDirectChildrenOnly);
}

void Dock(QWidget* w, TAlign align, QRect& client) {
  switch (align) {
    case alTop:
      w->setGeometry(client.left(), client.top(), client.width(), w->height());
      client.setTop(client.top() + w->height());
      break;
    case alBottom:
      w->setGeometry(client.left(), client.bottom() + 1 - w->height(), client.width(), w->height());
      client.setBottom(client.bottom() - w->height());
      break;
    case alLeft:
      w->setGeometry(client.left(), client.top(), w->width(), client.height());
      client.setLeft(client.left() + w->width());
      break;
    case alRight:
      w->setGeometry(client.right() + 1 - w->width(), client.top(), w->width(), client.height());
      client.setRight(client.right() - w->width());
      break;
    case alClient:
      w->setGeometry(client.left(), client.top(), std::max(client.width(), 0), std::max(client.height(), 0));
      break;
    case alNone: break;
  }
}

}  // namespace

TControlPlacement::TControlPlacement(QWidget* control) : QObject(control), control_(control) {
  WatchParent();
  control_->installEventFilter(this);
}

void TControlPlacement::SetAlign(TAlign value) {
  if (value == align_) return;
  align_ = value;
  Realign();
}

void TControlPlacement::SetAnchors(TAnchors value) {
  anchors_ = value;
  RememberDistances();
}

void TControlPlacement::WatchParent() {
  QWidget* parent = control_->parentWidget();
  if (parent == watched_parent_) return;
  if (watched_parent_) watched_parent_->removeEventFilter(this);
  watched_parent_ = parent;
  if (parent) parent->installEventFilter(this);
  RememberDistances();
}

void TControlPlacement::RememberDistances() {
  if (!watched_parent_) return;
  parent_width_ = watched_parent_->width();
  parent_height_ = watched_parent_->height();
  const QRect g = control_->geometry();
  right_distance_ = parent_width_ - (g.x() + g.width());
  bottom_distance_ = parent_height_ - (g.y() + g.height());
}

void TControlPlacement::Realign() {
  if (!watched_parent_) return;
  QRect client = watched_parent_->rect();
  // Siblings dock in this order, each group in creation order.
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (QObject* child : watched_parent_->children()) {
      auto* w = qobject_cast<QWidget*>(child);
      if (!w || w->isHidden()) continue;
      TControlPlacement* p = w == control_ ? this : PlacementOf(w);
      if (p && p->align_ == pass) Dock(w, pass, client);
    }
  }
  RememberDistances();
}

bool TControlPlacement::eventFilter(QObject* watched, QEvent* event) {
  if (watched == control_ && event->type() == QEvent::ParentChange) {
    WatchParent();
  } else if (watched == watched_parent_ && event->type() == QEvent::Resize) {
    if (align_ != alNone) {
      Realign();
    } else if (parent_width_ >= 0) {
      const QRect g = control_->geometry();
      int left = g.x();
      int top = g.y();
      int width = g.width();
      int height = g.height();
      const int new_right = watched_parent_->width() - right_distance_;
      const int new_bottom = watched_parent_->height() - bottom_distance_;
      if (anchors_.Contains(akRight)) {
        if (anchors_.Contains(akLeft)) width = std::max(new_right - left, 0);
        else left = new_right - width;
      }
      if (anchors_.Contains(akBottom)) {
        if (anchors_.Contains(akTop)) height = std::max(new_bottom - top, 0);
        else top = new_bottom - height;
      }
      if (QRect(left, top, width, height) != g) control_->setGeometry(left, top, width, height);
      parent_width_ = watched_parent_->width();
      parent_height_ = watched_parent_->height();
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zeph
