#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

#include "zeph/toolkit/tapplication.h"
#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// Qt answers a window program started without a usable display with a page of platform plug-in
// diagnostics and an abort. While a guard lives (around the construction of the application
// object), that ending becomes one line on standard error, "PROGRAM: cannot open a window: ...",
// and exit code 1. Other messages in that time are held back and passed on when the guard ends.
class ZEPH_TOOLKIT_EXPORT TDisplayGuard {
 public:
  // hint, when not empty, ends the line (for example what the program can do without a window).
  explicit TDisplayGuard(QString program, QString hint = {});
  ~TDisplayGuard();
  TDisplayGuard(const TDisplayGuard&) = delete;
  TDisplayGuard& operator=(const TDisplayGuard&) = delete;

  // The line the guard prints when no display can be used.
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

// The application object of a window program, made under a TDisplayGuard.
ZEPH_TOOLKIT_EXPORT std::unique_ptr<TApplication> StartWindowApplication(int& argc, char** argv, const QString& program,
                                                     const QString& hint = {});

}  // namespace zeph
