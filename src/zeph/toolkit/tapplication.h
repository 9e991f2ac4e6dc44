#pragma once

#include <QApplication>
#include <QString>
#include <functional>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// The application object: Qt's application with the toolkit's default exception handler. An
// exception that escapes an event handler is shown in a message box, and the program goes on.
class ZEPH_TOOLKIT_EXPORT TApplication : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Shows the message of an escaped exception; the shown text goes through MessageHook when one
  // is set (tests), else through a critical message box titled with the application's name.
  static void ShowException(const QString& message);
  static std::function<void(const QString&)>& MessageHook();
};

}  // namespace zeph
