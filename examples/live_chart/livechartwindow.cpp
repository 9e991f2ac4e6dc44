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
  chart_->SetLineWidth(2);

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
  const double mean = samples_.empty() ? signal : samples_.back().mean + kMeanWeight * (signal - samples_.back().mean);
  const TSample sample{t, signal, mean};

  if (t > chart_->Scale1X()->RangeHigh()) ScrollTo(chart_->Scale1X()->RangeHigh() - kWindowWidth / 2);
  if (!samples_.empty()) DrawSegment(samples_.back(), sample);
  samples_.push_back(sample);
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

void TLiveChartWindow::DrawSegment(const TSample& from, const TSample& to) {
  chart_->SetDataColor(kSignalColor);
  chart_->SetLineWidth(1);
  chart_->Line(from.time, from.signal, to.time, to.signal);
  chart_->SetDataColor(kMeanColor);
  chart_->SetLineWidth(2);
  chart_->Line(from.time, from.mean, to.time, to.mean);
}

void TLiveChartWindow::ScrollTo(double low) {
  // The last sample left of the view stays, so that the traces enter at the left edge.
  while (samples_.size() > 1 && samples_[1].time <= low) samples_.pop_front();
  chart_->Scale1X()->SetRange(low, low + kWindowWidth);
  chart_->ClearGraf();
  for (std::size_t i = 1; i < samples_.size(); ++i) DrawSegment(samples_[i - 1], samples_[i]);
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
