#include "app/appicon.h"

#include <QImageReader>
#include <QPixmap>

#include "zeph/toolkit/safefile.h"

namespace {

// Icon files hold a handful of sizes; a reader that never stops offering images is cut off.
constexpr int kMaxIconImages = 64;

bool IsPlainFileName(const QString& name) {
  if (name.isEmpty() || name.contains(QLatin1String(".."))) return false;
  for (const QChar c : name) {
    if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20) return false;
  }
  return true;
}

}  // namespace

std::optional<QString> WorkAreaFile(const QString& work_area, const QString& name) {
  if (work_area.isEmpty() || !IsPlainFileName(name)) return std::nullopt;
  if (work_area.endsWith(QLatin1Char('/')) || work_area.endsWith(QLatin1Char('\\'))) return work_area + name;
  return work_area + QLatin1Char('/') + name;
}

QString SaveStreamToFile(QIODevice& stream, const QString& file) {
  if (!stream.seek(0)) return QStringLiteral("cannot read the stream for %1").arg(file);
  const QByteArray contents = stream.readAll();
  const QString error = zeph::WriteFileSafely(file, contents);
  if (!error.isEmpty()) return QStringLiteral("cannot write %1: %2").arg(file, error);
  return {};
}

std::optional<QIcon> ReadIconFile(const QString& file) {
  QImageReader reader(file);
  QIcon icon;
  for (int i = 0; i < kMaxIconImages; ++i) {
    QImage image;
    if (!reader.read(&image)) break;
    icon.addPixmap(QPixmap::fromImage(image));
    if (!reader.jumpToNextImage()) break;
  }
  if (icon.isNull()) return std::nullopt;
  return icon;
}
