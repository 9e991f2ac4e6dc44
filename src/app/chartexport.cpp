#include "app/chartexport.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <array>
#include <charconv>
#include <string>

#include "app/controls/tpanel.h"
#include "app/controls/ttrackbar.h"
#include "app/mainfrm.h"
#include "app/varactormodel.h"
#include "chart/zephchart.h"
#include "toolkit/tmemo.h"

namespace {

QString WriteError(const QString& file_name, const QString& reason) {
  return QStringLiteral("cannot write '%1': %2").arg(file_name, reason);
}

// Seventeen significant digits, as %.17g writes them but independent of the locale: the text
// reads back as the same double.
void AppendNumber(std::string& line, double value) {
  std::array<char, 32> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, 17);
  line.append(buffer.data(), ec == std::errc() ? end : buffer.data());
}

QString SaveImage(const QImage& image, const QString& file_name) {
  QByteArray format = QFileInfo(file_name).suffix().toLower().toLatin1();
  if (format.isEmpty()) format = "png";
  if (!QImageWriter::supportedImageFormats().contains(format))
    return QStringLiteral("cannot write '%1': unsupported image format '%2'").arg(file_name, QString::fromLatin1(format));
  QSaveFile file(file_name);
  if (!file.open(QIODevice::WriteOnly)) return WriteError(file_name, file.errorString());
  QImageWriter writer(&file, format);
  if (!writer.write(image)) {
    file.cancelWriting();
    return WriteError(file_name, writer.errorString());
  }
  if (!file.commit()) return WriteError(file_name, file.errorString());
  return {};
}

// Vector graphics: the charts draw their lines and texts through a printer canvas.
QString SavePdf(TZephChart& left, TZephChart& right, QSize size, const QString& file_name) {
  QSaveFile file(file_name);
  if (!file.open(QIODevice::WriteOnly)) return WriteError(file_name, file.errorString());
  {
    // One point per pixel: the page is exactly as large as the charts.
    QPdfWriter pdf(&file);
    pdf.setCreator(QStringLiteral("Varactor"));
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                                  QPageLayout::Portrait, QMarginsF()));
    TCanvas canvas(&pdf, true);
    if (!canvas.IsActive()) {
      file.cancelWriting();
      return WriteError(file_name, QStringLiteral("the PDF could not be started"));
    }
    left.PaintTo(canvas, 0, 0);
    right.PaintTo(canvas, left.width(), 0);
    canvas.End();
  }
  if (!file.commit()) return WriteError(file_name, file.errorString());
  return {};
}

}  // namespace

QSize DesignedChartsSize(TForm1& form) {
  return {form.width(), form.height() - form.Panel1->height() - form.Memo1->height()};
}

QString RenderCharts(TForm1& form, int position, QSize size, const QString& file_name) {
  const int left_width = size.width() / 2;
  const int right_width = size.width() - left_width;
  for (const TZephChart* chart : {form.ZCNd, form.ZCCap}) {
    if (left_width < chart->MinimumControlWidth() || size.height() < chart->MinimumControlHeight())
      return QStringLiteral("the size %1x%2 is too small for the charts: at least %3x%4")
          .arg(size.width())
          .arg(size.height())
          .arg(2 * chart->MinimumControlWidth())
          .arg(chart->MinimumControlHeight());
  }
  form.ZCNd->SetBounds(0, 0, left_width, size.height());
  form.ZCCap->SetBounds(0, 0, right_width, size.height());
  form.TBDistribution->SetPosition(position);
  form.CalculateCurves();
  if (file_name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
    return SavePdf(*form.ZCNd, *form.ZCCap, size, file_name);
  const QImage left = form.ZCNd->ControlImage();
  const QImage right = form.ZCCap->ControlImage();
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.drawImage(0, 0, left);
  painter.drawImage(left_width, 0, right);
  painter.end();
  return SaveImage(image, file_name);
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
  QSaveFile file(file_name);
  if (!file.open(QIODevice::WriteOnly)) return WriteError(file_name, file.errorString());
  if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    file.cancelWriting();
    return WriteError(file_name, file.errorString());
  }
  if (!file.commit()) return WriteError(file_name, file.errorString());
  return {};
}
