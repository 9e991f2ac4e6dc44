#include "zeph/toolkit/tapplication.h"

#include <QMessageBox>
#include <exception>

#include "zeph/toolkit/fonts_p.h"

namespace zeph {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  RegisterFontSubstitutions();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowException(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    ShowException(QStringLiteral("Unknown error"));
  }
  return false;
}

std::function<void(const QString&)>& TApplication::MessageHook() {
  static std::function<void(const QString&)> hook;
  return hook;
}

void TApplication::ShowException(const QString& message) {
  if (MessageHook()) {
    MessageHook()(message);
    return;
  }
  QString text = message;
  if (!text.isEmpty() && !text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
  QMessageBox::critical(nullptr, QApplication::applicationName(), text);
}

}  // namespace zeph
