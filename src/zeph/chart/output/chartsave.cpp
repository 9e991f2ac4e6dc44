// Saving the chart as a picture file in one call.
#include "zeph/chart/picturefile.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"
#include "zeph/scales/zepherror.h"

namespace zeph {

namespace {

// Lays the chart out at another size for the time of a save and puts bounds and suspension back
// after it, also when the save fails. Restoring paints nothing: a destructor must not run the
// render events, which may throw; the caller paints, or the next paint event does.
class TemporarySize {
 public:
  TemporarySize(TCustomZephChart& chart, QSize size)
      : chart_(chart), geometry_(chart.geometry()), suspended_(chart.PaintSuspended()), resized_(size != chart.size()) {
    if (!resized_) return;
    chart_.SetPaintSuspended(true);
    chart_.SetBounds(geometry_.x(), geometry_.y(), size.width(), size.height());
  }
  ~TemporarySize() {
    if (Restore()) chart_.update();
  }
  TemporarySize(const TemporarySize&) = delete;
  TemporarySize& operator=(const TemporarySize&) = delete;

  // Returns whether the chart was laid out at another size and needs painting.
  bool Restore() {
    if (!resized_) return false;
    resized_ = false;
    chart_.SetBounds(geometry_.x(), geometry_.y(), geometry_.width(), geometry_.height());
    chart_.SetPaintSuspended(suspended_);
    return true;
  }

 private:
  TCustomZephChart& chart_;
  QRect geometry_;
  bool suspended_;
  bool resized_;
};

}  // namespace

void SaveChartAs(TCustomZephChart& chart, const QString& file_name, QSize size, qreal scale) {
  if (!size.isValid()) size = chart.size();
  if (size.width() < chart.MinimumControlWidth() || size.height() < chart.MinimumControlHeight())
    throw EZephChartError(QStringLiteral("cannot write '%1': the size %2x%3 is too small for the chart: at least %4x%5")
                              .arg(file_name)
                              .arg(size.width())
                              .arg(size.height())
                              .arg(chart.MinimumControlWidth())
                              .arg(chart.MinimumControlHeight()));
  TemporarySize temporary(chart, size);
  TPictureInfo info;
  info.title = chart.Caption();
  info.background = chart.WindColor();
  SavePicture(file_name, size, scale, [&chart](TCanvas& canvas) { chart.PaintTo(canvas, 0, 0); }, info);
  if (temporary.Restore()) chart.Paint();
}

}  // namespace zeph
