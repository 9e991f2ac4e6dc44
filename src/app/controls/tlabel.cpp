#include "app/controls/tlabel.h"

#include <QMouseEvent>

namespace {

Qt::Alignment QtAlignment(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignTop;
    case taCenter: return Qt::AlignHCenter | Qt::AlignTop;
    case taLeftJustify: break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

}  // namespace

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(QtAlignment(alignment_));
  setMouseTracking(true);
  setAttribute(Qt::WA_NoMousePropagation);
}

void TLabel::SetAlignment(TAlignment value) {
  alignment_ = value;
  setAlignment(QtAlignment(value));
}

void TLabel::SetFontColor(TColor value) {
  font_color_ = value;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, ColorToQColor(value));
  setPalette(p);
}

void TLabel::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseMove) OnMouseMove(this, event->modifiers(), p.x(), p.y());
  event->accept();
}

void TLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void TLabel::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release of the left button over the label.
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) Notify(OnClick, this);
}
