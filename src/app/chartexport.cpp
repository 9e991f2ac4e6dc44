#include "app/chartexport.h"

#include <unistd.h>

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <array>
#include <cstdio>
#include <charconv>
#include <string>

#include "app/controls/tpanel.h"
#include "app/controls/ttrackbar.h"
#include "app/mainfrm.h"
#include "app/varactormodel.h"
#include "zeph/chart/zephchart.h"
#include "zeph/toolkit/safefile.h"
#include "zeph/toolkit/tmemo.h"

using namespace zeph;

namespace {

QString WriteError(const QString& file_name, const QString& reason) {
  return QStringLiteral("cannot write '%1': %2").arg(file_name, reason);
}

// The shortest text that reads back as the same double (0.1, not 0.10000000000000001),
// independent of the locale.
void AppendNumber(std::string& line, double value) {
  std::array<char, 32> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  line.append(buffer.data(), ec == std::errc() ? end : buffer.data());
}

QString WriteToStandardOutput(const std::string& text) {
  std::fflush(stdout);
  if (const int error = TSafeFile::WriteAll(STDOUT_FILENO, text))
    return QStringLiteral("cannot write to standard output: %1").arg(TSafeFile::SystemReason(error));
  return {};
}

// The image format a file name asks for (PNG when it has no extension).
QByteArray ImageFormat(const QString& file_name) {
  const QByteArray format = QFileInfo(file_name).suffix().toLower().toLatin1();
  return format.isEmpty() ? QByteArray("png") : format;
}

// Encoded in memory first: the image writers report a refused write only in their own words, on
// standard error, while the file says exactly what failed.
QString SaveImage(const QImage& image, const QByteArray& format, const QString& file_name) {
  QBuffer encoded;
  encoded.open(QIODevice::WriteOnly);
  QImageWriter writer(&encoded, format);
  if (!writer.write(image)) return WriteError(file_name, writer.errorString());
  const QByteArray& bytes = encoded.data();
  const QString error = WriteFileSafely(file_name, bytes);
  if (!error.isEmpty()) return WriteError(file_name, error);
  return {};
}

QString DocumentTitle(int position) { return QStringLiteral("Varactor diode, slider position %1").arg(position); }

const QString kCreator = QStringLiteral("Varactor 1.0");

// Both charts side by side, drawn anew onto the canvas.
void PaintCharts(TZephChart& left, TZephChart& right, TCanvas& canvas) {
  left.PaintTo(canvas, 0, 0);
  right.PaintTo(canvas, left.width(), 0);
}

// Vector graphics: the charts draw their lines and texts through a printer canvas, one point per
// pixel, so the page is exactly as large as the charts.
QString SavePdf(TZephChart& left, TZephChart& right, int position, QSize size, const QString& file_name) {
  TSafeFile file(file_name);
  if (!file.open(QIODevice::WriteOnly)) return WriteError(file_name, file.errorString());
  {
    QPdfWriter pdf(&file);
    pdf.setTitle(DocumentTitle(position));
    pdf.setCreator(kCreator);
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                                  QPageLayout::Portrait, QMarginsF()));
    TCanvas canvas(&pdf, true);
    if (!canvas.IsActive()) {
      file.cancelWriting();
      return WriteError(file_name, QStringLiteral("the PDF could not be started"));
    }
    PaintCharts(left, right, canvas);
    canvas.End();
  }
  if (!file.commit()) return WriteError(file_name, file.errorString());
  return {};
}

// The same drawing as the PDF, as SVG with one user unit per pixel.
QString SaveSvg(TZephChart& left, TZephChart& right, int position, QSize size, const QString& file_name) {
  TSafeFile file(file_name);
  if (!file.open(QIODevice::WriteOnly)) return WriteError(file_name, file.errorString());
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setTitle(DocumentTitle(position));
    svg.setDescription(kCreator);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    TCanvas canvas(&svg, true);
    if (!canvas.IsActive()) {
      file.cancelWriting();
      return WriteError(file_name, QStringLiteral("the SVG could not be started"));
    }
    PaintCharts(left, right, canvas);
    canvas.End();
  }
  if (!file.commit()) return WriteError(file_name, file.errorString());
  return {};
}

// A picture of scale times the pixels, drawn straight into the one image that is written.
QString SaveRaster(TZephChart& left, TZephChart& right, QSize size, qreal scale, const QString& file_name) {
  const QByteArray format = ImageFormat(file_name);
  if (!QImageWriter::supportedImageFormats().contains(format))
    return QStringLiteral("cannot write '%1': unsupported image format '%2'")
        .arg(file_name, QString::fromLatin1(format));
  const QSize pixels(DeviceExtent(size.width(), scale), DeviceExtent(size.height(), scale));
  QImage image(pixels, QImage::Format_RGB32);
  if (image.isNull())
    return WriteError(file_name,
                      QStringLiteral("no memory for an image of %1x%2").arg(pixels.width()).arg(pixels.height()));
  image.setDevicePixelRatio(scale);
  // A scale that leaves a fraction of a device pixel at the edge leaves that pixel to the window
  // colour, not to whatever the memory held.
  if (pixels.width() != size.width() * scale || pixels.height() != size.height() * scale)
    image.fill(ColorToQColor(right.WindColor()));
  {
    TCanvas canvas(&image);
    PaintCharts(left, right, canvas);
  }
  return SaveImage(image, format, file_name);
}

}  // namespace

QSize DesignedChartsSize(TForm1& form) {
  return {form.width(), form.height() - form.Panel1->height() - form.Memo1->height()};
}

QString RenderSizeProblem(TForm1& form, QSize size, qreal scale) {
  const int left_width = size.width() / 2;
  for (const TZephChart* chart : {form.ZCNd, form.ZCCap}) {
    if (left_width < chart->MinimumControlWidth() || size.height() < chart->MinimumControlHeight())
      return QStringLiteral("the size %1x%2 is too small for the charts: at least %3x%4")
          .arg(size.width())
          .arg(size.height())
          .arg(2 * chart->MinimumControlWidth())
          .arg(chart->MinimumControlHeight());
  }
  if (scale < kMinRenderScale || scale > kMaxRenderScale)
    return QStringLiteral("the scale %1 is out of range: %2 to %3")
        .arg(scale)
        .arg(kMinRenderScale)
        .arg(kMaxRenderScale);
  if (size.width() * scale > kMaxRenderPixels || size.height() * scale > kMaxRenderPixels)
    return QStringLiteral("the size %1x%2 at scale %3 exceeds %4 pixels each way")
        .arg(size.width())
        .arg(size.height())
        .arg(scale)
        .arg(kMaxRenderPixels);
  return {};
}

QString RenderCharts(TForm1& form, int position, QSize size, const QString& file_name, qreal scale) {
  if (const QString problem = RenderSizeProblem(form, size, scale); !problem.isEmpty()) return problem;
  const int left_width = size.width() / 2;
  const int right_width = size.width() - left_width;
  // The charts are drawn once, straight into the output: their own images are not painted, so
  // the memory a render takes is the output's (none at all for vector graphics).
  for (TZephChart* chart : {form.ZCNd, form.ZCCap}) chart->SetPaintSuspended(true);
  form.ZCNd->SetBounds(0, 0, left_width, size.height());
  form.ZCCap->SetBounds(0, 0, right_width, size.height());
  form.TBDistribution->SetPosition(position);
  form.CalculateCurves();
  const QString suffix = QFileInfo(file_name).suffix().toLower();
  if (suffix == QLatin1String("pdf")) return SavePdf(*form.ZCNd, *form.ZCCap, position, size, file_name);
  if (suffix == QLatin1String("svg")) return SaveSvg(*form.ZCNd, *form.ZCCap, position, size, file_name);
  return SaveRaster(*form.ZCNd, *form.ZCCap, size, scale, file_name);
}

QString ExportCurvesCsv(int position, const QString& file_name) {
  const std::vector<varactor::CurvePoint> capacitance = varactor::CapacitanceCurve(position);
  const std::vector<varactor::CurvePoint> profile = varactor::ProfileCurve(position);
  std::string text = "U [V],C [pF],d [um],ND [10^16 cm^-3]\n";
  const std::size_t rows = std::max(capacitance.size(), profile.size());
  for (std::size_t i = 0; i < rows; ++i) {
    if (i < capacitance.size()) {
      AppendNumber(text, capacitance[i].x);
      text += ',';
      AppendNumber(text, capacitance[i].y);
    } else {
      text += ',';
    }
    text += ',';
    if (i < profile.size()) {
      AppendNumber(text, profile[i].x);
      text += ',';
      AppendNumber(text, profile[i].y);
    } else {
      text += ',';
    }
    text += '\n';
  }
  if (file_name == QLatin1String("-")) return WriteToStandardOutput(text);
  TSafeFile file(file_name);
  if (!file.open(QIODevice::WriteOnly)) return WriteError(file_name, file.errorString());
  if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    file.cancelWriting();
    return WriteError(file_name, file.errorString());
  }
  if (!file.commit()) return WriteError(file_name, file.errorString());
  return {};
}
