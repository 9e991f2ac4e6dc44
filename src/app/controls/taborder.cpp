#include "app/controls/taborder.h"

#include <QVariant>
#include <algorithm>
#include <limits>

namespace {

constexpr char kTabOrderProperty[] = "TabOrder";

void Collect(QWidget* parent, QList<QWidget*>& chain) {
  QList<QWidget*> children;
  for (QObject* child : parent->children())
    if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow()) children.append(w);
  // Controls without an order of their own keep their creation order, after the ordered ones.
  std::stable_sort(children.begin(), children.end(),
                   [](const QWidget* a, const QWidget* b) { return TabOrder(a) < TabOrder(b); });
  for (QWidget* w : children) {
    if (w->focusPolicy() & Qt::TabFocus) chain.append(w);
    Collect(w, chain);
  }
}

}  // namespace

void SetTabOrder(QWidget* control, int order) { control->setProperty(kTabOrderProperty, order); }

int TabOrder(const QWidget* control) {
  const QVariant v = control->property(kTabOrderProperty);
  return v.isValid() ? v.toInt() : std::numeric_limits<int>::max();
}

QList<QWidget*> ApplyTabOrders(QWidget* form) {
  QList<QWidget*> chain;
  Collect(form, chain);
  for (qsizetype i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
  return chain;
}
