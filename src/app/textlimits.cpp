#include "app/textlimits.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace {

QString CutText(const QString& text, qsizetype limit) {
  if (text.size() <= limit) return text;
  qsizetype length = limit;
  if (text.at(length - 1).isHighSurrogate()) --length;
  return text.left(length);
}

}  // namespace

QString CutWindowTitle(const QString& title) { return CutText(title, kMaxWindowTitleLength); }

void CutLongCaptions(QWidget* form) {
  if (form->windowTitle().size() > kMaxWindowTitleLength) form->setWindowTitle(CutWindowTitle(form->windowTitle()));
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (label->text().size() > kMaxCaptionLength) label->setText(CutText(label->text(), kMaxCaptionLength));
  }
  for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
    if (button->text().size() > kMaxCaptionLength) button->setText(CutText(button->text(), kMaxCaptionLength));
  }
}

QString BreakOverlongWords(const QString& text) {
  QString result;
  qsizetype run_start = 0;
  qsizetype copied = 0;
  // Each run of non-space characters longer than the limit is copied in pieces.
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !text.at(i).isSpace()) continue;
    if (i - run_start > kLongestUnbrokenWord) {
      if (result.isEmpty()) result.reserve(text.size() + text.size() / kLongestUnbrokenWord);
      result.append(QStringView(text).mid(copied, run_start - copied));
      for (qsizetype piece = run_start; piece < i;) {
        qsizetype end = std::min(piece + kLongestUnbrokenWord, i);
        // Never between the halves of a character outside the basic plane.
        if (end < i && text.at(end).isLowSurrogate()) ++end;
        result.append(QStringView(text).mid(piece, end - piece));
        if (end < i) result.append(QLatin1Char('\n'));
        piece = end;
      }
      copied = i;
    }
    run_start = i + 1;
  }
  if (copied == 0) return text;
  result.append(QStringView(text).mid(copied));
  return result;
}

QString BreakOverlongLines(const QString& text) {
  QString result = text;
  qsizetype line_start = 0;
  qsizetype last_space = -1;
  for (qsizetype i = 0; i < result.size(); ++i) {
    const QChar c = result.at(i);
    if (c == QLatin1Char('\n')) {
      line_start = i + 1;
      last_space = -1;
      continue;
    }
    if (i - line_start >= kLongestUnbrokenLine && last_space > line_start) {
      result[last_space] = QLatin1Char('\n');
      line_start = last_space + 1;
      last_space = -1;
    }
    if (c.isSpace()) last_space = i;
  }
  return result;
}
