#pragma once

#include <QWidget>

#include "ui_bodeform.h"

// The Bode plot of an RC low-pass filter on a form laid out in Qt Designer (bodeform.ui): the
// chart's layout, caption, grid and mouse mode and the scale control's settings come from the
// form; the axes of the chart's layers and the curves are set here.
class TBodeForm : public QWidget {
  Q_OBJECT

 public:
  explicit TBodeForm(QWidget* parent = nullptr);

  zeph::TZephChart* Chart() const { return ui_.chart; }

 private:
  Ui::BodeForm ui_;
};
