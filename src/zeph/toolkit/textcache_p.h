#pragma once

#include <QFont>
#include <QHash>
#include <QRect>
#include <QRgb>
#include <QStaticText>
#include <QString>
#include <vector>

namespace zeph {

// Where the static text of an entry was drawn beside QPainter::drawText() on a finer image, and
// whether the two gave the same pixels.
struct TextComparison {
  qreal ratio;  // The image's device pixel ratio.
  int x;        // The text's x modulo the ratio's period (the smallest whole step that moves it by
                // whole device pixels).
  int y;        // The text's y modulo that period.
  bool same;    // Whether the pixels were the same.
};

// The device pixels a text came to over a plain background, as TCanvas keeps them to draw the text
// again over the same background without shaping or blending it.
struct TextRendering {
  qreal ratio;               // The image's device pixel ratio.
  int x;                     // The text's x modulo the ratio's period, as in TextComparison.
  int y;                     // The text's y modulo that period.
  QRgb color;                // The text's colour, as an image pixel.
  QRgb background;           // The background's colour, as an image pixel.
  int hints;                 // The painter's render hints it was drawn with.
  QRect box;                 // The device pixels the glyphs cover, from the device pixel where the
                             // text's period begins; empty where the rendering is not kept.
  std::vector<QRgb> pixels;  // The box's pixels, row by row.
};

// One laid-out text.
struct TextCacheEntry {
  QStaticText text;  // The text shaped in its font, as plain text, ready to draw.
  int width = 0;     // The text's advance width in pixels.
  std::vector<TextComparison> comparisons;  // Where the static text was compared, as TCanvas keeps them.
  std::vector<TextRendering> renderings;    // Its pixels over plain backgrounds, as TCanvas keeps them.
};

// Laid-out texts with their widths, so that labels drawn again and again (every scale of every
// repaint) are shaped once. Keyed by font and text; emptied when it grows past a bound (2048
// entries). A building block of TCanvas, which keeps one per canvas.
class TextCache {
 public:
  // The entry for text in font; font_key names the font (face, size and styles) in the key. A text
  // not seen before in that font is laid out and added. The reference stays valid until the next
  // lookup of a text that is not in the cache.
  TextCacheEntry& Lookup(const QString& font_key, const QFont& font, const QString& text);

 private:
  static constexpr int kMaxEntries = 2048;
  QHash<QString, TextCacheEntry> entries_;
};

}  // namespace zeph
