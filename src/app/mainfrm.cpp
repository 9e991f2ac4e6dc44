#include "app/mainfrm.h"

#include <QApplication>
#include <QMetaObject>
#include <QShowEvent>

#include "app/aboutbox.h"
#include "app/appaccessible.h"
#include "app/chartcaptions.h"
#include "app/controls/focusring.h"
#include "app/curvechange.h"
#include "app/slidernarrator.h"
#include "app/spokenaxes.h"
#include "app/controls/tlabel.h"
#include "app/spokentexts.h"
#include "app/controls/formgeometry.h"
#include "app/controls/tpanel.h"
#include "app/controls/ttrackbar.h"
#include "app/lesson/keptcurves.h"
#include "app/lesson/lessonwords.h"
#include "app/statereport.h"
#include "app/textlimits.h"
#include "app/varactormodel.h"
#include "zeph/chart/zephchart.h"
#include "zeph/toolkit/ansi.h"
#include "zeph/toolkit/tmemo.h"

using namespace zeph;

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent, TFormRole role) : QWidget(parent) { ReadStoredDescription(role); }

void TForm1::TranslateInformationText(TBabelfish2000& dictionary) {
  QStringList lines = Memo1->Lines();
  for (QString& line : lines) {
    const std::string text = QStringToAnsi(line);
    if (text.compare(0, dictionary.KeyPrefix().size(), dictionary.KeyPrefix()) != 0) continue;
    const std::string_view key = std::string_view(text).substr(dictionary.KeyPrefix().size());
    line = BreakOverlongLines(BreakOverlongWords(AnsiToQString(dictionary.Translate(key))));
  }
  Memo1->SetLines(lines);
  // Its name for screen readers is a key as well.
  const std::string name = QStringToAnsi(Memo1->accessibleName());
  if (name.compare(0, dictionary.KeyPrefix().size(), dictionary.KeyPrefix()) == 0)
    Memo1->setAccessibleName(AnsiToQString(dictionary.Translate(name.substr(dictionary.KeyPrefix().size()))));
}

void TForm1::SetWindowTitle(const QString& title) { setWindowTitle(CutWindowTitle(title)); }

void TForm1::CalculateCurves() {
  varactor::PlotCurves(TBDistribution->Position(), *ZCCap, *ZCNd);
  kept_->AppendTo(*ZCCap, *ZCNd);
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  // The handler shows a modal box: it runs once the window is on the screen, so that the box
  // stands over the finished window.
  QMetaObject::invokeMethod(this, [this] { Notify(OnShow, this); }, Qt::QueuedConnection);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Notify(OnResize, this);
}

void TForm1::MakeAccessible() {
  // The three captions are the value's words, not the slider's name: its name is its own.
  TBDistribution->ValueWords = [this](int position) { return GradingText(position, Babelfish()); };
  narrator_ = new TSliderNarrator(
      TBDistribution, [this](int before, int after) { return CurveChangeSentence(before, after, Babelfish()); });
  for (TZephChart* chart : {ZCNd, ZCCap}) {
    TranslateChartCaptions(*chart, Babelfish());
    zeph::TChartTexts texts = SpokenChartTexts(Babelfish());
    SetSpokenAxes(texts, chart == ZCNd ? TVaractorChart::Profile : TVaractorChart::Capacitance, Babelfish());
    chart->SetTexts(texts);
    chart->SetKeyboardExploration(true);
  }
  if (cliDemon != nullptr) TFocusRing::Install();
}

void TForm1::DescribeState() {
  const QString numbers = GradingNumbers(TBDistribution->Position(), Babelfish());
  TBDistribution->setToolTip(numbers);
  TBDistribution->Description = TBDistribution->ValueText() + QStringLiteral(". ") + ZCNd->CurveSummary() +
                                QStringLiteral(". ") + ZCCap->CurveSummary() + QStringLiteral(". ") + numbers +
                                QLatin1Char('.');
}

void TForm1::AnnounceState() {
  DescribeState();
  if (narrator_ != nullptr) narrator_->Changed();
}

void TForm1::FormShow(QObject*) {
  StartUpWithHostAndTranslation();
  ReportState(*this, "startup");
  if (FrmAbout != nullptr) FrmAbout->ShowModal();
  CalculateCurves();
  DescribeState();
  ReportState(*this, "curves");
}

void TForm1::FormResize(QObject*) {
  // Half of the outer width, frame included: the profile takes the left half of the window.
  SetControlWidth(Panel2, OuterWidth(this) / 2);
}

void TForm1::TBDistributionChange(QObject*) {
  CalculateCurves();
  AnnounceState();
  ReportState(*this, "slider");
}

void TForm1::BButExitClick(QObject*) { close(); }

void TForm1::BButInfoClick(QObject*) {
  if (FrmAbout != nullptr) FrmAbout->ShowModal();
}

void TForm1::cliDemonParamsChange(QObject*) {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  // An open about box stays in front of the window it belongs to.
  if (FrmAbout != nullptr && FrmAbout->isVisible()) {
    FrmAbout->raise();
    FrmAbout->activateWindow();
  }
  ReportState(*this, "params");
}
