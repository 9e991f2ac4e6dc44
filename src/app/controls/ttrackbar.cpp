#include "app/controls/ttrackbar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>
#include <algorithm>

namespace {

// Gives the thumb the track bar's ThumbLength across the track; everything else is the
// application's style. Each track bar has a style of its own, since styles ask for the metric
// without naming the widget.
class TThumbStyle : public QProxyStyle {
 public:
  explicit TThumbStyle(const TTrackBar* owner) : QProxyStyle(QApplication::style()->name()), owner_(owner) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_SliderThickness) return owner_->ThumbLength();
    return QProxyStyle::pixelMetric(metric, option, widget);
  }

 private:
  const TTrackBar* owner_;
};

}  // namespace

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent), thumb_style_(new TThumbStyle(this)) {
  thumb_style_->setParent(this);
  setStyle(thumb_style_);
  setRange(0, 10);
  setSingleStep(1);
  setPageStep(2);
  setFocusPolicy(Qt::StrongFocus);
  ApplyTicks();
  connect(this, &QSlider::valueChanged, this, [this] { Notify(OnChange, this); });
}

void TTrackBar::keyPressEvent(QKeyEvent* event) {
  // As on the classic track bar: Left, Up and Page Up move the thumb towards Min; Right, Down and
  // Page Down towards Max; Home and End to the ends.
  SliderAction action = SliderNoAction;
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up: action = SliderSingleStepSub; break;
    case Qt::Key_Right:
    case Qt::Key_Down: action = SliderSingleStepAdd; break;
    case Qt::Key_PageUp: action = SliderPageStepSub; break;
    case Qt::Key_PageDown: action = SliderPageStepAdd; break;
    case Qt::Key_Home: action = SliderToMinimum; break;
    case Qt::Key_End: action = SliderToMaximum; break;
    default: QSlider::keyPressEvent(event); return;
  }
  triggerAction(action);
  event->accept();
}

void TTrackBar::SetFrequency(int value) {
  frequency_ = std::max(value, 1);
  ApplyTicks();
}

void TTrackBar::SetTickMarks(TTickMark value) {
  tick_marks_ = value;
  ApplyTicks();
}

void TTrackBar::SetTickStyle(TTickStyle value) {
  tick_style_ = value;
  ApplyTicks();
}

void TTrackBar::SetThumbLength(int value) {
  thumb_length_ = std::max(value, 1);
  updateGeometry();
  update();
}

void TTrackBar::ApplyTicks() {
  if (tick_style_ == tsNone) {
    setTickPosition(QSlider::NoTicks);
    return;
  }
  switch (tick_marks_) {
    case tmTopLeft: setTickPosition(QSlider::TicksAbove); break;
    case tmBottomRight: setTickPosition(QSlider::TicksBelow); break;
    case tmBoth: setTickPosition(QSlider::TicksBothSides); break;
  }
  setTickInterval(frequency_);
}
