#pragma once

#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/tcanvas.h"
#include "zeph/toolkit/tcolor.h"

namespace zeph {

// The silver of the two inner rims of the 3D frames.
inline constexpr TColor kFrameSilver = 12632256;

// Draws a frame of the given style on the rectangle (left, top, right, bottom), the right and
// bottom edges included: a black outline (fsSimple), or two nested rims in highlight, silver,
// shadow and dark colours (the 3D styles). The style is taken modulo 128; fsNone and values beyond
// fsEngraved draw nothing. The pen colour is left at the last colour used.
void DrawFrame(TCanvas& canvas, int left, int top, int right, int bottom, int style, TColor highlight,
               TColor shadow, TColor dark);

}  // namespace zeph
