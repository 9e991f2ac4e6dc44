#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "zeph/scales/scaleengine.h"
#include "zeph/toolkit/tcanvas.h"
#include "zeph/toolkit/tfont.h"
#include "zeph/toolkit/types.h"

namespace zeph {

// Everything one rendering of a scale reads.
struct ScaleDrawSettings {
  ScaleLayoutSettings layout;
  ScaleMap map;
  bool transparent = false;
  TFont font;
  QString caption;
  int caption_pos_x = 4;
  int caption_pos_y = 4;
  TAlignment caption_alignment = taCenter;
  TScaleUnitAnchor caption_anchor = uaSclTopLft;
};

// Raised for a drawn tick: canvas, the reported value and the axis point.
using TickDrawnSink = std::function<void(TCanvas& canvas, double value, int x, int y)>;

// Draws ticks, labels and caption of a scale on a canvas whose axis lies at `axis` (x for
// vertical, y for horizontal scales; the external offset already added), and fills `ticks` with
// the recorded tick values (at most max_recorded).
void DrawScaleTicksAndCaption(const ScaleDrawSettings& s, TCanvas& canvas, int axis, int max_recorded,
                              std::vector<double>& ticks, const TickDrawnSink& tick_drawn);

// The length of a tick of the given kind on a scale of the given type.
int TickLength(TScaleType type, TickKind kind);

}  // namespace zeph
