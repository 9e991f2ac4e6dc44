#include "zeph/toolkit/tmemo.h"

namespace zeph {

// Tab and Shift+Tab move the focus on, as the classic memo does unless it is told to want tabs:
// keyboard users are not kept inside the text.
TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) { setTabChangesFocus(true); }

QStringList TMemo::Lines() const {
  const QString text = toPlainText();
  if (text.isEmpty()) return {};
  return text.split(QLatin1Char('\n'));
}

void TMemo::SetLines(const QStringList& lines) { setPlainText(lines.join(QLatin1Char('\n'))); }

}  // namespace zeph
