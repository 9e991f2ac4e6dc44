#include "zeph/scales/drawmark_glyphs_p.h"

namespace zeph {

namespace {

struct NumberedGlyph {
  int number;
  MarkGlyph rows;
};

// Only the glyphs that a marker type uses are kept; the glyph number is the marker type.
constexpr std::array<NumberedGlyph, 8> kGlyphs = {{
    {1, {0x00, 0x00, 0x08, 0x1C, 0x08, 0x00, 0x00}},   // plus, arms 1 pixel
    {2, {0x00, 0x08, 0x08, 0x3E, 0x08, 0x08, 0x00}},   // plus, arms 2 pixels
    {3, {0x08, 0x08, 0x08, 0x7F, 0x08, 0x08, 0x08}},   // plus, arms 3 pixels
    {4, {0x00, 0x00, 0x14, 0x08, 0x14, 0x00, 0x00}},   // diagonal cross, arms 1 pixel
    {5, {0x00, 0x22, 0x14, 0x08, 0x14, 0x22, 0x00}},   // diagonal cross, arms 2 pixels
    {6, {0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41}},   // diagonal cross, arms 3 pixels
    {18, {0x55, 0x2A, 0x55, 0x2A, 0x55, 0x2A, 0x55}},  // checkerboard
    {25, {0x63, 0x77, 0x3E, 0x1C, 0x3E, 0x77, 0x63}},  // heavy diagonal cross
}};

}  // namespace

std::optional<MarkGlyph> StampedMarkGlyph(int mark_type) {
  for (const NumberedGlyph& glyph : kGlyphs)
    if (glyph.number == mark_type) return glyph.rows;
  return std::nullopt;
}

}  // namespace zeph
