#include "app/controls/ttrackbar.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QKeyEvent>
#include <QProxyStyle>
#include <algorithm>

using namespace zeph;

namespace {

// Gives the thumb the track bar's ThumbLength across the track; everything else is the
// application's style. Styles draw the thumb inside its box with a margin of their own, which is
// measured once and added, so that ThumbLength is what shows. Each track bar has a style of its
// own, since styles ask for the metric without naming the widget.
class TThumbStyle : public QProxyStyle {
 public:
  explicit TThumbStyle(const TTrackBar* owner) : QProxyStyle(QApplication::style()->name()), owner_(owner) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_SliderThickness) return probe_thickness_ > 0 ? probe_thickness_ : owner_->ThumbLength() + Margin();
    return QProxyStyle::pixelMetric(metric, option, widget);
  }

 private:
  // How much thicker the thumb's box is than the thumb the style draws in it.
  int Margin() const {
    if (margin_ >= 0) return margin_;
    constexpr int kProbe = 40;
    QStyleOptionSlider option;
    option.orientation = Qt::Horizontal;
    option.rect = QRect(0, 0, 4 * kProbe, 2 * kProbe);
    option.minimum = 0;
    option.maximum = 10;
    option.subControls = SC_SliderHandle;
    option.state = State_Enabled | State_Horizontal;
    QImage image(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    probe_thickness_ = kProbe;
    {
      QPainter painter(&image);
      drawComplexControl(CC_Slider, &option, &painter, nullptr);
    }
    probe_thickness_ = 0;
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      if (std::any_of(row, row + image.width(), [](QRgb pixel) { return qAlpha(pixel) != 0; })) ++drawn;
    }
    margin_ = drawn > 0 ? std::max(kProbe - drawn, 0) : 0;
    return margin_;
  }

  const TTrackBar* owner_;
  mutable int margin_ = -1;
  mutable int probe_thickness_ = 0;
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
