#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace zeph {

// The 7 x 7 bitmaps that the thin crosses and the two patterned markers are stamped from on
// screen. One byte per row, top row first; bit k set paints the column 3 - k from the centre, so
// bit 6 is the leftmost column and bit 0 the rightmost.
using MarkGlyph = std::array<std::uint8_t, 7>;

// The glyph of a marker type that is stamped on screen (1..6, 18, 25); none for the others.
std::optional<MarkGlyph> StampedMarkGlyph(int mark_type);

}  // namespace zeph
