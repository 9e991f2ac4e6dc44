#pragma once

#include <QString>

#include "zeph/chart/zephchart.h"

// The two charts as the main window configures them: size of one half of the window, light grey
// grid, captions, and the first scale pair of each.
namespace chart_test {

inline constexpr int kChartWidth = 343;
inline constexpr int kChartHeight = 346;
inline constexpr zeph::TColor kGridGrey = 15198183;

inline zeph::TFont ScaleFont() {
  zeph::TFont font;
  font.Size = 10;  // 13 pixels
  font.Color = zeph::clBlack;
  return font;
}

inline void ConfigureCommon(zeph::TZephChart& chart, const QString& caption) {
  chart.BeginLoading();
  chart.SetBounds(0, 0, kChartWidth, kChartHeight);
  chart.SetRRim(20);
  chart.SetTRim(20);
  chart.SetBRim(40);
  chart.SetGridStyle(zeph::gsLines);
  chart.SetGridColor(kGridGrey);
  chart.SetCaptionPosY(-16);
  chart.SetCaption(caption);
  for (zeph::TScaleProps* props : {static_cast<zeph::TScaleProps*>(chart.Scale1X()), static_cast<zeph::TScaleProps*>(chart.Scale1Y())}) {
    props->SetFont(ScaleFont());
    props->SetDecPlaces(-2);
    props->SetMinTicks(3);
  }
}

inline void ConfigureLikeCapacitanceChart(zeph::TZephChart& chart) {
  ConfigureCommon(chart, QStringLiteral("Capacitance of Varactor Diode"));
  chart.Scale1X()->SetCaption(QStringLiteral("U [V]"));
  chart.Scale1X()->SetRange(0, 10);
  chart.Scale1X()->SetShortTicks(false);
  chart.Scale1Y()->SetCaption(QStringLiteral("C [pF]"));
  chart.Scale1Y()->SetRange(1, 100);
  chart.Scale1Y()->SetLogarithmic(true);
  chart.Scale1Y()->SetShortTicks(true);
  chart.EndLoading();
}

inline void ConfigureLikeProfileChart(zeph::TZephChart& chart) {
  ConfigureCommon(chart, QStringLiteral("Impurity Concentration Profile"));
  chart.Scale1X()->SetCaption(QStringLiteral("d [\u00b5m]"));
  chart.Scale1X()->SetRange(0, 3);
  chart.Scale1X()->SetShortTicks(false);
  chart.Scale1Y()->SetCaption(QStringLiteral("ND * 10^16"));
  chart.Scale1Y()->SetRange(0, 10);
  chart.Scale1Y()->SetShortTicks(false);
  chart.EndLoading();
}

}  // namespace chart_test
