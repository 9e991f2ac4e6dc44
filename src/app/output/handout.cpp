#include "app/output/handout.h"

#include <QPainter>
#include <cmath>

#include "app/chartcaptions.h"
#include "app/chartexport.h"
#include "app/controls/ttrackbar.h"
#include "app/lesson/chartmarks.h"
#include "app/lesson/depletion.h"
#include "app/lesson/keptcurves.h"
#include "app/lesson/lessonviews.h"
#include "app/lesson/lessonwords.h"
#include "app/mainfrm.h"
#include "app/spokentexts.h"
#include "zeph/chart/picturefile.h"
#include "zeph/chart/zephchart.h"
#include "zeph/scales/zepherror.h"

using namespace zeph;

namespace {

constexpr int kMargin = 40;
constexpr int kChartWidth = kHandoutWidth - 2 * kMargin;
constexpr int kChartHeight = 270;
constexpr int kTitleTop = 36;
constexpr int kFirstChartTop = 80;
constexpr int kRowHeight = 18;

QFont PageFont(int pixels, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QString Value(double value, const TBabelfish2000* dictionary) {
  TChartTexts texts;
  texts.DecimalSeparator = Spoken(dictionary, QStringLiteral("."));
  return SpokenNumber(value, texts);
}

// One row of the table: its caption, then a value in each column.
void PaintRow(QPainter& painter, int top, const QString& caption, const QStringList& cells) {
  constexpr int kCaptionWidth = 120;
  constexpr int kCellWidth = 80;
  painter.drawText(QRect(kMargin, top, kCaptionWidth, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, caption);
  for (int i = 0; i < cells.size(); ++i)
    painter.drawText(QRect(kMargin + kCaptionWidth + i * kCellWidth, top, kCellWidth, kRowHeight),
                     Qt::AlignRight | Qt::AlignVCenter, cells[i]);
}

void PaintText(QPainter& painter, const THandout& handout, const TForm1& form) {
  const TBabelfish2000* dictionary = handout.dictionary;
  painter.save();
  painter.setPen(Qt::black);
  painter.setFont(PageFont(18, true));
  painter.drawText(QRect(kMargin, kTitleTop, kChartWidth, 30), Qt::AlignLeft | Qt::AlignVCenter, HandoutTitle(handout));

  int top = kFirstChartTop + 2 * kChartHeight + 24;
  painter.setFont(PageFont(13));
  painter.drawText(QRect(kMargin, top, kChartWidth, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   ProfileLaw(handout.position, dictionary) + QStringLiteral("      ") +
                       CapacitanceLaw(handout.position, dictionary));
  top += kRowHeight + 10;
  const int p = handout.position;
  QStringList voltages, capacitances, depths, concentrations;
  for (const double u : kHandoutVoltages) {
    voltages << Value(u, dictionary);
    capacitances << Value(varactor::JunctionCapacitance(p, u), dictionary);
  }
  for (const double d : kHandoutDepths) {
    depths << Value(d, dictionary);
    concentrations << Value(std::pow(d, p / 1000.0), dictionary);
  }
  painter.setFont(PageFont(13, true));
  PaintRow(painter, top, form.ZCCap->ScaleX(1)->Caption(), voltages);
  painter.setFont(PageFont(13));
  PaintRow(painter, top + kRowHeight, form.ZCCap->ScaleY(1)->Caption(), capacitances);
  painter.setFont(PageFont(13, true));
  PaintRow(painter, top + 2 * kRowHeight + 6, form.ZCNd->ScaleX(1)->Caption(), depths);
  painter.setFont(PageFont(13));
  PaintRow(painter, top + 3 * kRowHeight + 6, form.ZCNd->ScaleY(1)->Caption(), concentrations);

  painter.setFont(PageFont(10));
  painter.drawText(QRect(kMargin, kHandoutHeight - kMargin, kChartWidth, 14), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Varactor " VARACTOR_VERSION));
  painter.drawText(QRect(kMargin, kHandoutHeight - kMargin, kChartWidth, 14), Qt::AlignRight | Qt::AlignVCenter,
                   Spoken(dictionary, QStringLiteral("Free software under the MIT licence")));
  painter.restore();
}

}  // namespace

QString HandoutTitle(const THandout& handout) {
  return Spoken(handout.dictionary, QStringLiteral("Varactor Diode")) + QStringLiteral(": ") +
         ExponentText(handout.position, handout.dictionary) + QStringLiteral(" (") +
         GradingText(handout.position, handout.dictionary) + QLatin1Char(')');
}

QString WriteHandout(const THandout& handout, const QString& file_name) {
  TForm1 form(nullptr, TFormRole::ChartsOnly);
  for (TZephChart* chart : {form.ZCNd, form.ZCCap}) {
    TranslateChartCaptions(*chart, handout.dictionary);
    chart->SetWindColor(clWhite);
    chart->SetPaintSuspended(true);
    chart->SetBounds(0, 0, kChartWidth, kChartHeight);
  }
  for (const int kept : handout.kept) form.KeptCurves()->Keep(kept);
  form.TBDistribution->SetPosition(handout.position);
  form.CalculateCurves();
  TPictureInfo info;
  info.title = HandoutTitle(handout);
  info.creator = QStringLiteral("Varactor " VARACTOR_VERSION);
  info.background = clWhite;
  info.format = QStringLiteral("pdf");
  const auto paint = [&](TCanvas& canvas) {
    constexpr int kSecondChartTop = kFirstChartTop + kChartHeight + 10;
    form.ZCNd->PaintTo(canvas, kMargin, kFirstChartTop);
    form.ZCCap->PaintTo(canvas, kMargin, kSecondChartTop);
    PaintChartLegend(canvas.Painter(), *form.ZCNd, form.Lesson()->ProfileMarks().legend,
                     QPointF(kMargin, kFirstChartTop));
    PaintChartLegend(canvas.Painter(), *form.ZCCap, form.Lesson()->CapacitanceMarks().legend,
                     QPointF(kMargin, kSecondChartTop));
    PaintText(canvas.Painter(), handout, form);
  };
  try {
    SavePicture(OutputFileName(file_name), QSize(kHandoutWidth, kHandoutHeight), 1, paint, info);
  } catch (const EZephChartError& error) {
    return OutputMessage(QString::fromStdString(error.Message()), file_name);
  }
  return {};
}
