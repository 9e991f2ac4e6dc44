#include "app/controls/tpanel.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

using namespace zeph;

namespace {

// One ring of a 3-D border: light top-left and dark bottom-right edges when raised, the other way
// round when lowered. Shrinks rect by width pixels on every side.
void DrawBevelRing(QPainter& painter, QRect& rect, TPanelBevel bevel, int width) {
  if (bevel == bvNone) return;
  const QColor light = ColorToQColor(clBtnHighlight);
  const QColor dark = ColorToQColor(clBtnShadow);
  const QColor top_left = bevel == bvRaised ? light : dark;
  const QColor bottom_right = bevel == bvRaised ? dark : light;
  for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), top_left);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), top_left);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottom_right);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottom_right);
    rect.adjust(1, 1, -1, -1);
  }
}

}  // namespace

TPanel::TPanel(QWidget* parent) : QWidget(parent), placement_(new TControlPlacement(this)) {
  setMouseTracking(true);
}

void TPanel::SetBevelInner(TPanelBevel value) {
  bevel_inner_ = value;
  update();
}

void TPanel::SetBevelOuter(TPanelBevel value) {
  bevel_outer_ = value;
  update();
}

void TPanel::SetBevelWidth(int value) {
  bevel_width_ = std::max(value, 1);
  update();
}

void TPanel::SetColor(TColor value) {
  color_ = value;
  update();
}

void TPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ColorToQColor(color_));
  QRect ring = rect();
  DrawBevelRing(painter, ring, bevel_outer_, bevel_width_);
  DrawBevelRing(painter, ring, bevel_inner_, bevel_width_);
}

void TPanel::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseMove) OnMouseMove(this, event->modifiers(), p.x(), p.y());
  event->accept();
}
