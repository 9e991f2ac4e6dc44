#include "app/controls/formgeometry.h"

#include <QScreen>
#include <QWidget>

#include "toolkit/controlplacement.h"

int OuterWidth(const QWidget* form) { return form->frameGeometry().width(); }

int OuterHeight(const QWidget* form) { return form->frameGeometry().height(); }

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
