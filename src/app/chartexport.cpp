#include "app/chartexport.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <charconv>
#include <string>

#include "app/controls/tpanel.h"
#include "app/controls/ttrackbar.h"
#include "app/lesson/chartmarks.h"
#include "app/lesson/lessonviews.h"
#include "app/mainfrm.h"
#include "app/varactormodel.h"
#include "zeph/chart/picturefile.h"
#include "zeph/chart/zephchart.h"
#include "zeph/scales/zepherror.h"
#include "zeph/toolkit/safefile.h"
#include "zeph/toolkit/tmemo.h"

using namespace zeph;

namespace {

QString WriteError(const QString& file_name, const QString& reason) {
  if (file_name == QLatin1String("-")) return QStringLiteral("cannot write to standard output: %1").arg(reason);
  return QStringLiteral("cannot write '%1': %2").arg(file_name, reason);
}

// The shortest text that reads back as the same double (0.1, not 0.10000000000000001),
// independent of the locale.
void AppendNumber(std::string& line, double value) {
  std::array<char, 32> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  line.append(buffer.data(), ec == std::errc() ? end : buffer.data());
}

QString DocumentTitle(int position) { return QStringLiteral("Varactor diode, slider position %1").arg(position); }

// Both charts side by side, drawn anew onto the canvas, with the legend of kept curves.
void PaintCharts(TForm1& form, TCanvas& canvas) {
  form.ZCNd->PaintTo(canvas, 0, 0);
  form.ZCCap->PaintTo(canvas, form.ZCNd->width(), 0);
  PaintChartLegend(canvas.Painter(), *form.ZCNd, form.Lesson()->ProfileMarks().legend, QPointF(0, 0));
  PaintChartLegend(canvas.Painter(), *form.ZCCap, form.Lesson()->CapacitanceMarks().legend,
                   QPointF(form.ZCNd->width(), 0));
}

}  // namespace

QString OutputFileName(const QString& file_name) {
  return file_name == QLatin1String("-") ? QStringLiteral("/dev/stdout") : file_name;
}

QString OutputMessage(const QString& message, const QString& file_name) {
  if (file_name != QLatin1String("-")) return message;
  QString shown = message;
  return shown.replace(QLatin1String("cannot write '/dev/stdout':"), QLatin1String("cannot write to standard output:"));
}

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

QString RenderCharts(TForm1& form, int position, QSize size, const QString& file_name, qreal scale,
                     const QString& format) {
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
  TPictureInfo info;
  info.title = DocumentTitle(position);
  info.creator = QStringLiteral("Varactor 1.0");
  info.background = form.ZCCap->WindColor();
  info.format = format;
  try {
    SavePicture(OutputFileName(file_name), size, scale, [&form](TCanvas& canvas) { PaintCharts(form, canvas); }, info);
  } catch (const EZephChartError& error) {
    return OutputMessage(QString::fromStdString(error.Message()), file_name);
  }
  return {};
}

QString ExportCurvesCsv(int position, const QString& file_name, const std::vector<int>& kept) {
  std::vector<std::vector<varactor::CurvePoint>> capacitance{varactor::CapacitanceCurve(position)};
  std::vector<std::vector<varactor::CurvePoint>> profile{varactor::ProfileCurve(position)};
  std::string text = "U [V],C [pF],d [um],ND [10^16 cm^-3]";
  // Each kept grading adds its capacitance and its concentration at the same voltages and depths.
  for (const int p : kept) {
    capacitance.push_back(varactor::CapacitanceCurve(p));
    profile.push_back(varactor::ProfileCurve(p));
    const std::string m = QString::number(p / 1000.0, 'g', 3).toStdString();
    text += ",C [pF] (m = " + m + "),ND [10^16 cm^-3] (m = " + m + ")";
  }
  text += '\n';
  const std::size_t rows = std::max(capacitance[0].size(), profile[0].size());
  const auto append_y = [&text](const std::vector<varactor::CurvePoint>& curve, std::size_t i) {
    text += ',';
    if (i < curve.size()) AppendNumber(text, curve[i].y);
  };
  for (std::size_t i = 0; i < rows; ++i) {
    if (i < capacitance[0].size()) {
      AppendNumber(text, capacitance[0][i].x);
      text += ',';
      AppendNumber(text, capacitance[0][i].y);
    } else {
      text += ',';
    }
    text += ',';
    if (i < profile[0].size()) {
      AppendNumber(text, profile[0][i].x);
      text += ',';
      AppendNumber(text, profile[0][i].y);
    } else {
      text += ',';
    }
    for (std::size_t k = 1; k < capacitance.size(); ++k) {
      append_y(capacitance[k], i);
      append_y(profile[k], i);
    }
    text += '\n';
  }
  TSafeFile file(OutputFileName(file_name));
  if (!file.open(QIODevice::WriteOnly)) return WriteError(file_name, file.errorString());
  if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    file.cancelWriting();
    return WriteError(file_name, file.errorString());
  }
  if (!file.commit()) return WriteError(file_name, file.errorString());
  return {};
}
