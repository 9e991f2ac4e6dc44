// Keeping account of what the drawing of a canvas may have changed inside a watched box.
#include <algorithm>
#include <cstddef>
#include <utility>

#include "zeph/toolkit/tcanvas.h"

namespace zeph {

namespace {

// Beyond this many boxes, a further one joins the box it adds least to: drawing calls tend to
// gather (the ticks and labels of a scale), and a restore of a few boxes costs less than tracking
// many.
constexpr std::size_t kMaxTouchedBoxes = 64;

qint64 Area(const QRect& box) { return static_cast<qint64>(box.width()) * box.height(); }

}  // namespace

void TCanvas::Watch(const QRect& watched) {
  watched_ = watched.normalized();
  touched_.clear();
}

std::vector<QRect> TCanvas::EndWatch() {
  watched_ = QRect();
  return std::exchange(touched_, {});
}

void TCanvas::Touch(const QRect& box, int margin_x, int margin_y) {
  if (watched_.isEmpty() || !painter_) return;
  const QRect grown = box.normalized().adjusted(-margin_x, -margin_y, margin_x, margin_y);
  const QRect device = (scale_ == 1 ? grown : DevicePixels(grown, scale_)) & watched_;
  if (device.isEmpty()) return;
  if (touched_.size() < kMaxTouchedBoxes) {
    touched_.push_back(device);
    return;
  }
  const auto growth = [&device](const QRect& box) { return Area(box | device) - Area(box); };
  QRect& nearest = *std::min_element(touched_.begin(), touched_.end(),
                                     [&growth](const QRect& a, const QRect& b) { return growth(a) < growth(b); });
  nearest |= device;
}

void TCanvas::TouchAll() {
  if (watched_.isEmpty() || !painter_) return;
  touched_.assign(1, watched_);
}

}  // namespace zeph
