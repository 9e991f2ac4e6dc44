#pragma once

#include <QWidget>

// The keyboard focus order of a form, set per parent: each control gets its TabOrder among its
// siblings, and the focus moves through the controls depth first, siblings by TabOrder.
void SetTabOrder(QWidget* control, int order);
int TabOrder(const QWidget* control);

// Chains the focusable controls under form in that order; returns them in the chained order.
QList<QWidget*> ApplyTabOrders(QWidget* form);
