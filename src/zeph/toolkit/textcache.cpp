#include "zeph/toolkit/textcache_p.h"

#include <QFontMetrics>
#include <QTransform>

namespace zeph {

TextCacheEntry& TextCache::Lookup(const QString& font_key, const QFont& font, const QString& text) {
  QString key = font_key;
  key += QChar(0);
  key += text;
  auto it = entries_.find(key);
  if (it != entries_.end()) return *it;
  if (entries_.size() >= kMaxEntries) entries_.clear();
  TextCacheEntry entry;
  entry.text.setText(text);
  entry.text.setTextFormat(Qt::PlainText);
  entry.text.setPerformanceHint(QStaticText::AggressiveCaching);
  entry.text.prepare(QTransform(), font);
  entry.width = QFontMetrics(font).horizontalAdvance(text);
  return *entries_.insert(key, std::move(entry));
}

}  // namespace zeph
