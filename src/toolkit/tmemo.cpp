#include "toolkit/tmemo.h"

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) {}

QStringList TMemo::Lines() const {
  const QString text = toPlainText();
  if (text.isEmpty()) return {};
  return text.split(QLatin1Char('\n'));
}

void TMemo::SetLines(const QStringList& lines) { setPlainText(lines.join(QLatin1Char('\n'))); }
