#pragma once

#include <cstdint>

#include "zeph/scales/scales_export.h"

namespace zeph {

class TCanvas;

/// Number of symbol markers; every marker type from here on is drawn as the character of that code.
inline constexpr int kMarkSymbolCount = 48;

/// Draws the marker of a data point centred on the pixel (x, y) in the canvas's pen colour.
///
/// Pen width and style are the caller's. Types 0..47 are symbols; they leave the brush colour and
/// the pen position as they found them, and a filled or open symbol leaves the brush style solid.
/// Types 48..255 write the Windows-1252 character of that code with the canvas font, centred on
/// the point (65 writes "A"). On a printer canvas the symbols that are otherwise stamped pixel by
/// pixel are drawn with the pen, because single pixels vanish at printer resolution.
///
/// The symbols, about 3 to 9 pixels across; filled ones are filled in the pen colour:
/// | Type | Symbol |
/// |---|---|
/// | 0 | a single pixel |
/// | 1, 2, 3 | plus sign, arms of 1, 2 and 3 pixels |
/// | 4, 5, 6 | diagonal cross, arms of 1, 2 and 3 pixels |
/// | 7, 8, 9 | filled square, 3, 5 and 7 pixels across |
/// | 10, 11, 12 | open square, 3, 5 and 7 pixels across |
/// | 13, 14, 15 | filled diamond, 3, 5 and 7 pixels across |
/// | 16, 17 | open circle, 5 and 7 pixels across |
/// | 18 | 7 × 7 checkerboard |
/// | 19 | open diamond, 7 pixels across |
/// | 20, 21 | caret opening downward, arms of 3 and 4 pixels |
/// | 22, 23 | caret opening upward, arms of 3 and 4 pixels |
/// | 24 | filled circle, 7 pixels across |
/// | 25 | heavy diagonal cross, 7 pixels across |
/// | 26 | filled circle, 5 pixels across |
/// | 27, 28 | small open and filled circle, 4 pixels across |
/// | 29, 30 | filled triangle pointing down, half-widths 2 and 3 |
/// | 31, 32 | open triangle pointing down, half-widths 2 and 3 |
/// | 33, 34 | open and filled triangle pointing down, 9 pixels across |
/// | 35, 36 | open and filled triangle pointing up, 9 pixels across |
/// | 37 | inverted T |
/// | 38 | I-beam |
/// | 39 | circle with a cross |
/// | 40, 41 | open and filled triangle pointing left, small |
/// | 42, 43 | open and filled triangle pointing left, large |
/// | 44, 45 | open and filled triangle pointing right, small |
/// | 46, 47 | open and filled triangle pointing right, large |
ZEPH_SCALES_EXPORT void DrawMark(TCanvas& canvas, std::uint8_t mark_type, int x, int y);

}  // namespace zeph
