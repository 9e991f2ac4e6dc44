#include "app/controls/focusring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

#include "app/controls/tlabel.h"
#include "zeph/chart/zephchart.h"
#include "zeph/toolkit/contrast.h"

namespace {

constexpr int kMargin = 2;
constexpr int kWidth = 2;

// The ring lives in the window of the control it stands around and goes with that window; the
// next focus change makes a new one.
QPointer<TFocusRing> ring;
bool installed = false;

// Charts and links draw the focus themselves, closer to what they show.
bool DrawsOwnFocus(const QWidget* control) {
  if (qobject_cast<const zeph::TCustomZephChart*>(control) != nullptr) return true;
  const auto* label = qobject_cast<const TLabel*>(control);
  return label != nullptr && label->IsLink();
}

}  // namespace

TFocusRing::TFocusRing(QWidget* window) : QFocusFrame(window) {
  // Placed by Follow(), not by the focus frame's own tracking (which asks the style for margins).
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  setObjectName(QStringLiteral("FocusRing"));
  hide();
}

void TFocusRing::Install() {
  if (installed) return;
  installed = true;
  QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
    if (now == nullptr) return;
    if (ring == nullptr) ring = new TFocusRing(now->window());
    ring->Follow(now);
  });
  if (QApplication::focusWidget() != nullptr) {
    ring = new TFocusRing(QApplication::focusWidget()->window());
    ring->Follow(QApplication::focusWidget());
  }
}

QWidget* TFocusRing::Target() { return ring != nullptr && ring->isVisible() ? ring->target_.data() : nullptr; }

QColor TFocusRing::RingColor(const QWidget* control) {
  const QWidget* under = control->parentWidget() != nullptr ? control->parentWidget() : control;
  return zeph::FocusIndicatorColor(control->palette().color(QPalette::Highlight),
                                   under->palette().color(under->backgroundRole()));
}

void TFocusRing::Follow(QWidget* target) {
  if (target_ != nullptr) target_->removeEventFilter(this);
  target_ = target;
  if (target == nullptr || target->parentWidget() == nullptr || DrawsOwnFocus(target)) {
    hide();
    return;
  }
  target->installEventFilter(this);
  if (parentWidget() != target->parentWidget()) {
    // Lives as long as the window it stands in, or until the focus moves on.
    setParent(target->parentWidget());
  }
  Place();
}

void TFocusRing::Place() {
  if (target_ == nullptr || !target_->isVisible()) {
    hide();
    return;
  }
  setGeometry(target_->geometry().adjusted(-kMargin, -kMargin, kMargin, kMargin) & parentWidget()->rect());
  raise();
  show();
  update();
}

bool TFocusRing::eventFilter(QObject* watched, QEvent* event) {
  if (watched == target_) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
      case QEvent::Hide: Place(); break;
      case QEvent::ParentChange: Follow(target_); break;
      default: break;
    }
  }
  return QObject::eventFilter(watched, event);
}

void TFocusRing::paintEvent(QPaintEvent*) {
  if (target_ == nullptr) return;
  QPainter painter(this);
  painter.setPen(QPen(RingColor(target_), kWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0, -kWidth / 2.0));
}
