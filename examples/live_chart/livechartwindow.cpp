#include "livechartwindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

#include <zeph/chart/zephchart.h>

using namespace zeph;

namespace {

constexpr double kSamplePeriod = 0.05;  // seconds of signal per sample
constexpr double kWindowWidth = 10.0;   // seconds in view
constexpr double kMeanWeight = 0.1;     // weight of the newest sample in the running mean
constexpr std::size_t kHistory = 1200;  // samples each curve keeps: a minute of signal
constexpr TColor kSignalColor = clNavy;
constexpr TColor kMeanColor = clRed;

// What the "sensor" measures: two oscillations, before the noise is added.
double CleanSignal(double t) {
  constexpr double kTwoPi = 2 * std::numbers::pi;
  return std::sin(kTwoPi * 0.25 * t) + 0.3 * std::sin(kTwoPi * 1.1 * t);
}

void ConfigureLegendEntry(TTextLabel* label, const QString& caption, TColor color, int x, int y) {
  label->SetAttachToData(false);  // PosX and PosY are pixels of the control
  label->SetPosX(x);
  label->SetPosY(y);
  label->SetAlignment(taLeftJustify);
  TFont font = label->Font();
  font.Color = color;
  font.Style = {fsBold};
  label->SetFont(font);
  label->SetCaption(caption);
  label->SetMode(tlBox);
}

}  // namespace

TLiveChartWindow::TLiveChartWindow(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("Live chart"));
  chart_ = new TZephChart(this);
  chart_->setMinimumSize(480, 300);
  ConfigureChart();

  reading_ = new QLabel(QStringLiteral("Waiting for the first sample."), this);
  pause_ = new QPushButton(QStringLiteral("Pause"), this);
  connect(pause_, &QPushButton::clicked, this, &TLiveChartWindow::TogglePause);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(reading_, 1);
  bottom->addWidget(pause_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chart_, 1);
  layout->addLayout(bottom);
  resize(720, 440);

  timer_.setInterval(50);
  connect(&timer_, &QTimer::timeout, this, &TLiveChartWindow::AddSample);
  timer_.start();
}

void TLiveChartWindow::ConfigureChart() {
  chart_->SetCaption(QStringLiteral("Sensor signal"));
  chart_->SetGridStyle(gsDotLines);
  chart_->SetGridColor(clSilver);
  chart_->Scale1X()->SetCaption(QStringLiteral("t / s"));
  chart_->Scale1X()->SetRange(0, kWindowWidth);
  chart_->Scale1Y()->SetCaption(QStringLiteral("U / mV"));
  chart_->Scale1Y()->SetRange(-2, 2);

  // One curve object per trace, each with a fixed history: the oldest samples go as new ones come.
  chart_->SetDataColor(kSignalColor);
  chart_->SetLineWidth(1);
  signal_ = chart_->AddCurve(QStringLiteral("signal"));
  signal_.SetHistoryLimit(kHistory);
  chart_->SetDataColor(kMeanColor);
  chart_->SetLineWidth(2);
  mean_ = chart_->AddCurve(QStringLiteral("running mean"));
  mean_.SetHistoryLimit(kHistory);

  // The newest running mean, as a dashed horizontal line across the chart.
  TCrossHair* level = chart_->CrossHair1();
  level->SetMode(chHoriz);
  level->SetColor(kMeanColor);
  level->SetLineType(psDash);

  ConfigureLegendEntry(chart_->TextLabel(1), QStringLiteral("signal"), kSignalColor, chart_->LRim() + 10,
                       chart_->TRim() + 16);
  ConfigureLegendEntry(chart_->TextLabel(2), QStringLiteral("running mean"), kMeanColor, chart_->LRim() + 80,
                       chart_->TRim() + 16);
}

void TLiveChartWindow::AddSample() {
  const double t = static_cast<double>(count_) * kSamplePeriod;
  const double signal = CleanSignal(t) + noise_(noise_source_);
  const double mean = count_ == 0 ? signal : last_mean_ + kMeanWeight * (signal - last_mean_);
  last_mean_ = mean;

  // Scrolling only changes the range: the curves keep their points and draw what is in view.
  const double high = chart_->Scale1X()->RangeHigh();
  if (t > high) chart_->Scale1X()->SetRange(high - kWindowWidth / 2, high + kWindowWidth / 2);
  signal_.Append(t, signal);
  mean_.Append(t, mean);
  chart_->CrossHair1()->SetPosY(mean);
  // Draws what was appended since the last call.
  chart_->ShowGraf();

  ++count_;
  reading_->setText(QStringLiteral("t = %1 s    signal %2 mV    running mean %3 mV")
                        .arg(t, 0, 'f', 2)
                        .arg(signal, 0, 'f', 2)
                        .arg(mean, 0, 'f', 2));
  emit SampleAdded(count_);
}

void TLiveChartWindow::TogglePause() {
  if (timer_.isActive()) {
    timer_.stop();
    pause_->setText(QStringLiteral("Resume"));
  } else {
    timer_.start();
    pause_->setText(QStringLiteral("Pause"));
  }
}
