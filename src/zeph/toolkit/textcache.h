#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// Laid-out texts with their widths, so that labels drawn again and again (every scale of every
/// repaint) are shaped once.
///
/// Keyed by font and text; emptied when it grows past a bound (2048 entries). It is a building
/// block of TCanvas, which keeps one per canvas, and is not needed by applications.
class ZEPH_TOOLKIT_EXPORT TextCache {
 public:
  /// One laid-out text.
  struct Entry {
    QStaticText text;  ///< The text shaped in its font, as plain text, ready to draw.
    int width = 0;     ///< The text's advance width in pixels.
  };

  /// The entry for text in font; font_key names the font (face, size and styles) in the key.
  ///
  /// A text not seen before in that font is laid out and added. The reference stays valid until
  /// the next lookup of a text that is not in the cache.
  const Entry& Lookup(const QString& font_key, const QFont& font, const QString& text);

 private:
  static constexpr int kMaxEntries = 2048;
  QHash<QString, Entry> entries_;
};

}  // namespace zeph
