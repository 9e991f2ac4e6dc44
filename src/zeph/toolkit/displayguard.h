#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

#include "zeph/toolkit/tapplication.h"
#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// Turns Qt's abort for a missing display into one line of text and exit code 1.
///
/// Qt answers a window program started without a usable display with a page of platform plug-in
/// diagnostics and an abort. While a guard lives (around the construction of the application
/// object), that ending becomes one line on standard error, "PROGRAM: cannot open a window: ...",
/// and exit code 1. Other messages in that time are held back and passed on when the guard ends.
///
/// The guard installs its own Qt message handler and restores the previous one when it ends;
/// only one guard may live at a time. StartWindowApplication() wraps the common use.
class ZEPH_TOOLKIT_EXPORT TDisplayGuard {
 public:
  /// Starts guarding for the program named \a program (the first word of the line).
  ///
  /// hint, when not empty, ends the line (for example what the program can do without a window).
  explicit TDisplayGuard(QString program, QString hint = {});
  /// Stops guarding: restores the previous message handler and passes the held-back messages on.
  ~TDisplayGuard();
  TDisplayGuard(const TDisplayGuard&) = delete;
  TDisplayGuard& operator=(const TDisplayGuard&) = delete;

  /// The line the guard prints when no display can be used.
  ///
  /// For example "sim: cannot open a window: no usable display (DISPLAY is not set)", naming
  /// \c QT_QPA_PLATFORM, \c WAYLAND_DISPLAY or \c DISPLAY as the environment sets them, followed
  /// by "; " and the hint when there is one.
  QString FailureLine() const;

 private:
  struct THeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
  };
  static void Handler(QtMsgType type, const QMessageLogContext& context, const QString& text);

  QString program_;
  QString hint_;
  QtMessageHandler previous_ = nullptr;
  std::vector<THeldMessage> held_;
};

/// The application object of a window program, made under a TDisplayGuard.
///
/// \a program and \a hint are passed to the guard; \a argc and \a argv to the TApplication. Without
/// a usable display the process ends with the guard's line and exit code 1 instead of returning.
ZEPH_TOOLKIT_EXPORT std::unique_ptr<TApplication> StartWindowApplication(int& argc, char** argv, const QString& program,
                                                     const QString& hint = {});

}  // namespace zeph
