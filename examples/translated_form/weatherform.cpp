#include "weatherform.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include <zeph/chart/zephchart.h>
#include <zeph/toolkit/ansi.h>
#include <zeph/translation/babelfish2000.h>

using namespace zeph;

namespace {

constexpr int kFirstHours = 15;  // readings when the form opens: midnight to 14:00
constexpr int kMarkCircle = 24;  // marker number of a filled circle

// The temperature of the day at a full hour, in degrees Celsius.
double Temperature(int hour) {
  const double phase = 2 * std::numbers::pi * (hour - 9) / 24.0;
  return 12.0 + 7.0 * std::sin(phase) + 0.8 * std::sin(3.1 * hour);
}

}  // namespace

TWeatherForm::TWeatherForm(TBabelfish2000& babelfish, QWidget* parent) : QWidget(parent), babelfish_(babelfish) {
  BuildForm();
  ConfigureChart();
  // Every marked text of the form and of what it owns: labels, buttons, tool tips, the window
  // title, the chart's caption and its axis captions.
  babelfish_.TranslateComponent(this);
  while (hours_ < kFirstHours) AddReading();
  ShowReadings();
}

void TWeatherForm::BuildForm() {
  setWindowTitle(QStringLiteral("BF_Weather station"));
  auto* station = new QLabel(QStringLiteral("Hohenpeißenberg"), this);
  last_reading_ = new QLabel(this);
  reading_count_ = new QLabel(this);
  auto* fields = new QFormLayout;
  fields->addRow(new QLabel(QStringLiteral("BF_Station:"), this), station);
  fields->addRow(new QLabel(QStringLiteral("BF_Last reading:"), this), last_reading_);
  fields->addRow(new QLabel(QStringLiteral("BF_Today:"), this), reading_count_);

  chart_ = new TZephChart(this);
  chart_->setMinimumSize(460, 260);

  auto* grid = new QCheckBox(QStringLiteral("BF_Show grid"), this);
  grid->setChecked(true);
  connect(grid, &QCheckBox::toggled, this, [this](bool on) { chart_->SetGridStyle(on ? gsDotLines : gsNone); });
  refresh_ = new QPushButton(QStringLiteral("BF_Refresh"), this);
  refresh_->setToolTip(QStringLiteral("BF_Fetches the next hourly reading"));
  connect(refresh_, &QPushButton::clicked, this, [this] {
    AddReading();
    ShowReadings();
  });
  auto* close = new QPushButton(QStringLiteral("BF_Close"), this);
  connect(close, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(grid);
  buttons->addStretch(1);
  buttons->addWidget(refresh_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(chart_, 1);
  layout->addLayout(buttons);
  resize(560, 460);
}

void TWeatherForm::ConfigureChart() {
  chart_->SetCaption(QStringLiteral("BF_Temperature today"));
  chart_->SetGridStyle(gsDotLines);
  chart_->SetGridColor(clSilver);
  chart_->Scale1X()->SetCaption(QStringLiteral("BF_hour"));
  chart_->Scale1X()->SetRange(0, 24);
  chart_->Scale1X()->SetMinTicks(6);
  chart_->Scale1X()->SetDecPlaces(0);
  chart_->Scale1X()->SetShortTicks(false);
  chart_->Scale1Y()->SetCaption(QStringLiteral("BF_temperature"));
  chart_->Scale1Y()->SetRange(0, 25);
  chart_->Scale1Y()->SetDecPlaces(0);
  chart_->Scale1Y()->SetShortTicks(false);
  chart_->SetDataColor(clMaroon);
  chart_->SetLineWidth(2);
}

void TWeatherForm::AddReading() {
  const double temperature = Temperature(hours_);
  if (hours_ == 0)
    chart_->MoveTo(hours_, temperature);
  else
    chart_->DrawTo(hours_, temperature);
  // A mark leaves the pen where it is: the next reading's line starts at this point.
  chart_->Mark(hours_, temperature, kMarkCircle);
  ++hours_;
}

void TWeatherForm::ShowReadings() {
  chart_->ShowGraf();
  const int hour = hours_ - 1;
  // The language file names the locale whose numbers it writes.
  const QLocale locale(Text("$locale$"));
  last_reading_->setText(Text("Reading", {locale.toString(Temperature(hour), 'f', 1), locale.toString(hour)}));
  reading_count_->setText(Text("Readings", {locale.toString(hours_)}));
  refresh_->setEnabled(hours_ < 24);
}

QString TWeatherForm::Text(const char* key, const QStringList& args) const {
  // The engine works in the language files' 8-bit code page, Windows-1252.
  std::vector<std::string> ansi_args;
  for (const QString& arg : args) ansi_args.push_back(QStringToAnsi(arg));
  return AnsiToQString(babelfish_.Translate(key, ansi_args));
}
