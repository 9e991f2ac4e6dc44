#include "app/controls/tlabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "app/controls/focusring.h"

using namespace zeph;

namespace {

Qt::Alignment QtAlignment(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignTop;
    case taCenter: return Qt::AlignHCenter | Qt::AlignTop;
    case taLeftJustify: break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

// A link label as assistive technology sees it: a link named by its text that can be pressed.
class LinkAccessible : public QAccessibleWidget {
 public:
  explicit LinkAccessible(TLabel* label) : QAccessibleWidget(label, QAccessible::Link) {
    addControllingSignal(QStringLiteral("linkActivated(QString)"));
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return Label()->text();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction()) Notify(Label()->OnClick, Label());
  }

 private:
  TLabel* Label() const { return static_cast<TLabel*>(widget()); }
};

QAccessibleInterface* LinkFactory(const QString&, QObject* object) {
  auto* label = qobject_cast<TLabel*>(object);
  return label && label->IsLink() ? new LinkAccessible(label) : nullptr;
}

}  // namespace

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
  static const bool factory_installed = [] {
    QAccessible::installFactory(LinkFactory);
    return true;
  }();
  (void)factory_installed;
  setTextFormat(Qt::PlainText);
  setAlignment(QtAlignment(alignment_));
  setMouseTracking(true);
  setAttribute(Qt::WA_NoMousePropagation);
}

void TLabel::SetAlignment(TAlignment value) {
  alignment_ = value;
  setAlignment(QtAlignment(value));
}

void TLabel::SetLink(bool value) {
  link_ = value;
  setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
  // An interface made while the label was plain text is made anew, as a link or not.
  if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(this))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void TLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (link_ && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    event->accept();
    Notify(OnClick, this);
    return;
  }
  QLabel::keyPressEvent(event);
}

void TLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!link_ || !hasFocus()) return;
  // The keyboard's place: a solid frame around the text that stands out from the background by
  // at least 3:1 (a dotted frame in the text's colour does not).
  const QRect text = fontMetrics().boundingRect(contentsRect(), static_cast<int>(alignment()), this->text());
  QPainter painter(this);
  painter.setPen(QPen(TFocusRing::RingColor(this), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(text.adjusted(-2, 0, 1, -1) & rect().adjusted(0, 0, -1, -1));
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
