// One call that writes a drawing as an image, a PDF or an SVG, named by the file's extension.
#include "zeph/chart/picturefile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "zeph/scales/zepherror.h"
#include "zeph/toolkit/safefile.h"

namespace zeph {

namespace {

[[noreturn]] void Refuse(const QString& file_name, const QString& reason) {
  throw EZephChartError(QStringLiteral("cannot write '%1': %2").arg(file_name, reason));
}

// Draws with paint and refuses the file when any surface of the drawing could not be made: a
// chart's bitmaps, a scale's image, a painter. Such a surface draws nothing, and the picture would
// miss parts of itself without a word.
void PaintCompletely(const QString& file_name, QSize size, const std::function<void(TCanvas&)>& paint,
                     TCanvas& canvas) {
  const std::uint64_t failures = DrawingMemoryFailures();
  try {
    paint(canvas);
  } catch (const std::bad_alloc&) {
    NoteDrawingMemoryFailure();
  }
  if (DrawingMemoryFailures() != failures)
    Refuse(file_name, QStringLiteral("not enough memory for drawing the picture of %1x%2 pixels")
                          .arg(size.width())
                          .arg(size.height()));
}

// The file is written beside the one named and replaces it only complete (a device is written in
// place); the first failed write sticks and is reported in the system's words.
class AtomicFile {
 public:
  explicit AtomicFile(const QString& file_name) : file_(file_name) {
    if (!file_.open(QIODevice::WriteOnly)) Refuse(file_name, file_.errorString());
  }
  QIODevice* Device() { return &file_; }
  void Write(const QByteArray& bytes) {
    if (file_.write(bytes) != bytes.size()) Refuse(file_.fileName(), file_.errorString());
  }
  void Commit() {
    if (!file_.commit()) Refuse(file_.fileName(), file_.errorString());
  }

 private:
  TSafeFile file_;
};

void SavePdf(const QString& file_name, QSize size, const std::function<void(TCanvas&)>& paint,
             const TPictureInfo& info) {
  AtomicFile file(file_name);
  {
    QPdfWriter pdf(file.Device());
    if (!info.title.isEmpty()) pdf.setTitle(info.title);
    if (!info.creator.isEmpty()) pdf.setCreator(info.creator);
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                                  QPageLayout::Portrait, QMarginsF()));
    TCanvas canvas(&pdf, true);
    if (!canvas.IsActive()) Refuse(file_name, QStringLiteral("the PDF could not be started"));
    PaintCompletely(file_name, size, paint, canvas);
    canvas.End();
  }
  file.Commit();
}

void SaveSvg(const QString& file_name, QSize size, const std::function<void(TCanvas&)>& paint,
             const TPictureInfo& info) {
  AtomicFile file(file_name);
  {
    QSvgGenerator svg;
    svg.setOutputDevice(file.Device());
    if (!info.title.isEmpty()) svg.setTitle(info.title);
    if (!info.creator.isEmpty()) svg.setDescription(info.creator);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    TCanvas canvas(&svg, true);
    if (!canvas.IsActive()) Refuse(file_name, QStringLiteral("the SVG could not be started"));
    PaintCompletely(file_name, size, paint, canvas);
    canvas.End();
  }
  file.Commit();
}

void SaveImage(const QString& file_name, const QByteArray& format, QSize size, qreal scale,
               const std::function<void(TCanvas&)>& paint, const TPictureInfo& info) {
  if (!QImageWriter::supportedImageFormats().contains(format))
    Refuse(file_name, QStringLiteral("unsupported image format '%1'").arg(QString::fromLatin1(format)));
  const QSize pixels(DeviceExtent(size.width(), scale), DeviceExtent(size.height(), scale));
  if (pixels.width() > kMaxPicturePixels || pixels.height() > kMaxPicturePixels)
    Refuse(file_name, QStringLiteral("an image of %1x%2 pixels exceeds %3 pixels each way")
                          .arg(pixels.width())
                          .arg(pixels.height())
                          .arg(kMaxPicturePixels));
  QByteArray bytes;
  {
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
      Refuse(file_name, QStringLiteral("not enough memory for an image of %1x%2 pixels").arg(pixels.width()).arg(pixels.height()));
    image.setDevicePixelRatio(scale);
    image.fill(ColorToQColor(info.background));
    {
      TCanvas canvas(&image);
      if (!canvas.IsActive())
        Refuse(file_name, QStringLiteral("not enough memory for drawing on an image of %1x%2 pixels")
                              .arg(pixels.width())
                              .arg(pixels.height()));
      PaintCompletely(file_name, pixels, paint, canvas);
    }
    // Encoded in memory first: a refused write then reads in the system's words ("No space left
    // on device"), not in the image writer's.
    QBuffer encoded(&bytes);
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, format);
    bool written = false;
    try {
      written = writer.write(image);
    } catch (const std::bad_alloc&) {
      Refuse(file_name, QStringLiteral("not enough memory for encoding the image"));
    }
    if (!written) Refuse(file_name, writer.errorString());
  }
  // The picture's pixels are gone before the file is written: its memory goes to the file's.
  AtomicFile file(file_name);
  file.Write(bytes);
  file.Commit();
}

}  // namespace

void SavePicture(const QString& file_name, QSize size, qreal scale, const std::function<void(TCanvas&)>& paint,
                 const TPictureInfo& info) {
  if (size.width() <= 0 || size.height() <= 0)
    Refuse(file_name, QStringLiteral("the size %1x%2 is empty").arg(size.width()).arg(size.height()));
  if (!(scale > 0) || !std::isfinite(scale))
    Refuse(file_name, QStringLiteral("the scale %1 is not a number above 0").arg(scale));
  const QString suffix = info.format.isEmpty() ? QFileInfo(file_name).suffix().toLower() : info.format.toLower();
  if (suffix == QLatin1String("pdf")) return SavePdf(file_name, size, paint, info);
  if (suffix == QLatin1String("svg")) return SaveSvg(file_name, size, paint, info);
  SaveImage(file_name, suffix.isEmpty() ? QByteArray("png") : suffix.toLatin1(), size, scale, paint, info);
}

}  // namespace zeph
