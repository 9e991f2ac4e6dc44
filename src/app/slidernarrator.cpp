#include "app/slidernarrator.h"

#include <QAccessible>
#include <QTimer>

#include "app/appaccessible.h"
#include "app/atspiguard.h"
#include "app/controls/ttrackbar.h"

TSliderNarrator::TSliderNarrator(TTrackBar* slider, std::function<QString(int before, int after)> sentence)
    : QObject(slider), slider_(slider), sentence_(std::move(sentence)), rest_(new QTimer(this)),
      rested_at_(slider->Position()) {
  rest_->setSingleShot(true);
  rest_->setInterval(kRestMs);
  connect(rest_, &QTimer::timeout, this, &TSliderNarrator::Rested);
}

void TSliderNarrator::Changed() {
  SendValueChanged(slider_);
  rest_->start();
}

void TSliderNarrator::Rested() {
  const int position = slider_->Position();
  const QString sentence = sentence_(rested_at_, position);
  rested_at_ = position;
  SendDescriptionChanged(QAccessible::queryAccessibleInterface(slider_), sentence);
}
