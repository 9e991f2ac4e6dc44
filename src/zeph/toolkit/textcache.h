#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// Laid-out texts with their widths, so that labels drawn again and again (every scale of every
// repaint) are shaped once. Keyed by font and text; emptied when it grows past a bound.
class ZEPH_TOOLKIT_EXPORT TextCache {
 public:
  struct Entry {
    QStaticText text;
    int width = 0;
  };

  // The entry for text in font; font_key names the font (face, size and styles) in the key.
  const Entry& Lookup(const QString& font_key, const QFont& font, const QString& text);

 private:
  static constexpr int kMaxEntries = 2048;
  QHash<QString, Entry> entries_;
};

}  // namespace zeph
