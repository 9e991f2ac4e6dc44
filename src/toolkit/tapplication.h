#pragma once

#include <QApplication>
#include <QString>
#include <functional>

// The application object: Qt's application with the toolkit's default exception handler. An
// exception that escapes an event handler is shown in a message box, and the program goes on.
class TApplication : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Shows the message of an escaped exception; the shown text goes through MessageHook when one
  // is set (tests), else through a critical message box titled with the application's name.
  static void ShowException(const QString& message);
  static std::function<void(const QString&)>& MessageHook();
};
