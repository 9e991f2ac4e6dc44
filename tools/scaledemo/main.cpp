// A window with stand-alone scales (linear, logarithmic, time, date and time), each opaque with
// a frame, as a scale looks when it is placed on a form by itself.
//
//   scaledemo [--screenshot FILE] [--help] [--version]
//
// With --screenshot the window is shown, grabbed into FILE (PNG) and the program ends.

#include <QDate>
#include <QPalette>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "zeph/scales/scale.h"
#include "zeph/toolkit/displayguard.h"
#include "zeph/toolkit/programoptions.h"
#include "zeph/toolkit/tapplication.h"
#include "zeph/toolkit/tcolor.h"

using namespace zeph;

namespace {

double DayNumber(int year, int month, int day) {
  return static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(year, month, day)));
}

TScale* AddScale(QWidget* form, int x, int y, int w, int h, TScaleType type, const QString& caption) {
  auto* scale = new TScale(form);
  scale->SetSuppressPaint(true);
  scale->SetBounds(x, y, w, h);
  scale->SetScaleType(type);
  scale->SetCaption(caption);
  return scale;
}

// Builds the demo form; the scales belong to it.
QWidget* BuildForm() {
  auto* form = new QWidget;
  form->setWindowTitle(QStringLiteral("Scales"));
  form->setFixedSize(760, 560);
  QPalette palette = form->palette();
  palette.setColor(QPalette::Window, ColorToQColor(clBtnFace));
  form->setPalette(palette);
  form->setAutoFillBackground(true);

  // Logarithmic capacitance axis, labels left of a right-hand axis line.
  TScale* log = AddScale(form, 10, 10, 130, 540, sctYR, QStringLiteral("C / pF"));
  log->SetMarginTop(40);
  log->SetRangeLow(1);
  log->SetRangeHigh(1000);
  log->SetLogarithmic(true);
  log->SetMinTicks(4);  // more intervals than decades: 2 and 5 are labelled too
  log->SetCaptionPosX(0);
  log->SetCaptionPosY(-24);
  log->SetCaptionAlignment(taRightJustify);

  // Linear voltage axis, ticks and labels above its line, caption below.
  TScale* linear = AddScale(form, 150, 10, 600, 90, sctXB, QStringLiteral("U / V"));
  linear->SetMarginLeft(30);
  linear->SetMarginRight(30);
  linear->SetMarginBottom(34);
  linear->SetRangeLow(-10);
  linear->SetRangeHigh(2);
  linear->SetMinTicks(5);
  linear->SetCaptionAnchor(uaSclCenter);
  linear->SetCaptionPosX(0);
  linear->SetCaptionPosY(6);

  // Seconds as clock readings, below the line.
  TScale* time = AddScale(form, 150, 110, 600, 90, sctXT, QStringLiteral("t (time of day)"));
  time->SetMarginLeft(40);
  time->SetMarginRight(40);
  time->SetLabelType(ftTime);
  time->SetRangeLow(0);
  time->SetRangeHigh(7200);
  time->SetMinTicks(4);
  time->SetCaptionAnchor(uaSclCenter);
  time->SetCaptionPosX(0);
  time->SetCaptionPosY(30);

  // Days of a winter, with short ticks for every day.
  TScale* days = AddScale(form, 150, 210, 600, 90, sctXT, QStringLiteral("date"));
  days->SetMarginLeft(40);
  days->SetMarginRight(40);
  days->SetLabelType(ftDateTime);
  days->SetRangeLow(DayNumber(2024, 1, 1));
  days->SetRangeHigh(DayNumber(2024, 2, 26));
  days->SetMinTicks(4);
  days->SetCaptionAnchor(uaSclCenter);
  days->SetCaptionPosX(0);
  days->SetCaptionPosY(30);

  // Two days in hours, the date written above the time at each new day.
  TScale* hours = AddScale(form, 150, 310, 600, 110, sctXB, QStringLiteral("date and time"));
  hours->SetMarginLeft(40);
  hours->SetMarginRight(40);
  hours->SetMarginBottom(30);
  hours->SetLabelType(ftDateTime);
  hours->SetRangeLow(DayNumber(2024, 3, 9) + 0.25);
  hours->SetRangeHigh(DayNumber(2024, 3, 11));
  hours->SetMinTicks(6);
  hours->SetCaptionAnchor(uaSclCenter);
  hours->SetCaptionPosX(0);
  hours->SetCaptionPosY(6);

  // Years, a raised frame and no base line, on a lighter background.
  TScale* years = AddScale(form, 150, 430, 600, 120, sctXT, QStringLiteral("year"));
  years->SetMarginLeft(40);
  years->SetMarginRight(40);
  years->SetLabelType(ftDateTime);
  years->SetRangeLow(DayNumber(1900, 1, 1));
  years->SetRangeHigh(DayNumber(2030, 1, 1));
  years->SetFrameStyle(fsRaised);
  years->SetColorBackGnd(RGBColor(236, 236, 228));
  years->SetCaptionAnchor(uaSclCenter);
  years->SetCaptionPosX(0);
  years->SetCaptionPosY(30);

  for (TScale* scale : form->findChildren<TScale*>()) scale->SetSuppressPaint(false);
  return form;
}

const TProgramUsage kUsage{QStringLiteral("scaledemo"), QStringLiteral(VARACTOR_VERSION),
                           QStringLiteral("Usage: scaledemo [--screenshot FILE]\n"
                                          "Stand-alone scales: linear, logarithmic, time, date and time.\n\n"
                                          "  --screenshot FILE  Shows the window, saves it into FILE (PNG) and ends.\n"
                                          "  -h, --help         Shows this help and ends.\n"
                                          "  --version          Shows the version and ends.\n"),
                           {},
                           {QStringLiteral("screenshot")}};

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> answered = AnswerCommandLine(ArgumentList(argc, argv), kUsage)) return *answered;
  const std::unique_ptr<TApplication> app = StartWindowApplication(argc, argv, kUsage.name);
  const QStringList args = QCoreApplication::arguments();
  QString screenshot;
  const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
  if (at >= 0) {
    if (at + 1 >= args.size()) {
      std::fprintf(stderr, "scaledemo: --screenshot needs a file name\n");
      return 2;
    }
    screenshot = args.at(at + 1);
  }

  QWidget* form = BuildForm();
  form->show();
  if (screenshot.isEmpty()) {
    const int result = QApplication::exec();
    delete form;
    return result;
  }
  int result = 0;
  QTimer::singleShot(200, form, [&] {
    if (!form->grab().save(screenshot, "PNG")) {
      std::fprintf(stderr, "scaledemo: cannot write %s\n", qPrintable(screenshot));
      result = 1;
    }
    QApplication::quit();
  });
  QApplication::exec();
  delete form;
  return result;
}
