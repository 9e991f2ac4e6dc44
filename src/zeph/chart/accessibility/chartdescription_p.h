#pragma once

#include <QString>
#include <vector>

#include "zeph/chart/chartcurves.h"
#include "zeph/chart/charttexts.h"

namespace zeph {

class TCustomZephChart;

// The quantity of a layer's x or y axis as spoken: read from its caption ("U [V]"), with the
// chart's spoken name and unit where its texts have them ("voltage", "volts").
TAxisQuantity SpokenQuantity(const TCustomZephChart& chart, int layer, bool vertical);

// "U 4.00 V": a quantity of an axis caption with a value and its unit.
QString QuantityWithValue(const TAxisQuantity& quantity, double value, const TChartTexts& texts);

// The sentence for one curve: its trend with its first and last values, where it is steepest on
// the screen and where it levels off, and the stretches that lie outside the visible y range.
QString DescribeCurve(const TCustomZephChart& chart, const TChartCurve& curve, const TChartTexts& texts);

// The axes of the current layer with their ranges.
QString DescribeAxes(const TCustomZephChart& chart, const TChartTexts& texts);

}  // namespace zeph
