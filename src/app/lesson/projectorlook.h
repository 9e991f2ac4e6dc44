#pragma once

#include <QObject>
#include <vector>

#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/tfont.h"

namespace zeph {
class TZephChart;
}  // namespace zeph

// The charts as a room sees them from the back: curves 3 pixels wide, a darker grid, tick labels
// and captions one and a half times as large, the rims widened to hold them. Off, the charts look
// exactly as designed: the designed look is taken from them when this is made.
class TProjectorLook : public QObject {
  Q_OBJECT

 public:
  static constexpr int kCurveWidth = 3;
  static constexpr zeph::TColor kGridColor = zeph::RGBColor(140, 140, 140);

  TProjectorLook(std::vector<zeph::TZephChart*> charts, QObject* parent);

  bool On() const { return on_; }
  // Sets the look; the curves drawn from now on take its width.
  void SetOn(bool on);

  // Whether the user left the window in projector mode, from their configuration.
  static bool Remembered();
  static void Remember(bool on);

 private:
  struct TDesigned {
    zeph::TZephChart* chart;
    zeph::TColor grid;
    int left, top, right, bottom;
    int caption_y;
    zeph::TFont font;
    zeph::TFont x_font, y_font;
    int x_caption_y, y_caption_y;
    int line_width;
  };

  std::vector<TDesigned> designed_;
  bool on_ = false;
};
