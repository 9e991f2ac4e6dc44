#include "zeph/toolkit/displayguard.h"

#include <cstdio>
#include <cstdlib>

namespace zeph {

namespace {

TDisplayGuard* active_guard = nullptr;

QString DisplayDescription() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty()) return QStringLiteral("QT_QPA_PLATFORM=%1").arg(QString::fromLocal8Bit(platform));
  const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
  const QByteArray display = qgetenv("DISPLAY");
  if (display.isEmpty() && wayland.isEmpty()) return QStringLiteral("DISPLAY is not set");
  if (display.isEmpty()) return QStringLiteral("WAYLAND_DISPLAY=%1").arg(QString::fromLocal8Bit(wayland));
  return QStringLiteral("DISPLAY=%1").arg(QString::fromLocal8Bit(display));
}

}  // namespace

TDisplayGuard::TDisplayGuard(QString program, QString hint) : program_(std::move(program)), hint_(std::move(hint)) {
  active_guard = this;
  previous_ = qInstallMessageHandler(&TDisplayGuard::Handler);
}

TDisplayGuard::~TDisplayGuard() {
  qInstallMessageHandler(previous_);
  active_guard = nullptr;
  for (const THeldMessage& message : held_) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
    qt_message_output(message.type, context, message.text);
  }
}

QString TDisplayGuard::FailureLine() const {
  QString line = QStringLiteral("%1: cannot open a window: no usable display (%2)").arg(program_, DisplayDescription());
  if (!hint_.isEmpty()) line += QStringLiteral("; ") + hint_;
  return line;
}

void TDisplayGuard::Handler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    // Qt gives up only when no platform plug-in could start: nothing of the program runs yet,
    // so ending here loses nothing.
    std::fprintf(stderr, "%s\n", active_guard->FailureLine().toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
  }
  active_guard->held_.push_back({type, QByteArray(context.category ? context.category : "default"), text});
}

std::unique_ptr<TApplication> StartWindowApplication(int& argc, char** argv, const QString& program,
                                                     const QString& hint) {
  const TDisplayGuard guard(program, hint);
  return std::make_unique<TApplication>(argc, argv);
}

}  // namespace zeph
