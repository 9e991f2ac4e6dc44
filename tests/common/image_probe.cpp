#include "common/image_probe.h"

#include <QDir>

using namespace zeph;

TColor PixelAt(const QImage& image, int x, int y) {
  const QRgb rgb = image.pixel(x, y);
  return RGBColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

int CountPixels(const QImage& image, TColor color, int x1, int y1, int x2, int y2) {
  int count = 0;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x)
      if (image.valid(x, y) && PixelAt(image, x, y) == color) ++count;
  return count;
}

int CountDark(const QImage& image, int x1, int y1, int x2, int y2) {
  int count = 0;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x)
      if (image.valid(x, y) && qGray(image.pixel(x, y)) < 128) ++count;
  return count;
}

QString SaveArtefact(const QImage& image, const QString& name) {
  QString dir = qEnvironmentVariable("VARACTOR_ARTEFACTS");
  if (dir.isEmpty()) dir = QDir::currentPath() + QStringLiteral("/artefacts");
  QDir().mkpath(dir);
  const QString path = dir + QLatin1Char('/') + name;
  image.save(path);
  return path;
}
