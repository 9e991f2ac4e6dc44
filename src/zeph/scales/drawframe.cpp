#include "zeph/scales/drawframe_p.h"

namespace zeph {

namespace {

struct RimColors {
  TColor outer_top_left;
  TColor outer_bottom_right;
  TColor inner_top_left;
  TColor inner_bottom_right;
};

}  // namespace

void DrawFrame(TCanvas& canvas, int left, int top, int right, int bottom, int style, TColor highlight,
               TColor shadow, TColor dark) {
  style %= 128;
  if (style < 0) style += 128;
  if (style == fsNone || style > fsEngraved) return;
  if (style == fsSimple) {
    canvas.SetPenColor(dark);
    canvas.MoveTo(left, top);
    canvas.LineTo(left, bottom);
    canvas.LineTo(right, bottom);
    canvas.LineTo(right, top);
    canvas.LineTo(left, top);
    return;
  }
  RimColors c{};
  switch (style) {
    case fsLowered: c = {shadow, highlight, dark, kFrameSilver}; break;
    case fsRaised: c = {highlight, dark, kFrameSilver, shadow}; break;
    case fsEmbossed: c = {highlight, shadow, shadow, highlight}; break;
    default: c = {shadow, highlight, highlight, shadow}; break;  // fsEngraved
  }
  canvas.SetPenColor(c.outer_top_left);
  canvas.MoveTo(left, bottom);
  canvas.LineTo(left, top);
  canvas.LineTo(right + 1, top);
  canvas.MoveTo(right, top + 1);
  canvas.SetPenColor(c.outer_bottom_right);
  canvas.LineTo(right, bottom);
  canvas.LineTo(left - 1, bottom);
  canvas.SetPenColor(c.inner_top_left);
  canvas.MoveTo(left + 1, bottom - 1);
  canvas.LineTo(left + 1, top + 1);
  canvas.LineTo(right, top + 1);
  canvas.MoveTo(right - 1, top + 2);
  canvas.SetPenColor(c.inner_bottom_right);
  canvas.LineTo(right - 1, bottom - 1);
  canvas.LineTo(left, bottom - 1);
}

}  // namespace zeph
