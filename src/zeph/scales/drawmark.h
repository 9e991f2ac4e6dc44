#pragma once

#include <cstdint>

#include "zeph/scales/scales_export.h"

namespace zeph {

class TCanvas;

// Number of symbol markers; every marker type from here on is drawn as the character of that code.
inline constexpr int kMarkSymbolCount = 48;

// Draws the marker of a data point centred on the pixel (x, y) in the canvas's pen colour (pen
// width and style are the caller's). Types 0..47 are symbols; they leave the brush colour and the
// pen position as they found them, and a filled or open symbol leaves the brush style solid.
// Types 48..255 write the Windows-1252 character of that code with the canvas font, centred on
// the point. On a printer canvas the symbols that are otherwise stamped pixel by pixel are drawn
// with the pen, because single pixels vanish at printer resolution.
ZEPH_SCALES_EXPORT void DrawMark(TCanvas& canvas, std::uint8_t mark_type, int x, int y);

}  // namespace zeph
