#include "growthwindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <iterator>
#include <random>

#include <zeph/chart/zephchart.h>
#include <zeph/scales/daynumber.h>

using namespace zeph;

namespace {

constexpr double kHours = 72;           // length of the run
constexpr double kHarvestLevel = 1e8;   // cells per ml
constexpr double kLowestCount = 1e2;    // the y range when nothing is zoomed
constexpr double kHighestCount = 1e10;
constexpr int kMarkSquare = 12;         // marker number of an open square, 7 pixels wide

// The culture's growth, a Gompertz curve from 10^3 to 10^9 cells per ml: log10 of the count is
// kLogStart + kLogRise * exp(-exp(-kRate * (hours - kTurn))).
constexpr double kLogStart = 3;
constexpr double kLogRise = 6;
constexpr double kRate = 0.12;  // per hour
constexpr double kTurn = 22;    // hours to the fastest growth

double CellCount(double hours) {
  return std::pow(10.0, kLogStart + kLogRise * std::exp(-std::exp(-kRate * (hours - kTurn))));
}

// The hours at which the curve reaches a count between its start and its end.
double HoursToReach(double count) {
  return kTurn - std::log(-std::log((std::log10(count) - kLogStart) / kLogRise)) / kRate;
}

QString CountText(double count) { return QString::number(count, 'e', 2) + QStringLiteral(" cells/ml"); }

// A point of the date/time axis as its day number's date and time.
QString DayNumberText(double dayNumber) {
  return DayNumberToDateTime(dayNumber).toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

struct TMouseActionEntry {
  TMouseActMode mode;
  const char* text;
};

constexpr TMouseActionEntry kMouseActions[] = {
    {maZoomWindPos, "Zoom: draw a window around what you want to see"},
    {maPan, "Pan: drag the chart"},
    {maDragCrossH, "Drag the cross-hairs"},
};

}  // namespace

TGrowthWindow::TGrowthWindow(QWidget* parent)
    : QWidget(parent), start_(DateTimeToDayNumber(QDateTime(QDate(2024, 5, 13), QTime(8, 0)))) {
  setWindowTitle(QStringLiteral("Culture growth"));
  chart_ = new TZephChart(this);
  chart_->setMinimumSize(520, 340);
  ConfigureAxes();
  ConfigureCrossHairs();
  DrawMeasurements();
  BuildControls();
  SelectMouseAction(0);
  chart_->SetMouseCursorFixed(false);  // the mode's cursor over the chart area
  ReadCurve();
  resize(780, 520);
}

void TGrowthWindow::ConfigureAxes() {
  chart_->SetCaption(QStringLiteral("Culture growth at 37 °C"));
  chart_->SetLRim(72);
  chart_->SetBRim(58);
  chart_->SetGridStyle(gsDotLines);
  chart_->SetGridColor(clSilver);

  TScalePropsHoriz* time = chart_->Scale1X();
  time->SetCaption(QStringLiteral("time"));
  time->SetLabelType(ftDateTime);
  time->SetMinTicks(4);
  TDTLabel* format = time->DateFormat();
  format->SetDateOrder(doDDMMYY);
  format->SetDateSeparator('.');
  format->SetTimeSeparator(':');
  format->SetYearLength(ylNone);
  format->SetDateForTime(dtOnePerDay);  // the date under the first time of each day

  TScalePropsVert* count = chart_->Scale1Y();
  count->SetCaption(QStringLiteral("cells/ml"));
  ResetRanges();
  count->SetLogarithmic(true);
}

void TGrowthWindow::ConfigureCrossHairs() {
  TCrossHair* reading = chart_->CrossHair1();
  reading->SetMode(chBoth);
  reading->SetColor(clGreen);
  reading->SetPosX(start_ + kTurn / 24);

  TCrossHair* harvest = chart_->CrossHair2();
  harvest->SetLayer(1);  // cross-hair N starts on layer N
  harvest->SetMode(chHoriz);
  harvest->SetColor(clRed);
  harvest->SetLineType(psDash);
  harvest->SetPosY(kHarvestLevel);

  chart_->OnCrossHairMove = [this](QObject*, TCrossHair* moved) {
    if (moved == chart_->CrossHair1()) ReadCurve();
  };
}

void TGrowthWindow::DrawMeasurements() {
  // The model curve, a point every ten minutes.
  chart_->SetDataColor(clNavy);
  chart_->SetLineWidth(2);
  chart_->MoveTo(start_, CellCount(0));
  for (double hours = 1.0 / 6; hours <= kHours; hours += 1.0 / 6) chart_->DrawTo(start_ + hours / 24, CellCount(hours));

  // The plate counts, every four hours, scattered around the curve.
  std::mt19937 source(1905);
  std::normal_distribution<double> scatter(0.0, 0.12);  // in decades
  chart_->SetDataColor(clMaroon);
  chart_->SetLineWidth(1);
  for (double hours = 0; hours <= kHours; hours += 4) {
    chart_->Mark(start_ + hours / 24, CellCount(hours) * std::pow(10.0, scatter(source)), kMarkSquare);
  }
  chart_->ShowGraf();
}

void TGrowthWindow::BuildControls() {
  mouse_action_ = new QComboBox(this);
  for (const TMouseActionEntry& entry : kMouseActions) mouse_action_->addItem(QString::fromUtf8(entry.text));
  connect(mouse_action_, &QComboBox::currentIndexChanged, this, &TGrowthWindow::SelectMouseAction);
  auto* reset = new QPushButton(QStringLiteral("Show all"), this);
  connect(reset, &QPushButton::clicked, this, &TGrowthWindow::ResetRanges);

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel(QStringLiteral("Mouse:"), this));
  controls->addWidget(mouse_action_, 1);
  controls->addWidget(reset);

  reading_ = new QLabel(this);
  position_ = new QLabel(QStringLiteral("Move the mouse over the chart."), this);
  chart_->OnMouseMoveInChart = [this](QObject*, bool in_chart, TShiftState, double x, double y) {
    if (in_chart) position_->setText(QStringLiteral("Mouse at %1, %2").arg(DayNumberText(x), CountText(y)));
  };

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(chart_, 1);
  layout->addWidget(reading_);
  layout->addWidget(position_);
}

void TGrowthWindow::ResetRanges() {
  chart_->SetLayerRange(1, start_, kLowestCount, start_ + kHours / 24, kHighestCount);
}

void TGrowthWindow::SelectMouseAction(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kMouseActions))) return;
  chart_->SetMouseAction(kMouseActions[index].mode);
}

void TGrowthWindow::ReadCurve() {
  TCrossHair* reading = chart_->CrossHair1();
  const double hours = (reading->PosX() - start_) * 24;
  reading->SetPosY(CellCount(hours));
  reading_->setText(QStringLiteral("Green cross-hair: %1 at %2 (%3 h).  Harvest level %4 reached at %5.")
                        .arg(CountText(reading->PosY()), DayNumberText(reading->PosX()))
                        .arg(hours, 0, 'f', 1)
                        .arg(CountText(kHarvestLevel), DayNumberText(start_ + HoursToReach(kHarvestLevel) / 24)));
}
