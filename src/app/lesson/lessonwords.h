#pragma once

#include <QPointF>
#include <QString>
#include <optional>

namespace zeph {
class TBabelfish2000;
class TCustomZephChart;
}  // namespace zeph

// The words and numbers the lesson shows beside the curves, in the window's language: the same
// words the screen reader speaks, with its decimal separator.

// "m = 0.4": the grading exponent P / 1000.
QString ExponentText(int position, const zeph::TBabelfish2000* dictionary);
// "ND ∝ d^0.4": the profile's law.
QString ProfileLaw(int position, const zeph::TBabelfish2000* dictionary);
// "Cj ∝ (U + 0.7 V)^−0.417": the capacitance's law, exponent −1/(m + 2).
QString CapacitanceLaw(int position, const zeph::TBabelfish2000* dictionary);
// "m = 0.4; ND ∝ d^0.4; Cj ∝ (U + 0.7 V)^−0.417": the grading in numbers.
QString GradingNumbers(int position, const zeph::TBabelfish2000* dictionary);

// "U 1.00 V, C 5.55 pF": a point of the chart in the words keyboard exploration names it with.
QString PointWords(const zeph::TCustomZephChart& chart, const QPointF& point);
// "w = 0.471 µm": the depletion width at the reverse voltage.
QString WidthWords(int position, double voltage, const zeph::TBabelfish2000* dictionary);
// "depletion edge here at U 2.34 V": when the depletion edge reaches the depth; none when that is
// outside the voltages the capacitance chart shows.
std::optional<QString> EdgeWords(int position, double depth, const zeph::TBabelfish2000* dictionary);
// "U = 2.34 V": the voltage mark on the capacitance chart.
QString VoltageWords(double voltage, const zeph::TBabelfish2000* dictionary);
