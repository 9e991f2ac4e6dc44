#pragma once

#include <QApplication>
#include <QString>
#include <functional>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// The application object: Qt's application with the toolkit's default exception handler.
///
/// An exception that escapes an event handler is shown in a message box, and the program goes on.
/// Constructing it also maps the classic font names of the forms ("MS Sans Serif", "Arial",
/// "Times New Roman", "Courier New", ...) to the metric-compatible Liberation and DejaVu fonts, so
/// that text measures close to what the forms were designed with.
class ZEPH_TOOLKIT_EXPORT TApplication : public QApplication {
  Q_OBJECT

 public:
  /// Constructs the application from the command line, as \c QApplication does; \a argc and
  /// \a argv must stay valid for the application's life.
  TApplication(int& argc, char** argv);

  /// Delivers \a event to \a receiver as \c QApplication does, catching what the handler throws.
  ///
  /// A \c std::exception (Exception and the libraries' other exceptions among them) is shown with
  /// ShowException() and its \c what() text; anything else is shown as "Unknown error". The event
  /// then counts as not handled (false).
  bool notify(QObject* receiver, QEvent* event) override;

  /// Shows the message of an escaped exception.
  ///
  /// The shown text goes through MessageHook when one is set (tests), else through a critical
  /// message box titled with the application's name; the box adds a full stop to a text that
  /// does not end in one.
  static void ShowException(const QString& message);
  /// Returns the hook that ShowException() passes the message to instead of showing a box.
  ///
  /// Unset by default. Assign a callable (for example in tests, or to log instead of asking the
  /// user) and reset it to an empty function to show message boxes again.
  static std::function<void(const QString&)>& MessageHook();
};

}  // namespace zeph
