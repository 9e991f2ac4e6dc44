#include "app/controls/ttrackbar.h"

#include <QApplication>
#include <QProxyStyle>
#include <algorithm>

namespace {

// Gives the thumb the track bar's ThumbLength across the track; everything else is the
// application's style.
class TThumbStyle : public QProxyStyle {
 public:
  explicit TThumbStyle(const TTrackBar* owner) : QProxyStyle(QApplication::style()->name()), owner_(owner) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_SliderThickness && widget == owner_) return owner_->ThumbLength();
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
  // As on the classic track bar, Up and Page Up move the thumb towards Min, Down and Page Down
  // towards Max.
  setInvertedControls(true);
  ApplyTicks();
  connect(this, &QSlider::valueChanged, this, [this] { Notify(OnChange, this); });
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
