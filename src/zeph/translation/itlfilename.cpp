#include "zeph/translation/itlfilename.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace zeph {

QString ItlPathFor(const QString& programPath) {
  const qsizetype nameStart = programPath.lastIndexOf(QLatin1Char('/')) + 1;
  const qsizetype dot = programPath.lastIndexOf(QLatin1Char('.'));
  // A dot that starts the file name (a hidden file) does not begin an extension.
  const qsizetype stem = dot > nameStart ? dot : programPath.size();
  return programPath.left(stem) + QStringLiteral(".itl");
}

QString ExecutablePath() {
  if (QCoreApplication::instance() != nullptr) return QCoreApplication::applicationFilePath();
  // Without an application object Qt cannot tell; the kernel can.
  return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

}  // namespace zeph
