#include "bodeform.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace {

constexpr double kCutoff = 1000;  // Hz
constexpr double kLowest = 10;
constexpr double kHighest = 100000;

std::complex<double> LowPass(double f) { return 1.0 / std::complex<double>(1, f / kCutoff); }

}  // namespace

TBodeForm::TBodeForm(QWidget* parent) : QWidget(parent) {
  ui_.setupUi(this);
  zeph::TZephChart* chart = ui_.chart;

  // Layer 1: the magnitude, on a logarithmic frequency axis.
  chart->Scale1X()->SetCaption(QStringLiteral("f / Hz"));
  chart->Scale1X()->SetRange(kLowest, kHighest);
  chart->Scale1X()->SetLogarithmic(true);
  chart->Scale1Y()->SetCaption(QStringLiteral("|H| / dB"));
  chart->Scale1Y()->SetRange(-45, 5);
  // Layer 2: the phase on the right axis. Its x axis follows layer 1's range; joining copies
  // ranges only, so the logarithmic setting is given as well.
  chart->JointLayers()->SetL02xControlledBy(1);
  chart->Scale2X()->SetLogarithmic(true);
  chart->Scale2Y()->SetCaption(QStringLiteral("phase / deg"));
  chart->Scale2Y()->SetRange(-90, 0);

  const int points = 300;
  const auto frequency = [&](int i) { return kLowest * std::pow(kHighest / kLowest, double(i) / points); };
  chart->SetCurrentLayer(1);
  chart->SetDataColor(zeph::clBlue);
  chart->MoveTo(kLowest, 20 * std::log10(std::abs(LowPass(kLowest))));
  for (int i = 1; i <= points; ++i) chart->DrawTo(frequency(i), 20 * std::log10(std::abs(LowPass(frequency(i)))));
  chart->SetCurrentLayer(2);
  chart->SetDataColor(zeph::clRed);
  chart->MoveTo(kLowest, std::arg(LowPass(kLowest)) * 180 / std::numbers::pi);
  for (int i = 1; i <= points; ++i) chart->DrawTo(frequency(i), std::arg(LowPass(frequency(i))) * 180 / std::numbers::pi);
  chart->ShowGraf();

  // The scale control below the chart: the same axis in angular frequency, under the chart area.
  ui_.cutoffScale->SetRangeHigh(2 * std::numbers::pi * kHighest);
  ui_.cutoffScale->SetRangeLow(2 * std::numbers::pi * kLowest);
  ui_.cutoffScale->SetMarginLeft(chart->LRim());
  ui_.cutoffScale->SetMarginRight(chart->RRim() - 1);
}
